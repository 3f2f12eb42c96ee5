// The news window ("News"): the server's news texts, one below the other. It keeps the
// player reading for ten seconds: Close stays disabled while the count-down runs, and the
// title bar's close and Esc do nothing until then.
#pragma once
#include <cstdint>

#include "FeatureWindow.h"
#include "runtime/FormTimer.h"
#include "window_ids.h"

namespace skx {

class frmNewsForm : public FeatureWindow {
public:
    frmNewsForm();

    RichTextBox rtbNews{*this, IDC_NEWS_RTBNEWS, "rtbNews"};
    Button cmdClose{*this, IDC_NEWS_CMDCLOSE, "cmdClose"};
    FormTimer tmrClose;

protected:
    void FormLoad() override;
    bool OnQueryUnload(UnloadMode mode) override;
    bool OnUnload() override;

private:
    void tmrClose_Timer();
    int16_t countDown_ = 10;
};

frmNewsForm& frmNews();

}  // namespace skx
