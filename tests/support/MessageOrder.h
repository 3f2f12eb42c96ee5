// Waits that end on something that must come after what a test checks, instead of a fixed
// pause before checking that nothing happened: a message posted behind the others, or a timer
// of the test's own that ticks beside the one under test.
#pragma once
#include <windows.h>

#include <cstdint>

#include "WinTestSupport.h"

namespace testsupport {

namespace message_order {
inline constexpr UINT kMarker = WM_APP + 0x3f0;
inline thread_local int ticks = 0;

inline LRESULT CALLBACK MarkerProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == kMarker) {
        *reinterpret_cast<bool*>(l) = true;
        return 0;
    }
    return DefWindowProcA(hwnd, msg, w, l);
}

inline void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { ++ticks; }
}  // namespace message_order

// Handles every message posted to this thread so far: a marker posted now comes back after all
// of them, since a thread's posted messages keep their order. False when it did not come back.
inline bool HandlePostedSoFar(uint32_t timeoutMs = 5000) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = message_order::MarkerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SkirmoraTestMarker";
    RegisterClassA(&wc);  // fails, harmlessly, once the class is there
    HWND window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    if (!window) return false;
    bool back = false;
    PostMessageA(window, message_order::kMarker, 0, reinterpret_cast<LPARAM>(&back));
    const bool handled = PumpUntil([&] { return back; }, timeoutMs);
    DestroyWindow(window);
    return handled;
}

// Handles this thread's messages until a timer of its own at that interval has ticked `count`
// times: time in which any other timer of this thread at that interval ticks as well.
inline bool PumpWhileATimerTicks(UINT intervalMs, int count, uint32_t timeoutMs = 5000) {
    message_order::ticks = 0;
    const UINT_PTR id = SetTimer(nullptr, 0, intervalMs, message_order::Tick);
    if (!id) return false;
    const bool ticked = PumpUntil([&] { return message_order::ticks >= count; }, timeoutMs);
    KillTimer(nullptr, id);
    return ticked;
}

}  // namespace testsupport
