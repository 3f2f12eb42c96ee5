#include "ClientProbe.h"

#include <algorithm>

#include "TestHook.h"

namespace clienttest {

namespace {
constexpr DWORD kEveryMs = 100;
constexpr UINT kAnswerBoundMs = 2000;
}  // namespace

void ClientProbe::Track::Answered(DWORD now) {
    longest = std::max<uint32_t>(longest, now - last);
    last = now;
}

uint32_t ClientProbe::Track::Longest(DWORD now) const {
    const auto open = static_cast<int32_t>(now - last);  // an answer noted after now: none open
    return std::max<uint32_t>(longest, open > 0 ? static_cast<uint32_t>(open) : 0);
}

ClientProbe::ClientProbe(HWND mainWindow, HWND hookWindow)
    : main_(mainWindow), hook_(hookWindow), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    sentThread_ = std::thread([this] {
        Probe(sent_, [this] {
            DWORD_PTR result = 0;
            return SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerBoundMs, &result) != 0;
        });
    });
    postedThread_ = std::thread([this] {
        const auto taken = [this](DWORD_PTR& count) {
            return SendMessageTimeoutA(hook_, skx::TestHookPingTaken, 0, 0, SMTO_NORMAL, kAnswerBoundMs, &count) != 0;
        };
        DWORD_PTR seen = 0;
        taken(seen);
        Probe(posted_, [&] {
            // The ping posted a tick before is taken by now when the loop takes posted messages
            // (any probe's ping: they wait in the one queue).
            PostMessageA(hook_, skx::TestHookPing, 0, 0);
            DWORD_PTR count = 0;
            if (!taken(count) || count == seen) return false;
            seen = count;
            return true;
        });
    });
}

ClientProbe::~ClientProbe() {
    Stop();
    CloseHandle(stop_);
}

void ClientProbe::Stop() {
    if (stoppedAt_ == 0) stoppedAt_ = std::max<DWORD>(GetTickCount(), 1);
    SetEvent(stop_);
    if (sentThread_.joinable()) sentThread_.join();
    if (postedThread_.joinable()) postedThread_.join();
}

template <class Ask>
void ClientProbe::Probe(Track& track, Ask ask) {
    track.last = GetTickCount();
    for (DWORD next = GetTickCount();;) {
        if (ask()) track.Answered(GetTickCount());
        next += kEveryMs;
        const DWORD now = GetTickCount();
        if (static_cast<int32_t>(next - now) < 0) next = now;  // behind: the next ask at once
        if (WaitForSingleObject(stop_, next - now) == WAIT_OBJECT_0) return;
    }
}

bool ClientProbe::AnsweredSince(DWORD since) const {
    return static_cast<int32_t>(sent_.last - since) > 0 && static_cast<int32_t>(posted_.last - since) > 0;
}

ClientProbe::Gaps ClientProbe::Longest() const {
    const DWORD now = stoppedAt_ ? DWORD(stoppedAt_) : GetTickCount();
    return Gaps{sent_.Longest(now), posted_.Longest(now)};
}

}  // namespace clienttest
