#include "frmIgnore.h"

#include <vector>

#include "ClientLinks.h"
#include "FileServices.h"
#include "ProgramSettings.h"
#include "WholeFile.h"
#include "frmChatBar.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
const char* const IgnoreFile = "Ignore.Dat";
}  // namespace

frmIgnoreForm::frmIgnoreForm() : FeatureWindow("frmIgnore", IDD_IGNORE) {
    cmdAdd.Click = [this] { cmdAdd_Click(); };
    cmdRem.Click = [this] { cmdRem_Click(); };
    cmdClear.Click = [this] { cmdClear_Click(); };
    cmdUpdate.Click = [this] { cmdUpdate_Click(); };
    cmdDone.Click = [this] { cmdDone_Click(); };
}

void frmIgnoreForm::FormLoad() { LoadFormSettings(); }

void frmIgnoreForm::OnActivate(bool active) {
    FeatureWindow::OnActivate(active);
    // The list is read again whenever the window comes to the front.
    if (active) Guard("frmIgnore", "Form_Activate", [&] { LoadFormSettings(); });
}

bool frmIgnoreForm::OnUnload() {
    Guard("frmIgnore", "Form_Unload", [&] { SaveFormSettings(); });
    return false;
}

const IgnoreList& frmIgnoreForm::Ignored() {
    Load();
    return list_;
}

void frmIgnoreForm::ShowIgnored() {
    lstIgnored.Clear();
    for (const std::string& name : list_.Entries()) lstIgnored.AddItem(name);
}

void frmIgnoreForm::LoadFormSettings() {
    list_.Clear();
    ShowIgnored();
    const std::string path = DatPath + IgnoreFile;
    if (!FileExist(path, 0)) return;
    std::string text;
    if (!ReadWholeFile(path, text)) Raise(errPathFileAccess, "frmIgnore");
    const bool whole = list_.ReadFileText(text);
    ShowIgnored();
    if (!whole) Raise(errInputPastEnd, "frmIgnore");
}

void frmIgnoreForm::SaveFormSettings() {
    if (!ReplaceWholeFile(DatPath + IgnoreFile, list_.FileText())) Raise(errPathFileAccess, "frmIgnore");
}

void frmIgnoreForm::IgnoreAdd(const std::string& Name) {
    Guard("frmIgnore", "IgnoreAdd", [&] {
        Load();
        if (!list_.Add(NameFromCommandLine(Name))) return;
        ShowIgnored();
        SaveFormSettings();
    });
}

void frmIgnoreForm::cmdAdd_Click() {
    const int current = lstOnline.ListIndex();
    if (current < 0) return;  // no name picked: nothing to add
    const std::string name = lstOnline.List(current);
    if (list_.Contains(name) || !list_.Add(name)) return;
    ShowIgnored();
    SaveFormSettings();
}

void frmIgnoreForm::cmdRem_Click() {
    std::vector<int> selected;
    for (int i = 0; i < lstIgnored.ListCount(); ++i) {
        if (lstIgnored.Selected(i)) selected.push_back(i);
    }
    if (selected.empty()) return;
    list_.RemoveAt(selected);
    ShowIgnored();
    SaveFormSettings();
}

void frmIgnoreForm::cmdClear_Click() {
    list_.Clear();
    ShowIgnored();
    SaveFormSettings();
}

void frmIgnoreForm::cmdUpdate_Click() {
    const KeyedListView& players = frmChatBar().WhoList;
    if (players.Count() == 0) return;  // an empty player list leaves the copy as it was
    lstOnline.Clear();
    for (int i = 1; i <= players.Count(); ++i) lstOnline.AddItem(players.ItemAt(i).Text);
}

void frmIgnoreForm::cmdDone_Click() {
    SaveFormSettings();
    Hide();
    const ClientLinkTable& links = ClientLinks();
    if (links.FocusEntryLine) links.FocusEntryLine();
}

frmIgnoreForm& frmIgnore() { return TheForm<frmIgnoreForm>(); }

}  // namespace skx
