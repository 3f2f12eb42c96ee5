// The store window ("Shop List"): the goods of the store the player stands at as a tree of
// categories, items and their cost and weight (red: more than the player's money), buying,
// the player's locker, and six custom command buttons that can name the selected store item
// (%1) and the locker item last clicked (%2).
#pragma once
#include <string>

#include "CommandButtonBar.h"
#include "FeatureWindow.h"
#include "RowCap.h"
#include "runtime/KeyedListView.h"
#include "runtime/KeyedTreeView.h"
#include "window_ids.h"

namespace skx {

class frmShopForm : public FeatureWindow {
public:
    frmShopForm();

    // Refills the locker list from a list that begins "Contents of your locker:".
    void ParseLockerData(const std::string& Data);
    // Rebuilds the store tree from a shop list, then asks for the locker ("look locker").
    void ParseShopData(const std::string& Data);

    // The store tree: category nodes (keyed by their key word), items, cost and weight leaves.
    KeyedTreeView ListView{*this, IDC_SHOP_LISTVIEW, "ListView"};
    // The locker, "None" first.
    KeyedListView ListLocker{*this, IDC_SHOP_LISTLOCKER, "ListLocker"};
    Button cmdBuy{*this, IDC_SHOP_CMDBUY, "cmdBuy"};
    Button cmdUpdate{*this, IDC_SHOP_CMDUPDATE, "cmdUpdate"};
    Button cmdDone{*this, IDC_SHOP_CMDDONE, "cmdDone"};
    Label Label1{*this, IDC_SHOP_LABEL1, "Label1"};
    Label Label2{*this, IDC_SHOP_LABEL2, "Label2"};
    // The custom command buttons of entries 17 to 22.
    Button& cmdAlias(int index) { return bar_.cmdAlias(index); }
    // The locker entry last clicked ("" when it was "None").
    const std::string& LockerItem() const { return lockerItem_; }

protected:
    void FormLoad() override;

private:
    void CreateNodes(int Store);
    int AddNode(const std::string& Key, const std::string& Text, COLORREF Colour);
    // The selected store item's name (an item, or the item of a selected leaf); false when
    // nothing or a category is selected.
    bool SelectedItem(std::string& item) const;
    void cmdBuy_Click();
    void cmdAlias_Click(int Index);
    void ListLocker_Click();

    CommandButtonBar bar_{*this, IDC_SHOP_CMDALIAS, 17, 6};
    std::string lockerItem_;
    RowCap itemCap_{"frmShop", "ParseShopData", "store"};
    RowCap lockerCap_{"frmShop", "ParseLockerData", "locker"};
};

frmShopForm& frmShop();

}  // namespace skx
