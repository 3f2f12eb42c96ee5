#include "VoteList.h"

#include <commctrl.h>

#include "runtime/Conversions.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
// The icons' strip in the program's resources: 16-pixel cells in the order of the icons.
constexpr char IconStrip[] = "VOTE_ICONS";
constexpr int IconSize = 16;
}  // namespace

void VoteList::OnCreated() {
    const char* captions[3] = {"", "Game", "Vote"};
    const int widths[3] = {24, 150, 60};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_WIDTH;
        col.cx = widths[i];
        col.pszText = const_cast<char*>(captions[i]);
        SendMessageA(hwnd_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
    }
    // Without the strip (a program built without the art) the rows show no icon.
    if (!images_.Handle()) images_.LoadStrip(IconStrip, IconSize);
    SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SendMessageA(hwnd_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_.Handle()));
    Redraw();
}

const VoteList::Row& VoteList::ItemAt(int index) const {
    if (index < 1 || index > Count()) Raise(35600);
    return rows_[static_cast<size_t>(index - 1)];
}

int VoteList::IndexOf(const std::string& key) const {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (TextEquals(rows_[i].Key, key)) return static_cast<int>(i) + 1;
    }
    return 0;
}

void VoteList::Add(const std::string& key, int icon, const std::string& game, const std::string& votes) {
    if (IndexOf(key) != 0) Raise(35602, "gridVoteWindow", "Key is not unique in collection");
    if (icon < IconVoted || icon > IconOther) Raise(35600);
    rows_.push_back(Row{key, icon, game, votes});
    Redraw();
}

void VoteList::SetSmallIcon(const std::string& key, int icon) {
    int index = IndexOf(key);
    if (index == 0) Raise(35601, "gridVoteWindow", "Element not found");
    SetSmallIcon(index, icon);
}

void VoteList::SetSmallIcon(int index, int icon) {
    if (index < 1 || index > Count() || icon < IconVoted || icon > IconOther) Raise(35600);
    rows_[static_cast<size_t>(index - 1)].SmallIcon = icon;
    ShowRow(index);
}

void VoteList::Clear() {
    rows_.clear();
    Redraw();
}

int VoteList::ShownIcon(int index) const {
    if (!hwnd_) return -1;
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index - 1;
    if (!SendMessageA(hwnd_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return item.iImage;
}

void VoteList::ShowRow(int index) {
    if (!hwnd_) return;
    const Row& row = rows_[static_cast<size_t>(index - 1)];
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index - 1;
    item.iImage = row.SmallIcon - 1;
    SendMessageA(hwnd_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void VoteList::Redraw() {
    if (!hwnd_) return;
    SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < rows_.size(); ++i) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char*>("");
        item.iImage = rows_[i].SmallIcon - 1;
        SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        const std::string* texts[2] = {&rows_[i].Game, &rows_[i].Votes};
        for (int s = 0; s < 2; ++s) {
            LVITEMA sub{};
            sub.iSubItem = s + 1;
            sub.pszText = const_cast<char*>(texts[s]->c_str());
            SendMessageA(hwnd_, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&sub));
        }
    }
}

}  // namespace skx
