#include "frmWho.h"

#include "ClientLinks.h"
#include "ProgramSettings.h"
#include "WhoButtonCommand.h"
#include "RowCap.h"
#include "WhoListModel.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
constexpr uint32_t WhoRefreshMs = 3000;
constexpr int16_t MultiSelectLevel = 89;  // from this level several players can be selected

// WhoRequest: the player list, asked of the server.
void SendWhoRequest() {
    const ClientLinkTable& links = ClientLinks();
    if (links.Server) links.Server("w", " ");
}

int16_t AccountLevel() {
    const ClientLinkTable& links = ClientLinks();
    return links.AccountLevel ? links.AccountLevel() : 0;
}
}  // namespace

frmWhoForm::frmWhoForm() : FeatureWindow("frmWho", IDD_WHO), tmrWho("frmWho", "tmrWho", [] { SendWhoRequest(); }) {
    gridWhoWindow.SetColumns({{"Username", "Username", 90},
                              {"Lvl", "Lvl", 36, "level"},
                              {"Splats", "Splats", 50, "splats"},
                              {"Status", "Status", 90, "status"},
                              {"Team", "Team", 70, "team"},
                              {"Games", "Games Left", 70, "game"},
                              {"Idle", "Idle", 50, "idle"}});
    StatusBar1.SetPanels({-1});
    chkAutoUpdate.Click = [this] { tmrWho.SetEnabled(chkAutoUpdate.Value() == 1); };
    cmdUpdate.Click = [this] {
        SendWhoRequest();
        SetStatus("Updating Please wait...");
    };
    cmdOkay.Click = [this] { Unload(); };
    cmdAlias.Click = [this](int index) { cmdAlias_Click(index); };
}

void frmWhoForm::FormLoad() {
    // Each load starts as the window was drawn: empty, ticked, in the list's own order.
    gridWhoWindow.Clear();
    gridWhoWindow.Sort(0, false);
    chkAutoUpdate.SetValue(1);
    tmrWho.SetInterval(WhoRefreshMs);
    tmrWho.SetEnabled(true);
    cmdAlias.Refresh();
    gridWhoWindow.SetMultiSelect(AccountLevel() >= MultiSelectLevel);
    SendWhoRequest();
    SetStatus("Updating Please wait...");
}

void frmWhoForm::OnActivate(bool active) {
    FeatureWindow::OnActivate(active);
    if (active) Guard("frmWho", "Form_GotFocus", [&] { Form_GotFocus(); });
}

void frmWhoForm::Form_GotFocus() {
    // Several players can be selected from the level on; once on, it stays on.
    if (AccountLevel() >= MultiSelectLevel) gridWhoWindow.SetMultiSelect(true);
    SendWhoRequest();
    if (chkAutoUpdate.Value() == 1) tmrWho.SetEnabled(true);
}

bool frmWhoForm::OnUnload() {
    tmrWho.SetEnabled(false);  // the timer goes with the window
    return false;
}

void frmWhoForm::SetStatus(const std::string& text) { StatusBar1.SetPanelText(1, text); }

void frmWhoForm::Update(const std::string& Data) {
    Guard("frmWho", "Update", [&] {
        Load();  // a window given a list is loaded first
        KeyedListView::Batch batch(gridWhoWindow);
        gridWhoWindow.Clear();
        const WhoListModel model(Data);
        for (const WhoRecord& r : model.Records()) {
            // Cut where the chat window's list, fed the same reply, is cut and tells of it.
            if (gridWhoWindow.Count() >= MostListRows) break;
            // A name the list holds already is passed over; the refill goes on.
            const int row = gridWhoWindow.Add(r.Name, r.Name);
            if (!row) continue;
            gridWhoWindow.SetSubItem(row, "level", r.Level);
            gridWhoWindow.SetSubItem(row, "splats", r.Splats);
            gridWhoWindow.SetSubItem(row, "status", r.Status);
            gridWhoWindow.SetSubItem(row, "team", r.Team);
            gridWhoWindow.SetSubItem(row, "game", r.GamesLeft);
            gridWhoWindow.SetSubItem(row, "idle", r.Idle);
        }
        // The players online, also those past the list's cut.
        SetCaption("Who's Online - " + CStr(model.Players()) + " Players Online.");
        SetStatus("Updated");
    });
}

std::vector<std::string> frmWhoForm::SelectedNames() const {
    std::vector<std::string> names;
    for (int i = 1; i <= gridWhoWindow.Count(); ++i) {
        if (gridWhoWindow.IsSelected(i)) names.push_back(gridWhoWindow.ItemAt(i).Text);
    }
    return names;
}

void frmWhoForm::cmdAlias_Click(int Index) {
    if (Index < 0 || Index >= ButtonEntries) Raise(errSubscriptOutOfRange, "frmWho");
    const std::string line = WhoButtonCommand(Buttons[static_cast<size_t>(Index)].Command, SelectedNames());
    // Sent also when no player is selected.
    const ClientLinkTable& links = ClientLinks();
    if (links.Server) links.Server("C", line);
}

frmWhoForm& frmWho() { return TheForm<frmWhoForm>(); }

}  // namespace skx
