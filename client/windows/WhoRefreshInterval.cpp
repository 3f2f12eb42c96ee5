#include "WhoRefreshInterval.h"

#include "RandomNumbers.h"

namespace skx {

uint32_t WhoRefreshInterval(int playerCount) {
    if (playerCount <= 10) return 4000;
    // The generator takes its bounds by reference and changes them: fresh ones each time.
    int16_t upper = playerCount < 20 ? 10000 : 20000;
    int16_t lower = playerCount < 20 ? 8000 : 15000;
    return static_cast<uint32_t>(GetRandomNumber(upper, lower));
}

}  // namespace skx
