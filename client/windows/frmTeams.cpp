#include "frmTeams.h"

#include "ClientLinks.h"
#include "MessageBox.h"
#include "ProgramSettings.h"
#include "ServerTextBoxes.h"
#include "TeamCommands.h"
#include "TeamInfo.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
constexpr int GeneralImage = 1;  // the first picture of imgRank

void Send(const std::string& ctrlChar, const std::string& msg) {
    if (const auto& server = ClientLinks().Server) server(ctrlChar, msg);
}
}  // namespace

frmTeamsForm::frmTeamsForm() : FeatureWindow("frmTeams", IDD_TEAMS) {
    ListTeam.SetColumns({{"member", "Team Member", 260}});
    mnuTeam.Add(mnuTeamPromote);
    mnuTeam.Add(mnuTeamDemote);
    mnuTeam.Add(mnuTeamSeparator);
    mnuTeam.Add(mnuTeamKick);
    mnuTeamPromote.OnClick = [this] { MemberCommand(&TeamPromote); };
    mnuTeamDemote.OnClick = [this] { MemberCommand(&TeamDemote); };
    mnuTeamKick.OnClick = [this] { MemberCommand(&TeamKick); };
    ListTeam.MouseDown = [this](int button, int, int, int) {
        if (button == 2 && mnuTeam.Enabled()) mnuTeam.Popup(Handle());
    };
    cmdUpdate.Click = [this] { cmdUpdate_Click(); };
    cmdCreate.Click = [this] { cmdCreate_Click(); };
    cmdChangeNews.Click = [this] { Send("C", TeamNews(txtTeamNews.Text())); };
    cmdChangeWebsite.Click = [this] { Send("C", TeamWebsite(txtTeamWebsite.Text())); };
    cmdClose.Click = [this] { Unload(); };
}

void frmTeamsForm::FormLoad() {
    if (!imgRank.Handle()) imgRank.LoadStrip("RANK_ICONS", 16);
    ListTeam.SetSmallIcons(imgRank.Handle());
    ListTeam.Clear();  // a window loaded again starts empty
    SetMemberControls(false);
}

void frmTeamsForm::SetMemberControls(bool enabled) {
    for (Control* c : {static_cast<Control*>(&txtTeamNews), static_cast<Control*>(&txtTeamWebsite),
                       static_cast<Control*>(&cmdChangeNews), static_cast<Control*>(&cmdChangeWebsite)}) {
        c->SetEnabled(enabled);
    }
    mnuTeam.SetEnabled(enabled);
}

void frmTeamsForm::cmdUpdate_Click() {
    if (Trim(txtTeamName.Text()).empty()) return;
    SetMemberControls(false);
    Send("p", TeamStatsData(txtTeamName.Text()));
}

void frmTeamsForm::cmdCreate_Click() {
    const std::string answer = CInputMessage("Please enter a team name.", "Team Console", "", 0, true, "Tahoma");
    if (Trim(answer).empty()) return;
    Send("C", TeamCreate(answer));
}

void frmTeamsForm::MemberCommand(std::string (*command)(const std::string&)) {
    if (!mnuTeam.Enabled()) return;  // members only
    const int row = ListTeam.SelectedIndex();
    if (!row) return;
    Send("C", command(ListTeam.ItemAt(row).Text));
}

void frmTeamsForm::RecvData(const std::string& Data) {
    // Whatever the data, nothing is reported: what cannot be shown is left out.
    try {
        Load();  // a window given a team is loaded first, hidden when it was not shown
        const TeamInfoRead read = ReadTeamInfo(Data, Username);
        if (read.Is == TeamInfoRead::Kind::Nothing) return;
        if (read.Is == TeamInfoRead::Kind::NoTeam) {
            SetMemberControls(false);
            ServerTextBox("frmTeams.RecvData", "Team you are trying to stat does not exist!", WindowNoticeStyle,
                          "Team Information");
            return;
        }
        if (read.Name) txtTeamName.SetText(*read.Name);
        if (read.Splats) txtSplats.SetCaption(*read.Splats);
        if (read.Website) txtTeamWebsite.SetText(*read.Website);
        if (read.News) txtTeamNews.SetText(*read.News);
        KeyedListView::Batch batch(ListTeam);
        ListTeam.Clear();
        SetMemberControls(false);
        bool own = false;
        for (const TeamMember& member : read.Members) {
            // Past the cap the own player is still looked for; only the rows stop.
            if (cap_.Room(ListTeam.Count())) ListTeam.AddUnkeyed(member.Text, GeneralImage);
            own = own || member.Own;
        }
        if (own) SetMemberControls(true);
        txtPlayers.SetCaption(CStr(static_cast<int64_t>(read.Members.size())));
    } catch (const std::exception&) {
    }
}

bool frmTeamsForm::KeyPreview(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN || msg.hwnd != txtTeamName.hWnd()) return false;
    Guard("frmTeams", "txtTeamName_KeyDown", [&] { cmdUpdate_Click(); });
    return true;  // the key goes no further
}

bool frmTeamsForm::OnUnload() {
    Guard("frmTeams", "Form_Unload", [&] {
        if (const auto& focus = ClientLinks().FocusEntryLine) focus();
    });
    return false;
}

LRESULT frmTeamsForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && lParam == 0) {
        if (MenuItem* item = MenuItem::FromId(LOWORD(wParam))) {
            const std::string proc = item->Name() + "_Click";
            Guard("frmTeams", proc.c_str(), [&] { item->Click(); });
            return 0;
        }
    }
    return FeatureWindow::WindowProc(msg, wParam, lParam);
}

frmTeamsForm& frmTeams() { return TheForm<frmTeamsForm>(); }

}  // namespace skx
