// The store and the alias console refilled from the server's replies, as the frame timer's
// dispatch runs them: a 1,000-line shop list into the store tree (target: 100 ms) and 200
// aliases into the alias list (target: 50 ms), both windows shown.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "AccountState.h"
#include "frmAlias.h"
#include "frmShop.h"

using Clock = std::chrono::steady_clock;

static double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

template <class F>
static void Time(const char* what, F&& run) {
    constexpr int runs = 20;
    double best = 1e9, total = 0;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        run();
        const double ms = Ms(Clock::now() - t0);
        best = std::min(best, ms);
        total += ms;
    }
    std::printf("%s: %.2f ms mean, %.2f ms best (%d runs)\n", what, total / runs, best, runs);
}

int main() {
    skx::LoadControlClasses();
    skx::Money = 500;
    const char* kinds[] = {" Helmet", " Jacket", " Boots", " Belt", " Scarf", " Thing"};
    std::string shop;
    for (int k = 0; k < 1000; ++k) {
        if (k) shop += '\r';
        shop += "[3]Item " + std::to_string(k) + kinds[k % 6] + ":" + std::to_string(k) + ":" + std::to_string(k % 40);
    }
    std::string aliases = "0;";
    for (int k = 0; k < 200; ++k) {
        if (k) aliases += ',';
        aliases += "alias_" + std::to_string(k) + ":look&say number " + std::to_string(k) + " \\& more&wave";
    }
    skx::frmShop().Show();
    skx::frmAlias().Show();
    Time("ParseShopData, 1,000 lines", [&] { skx::frmShop().ParseShopData(shop); });
    Time("ProcessAlias, 200 aliases", [&] { skx::frmAlias().ProcessAlias(aliases); });
    return 0;
}
