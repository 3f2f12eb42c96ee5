// The account of the running connection as the server reports it: its level and money.
// Both start at 0 and change only through the server's account messages; a disconnect keeps
// them.
#pragma once
#include <cstdint>

namespace skx {

// The account level; thresholds unlock command buttons, chat tabs and the staff menus.
extern int16_t AccessLevel;
// The account's money in dollars.
extern int32_t Money;

}  // namespace skx
