// Whether the running client keeps answering, probed from threads of the test beside any step:
// every 100 ms one thread sends the main window a message (waiting 2 s at most for its answer),
// the other posts the test hook a numbered message and asks which number the client's message
// loop has taken last (posted messages wait behind what the loop is doing, as input does). Each
// notes the longest gap between two answers.
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
    ~ClientProbe();
    ClientProbe(const ClientProbe&) = delete;
    ClientProbe& operator=(const ClientProbe&) = delete;

    // The longest gaps (ms) between two answers so far, the one still open included.
    struct Gaps {
        uint32_t sent = 0;    // the main window's answers to sent messages
        uint32_t posted = 0;  // posted messages taken
    };
    Gaps Longest() const;
    // True once both probes have had an answer after the tick count since.
    bool AnsweredSince(DWORD since) const;
    // Ends the probing (the gaps stay as they were at the end).
    void Stop();

private:
    struct Track {
        std::atomic<DWORD> last{GetTickCount()};
        std::atomic<uint32_t> longest{0};
        void Answered(DWORD now);
        uint32_t Longest(DWORD now) const;
    };
    // Asks every 100 ms until stopped; ask returns whether the client answered.
    template <class Ask>
    void Probe(Track& track, Ask ask);

    HWND main_, hook_;
    HANDLE stop_;
    std::atomic<DWORD> stoppedAt_{0};
    Track sent_, posted_;
    std::thread sentThread_, postedThread_;
};

}  // namespace clienttest
