#include "frmTournament.h"

#include <string>

#include "AccountState.h"
#include "ClientLinks.h"
#include "ProgramSettings.h"
#include "TournamentCommands.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RichTextEditing.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
constexpr int16_t AdminLevel = 90;  // from this level the Admin and Game tabs are there
constexpr int InformationTab = 1, SignupTab = 2, LogTab = 3, AdminTab = 4, GameTab = 5;

void Send(const std::string& ctrlChar, const std::string& msg) {
    if (const auto& server = ClientLinks().Server) server(ctrlChar, msg);
}
void SendTournamentRequest() { Send("t", ""); }
void SendCommand(const std::string& line) { Send("C", line); }
}  // namespace

frmTournamentForm::frmTournamentForm() : FeatureWindow("frmTournament", IDD_TOURNAMENT) {
    for (DialogPage& page : fraInformation) pages_.Add(page);
    tabTournament.Click = [this] { tabTournament_Click(); };
    StatusBar1.SetPanels({-1});
    cmdUpdate.Click = [] { SendTournamentRequest(); };
    cmdDone.Click = [this] {
        Hide();
        ReleaseForm<frmTournamentForm>();
    };
    cmdCreateJoin.Click = [this] { cmdCreateJoin_Click(); };
    cmdDonate.Click = [this] { cmdDonate_Click(); };
    txtDonate.Change = [this] { txtDonate_Change(); };
    cmdDisqualify.Click = [this] { ActOnSelectedTeam(false); };
    cmdKick.Click = [this] { ActOnSelectedTeam(true); };
    cmdReady.Click = [] { SendCommand("tournament ready on"); };
    cmdUnready.Click = [] { SendCommand("tournament ready off"); };
    cmdEnd.Click = [] { SendCommand("tournament end"); };
    cmdStart.Click = [this] { cmdStart_Click(); };
    cmdStartGame.Click = [this] { cmdStartGame_Click(); };
    for (int i = 1; i <= 4; ++i) {
        trvTeams(i).NodeClick = [this, i](int node) { trvTeams_Click(i, node); };
    }
    // Read after the tree has had the press: a left press selects the node under it first.
    trvTeams(4).MouseDownHandled = [this](int button, int shift, int, int) { trvTeams_MouseDown(button, shift); };
    cmdAlias.Click = [this](int index) { cmdAlias_Click(index); };
}

std::vector<ControlHost*> frmTournamentForm::ControlHosts() {
    std::vector<ControlHost*> hosts{this};
    for (DialogPage& page : fraInformation) hosts.push_back(&page);
    return hosts;
}

KeyedTreeView& frmTournamentForm::trvTeams(int index) {
    if (index < 1 || index > 4) {
        Raise(340, "frmTournament", "Control array element '" + std::to_string(index) + "' doesn't exist");
    }
    KeyedTreeView* trees[] = {&trvTeams1_, &trvTeams2_, &trvTeams3_, &trvTeams4_};
    return *trees[index - 1];
}

void frmTournamentForm::FormLoad() {
    // A window loaded again starts empty, as it first did.
    for (int i = 1; i <= 4; ++i) trvTeams(i).Clear();
    optTeamA.SetValue(0);
    optTeamB.SetValue(0);
    tabTournament.SetTabs({"Information", "Signup", "Log", "Admin", "Game"});
    tabTournament.Select(InformationTab);
    if (!pages_.Create()) Raise(errOutOfMemory, "frmTournament", "Unable to create the tournament pages");
    // Every frame in the same place inside the strip, below its captions.
    const RECT strip = tabTournament.Bounds();
    for (DialogPage& page : fraInformation) {
        SetWindowPos(page.hWnd(), HWND_TOP, strip.left + 8, strip.top + 32, (strip.right - strip.left) - 16,
                     (strip.bottom - strip.top) - 32, SWP_NOACTIVATE);
    }
    if (AccessLevel < AdminLevel) {
        tabTournament.RemoveTab(GameTab);
        tabTournament.RemoveTab(AdminTab);
        lblTeamA.SetVisible(false);
        lblTeamB.SetVisible(false);
    }
    pages_.ShowSelected();
    cmdAlias.Refresh();
    SendTournamentRequest();
}

