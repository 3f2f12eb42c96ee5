#include "VoteList.h"

#include <commctrl.h>

#include "runtime/RunTimeError.h"

namespace skx {

namespace {
// The icons' strip in the program's resources: 16-pixel cells in the order of the icons.
constexpr char IconStrip[] = "VOTE_ICONS";
constexpr int IconSize = 16;
}  // namespace

VoteList::VoteList(ControlHost& host, int id, std::string name) : KeyedListView(host, id, std::move(name)) {
    SetColumns({{"status", "", 24}, {"game", "Game", 150}, {"vote", "Vote", 60}});
}

void VoteList::OnCreated() {
    // Without the strip (a program built without the art) the rows show no icon.
    if (!images_.Handle()) images_.LoadStrip(IconStrip, IconSize);
    SetSmallIcons(images_.Handle());
    KeyedListView::OnCreated();
}

void VoteList::SetSmallIcon(const std::string& key, int icon) {
    const int index = IndexOf(key);
    if (index == 0) Raise(35601, Name(), "Element not found");
    SetSmallIcon(index, icon);
}

int VoteList::ShownIcon(int index) const {
    if (!hwnd_) return -1;
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index - 1;
    if (!SendMessageA(hwnd_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return item.iImage;
}

}  // namespace skx
