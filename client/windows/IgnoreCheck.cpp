#include "IgnoreCheck.h"

#include "frmIgnore.h"
#include "runtime/ErrorGuard.h"

namespace skx {

bool IsIgnored(const std::string& Name) {
    bool result = false;
    Guard("modMiscFunctionsOne", "IsIgnored", [&] { result = frmIgnore().Ignored().Contains(Name); });
    return result;
}

}  // namespace skx
