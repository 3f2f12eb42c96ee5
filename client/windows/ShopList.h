// The store's goods as the server lists them (a ShopList) and the categories they are shown
// under. Pure text work: no window.
//
// A ShopList is lines separated by Chr(13): a three-character tag, the item name, ":", the cost
// in dollars, ":", the weight in lbs. The first three characters of the whole text name the
// store ("[1]" to "[5]").
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace skx {

// A category node of the store tree: its caption and the key word items are filed under.
struct ShopCategory {
    std::string Caption;
    std::string Key;
};

// The categories of a store in the order their nodes are added; none for an unknown store.
const std::vector<ShopCategory>& ShopCategories(int store);

// The store a list belongs to: 1 to 4 by its tag, 5 only from level 95 on, else 0.
int StoreNumber(const std::string& data, int accessLevel);

// The key of the category an item belongs to; name is the item's name with its tag.
std::string FindCategory(const std::string& name, int store);

struct ShopItem {
    std::string Name;   // with its tag: what the category is chosen by
    std::string Shown;  // the name from its fourth character on
    std::string Cost;
    std::string Weight;
};

struct ShopListRead {
    std::vector<ShopItem> Items;  // the lines before the first malformed one, empty lines left out
    bool Malformed = false;       // a line without its cost or weight stopped the reading
};
ShopListRead ReadShopList(const std::string& data);

// True when the cost's leading number is greater than the money (an equal cost is affordable).
bool Unaffordable(const std::string& cost, int32_t money);

// A custom command button's command for the selected store item and the remembered locker
// item: every "%2" becomes the locker item and then every "%1" the store item, each in
// apostrophes; "%2" stays when no locker item is remembered. The command is cleaned first.
std::string ShopButtonCommand(const std::string& command, const std::string& storeItem,
                              const std::string& lockerItem);

}  // namespace skx
