// How long the chat window waits before asking for the player list again, by the number of
// players it shows: 4 s for up to 10, a random 8 to 10 s for 11 to 19, a random 15 to 20 s
// for more (whole milliseconds, both ends included).
#pragma once
#include <cstdint>

namespace skx {

uint32_t WhoRefreshInterval(int playerCount);

}  // namespace skx