void frmTournamentForm::SetStatus(const std::string& text) { StatusBar1.SetPanelText(1, text); }

void frmTournamentForm::tabTournament_Click() {
    pages_.ShowSelected();
    switch (tabTournament.SelectedIndex()) {
        case InformationTab:
        case SignupTab:
        case AdminTab:
            SendTournamentRequest();
            break;
        case LogTab:
            RtbClear(rtbTLog);
            SendCommand("tournament log");
            break;
        default:
            break;
    }
}

void frmTournamentForm::cmdCreateJoin_Click() {
    if (txtTeam.Text().empty() || txtPassword.Text().empty()) {
        SetStatus("You must have a team name and password to signup.");
        return;
    }
    const SignupCommand signup = TournamentSignup(txtTeam.Text(), txtPassword.Text());
    txtPassword.SetText(signup.Password);
    SendCommand(signup.Line);
}

void frmTournamentForm::txtDonate_Change() {
    const std::string text = txtDonate.Text();
    if (!text.empty() && !IsNumeric(text)) txtDonate.SetText("");
}

void frmTournamentForm::cmdDonate_Click() {
    if (txtDonate.Text().empty()) {
        SetStatus("You must specify an amount to donate.");
        return;
    }
    const std::string line = TournamentDonation(txtDonate.Text());
    if (!line.empty()) SendCommand(line);
    txtDonate.SetText("");
}

std::string frmTournamentForm::TeamKey(const KeyedTreeView& tree, int node) const {
    const KeyedTreeView::Node& n = tree.NodeAt(node);
    return n.Parent == 0 ? n.Key : tree.NodeAt(n.Parent).Key;
}

void frmTournamentForm::ActOnSelectedTeam(bool kick) {
    KeyedTreeView& tree = trvTeams(3);
    const int node = tree.SelectedIndex();
    if (!node) {
        SetStatus(kick ? "Select a team to be kicked!" : "Select a team to be disqualified!");
        return;
    }
    const std::string key = TeamKey(tree, node);
    SendCommand(kick ? TournamentKick(key) : TournamentDisqualify(key));
}

void frmTournamentForm::cmdStart_Click() {
    for (const TextBox* box : {&txtGameFee, &txtMinMembers, &txtMaxTeams, &txtGameRules}) {
        if (box->Text().empty()) {
            SetStatus("You must complete all the fields to start a tournament.");
            return;
        }
    }
    for (const std::string& line :
         TournamentStart(txtGameFee.Text(), txtMinMembers.Text(), txtMaxTeams.Text(), txtGameRules.Text())) {
        SendCommand(line);
    }
}

void frmTournamentForm::cmdStartGame_Click() {
    if (txtTeamA.Text().empty() || txtTeamB.Text().empty()) {
        SetStatus("You must choose the next two teams.");
        return;
    }
    SendCommand(TournamentGameStart(txtTeamA.Text(), txtTeamB.Text()));
}

void frmTournamentForm::trvTeams_Click(int Index, int node) {
    // The node clicked is the node the click selects.
    if (!node) return;
    const std::string team = TournamentTeamText(TeamKey(trvTeams(Index), node));
    if (Index == 2) {
        txtTeam.SetText(team);
    } else if (Index == 4) {
        if (optTeamA.Value() == 1) {
            txtTeamA.SetText(team);
        } else if (optTeamB.Value() == 1) {
            txtTeamB.SetText(team);
        }
    }
}

void frmTournamentForm::trvTeams_MouseDown(int Button, int Shift) {
    if (Shift != 1 || (Button != 1 && Button != 2)) return;
    KeyedTreeView& tree = trvTeams(4);
    const int node = tree.SelectedIndex();
    if (!node) return;
    const std::string team = TournamentTeamText(TeamKey(tree, node));
    (Button == 1 ? txtTeamA : txtTeamB).SetText(team);
}

void frmTournamentForm::cmdAlias_Click(int Index) {
    if (Index < 0 || Index >= ButtonEntries) Raise(errSubscriptOutOfRange, "frmTournament");
    SendCommand(TournamentButtonCommand(Buttons[static_cast<size_t>(Index)].Command, txtTeamA.Text(), txtTeamB.Text()));
}

frmTournamentForm& frmTournament() { return TheForm<frmTournamentForm>(); }

}  // namespace skx
