#include "HookClient.h"

#include <cstring>

#include "WinTestSupport.h"

namespace testsupport {

HookClient::HookClient() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &HookClient::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "SkirmexHookClient";
    RegisterClassA(&wc);
    self_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(self_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

HookClient::~HookClient() {
    if (self_) DestroyWindow(self_);
}

LRESULT CALLBACK HookClient::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        auto* self = reinterpret_cast<HookClient*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (self && data) self->answer_.assign(static_cast<const char*>(data->lpData), data->cbData);
        return TRUE;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool HookClient::Attach(DWORD pid, uint32_t timeoutMs, const std::function<bool()>& giveUp) {
    PumpUntil(
        [&] {
            for (HWND h = nullptr; (h = FindWindowExA(HWND_MESSAGE, h, "SkirmexTestHook", nullptr)) != nullptr;) {
                DWORD owner = 0;
                GetWindowThreadProcessId(h, &owner);
                if (owner == pid) hook_ = h;
            }
            return hook_ != nullptr || (giveUp && giveUp());
        },
        timeoutMs);
    return hook_ != nullptr;
}

std::string HookClient::AskOnce(const std::string& request) {
    answer_.clear();
    if (!hook_) return {};
    COPYDATASTRUCT data{1, static_cast<DWORD>(request.size()), const_cast<char*>(request.data())};
    DWORD_PTR result = 0;
    SendMessageTimeoutA(hook_, WM_COPYDATA, reinterpret_cast<WPARAM>(self_), reinterpret_cast<LPARAM>(&data),
                        SMTO_NORMAL, 10000, &result);
    return answer_;
}

std::string HookClient::Ask(const std::string& request) {
    std::string answer = AskOnce(request);
    if (request.rfind("dump ", 0) == 0) return answer;
    // A form that a posted command (a menu item's, a click's) is still opening: asked again
    // until it is there, for 10 s at most.
    auto notThereYet = [](const std::string& a) {
        const auto endsWith = [&](const char* tail) {
            const size_t n = std::strlen(tail);
            return a.size() >= n && a.compare(a.size() - n, n, tail) == 0;
        };
        return a.rfind("error ", 0) == 0 && (endsWith(" not loaded") || endsWith(" has no window"));
    };
    if (notThereYet(answer)) PumpUntil([&] { return !notThereYet(answer = AskOnce(request)); }, 10000);
    return answer;
}

bool HookClient::WaitForDump(const std::string& form, const std::function<bool(const std::string&)>& pred,
                             uint32_t timeoutMs, std::string* last) {
    std::string dump;
    bool held = PumpUntil([&] { return pred(dump = Ask("dump " + form)); }, timeoutMs);
    if (last) *last = dump;
    return held;
}

std::string DumpLine(const std::string& dump, const std::string& prefix) {
    for (size_t at = 0; at < dump.size();) {
        size_t end = dump.find('\n', at);
        if (end == std::string::npos) end = dump.size();
        if (dump.compare(at, prefix.size(), prefix) == 0) return dump.substr(at, end - at);
        at = end + 1;
    }
    return {};
}

}  // namespace testsupport
