#include "frmTop25.h"

#include "ClientLinks.h"
#include "TopList.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

frmTop25Form::frmTop25Form() : FeatureWindow("frmTop25", IDD_TOP25) {
    cmbTop25.SetList(TopCategories);
    lvResults.SetColumns({{"name", "Name", 150}, {"value", "Value", 90}, {"date", "Date", 150}});
    // Values by their numbers (as shown: "007" stays "007"); the other columns as text.
    lvResults.SetComparator("value", &CompareTopValues);
    // One request for every choice the user ends on a list, the same list again included.
    cmbTop25.SelEndOk = [this] { cmbTop25_Click(); };
    cmdClose.Click = [this] { Unload(); };
}

void frmTop25Form::FormLoad() {
    // Every opening starts empty, with no list chosen; nothing is asked for yet.
    lvResults.Clear();
    cmbTop25.SetListIndex(-1);
}

void frmTop25Form::cmbTop25_Click() {
    const int index = cmbTop25.ListIndex();
    if (index < 0) return;
    const ClientLinkTable& links = ClientLinks();
    if (links.Server) links.Server("o", CStr(static_cast<int64_t>(index)));
}

void frmTop25Form::Update(const std::string& Data) {
    Guard("frmTop25", "Update", [&] {
        Load();  // a list that comes while the window is closed fills the hidden window
        KeyedListView::Batch batch(lvResults);
        lvResults.Clear();
        for (const TopRecord& r : ReadTopList(Data)) {
            if (!cap_.Room(lvResults.Count())) break;
            const int row = lvResults.AddUnkeyed(r.Name);
            lvResults.SetSubItem(row, "value", r.Value);
            lvResults.SetSubItem(row, "date", r.Date);
        }
    });
}

frmTop25Form& frmTop25() { return TheForm<frmTop25Form>(); }

}  // namespace skx
