#include "frmGame.h"

#include <algorithm>

#include "ArenaModel.h"
#include "ClientLinks.h"
#include "GameInfoReply.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
constexpr COLORREF Magenta = RGB(255, 0, 255);
constexpr int Margin = 4;  // pixels between the window's edge, the frames and their lists

void Send(const std::string& ctrlChar, const std::string& msg) {
    const ClientLinkTable& links = ClientLinks();
    if (links.Server) links.Server(ctrlChar, msg);
}

// Adds one picture of the program's resources to the list.
void AddPicture(ImageList& list, const char* name) {
    HBITMAP picture = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    list.Add(picture, Magenta);
    if (picture) DeleteObject(picture);
}
}  // namespace

bool GamePage::PageMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_CTLCOLOREDIT) return false;
    const HWND box = reinterpret_cast<HWND>(lParam);
    if (std::none_of(PlainBoxes.begin(), PlainBoxes.end(), [&](const Control* c) { return c->hWnd() == box; })) return false;
    const HDC dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

frmGameForm::frmGameForm() : Form("frmGame", FormKind::MdiChild) {
    initialCaption_ = "Game Information";
    initialRect_ = RECT{0, 0, 240, 300};
    style_ = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    tbGame.SetButtons({{"info", "Info     ", 1}, {"players", "Players", 2}, {"", "Teams", 3}});
    tbGame.ButtonClick = [this](int button) { tbGame_Click(button); };
    cmbStatus.SetList({"Unready", "Ready", "Auto-Ready"});
    cmbStatus.SetText("Unready");
    cmbStatus.Click = [this] { cmbStatus_Click(); };
    lblDispBotSplats.MouseDown = [this](int button, int shift, int, int) { lblDispBotSplats_MouseDown(button, shift); };
    lstPlayers.SetColumns({{"name", "Name", 85}, {"team", "Team", 65}, {"splats", "Splats", 50}});
    lstTeams.SetColumns({{"team", "", 180}});
    inner_.PlainBoxes = {&txtGameType, &txtNumTeams, &txtTimeLeft, &txtYourTeam, &txtGameInfo};
    frames_[0] = {&fraSection[0], &lblType_, &txtGameType, &lblTime_, &txtTimeLeft, &lblTeams_, &txtNumTeams,
                  &lblStatus_, &cmbStatus, &lblBotSplats, &lblDispBotSplats};
    frames_[1] = {&fraSection[1], &lstPlayers};
    frames_[2] = {&fraSection[2], &lblYourTeam_, &txtYourTeam, &txtGameInfo, &lstTeams};
}

void frmGameForm::OnLoad() {
    Guard("frmGame", "Form_Load", [&] {
        if (!imgObjects_.Handle() && imgObjects_.Create(16, 16)) {
            for (const char* name : {"GAME_INFO", "GAME_PLAYERS", "GAME_TEAMS"}) AddPicture(imgObjects_, name);
            ImageList_SetBkColor(imgObjects_.Handle(), GetSysColor(COLOR_BTNFACE));
        }
        tbGame.SetImageList(imgObjects_.Handle());
        if (!inner_.Create(Handle())) Raise(errOutOfMemory, "frmGame", "Unable to create the game information");
        ShowWindow(inner_.hWnd(), SW_SHOWNA);
        for (size_t i = 0; i < frames_.size(); ++i) ShowFrame(i, i == 0);
        tbGame.SetPressed(1, true);
        OnResize();
    });
}

void frmGameForm::OnResize() {
    if (!Handle() || !inner_.hWnd()) return;
    const int w = ScaleWidth(), h = ScaleHeight();
    MoveWindow(inner_.hWnd(), 0, 0, w, h, TRUE);
    SendMessageA(tbGame.hWnd(), TB_AUTOSIZE, 0, 0);
    const RECT bar = tbGame.Bounds();
    const int top = static_cast<int>(bar.bottom) + Margin;
    const int frameWidth = std::max(w - 2 * Margin, 0), frameHeight = std::max(h - top - Margin, 0);
    for (Label& frame : fraSection) frame.Move(Margin, top, frameWidth, frameHeight);
    const int inside = std::max(frameWidth - 4 * Margin, 0);
    lstPlayers.Move(3 * Margin, top + 4 * Margin, inside, std::max(frameHeight - 6 * Margin, 0));
    const int below = static_cast<int>(txtGameInfo.Bounds().bottom) + Margin;
    lstTeams.Move(3 * Margin, below, inside, std::max(top + frameHeight - 2 * Margin - below, 0));
}

