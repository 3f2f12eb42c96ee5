#include "frmChatBar.h"

#include <algorithm>

#include "ClientLinks.h"
#include "ProgramSettings.h"
#include "SettingsFiles.h"
#include "SystemServices.h"
#include "RowCap.h"
#include "WhoListModel.h"
#include "WhoRefreshInterval.h"
#include "WindowLook.h"
#include "modRTFLinks.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RichTextEditing.h"
#include "runtime/Twips.h"

namespace skx {

namespace {
constexpr int WizardChatTab = 6;
constexpr int WizardChatLevel = 89;  // below it the Wizard Chat tab goes at load
constexpr uint32_t FirstRefreshMs = 4000;
constexpr int CheckHeight = 18;       // pixels under the player list for the "Auto" box
constexpr int DefaultListWidth = 170;  // pixels of the player list before a divider is set
}  // namespace

frmChatBarForm::frmChatBarForm()
    : Form("frmChatBar", FormKind::MdiChild), tmrUpdate("frmChatBar", "tmrUpdate", [this] { tmrUpdate_Timer(); }) {
    initialCaption_ = "Chat Display";
    initialRect_ = RECT{0, 0, 640, 220};
    style_ = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    tabChat.SetTabs({"General", "Game", "Public Chat", "Private Chat", "Team Chat", "Wizard Chat"});
    tabChat.Click = [this] { tabChat_Click(); };
    for (size_t i = 0; i < txtStatus.size(); ++i) {
        const int index = static_cast<int>(i);
        RichTextBox& pane = txtStatus[i];
        pane.SetEnabled(false);  // until a connection is up
        pane.SelChange = [this, index] { txtStatus_SelChange(index); };
        pane.MouseMove = [this, index](int b, int s, int x, int y) { txtStatus_MouseMove(index, b, s, x, y); };
        pane.MouseUp = [this, index](int b, int s, int x, int y) { txtStatus_MouseUp(index, b, s, x, y); };
    }
    WhoList.SetEnabled(false);
    WhoList.SetColumns({{"name", "Name", 110}, {"level", "Level", 50}});
    WhoList.MouseDown = [this](int button, int, int, int) { WhoList_MouseDown(button); };
    splitBar_.Moved = [this] {
        splitter_ = splitBar_.Position();
        Arrange(55);
    };
    chkAutoUpdate.SetValue(1);
    tmrUpdate.SetInterval(FirstRefreshMs);
}

void frmChatBarForm::OnLoad() {
    Guard("frmChatBar", "Form_Load", [&] {
        if (!inner_.Create(Handle())) Raise(errOutOfMemory, "frmChatBar", "Unable to create the chat display");
        ShowWindow(inner_.hWnd(), SW_SHOWNA);
        if (!paneFont_) paneFont_.Reset(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
        for (RichTextBox& pane : txtStatus) SendMessageA(pane.hWnd(), WM_SETFONT, reinterpret_cast<WPARAM>(paneFont_.Get()), FALSE);
        RemoveMenus(Handle(), {true, true, true, true, true, true, true});
        DropShadow(Handle());
        const std::string stored = mfncGetFromIni(DatPath + GameDat, "Options", "AutoChatUpdate", false, "1");
        const bool on = stored == "True" || stored == "1";
        tmrUpdate.SetInterval(FirstRefreshMs);
        tmrUpdate.SetEnabled(on);
        chkAutoUpdate.SetValue(on ? 1 : 0);
        const ClientLinkTable& links = ClientLinks();
        const int level = links.AccountLevel ? links.AccountLevel() : 0;
        if (level < WizardChatLevel && tabChat.TabCount() >= WizardChatTab) tabChat.RemoveTab(WizardChatTab);
        if (splitter_ <= 0) splitter_ = TwipsFromPixels(std::max(ScaleWidth() - DefaultListWidth, SplitterBar::MinSide));
        Arrange(40);
        ShowSelectedPane();
    });
}

void frmChatBarForm::OnResize() {
    Guard("frmChatBar", "Form_Resize", [&] { Arrange(55); });
}

void frmChatBarForm::SetSplitter(int twips) {
    splitter_ = twips;
    Arrange(55);
}

void frmChatBarForm::Arrange(int paneMargin) {
    if (!Handle() || !inner_.hWnd()) return;
    const int w = ScaleWidth(), h = ScaleHeight();
    MoveWindow(inner_.hWnd(), 0, 0, w, h, TRUE);
    // A divider restored from the settings may lie outside a smaller window: it comes back in.
    splitBar_.SetPosition(splitter_);
    splitter_ = splitBar_.Position();
    const int split = PixelsFromTwips(splitter_);
    // The frame holds the tab strip, whose tabs run along its bottom, and the panes above them.
    fraChat.Move(0, 0, split, h);
    const int stripWidth = splitter_ - 20, stripHeight = TwipsFromPixels(h);
    tabChat.Move(0, 0, PixelsFromTwips(stripWidth), PixelsFromTwips(stripHeight));
    for (RichTextBox& pane : txtStatus) {
        pane.Move(PixelsFromTwips(40), PixelsFromTwips(40), PixelsFromTwips(std::max(stripWidth - paneMargin, 0)),
                  PixelsFromTwips(std::max(stripHeight - 355, 0)));
    }
    const int listLeft = split + SplitterBar::Thickness;
    WhoList.Move(listLeft, 0, std::max(w - listLeft, 0), std::max(h - CheckHeight, 0));
    chkAutoUpdate.Move(listLeft + 2, std::max(h - CheckHeight, 0), 60, CheckHeight);
}

void frmChatBarForm::ShowSelectedPane() {
    const int s = tabChat.SelectedIndex();
    for (size_t i = 0; i < txtStatus.size(); ++i) {
        const bool selected = static_cast<int>(i) == s - 1;
        if (!selected && txtStatus[i].Visible()) txtStatus[i].SetVisible(false);
        if (selected) txtStatus[i].SetVisible(true);
    }
}

void frmChatBarForm::tabChat_Click() {
    ShowSelectedPane();
    const int s = tabChat.SelectedIndex();
    if (s >= 1 && tabChat.Highlighted(s)) tabChat.SetHighlighted(s, false);
}

void frmChatBarForm::txtStatus_SelChange(int Index) {
    const int tab = Index + 1;
    // A pane whose tab is gone (the Wizard Chat tab below its level) lights nothing.
    if (tabChat.SelectedIndex() != tab && tab <= tabChat.TabCount()) tabChat.SetHighlighted(tab, true);
}

bool frmChatBarForm::txtStatus_KeyDown(int Index, int KeyCode, int Shift) {
    if (KeyCode != VK_DELETE || Shift != 1) return false;
    RtbClear(txtStatus[static_cast<size_t>(Index)]);
    return true;  // the pane itself does not cut
}

void frmChatBarForm::txtStatus_MouseMove(int Index, int Button, int Shift, int x, int y) {
    // The hit tests run on the main window's scratch copy of a pane.
    const ClientLinkTable& links = ClientLinks();
    if (!links.LinkScratch) return;
    RTB_MouseMove(txtStatus[static_cast<size_t>(Index)], links.LinkScratch(), static_cast<int16_t>(Button),
                  static_cast<int16_t>(Shift), static_cast<float>(TwipsFromPixels(x)), static_cast<float>(TwipsFromPixels(y)));
}

void frmChatBarForm::txtStatus_MouseUp(int Index, int Button, int Shift, int x, int y) {
    const ClientLinkTable& links = ClientLinks();
    if (Button != 1 || !links.LinkScratch) return;
    try {  // a link that cannot be opened is let be
        std::string address = RTB_MouseUp(txtStatus[static_cast<size_t>(Index)], links.LinkScratch(), 1,
                                          static_cast<int16_t>(Shift), static_cast<float>(TwipsFromPixels(x)),
                                          static_cast<float>(TwipsFromPixels(y)));
        if (!address.empty()) RunShellExecute("Open", address, "", "", 1);
    } catch (...) {
    }
}

void frmChatBarForm::WhoList_MouseDown(int Button) {
    const ClientLinkTable& links = ClientLinks();
    if (Button == 2 && WhoList.SelectedIndex() != 0 && links.PopupUserMenu) links.PopupUserMenu();
}

namespace {
// WhoRequest: the player list, asked of the server.
void SendWhoRequest() {
    const ClientLinkTable& links = ClientLinks();
    if (links.Server) links.Server("w", " ");
}
}  // namespace

void frmChatBarForm::tmrUpdate_Timer() {
    // Each step goes on whatever the one before did.
    try {
        SendWhoRequest();
    } catch (...) {
    }
    try {
        tmrUpdate.SetInterval(WhoRefreshInterval(WhoList.Count()));
    } catch (...) {
    }
}

bool frmChatBarForm::WhoExists(const std::string& Key) const { return WhoList.Exists(Key); }

void frmChatBarForm::Update(const std::string& Data) {
    Guard("frmChatBar", "Update", [&] {
        std::string remembered;
        if (int selected = WhoList.SelectedIndex()) remembered = WhoList.ItemAt(selected).Key;
        KeyedListView::Batch batch(WhoList);
        WhoList.Clear();
        const WhoListModel model(Data);
        whoCut_ = false;
        for (const WhoRecord& record : model.Records()) {
            if (!whoCap_.Room(WhoList.Count())) {
                whoCut_ = true;
                break;
            }
            // A name the list holds already is passed over; the refill goes on.
            if (int row = WhoList.Add(record.Name, record.Name)) WhoList.SetSubItem(row, "level", record.Level);
        }
        if (!remembered.empty() && WhoExists(remembered)) WhoList.Select(WhoList.IndexOf(remembered));
    });
}

bool frmChatBarForm::PreTranslate(MSG& msg) {
    HWND page = inner_.hWnd();
    if (!page || !(msg.hwnd == page || IsChild(page, msg.hwnd))) return false;
    if (msg.message == WM_KEYDOWN) {
        for (size_t i = 0; i < txtStatus.size(); ++i) {
            if (txtStatus[i].hWnd() != msg.hwnd) continue;
            const int shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0);
            bool taken = false;
            detail::HandlerScope scope;
            Guard("frmChatBar", "txtStatus_KeyDown",
                  [&] { taken = txtStatus_KeyDown(static_cast<int>(i), static_cast<int>(msg.wParam), shift); });
            if (taken) return true;
        }
    }
    return inner_.IsDialogKey(msg);
}

void frmChatBarForm::OnActivate(bool active) {
    if (!active) return;
    Guard("frmChatBar", "Form_GotFocus", [&] { SendWhoRequest(); });
}

bool frmChatBarForm::OnQueryUnload(UnloadMode mode) {
    // The user cannot close the chat; the program unloads it at the end.
    return mode == UnloadMode::FormControlMenu;
}

bool frmChatBarForm::OnUnload() {
    Guard("frmChatBar", "Form_Unload", [&] {
        mfncWriteIni(DatPath + GameDat, "Options", "AutoChatUpdate", CStr(static_cast<int64_t>(chkAutoUpdate.Value())), false);
    });
    tmrUpdate.SetEnabled(false);  // the timer goes with the window
    return false;
}

frmChatBarForm& frmChatBar() { return TheForm<frmChatBarForm>(); }

}  // namespace skx
