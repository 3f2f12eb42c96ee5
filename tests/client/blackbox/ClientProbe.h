// Whether the running client keeps answering, probed from a thread of the test beside any step:
// every 100 ms it sends the main window a message (waiting 2 s at most for its answer), then posts
// the test hook a ping and asks how many pings the client's message loop has taken (posted
// messages wait behind what the loop is doing, as input does). Each probe notes the longest gap
// between two of its answers.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <thread>

namespace clienttest {

class ClientProbe {
public:
    // Starts probing the main window and the hook window of one client.
    ClientProbe(HWND mainWindow, HWND hookWindow);
    ~ClientProbe() { Stop(); }
    ClientProbe(const ClientProbe&) = delete;
    ClientProbe& operator=(const ClientProbe&) = delete;

    // The longest gaps (ms) between two answers, the one open at the end included.
    struct Gaps {
        uint32_t sent = 0;    // the main window's answers to sent messages
        uint32_t posted = 0;  // posted messages taken
    };
    // True once both probes have had an answer after the tick count since.
    bool AnsweredSince(DWORD since) const;
    // Ends the probing; the gaps as they were at its end.
    Gaps Stop();

private:
    struct Track {
        std::atomic<DWORD> last{GetTickCount()};
        std::atomic<uint32_t> longest{0};
        void Answered();
        uint32_t Longest(DWORD now) const;
    };
    HWND main_, hook_;
    std::atomic<bool> stop_{false};
    Track sent_, posted_;
    std::thread thread_;
};

}  // namespace clienttest
