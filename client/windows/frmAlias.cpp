#include "frmAlias.h"

#include "AliasCommands.h"
#include "ClientLinks.h"
#include "MessageBox.h"
#include "TextUtilities.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
constexpr const char* CommandsColumn = "commands";
constexpr int32_t YesNoQuestion = 20;  // Yes and No buttons, the error icon
constexpr int32_t InformationBox = 70;

void Send(const std::string& msg) {
    if (const auto& server = ClientLinks().Server) server("a", msg);
}

bool Connected() {
    const auto& connected = ClientLinks().Connected;
    return connected && connected();
}
}  // namespace

frmAliasForm::frmAliasForm() : FeatureWindow("frmAlias", IDD_ALIAS) {
    lvAliases.SetColumns({{"name", "Name", 110}, {CommandsColumn, "Commands", 255}});
    lvAliases.ItemClick = [this](int index) { lvAliases_ItemClick(index); };
    lvAliases.ColumnClick = [this](int) { sorted_ = true; };
    cmdUpdate.Click = [] { Send(AliasListRequest()); };
    cmdRem.Click = [this] { cmdRem_Click(); };
    cmdAddNew.Click = [this] { cmdAddNew_Click(); };
    cmdExit.Click = [this] { Unload(); };
    Command1.Click = [this] { cmdUpdateAlias_Click(); };
    txtName.Change = [this] { txtName_Change(); };
    rtbCommands.Change = [this] { unsaved_ = true; };
}

void frmAliasForm::FormLoad() {
    lvAliases.Clear();
    unsaved_ = false;
    Send(AliasListRequest());
}

void frmAliasForm::ProcessAlias(const std::string& Data) {
    Guard("frmAlias", "ProcessAlias", [&] {
        if (Data.empty() || CInt(Data.substr(0, Data.find(';'))) != 0) return;
        ParseAlias(Data);
    });
}

void frmAliasForm::ParseAlias(const std::string& Data) {
    Guard("frmAlias", "ParseAlias", [&] {
        KeyedListView::Batch batch(lvAliases);
        lvAliases.Clear();
        const AliasListRead read = ReadAliasList(Data);
        bool cut = false;
        for (const AliasRecord& record : read.Records) {
            if ((cut = !cap_.Room(lvAliases.Count()))) break;
            // A repeated name is passed over (the list reports it once); the fill goes on.
            const int row = lvAliases.Add(record.Name, record.Name);
            if (!row || !record.HasCommands) continue;
            lvAliases.SetSubItem(row, CommandsColumn, record.Commands);
            lvAliases.SetToolTip(row, record.Commands);
        }
        if (sorted_) lvAliases.Sort(lvAliases.SortColumn(), lvAliases.SortDescending());
        if (read.Malformed && !cut) Raise(errSubscriptOutOfRange);  // a bad record after the cut is not read
    });
}

bool frmAliasForm::cmdUpdateAlias_Click() {
    bool goOn = true;
    Guard("frmAlias", "cmdUpdateAlias_Click", [&] {
        // Cleaning the boxes counts as a change; saving clears the flag afterwards.
        txtName.SetText(CleanString(txtName.Text()));
        rtbCommands.SetPlainText(CleanLines(rtbCommands.Text()));
        if (Trim(txtName.Text()).empty()) return;
        if (!Connected()) {
            // Typed text is never dropped unsent: the edits stay, and so does the flag.
            CSendMessage("Not connected: the alias was not saved.", InformationBox, "Alias Console", 0, true, true, -1,
                         "Tahoma");
            goOn = false;
            return;
        }
        Send(AliasSaveRequest(StoredAliasName(txtName.Text()), EncodeAliasCommands(rtbCommands.Text())));
        unsaved_ = false;
    });
    return goOn;
}

bool frmAliasForm::SaveChangesQuestion() {
    if (!unsaved_) return true;
    if (CSendMessage("Save changes to last alias?", YesNoQuestion, "", 0, true, true, -1, "Tahoma") != mbrYes) return true;
    return cmdUpdateAlias_Click();
}

void frmAliasForm::cmdRem_Click() {
    const int selected = lvAliases.SelectedIndex();
    if (selected) Send(AliasRemoveRequest(lvAliases.ItemAt(selected).Text));
}

void frmAliasForm::cmdAddNew_Click() {
    if (!SaveChangesQuestion()) return;
    txtName.SetText("");
    rtbCommands.SetPlainText("");
    fraAlias.SetCaption("Alias: New");
    txtName.SetFocus();
    unsaved_ = false;
}

void frmAliasForm::lvAliases_ItemClick(int Index) {
    // The clicked row as it was: a reply may refill the list while the question is open.
    const KeyedListView::Item item = lvAliases.ItemAt(Index);
    if (!SaveChangesQuestion()) return;
    if (item.Text.empty()) return;
    txtName.SetText(item.Text);
    rtbCommands.SetPlainText(DecodeAliasCommands(item.SubItem(CommandsColumn)));
    unsaved_ = false;
}

void frmAliasForm::txtName_Change() {
    fraAlias.SetCaption("Alias: '" + txtName.Text() + "'");
    unsaved_ = true;
}

frmAliasForm& frmAlias() { return TheForm<frmAliasForm>(); }

}  // namespace skx
