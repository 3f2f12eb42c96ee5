#include "frmShop.h"

namespace skx {

frmShopForm::frmShopForm() : FeatureDialog("frmShop", "Shop List", 440, 380) {}

void frmShopForm::ParseLockerData(const std::string& Data) { lockerData_ = Data; }
void frmShopForm::ParseShopData(const std::string& Data) { shopData_ = Data; }

frmShopForm& frmShop() { return TheForm<frmShopForm>(); }

}  // namespace skx
