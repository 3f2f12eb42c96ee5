#include "RandomNumbers.h"

#include <windows.h>

#include <cmath>

#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/VbRandom.h"

namespace skx {

namespace {
bool g_seeded = false;
}

void SeedRandomNumbers() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    Randomize(static_cast<double>(now.wSecond) + static_cast<double>(now.wMonth));
    g_seeded = true;
}

int16_t GetRandomNumber(int16_t& Upper, int16_t& Lower) {
    int16_t result = 0;
    Guard("modMiscFunctionsTwo", "GetRandomNumber", [&] {
        Upper = CInt(static_cast<double>(Upper) + 1.0);
        if (Upper < 1) {
            Lower = 0;
            Upper = 10;
        } else if (Lower >= Upper) {
            Lower = 0;
        }
        if (!g_seeded) SeedRandomNumbers();
        int32_t r = 0;
        do {
            r = static_cast<int32_t>(std::floor(static_cast<double>(Rnd()) * Upper));
            if (r >= Upper) r = Upper - 1;  // a fraction next to 1 must not reach Upper
        } while (r < Lower);
        result = static_cast<int16_t>(r);
    });
    return result;
}

}  // namespace skx
