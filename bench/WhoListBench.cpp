// The chat window's player list refilled from who lists of growing length, up to the longest a
// frame can carry (64 KB): the cost per player must stay flat as the list grows.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "frmChatBar.h"
#include "runtime/Form.h"

using Clock = std::chrono::steady_clock;

int main() {
    skx::Form frame("frmBench", skx::FormKind::MdiFrame);  // the chat window is a child of one
    frame.Load();
    skx::frmChatBarForm& chat = skx::frmChatBar();
    chat.Load();
    for (int players : {100, 1000, 3500}) {
        std::string data;
        for (int i = 0; i < players; ++i) data += (i ? ";p" : "p") + std::to_string(i) + ":12:3:0:t:1:0";
        chat.WhoList.Select(0);
        const auto t0 = Clock::now();
        chat.Update(data);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        std::printf("%5d players (%6zu bytes): refill %8.2f ms, %6.1f us/player, %d listed\n", players, data.size(),
                    ms, ms * 1000.0 / players, chat.WhoList.Count());
    }
    return 0;
}
