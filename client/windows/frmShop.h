// The store window: the goods of the store the player stands at and the player's locker.
#pragma once
#include <string>

#include "FeatureWindow.h"

namespace skx {

class frmShopForm : public FeatureWindow {
public:
    frmShopForm();

    // Takes a locker list that begins "Contents of your locker:".
    void ParseLockerData(const std::string& Data);
    // Takes a shop list.
    void ParseShopData(const std::string& Data);
    // The last data each entry point was given.
    const std::string& LockerData() const { return lockerData_; }
    const std::string& ShopData() const { return shopData_; }

private:
    std::string lockerData_;
    std::string shopData_;
};

frmShopForm& frmShop();

}  // namespace skx
