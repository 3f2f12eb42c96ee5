#include "AccountState.h"

namespace skx {

int16_t AccessLevel = 0;
int32_t Money = 0;

}  // namespace skx
