#include "KeyRegister.h"

#include "Control.h"
#include "ControlHost.h"
#include "Conversions.h"
#include "ErrorGuard.h"

namespace skx {

int KeyRegister::Find(const std::string& key) const {
    if (key.empty()) return 0;
    auto it = numbers_.find(LCase(key));
    return it == numbers_.end() ? 0 : it->second;
}

bool KeyRegister::Take(const std::string& key, int number, const Control& owner) {
    const bool empty = key.empty();
    if (!empty && numbers_.emplace(LCase(key), number).second) return true;
    if (!reported_) {
        reported_ = true;
        const std::string window = owner.Host() ? owner.Host()->OwnerName() : "Control";
        ReportCaught(window.c_str(), (owner.Name() + "_Add").c_str(), 0, empty ? 35603 : 35602, owner.Name(),
                     empty ? "Invalid key" : "Key is not unique in collection: " + key);
    }
    return false;
}

void KeyRegister::Put(const std::string& key, int number) {
    if (!key.empty()) numbers_[LCase(key)] = number;
}

void KeyRegister::Clear(bool newFill) {
    numbers_.clear();
    if (newFill) reported_ = false;
}

}  // namespace skx
