#include "VoteList.h"

#include <commctrl.h>

#include "GdiHandle.h"
#include "runtime/Conversions.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {

constexpr int IconSize = 15;

// One picture of the image list: a filled disc in colour on the button face.
HBITMAP MakeDisc(COLORREF colour) {
    WindowDC screen(nullptr);
    HDC dc = CreateCompatibleDC(screen.Get());
    if (!dc) return nullptr;
    HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), IconSize, IconSize);
    if (bitmap) {
        SelectInDC keepBitmap(dc, bitmap);
        BrushHandle face(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
        RECT all{0, 0, IconSize, IconSize};
        FillRect(dc, &all, face.Get());
        BrushHandle fill(CreateSolidBrush(colour));
        PenHandle edge(CreatePen(PS_SOLID, 1, RGB(64, 64, 64)));
        SelectInDC keepBrush(dc, fill.Get());
        SelectInDC keepPen(dc, edge.Get());
        Ellipse(dc, 1, 1, IconSize - 1, IconSize - 1);
    }
    DeleteDC(dc);
    return bitmap;
}

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
    if (!images_.Handle() && images_.Create(IconSize, IconSize)) {
        // Image 1 green (voted), 2 red (hated), 3 grey (neither).
        for (COLORREF c : {RGB(0, 176, 0), RGB(208, 0, 0), RGB(192, 192, 192)}) {
            GdiObject<HBITMAP> picture(MakeDisc(c));
            images_.Add(picture.Get());
        }
    }
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
