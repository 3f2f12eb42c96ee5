#include "frmShop.h"

#include "window_ids.h"

namespace skx {

frmShopForm::frmShopForm() : FeatureWindow("frmShop", IDD_SHOP) {}

void frmShopForm::ParseLockerData(const std::string& Data) { lockerData_ = Data; }
void frmShopForm::ParseShopData(const std::string& Data) { shopData_ = Data; }

frmShopForm& frmShop() { return TheForm<frmShopForm>(); }

}  // namespace skx
