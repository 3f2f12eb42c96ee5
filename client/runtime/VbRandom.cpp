#include "VbRandom.h"

#include <chrono>
#include <cstring>
#include <ctime>

namespace skx {

namespace {
uint32_t g_seed = 0x50000;  // the run-time's initial state
}

float Rnd() {
    g_seed = (g_seed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return static_cast<float>(g_seed) / 16777216.0f;
}

void Randomize(double seed) {
    uint64_t bits;
    std::memcpy(&bits, &seed, sizeof bits);
    uint32_t hi = static_cast<uint32_t>(bits >> 32);
    uint32_t mixed = ((hi & 0xFFFFu) ^ (hi >> 16)) << 8;
    g_seed = (g_seed & 0xFF0000FFu) | (mixed & 0x00FFFF00u);
}

double Timer() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + (ms / 10) / 100.0;
}

}  // namespace skx
