// The custom command buttons of a feature window: the buttons cmdAlias(first) to
// cmdAlias(first + count - 1) of its template (ids base + index), each showing the caption and
// tip of the entry of Buttons with its index. A right press opens the button editor on that
// entry; a left click goes to the window's Click with the index.
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "runtime/ControlHost.h"
#include "runtime/DialogControls.h"

namespace skx {

class CommandButtonBar {
public:
    CommandButtonBar(ControlHost& host, int baseId, int first, int count);

    // Shows each entry's caption and tip (the window's load calls it).
    void Refresh();
    // The button of entry index; an index outside the bar raises 340.
    Button& cmdAlias(int index);
    int First() const { return first_; }
    int Count() const { return static_cast<int>(buttons_.size()); }

    std::function<void(int index)> Click;

private:
    int first_;
    std::vector<std::unique_ptr<Button>> buttons_;
};

}  // namespace skx
