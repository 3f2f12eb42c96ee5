// The pages of a tab strip: page i (a child dialog template) belongs to tab i + 1 and is shown
// while that tab is selected, laid over the strip's display area. The strip's click handler
// calls ShowSelected.
#pragma once
#include <vector>

#include "Control.h"
#include "ControlHost.h"

namespace skx {

class TabPages {
public:
    explicit TabPages(TabStrip& strip) : strip_(strip) {}
    void Add(DialogPage& page) { pages_.push_back(&page); }
    // Makes the pages in the strip's parent, then shows the selected one.
    bool Create();
    void ShowSelected();
    // Lays the pages over the strip's display area (after the strip moved).
    void Layout();
    DialogPage* Page(size_t i) const { return i < pages_.size() ? pages_[i] : nullptr; }

private:
    TabStrip& strip_;
    std::vector<DialogPage*> pages_;
};

}  // namespace skx
