// The top-25 window: one of the server's ranking lists at a time. Choosing a list in the box
// asks the server for it; the reply fills the table, whether or not the window is shown.
#pragma once
#include <string>

#include "FeatureWindow.h"
#include "runtime/KeyedListView.h"
#include "RowCap.h"
#include "window_ids.h"

namespace skx {

class frmTop25Form : public FeatureWindow {
public:
    frmTop25Form();

    // The ranking lists (TopCategories); the chosen one's index is asked for.
    ComboBox cmbTop25{*this, IDC_TOP25_CMBTOP25, "cmbTop25"};
    // One unkeyed row per record: text the name, sub-items "value" and "date" as received.
    KeyedListView lvResults{*this, IDC_TOP25_LVRESULTS, "lvResults"};
    Button cmdClose{*this, IDC_TOP25_CMDCLOSE, "cmdClose"};

    // Refills the table from a top list: records separated by ";", each name, value and date
    // separated by ":"; records of fewer than three fields are left out.
    void Update(const std::string& Data);

protected:
    void FormLoad() override;

private:
    void cmbTop25_Click();

    RowCap cap_{"frmTop25", "Update", "top"};
};

frmTop25Form& frmTop25();

}  // namespace skx
