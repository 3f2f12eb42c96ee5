// The custom command buttons of a feature window: the buttons cmdAlias(first) to
// cmdAlias(first + count - 1) of its template (ids base + index), each showing the caption and
// tip of the entry of Buttons with its index. A right press opens the button editor on that
// entry; a left click goes to the window's Click with the index. Every bar in being is known,
// so that an edited entry shows at once on the button it belongs to.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "runtime/ControlHost.h"
#include "runtime/DialogControls.h"

namespace skx {

class CommandButtonBar {
public:
    CommandButtonBar(ControlHost& host, int baseId, int first, int count);
    ~CommandButtonBar();
    CommandButtonBar(const CommandButtonBar&) = delete;
    CommandButtonBar& operator=(const CommandButtonBar&) = delete;

    // Shows a caption and tip on the button of an entry, on the bar that holds it while its
    // window is loaded (a window not loaded reads Buttons when it loads).
    static void ShowEntry(int index, const std::string& caption, const std::string& tip);

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
