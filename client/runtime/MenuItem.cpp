#include "MenuItem.h"

#include <map>


namespace skx {

namespace {

std::map<UINT, MenuItem*>& Registry() {
    static std::map<UINT, MenuItem*> items;
    return items;
}

// Command identifiers of menu items, from 0x1000 upwards (below the 0xFF00 the MDI client
// gives its child windows in the Window menu).
UINT g_nextId = 0x1000;

}  // namespace

MenuItem::MenuItem(std::string name, std::string caption, bool checked, bool visible, bool enabled)
    : name_(std::move(name)), caption_(std::move(caption)), checked_(checked), visible_(visible),
      enabled_(enabled), id_(g_nextId++) {
    Registry()[id_] = this;
}

MenuItem::~MenuItem() {
    Registry().erase(id_);
    if (window_ && IsWindow(window_) && GetMenu(window_) == menu_.get()) SetMenu(window_, nullptr);
}

MenuItem* MenuItem::FromName(const std::string& name, int index) {
    for (const auto& [id, item] : Registry()) {
        if (item->Name() == name && index-- == 0) return item;
    }
    return nullptr;
}

MenuItem* MenuItem::FromId(UINT id) {
    auto it = Registry().find(id);
    return it == Registry().end() ? nullptr : it->second;
}

void MenuItem::Add(MenuItem& child) {
    child.parent_ = this;
    items_.push_back(&child);
}

MenuItem* MenuItem::Root() {
    MenuItem* r = this;
    while (r->parent_) r = r->parent_;
    return r;
}

void MenuItem::Click() {
    if (OnClick) OnClick();
}

void MenuItem::SetCaption(const std::string& caption) {
    bool wasSeparator = IsSeparator();
    caption_ = caption;
    if (wasSeparator != IsSeparator()) Root()->Rebuild();
    else Update();
}

void MenuItem::SetChecked(bool checked) {
    checked_ = checked;
    Update();
}

void MenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

void MenuItem::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Root()->Rebuild();
}

void MenuItem::AppendItems(HMENU into, MenuItem& item) {
    for (MenuItem* child : item.items_) {
        if (!child->visible_) continue;
        MENUITEMINFOA mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE;
        mii.wID = child->id_;
        if (child->IsSeparator()) {
            mii.fType = MFT_SEPARATOR;
        } else {
            mii.fMask |= MIIM_STRING;
            mii.fType = MFT_STRING;
            mii.dwTypeData = const_cast<char*>(child->caption_.c_str());
            mii.fState = (child->checked_ ? MFS_CHECKED : 0u) | (child->enabled_ ? 0u : MFS_GRAYED);
        }
        if (!child->items_.empty()) {
            HMENU sub = CreatePopupMenu();
            if (!sub) continue;
            AppendItems(sub, *child);
            child->subMenu_ = sub;
            mii.fMask |= MIIM_SUBMENU;
            mii.hSubMenu = sub;  // owned by the menu it is inserted into
        }
        if (!InsertMenuItemA(into, GetMenuItemCount(into), TRUE, &mii) && mii.hSubMenu) {
            DestroyMenu(mii.hSubMenu);
            child->subMenu_ = nullptr;
        }
    }
}

HMENU MenuItem::Build(bool bar) {
    bar_ = bar;
    MenuPtr menu(bar ? CreateMenu() : CreatePopupMenu());
    if (!menu) return nullptr;
    ForgetSubMenus();
    AppendItems(menu.get(), *this);
    if (window_ && IsWindow(window_) && GetMenu(window_) == menu_.get()) {
        SetMenu(window_, menu.get());
        DrawMenuBar(window_);
    }
    menu_ = std::move(menu);
    return menu_.get();
}

MenuItem* MenuItem::FindPopup(HMENU popup) {
    if (!popup) return nullptr;
    for (MenuItem* child : items_) {
        if (child->subMenu_ == popup) return child;
        if (MenuItem* found = child->FindPopup(popup)) return found;
    }
    return nullptr;
}

void MenuItem::ForgetSubMenus() {
    subMenu_ = nullptr;
    for (MenuItem* child : items_) child->ForgetSubMenus();
}

void MenuItem::AttachTo(HWND window) {
    if (!menu_) Build(true);
    window_ = window;
    if (window_ && menu_) {
        SetMenu(window_, menu_.get());
        DrawMenuBar(window_);
    }
}

void MenuItem::Release() {
    if (window_ && IsWindow(window_) && GetMenu(window_) == menu_.get()) SetMenu(window_, nullptr);
    window_ = nullptr;
    menu_.reset();
    ForgetSubMenus();
}

void MenuItem::Rebuild() {
    if (menu_) Build(bar_);
}

void MenuItem::Update() {
    MenuItem* root = Root();
    if (!root->menu_ || !visible_ || root == this) return;
    for (MenuItem* p = parent_; p; p = p->parent_) {
        if (!p->visible_) return;  // not in the built menu
    }
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE;
    mii.fState = (checked_ ? MFS_CHECKED : 0u) | (enabled_ ? 0u : MFS_GRAYED);
    if (!IsSeparator()) {
        mii.fMask |= MIIM_STRING;
        mii.dwTypeData = const_cast<char*>(caption_.c_str());
    }
    SetMenuItemInfoA(root->menu_.get(), id_, FALSE, &mii);
    if (root->bar_ && root->window_ && parent_ == root) DrawMenuBar(root->window_);
}

void MenuItem::Popup(HWND owner) {
    if (!menu_) Build(false);
    if (!menu_) return;
    POINT pt{};
    GetCursorPos(&pt);
    SetForegroundWindow(owner);
    TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, pt.x, pt.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
}

}  // namespace skx
