#include "ShopList.h"

#include <utility>

#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

namespace {

constexpr int OwnStoreLevel = 95;  // the fifth store is shown from this account level on

struct CategoryWord {
    const char* Word;  // searched in the lower-cased name; most begin with a blank
    const char* Key;
};

const std::vector<CategoryWord>& CategoryWords(int store) {
    static const std::vector<CategoryWord> none;
    static const std::vector<CategoryWord> weapons{
        {" minigun", "Auto"}, {"gun", "Gun"}, {" paintrocket", "Rocket"}, {" grenade", "Grenade"}, {" rifle", "Rifle"}};
    static const std::vector<CategoryWord> clothes{
        {" helmet", "Head"}, {" goggles", "Head"}, {" scarf", "Neck"}, {" back", "Back"}, {" jacket", "Body"},
        {" suit", "Body"},   {" belt", "Waist"},   {" leg", "Leg"},     {" flippers", "Feet"}, {" boot", "Feet"}};
    static const std::vector<CategoryWord> ammunition{
        {" paintrocket", "Rocket"}, {" grenade", "Grenade"}, {" minigun", "Auto"}, {" mine", "Mine"}, {" paintballs", "Regular"}};
    switch (store) {
        case 2: return weapons;
        case 3: return clothes;
        case 4: return ammunition;
        default: return none;
    }
}

}  // namespace

const std::vector<ShopCategory>& ShopCategories(int store) {
    static const std::vector<ShopCategory> none;
    static const std::vector<ShopCategory> other{{"Other", "Other"}};
    static const std::vector<ShopCategory> weapons{{"Automatics", "Auto"},         {"Guns", "Gun"},
                                                   {"Rifles", "Rifle"},            {"Grenade Launchers", "Grenade"},
                                                   {"Rocket Launchers", "Rocket"}, {"Other", "Other"}};
    static const std::vector<ShopCategory> clothes{{"Head Gear", "Head"},     {"Neck Protection", "Neck"},
                                                   {"Backpacks", "Back"},     {"Jackets & Suits", "Body"},
                                                   {"Belts", "Waist"},        {"Leg Protection", "Leg"},
                                                   {"Foot Wear", "Feet"},     {"Other", "Other"}};
    static const std::vector<ShopCategory> ammunition{{"Grenades", "Grenade"},
                                                      {"Rockets", "Rocket"},
                                                      {"Automatic Ammunition", "Auto"},
                                                      {"Gun/Rifle Ammunition", "Regular"},
                                                      {"Mines", "Mine"},
                                                      {"Other", "Other"}};
    switch (store) {
        case 1:
        case 5: return other;
        case 2: return weapons;
        case 3: return clothes;
        case 4: return ammunition;
        default: return none;
    }
}

int StoreNumber(const std::string& data, int accessLevel) {
    const std::string tag = data.substr(0, 3);
    if (tag == "[1]") return 1;
    if (tag == "[2]") return 2;
    if (tag == "[3]") return 3;
    if (tag == "[4]") return 4;
    if (tag == "[5]" && accessLevel >= OwnStoreLevel) return 5;
    return 0;
}

std::string FindCategory(const std::string& name, int store) {
    const std::string lower = LCase(name);
    for (const CategoryWord& w : CategoryWords(store)) {
        if (lower.find(w.Word) != std::string::npos) return w.Key;
    }
    return "Other";
}

ShopListRead ReadShopList(const std::string& data) {
    ShopListRead read;
    for (const std::string& line : SplitB2(data, "\r")) {
        // Empty lines (a final Chr(13), or the LF of a final CR LF) carry nothing.
        if (line.empty() || line == "\n") continue;
        std::vector<std::string> fields = SplitB2(line, ":");
        if (fields.size() < 3) {
            read.Malformed = true;
            break;
        }
        ShopItem item{std::move(fields[0]), {}, std::move(fields[1]), std::move(fields[2])};
        item.Shown = item.Name.size() > 3 ? item.Name.substr(3) : std::string();
        read.Items.push_back(std::move(item));
    }
    return read;
}

bool Unaffordable(const std::string& cost, int32_t money) { return Val(cost) > static_cast<double>(money); }

std::string ShopButtonCommand(const std::string& command, const std::string& storeItem,
                              const std::string& lockerItem) {
    std::string t = CleanString(command);
    if (!lockerItem.empty()) t = Replace(t, "%2", "'" + lockerItem + "'");
    return Replace(t, "%1", "'" + storeItem + "'");
}

}  // namespace skx
