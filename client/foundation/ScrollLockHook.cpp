// The Scroll Lock hook of the chat panes (SetHook / AppWndProc of the window look).
#include <windows.h>
#include <richedit.h>

#include <map>
#include <string>

#include "WindowLook.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

// Each hooked pane with the window procedure it had before: the hook forwards to exactly
// that procedure and puts it back, whatever pane the caller names later.
struct HookedPane {
    WNDPROC Original = nullptr;
    bool BackupWritten = false;
};

std::map<HWND, HookedPane>& Hooked() {
    static std::map<HWND, HookedPane> panes;
    return panes;
}

// The per-user program-settings store: application "RtbScrol", section and key "WndProc".
constexpr const char* BackupApp = "Software\\VB and VBA Program Settings\\RtbScrol";
constexpr const char* BackupSection = "Software\\VB and VBA Program Settings\\RtbScrol\\WndProc";

// The backup is written only: the hook never takes a procedure back from the registry.
void WriteBackup(WNDPROC original) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, BackupSection, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    std::string text = std::to_string(reinterpret_cast<uintptr_t>(original));
    RegSetValueExA(key, "WndProc", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

void DeleteBackup() {
    RegDeleteKeyA(HKEY_CURRENT_USER, BackupSection);
    RegDeleteKeyA(HKEY_CURRENT_USER, BackupApp);
}

// Puts the pane's own procedure back; false when another subclass now sits on top of the
// hook (the hook then stays in the chain and keeps forwarding).
bool Restore(HWND pane) {
    auto it = Hooked().find(pane);
    if (it == Hooked().end()) return true;
    if (IsWindow(pane)) {
        auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(pane, GWLP_WNDPROC));
        if (current != &AppWndProc) return false;
        SetWindowLongPtrA(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.Original));
    }
    Hooked().erase(it);
    return true;
}

// Runs a message that may scroll the pane and puts the first visible line back afterwards.
LRESULT KeepScrollPosition(HWND pane, WNDPROC original, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT before = CallWindowProcA(original, pane, EM_GETFIRSTVISIBLELINE, 0, 0);
    LRESULT result = CallWindowProcA(original, pane, msg, wParam, lParam);
    LRESULT after = CallWindowProcA(original, pane, EM_GETFIRSTVISIBLELINE, 0, 0);
    if (after != before) CallWindowProcA(original, pane, EM_LINESCROLL, 0, before - after);
    return result;
}

}  // namespace

bool IsHooked(HWND hWnd) { return Hooked().count(hWnd) != 0; }

void SetHook(HWND hWnd, bool Enable) {
    Guard("modFormDesign", "SetHook", [&] {
        if (Enable) {
            if (!IsWindow(hWnd) || IsHooked(hWnd)) return;
            auto previous = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AppWndProc)));
            if (!previous) return;
            Hooked()[hWnd] = HookedPane{previous, false};
            return;
        }
        if (Hooked().empty()) return;
        if (IsHooked(hWnd)) {
            Restore(hWnd);
        } else {
            std::map<HWND, HookedPane> panes = Hooked();
            for (auto& entry : panes) Restore(entry.first);
        }
        DeleteBackup();
    });
}

LRESULT CALLBACK AppWndProc(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    auto it = Hooked().find(hWnd);
    if (it == Hooked().end() || !it->second.Original) return DefWindowProcA(hWnd, Msg, wParam, lParam);
    WNDPROC original = it->second.Original;
    LRESULT result = 0;
    Guard("modFormDesign", "AppWndProc", [&] {
        if (!it->second.BackupWritten && Msg != WM_DESTROY) {
            it->second.BackupWritten = true;
            WriteBackup(original);
        }
        bool destroying = Msg == WM_DESTROY || Msg == WM_NCDESTROY ||
                          (Msg == WM_PARENTNOTIFY && (LOWORD(wParam) & 0xFF) == WM_DESTROY);
        if (destroying) {
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            Hooked().erase(hWnd);
            DeleteBackup();
            result = CallWindowProcA(original, hWnd, Msg, wParam, lParam);
            return;
        }
        switch (Msg) {
            case WM_SETFOCUS:
            case EM_SCROLLCARET:
                result = -1;  // the pane neither takes the focus nor scrolls to its caret
                return;
            case EM_SETCHARFORMAT:
                LockWindowUpdate(hWnd);
                result = KeepScrollPosition(hWnd, original, Msg, wParam, lParam);
                LockWindowUpdate(nullptr);
                return;
            case EM_SETSEL:
            case EM_EXSETSEL:
            case EM_REPLACESEL:
            case EM_SETPARAFORMAT:
                // The rich-text control scrolls to the caret by itself on these.
                result = KeepScrollPosition(hWnd, original, Msg, wParam, lParam);
                return;
            default:
                result = CallWindowProcA(original, hWnd, Msg, wParam, lParam);
                return;
        }
    });
    return result;
}

}  // namespace skx
