#include "frmShop.h"

#include "AccountState.h"
#include "ClientLinks.h"
#include "LockerList.h"
#include "MessageBox.h"
#include "ProgramSettings.h"
#include "ShopList.h"
#include "runtime/ErrorGuard.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {
constexpr COLORREF Black = 0;
constexpr COLORREF Red = 255;
constexpr int16_t PurchaseSound = 9;
constexpr int32_t PlainBox = 6;  // a single OK button, no icon

void Send(const std::string& ctrlChar, const std::string& msg) {
    if (const auto& server = ClientLinks().Server) server(ctrlChar, msg);
}
}  // namespace

frmShopForm::frmShopForm() : FeatureWindow("frmShop", IDD_SHOP) {
    ListLocker.SetColumns({{"items", "Items", 150}});
    ListLocker.ItemClick = [this](int) { ListLocker_Click(); };
    cmdBuy.Click = [this] { cmdBuy_Click(); };
    cmdUpdate.Click = [] { Send("l", ""); };
    cmdDone.Click = [this] { Unload(); };
    bar_.Click = [this](int index) { cmdAlias_Click(index); };
}

void frmShopForm::FormLoad() {
    // A window loaded again starts empty, as it first did.
    ListView.Clear();
    lockerItem_.clear();
    ListLocker.Clear();
    bar_.Refresh();
    Send("l", "");
}

int frmShopForm::AddNode(const std::string& Key, const std::string& Text, COLORREF Colour) {
    const int node = ListView.Add(0, Key, Text);
    ListView.SetBold(node, true);
    ListView.SetForeColor(node, Colour);
    return node;
}

void frmShopForm::CreateNodes(int Store) {
    ListView.Clear();
    for (const ShopCategory& category : ShopCategories(Store)) AddNode(category.Key, category.Caption, Black);
}

void frmShopForm::ParseShopData(const std::string& Data) {
    Guard("frmShop", "ParseShopData", [&] {
        const int store = StoreNumber(Data, AccessLevel);
        KeyedTreeView::Batch batch(ListView);
        CreateNodes(store);
        if (store == 0) return;  // a list of no store this account sees: nothing to show or ask
        const ShopListRead read = ReadShopList(Data);
        // The lines after the cap are not read (a bad one among them stops nothing).
        int items = 0;
        bool cut = false;
        for (const ShopItem& item : read.Items) {
            if ((cut = !itemCap_.Room(items++))) break;
            // Only the categories carry keys: an item may share a name with one, or come twice.
            const int category = ListView.IndexOf(FindCategory(item.Name, store));
            const int node = ListView.AddUnkeyed(category, item.Shown);
            ListView.AddUnkeyed(node, "Cost: $" + item.Cost);
            ListView.AddUnkeyed(node, "Weight: " + item.Weight + " lbs");
            if (Unaffordable(item.Cost, Money)) ListView.SetForeColor(node, Red);
        }
        if (read.Malformed && !cut) Raise(errSubscriptOutOfRange);
        Send("C", "look locker");
    });
}

void frmShopForm::ParseLockerData(const std::string& Data) {
    Guard("frmShop", "ParseLockerData", [&] {
        KeyedListView::Batch batch(ListLocker);
        ListLocker.Clear();
        ListLocker.AddUnkeyed("None");
        const LockerListRead read = ReadLockerList(Data);
        for (const skx::LockerItem& item : read.Items) {
            for (int n = 0; n < item.Count; ++n) ListLocker.AddUnkeyed(item.Name);
        }
        if (read.Cut) lockerCap_.Report();
        if (read.Malformed) Raise(errSubscriptOutOfRange);
    });
}

bool frmShopForm::SelectedItem(std::string& item) const {
    const int selected = ListView.SelectedIndex();
    if (!selected) return false;
    const KeyedTreeView::Node& node = ListView.NodeAt(selected);
    if (node.Parent == 0) return false;
    const KeyedTreeView::Node& parent = ListView.NodeAt(node.Parent);
    item = parent.Parent == 0 ? node.Text : parent.Text;
    return true;
}

void frmShopForm::cmdBuy_Click() {
    Guard("frmShop", "cmdBuy_Click", [&] {
        if (!ListView.SelectedIndex()) {
            CSendMessage("Select an item to purchase.", PlainBox, "Store", 0, true, true, -1, "Tahoma");
            return;
        }
        std::string item;
        if (SelectedItem(item)) Send("C", "buy " + item);
    });
}

void frmShopForm::cmdAlias_Click(int Index) {
    Guard("frmShop", "cmdAlias_Click", [&] {
        const std::string command = Buttons.at(static_cast<size_t>(Index)).Command;
        std::string item;
        if (!SelectedItem(item)) return;
        Send("C", ShopButtonCommand(command, item, lockerItem_));
        if (const auto& play = ClientLinks().PlayEffect) play(PurchaseSound);
    });
}

void frmShopForm::ListLocker_Click() {
    const int selected = ListLocker.SelectedIndex();
    if (!selected) return;
    const std::string& text = ListLocker.ItemAt(selected).Text;
    lockerItem_ = text == "None" ? std::string() : text;
}

frmShopForm& frmShop() { return TheForm<frmShopForm>(); }

}  // namespace skx
