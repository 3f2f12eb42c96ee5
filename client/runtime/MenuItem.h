// A menu item of a form's menu bar or of a pop-up menu. Its caption, check state, visibility
// and enabled state live in the item, so they can be read and set whether or not the window
// exists; while the item's menu is built, the platform menu follows every change. An item with
// sub-items opens a pop-up menu; a caption of "-" makes a separator.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace skx {

class MenuItem {
public:
    MenuItem(std::string name, std::string caption, bool checked = false, bool visible = true,
             bool enabled = true);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool IsSeparator() const { return caption_ == "-"; }

    // Appends a sub-item; the item must outlive this one (both are members of one form).
    void Add(MenuItem& child);
    const std::vector<MenuItem*>& Items() const { return items_; }
    MenuItem* Parent() const { return parent_; }

    // The command identifier of the item in its window's WM_COMMAND.
    UINT Id() const { return id_; }
    // The item with that command identifier, or null.
    static MenuItem* FromId(UINT id);
    // The item of that name (the index-th of the items sharing it, in the order they were
    // made), or null.
    static MenuItem* FromName(const std::string& name, int index = 0);

    // Runs when the item is chosen (command items) or when its pop-up opens (items with
    // sub-items). Callers set it; an empty one does nothing.
    std::function<void()> OnClick;
    void Click();

    // Root items only: builds the platform menu of the sub-items (a menu bar when bar is true,
    // else a pop-up menu) and keeps it up to date. Attach hands a menu bar to its window.
    HMENU Build(bool bar);
    void AttachTo(HWND window);
    // Takes the menu bar off its window and frees the platform menu.
    void Release();
    HMENU Handle() const { return menu_.get(); }
    // The pop-up menu of an item with sub-items while it is built (else null).
    HMENU SubMenu() const { return subMenu_; }
    // The item of this tree whose pop-up menu is popup, or null.
    MenuItem* FindPopup(HMENU popup);

    // Shows a root pop-up menu at the cursor position for the owner window.
    void Popup(HWND owner);

private:
    struct MenuDeleter {
        void operator()(HMENU m) const { if (m) DestroyMenu(m); }
    };
    using MenuPtr = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

    MenuItem* Root();
    void Rebuild();
    void Update();
    static void AppendItems(HMENU into, MenuItem& item);
    void ForgetSubMenus();

    std::string name_;
    std::string caption_;
    bool checked_;
    bool visible_;
    bool enabled_;
    UINT id_;
    MenuItem* parent_ = nullptr;
    std::vector<MenuItem*> items_;
    HMENU subMenu_ = nullptr;  // owned by the menu it sits in
    // Root items only.
    MenuPtr menu_;
    bool bar_ = false;
    HWND window_ = nullptr;
};

}  // namespace skx