bool frmGameForm::OnQueryUnload(UnloadMode mode) {
    // Closing from the title bar hides the window; the Game Information item follows.
    if (mode == UnloadMode::FormControlMenu) {
        Hide();
        return true;
    }
    return false;
}

void frmGameForm::ShowFrame(size_t frame, bool shown) {
    for (Control* c : frames_[frame]) {
        bool own = true;  // a control's own visibility inside its frame
        if (c == &lblBotSplats) own = counterShown_;
        if (c == &lblDispBotSplats) own = !counterShown_;
        c->SetVisible(shown && own);
    }
}

void frmGameForm::Update(const std::string& Data, int Section) {
    const std::string details = "iCommand:\r\n" + std::to_string(Section) + "\r\n\r\nRawData:\r\n" + Data + "\r\n";
    Guard("frmGame", "Update", [&] {
        if (Section == 1) {
            if (const auto game = ReadGameSummary(Data)) {
                txtGameType.SetText(game->GameType);
                if (ClientLinks().StatusPanel) ClientLinks().StatusPanel(2, game->GameType);
                txtTimeLeft.SetText(game->TimeLeft);
                txtNumTeams.SetText(game->Teams);
            }
        } else if (Section == 2) {
            lstPlayers.Clear();
            if (const auto players = ReadGamePlayers(Data)) {
                KeyedListView::Batch batch(lstPlayers);
                // A name already listed is refused (and reported once); the fill goes on.
                for (const GamePlayer& p : *players) {
                    if (!playerCap_.Room(lstPlayers.Count())) break;
                    if (const int row = lstPlayers.Add(p.Name, p.Name)) {
                        lstPlayers.SetSubItem(row, "team", p.Team);
                        lstPlayers.SetSubItem(row, "splats", p.Splats);
                    }
                }
            }
        } else if (Section == 3) {
            if (const auto teams = ReadGameTeams(Data)) {
                txtYourTeam.SetText(teams->YourTeam);
                txtGameInfo.SetText(teams->GameInfo + " Bots...");
                lstTeams.Clear();
                KeyedListView::Batch batch(lstTeams);
                for (const std::string& team : teams->Teams) {
                    if (!teamCap_.Room(lstTeams.Count())) break;
                    lstTeams.AddUnkeyed(team);
                }
            }
        }
    }, nullptr, details);
    lblBotSplats.SetCaption("Bot Splats: " + std::to_string(BotSplats));
}

void frmGameForm::ShowReadyStatus(const std::string& status) { cmbStatus.SetText(status); }

void frmGameForm::cmbStatus_Click() {
    const std::string status = cmbStatus.Text();
    if (status == "Unready") Send("R", "0");
    else if (status == "Ready") Send("R", "1");
    else if (status == "Auto-Ready") Send("R", "2");
}

void frmGameForm::tbGame_Click(int Button) {
    for (int i = 0; i <= 2; ++i) {
        const bool chosen = Button == i + 1;
        ShowFrame(static_cast<size_t>(i), chosen);
        tbGame.SetPressed(i + 1, chosen);
        Send("e", std::to_string(i + 1));
    }
}

void frmGameForm::lblDispBotSplats_MouseDown(int Button, int Shift) {
    if (Button != 2 || Shift != 1) return;
    counterShown_ = true;  // nothing hides it again while the window lives
    lblBotSplats.SetVisible(true);
    lblDispBotSplats.SetVisible(false);
}

bool frmGameForm::PreTranslate(MSG& msg) {
    HWND page = inner_.hWnd();
    if (!page || !(msg.hwnd == page || IsChild(page, msg.hwnd))) return false;
    // The status is chosen from the list only: a typed letter would pick an item.
    if (msg.message == WM_CHAR && msg.hwnd == cmbStatus.hWnd()) return true;
    return inner_.IsDialogKey(msg);
}

frmGameForm& frmGame() { return TheForm<frmGameForm>(); }

}  // namespace skx
