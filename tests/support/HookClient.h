// Talks to the test hook of a running client (Skirmex.exe --test-hook): one text request,
// one text answer, and polling of a window's dump until it shows what a test waits for.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace testsupport {

class HookClient {
public:
    HookClient();
    ~HookClient();
    HookClient(const HookClient&) = delete;
    HookClient& operator=(const HookClient&) = delete;

    // Finds the hook window of the process, waiting up to timeoutMs for it (or until giveUp,
    // when given, holds: the process has ended).
    bool Attach(DWORD pid, uint32_t timeoutMs, const std::function<bool()>& giveUp = {});
    // The hook window found (null before).
    HWND Window() const { return hook_; }
    // The hook's answer to one request ("" when there is no hook). A request to a control of a
    // form that is not open yet is asked again until the form is there (10 s at most).
    std::string Ask(const std::string& request);
    // Polls the dump of form (pumping this thread's messages) until pred holds on it.
    bool WaitForDump(const std::string& form, const std::function<bool(const std::string&)>& pred,
                     uint32_t timeoutMs, std::string* last = nullptr);

private:
    std::string AskOnce(const std::string& request);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND self_ = nullptr;
    HWND hook_ = nullptr;
    std::string answer_;
};

// The line of a dump that begins with prefix ("" when none).
std::string DumpLine(const std::string& dump, const std::string& prefix);
// Whether that line holds piece.
inline bool DumpLineHas(const std::string& dump, const std::string& prefix, const std::string& piece) {
    return DumpLine(dump, prefix).find(piece) != std::string::npos;
}

}  // namespace testsupport
