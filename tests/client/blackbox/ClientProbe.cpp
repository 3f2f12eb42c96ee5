#include "ClientProbe.h"

#include <algorithm>

#include "TestHook.h"

namespace clienttest {

namespace {
constexpr DWORD kEveryMs = 100;

bool Ask(HWND window, UINT message, DWORD_PTR& answer) {
    return SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 2000, &answer) != 0;
}
}  // namespace

void ClientProbe::Track::Answered() {
    const DWORD now = GetTickCount();
    longest = std::max<uint32_t>(longest, now - last);
    last = now;
}

uint32_t ClientProbe::Track::Longest(DWORD now) const {
    return std::max<uint32_t>(longest, now - last);
}

ClientProbe::ClientProbe(HWND mainWindow, HWND hookWindow) : main_(mainWindow), hook_(hookWindow) {
    thread_ = std::thread([this] {
        DWORD_PTR taken = 0, seen = 0;
        Ask(hook_, skx::TestHookPingTaken, seen);
        while (!stop_) {
            const DWORD round = GetTickCount();
            if (Ask(main_, WM_NULL, taken)) sent_.Answered();
            // The ping posted a round before is taken by now when the loop takes posted messages.
            PostMessageA(hook_, skx::TestHookPing, 0, 0);
            if (Ask(hook_, skx::TestHookPingTaken, taken) && taken != seen) seen = taken, posted_.Answered();
            const DWORD spent = GetTickCount() - round;
            if (spent < kEveryMs) Sleep(kEveryMs - spent);
        }
    });
}

ClientProbe::Gaps ClientProbe::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    const DWORD now = GetTickCount();
    return Gaps{sent_.Longest(now), posted_.Longest(now)};
}

bool ClientProbe::AnsweredSince(DWORD since) const {
    return static_cast<int32_t>(sent_.last - since) > 0 && static_cast<int32_t>(posted_.last - since) > 0;
}

}  // namespace clienttest
