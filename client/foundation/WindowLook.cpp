#include "WindowLook.h"

#include "clsOpSys.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

// The system's description, asked afresh for each decision.
std::string BuiltInOsName() { return clsOpSys().OS_Name; }

OsNameSource& NameSource() {
    static OsNameSource source = nullptr;
    return source;
}

bool OsIs(const char* name) { return LookOsName() == name; }

}  // namespace

std::string LookOsName() {
    OsNameSource source = NameSource();
    return source ? source() : BuiltInOsName();
}

void SetOsNameSource(OsNameSource source) { NameSource() = source; }

void DropShadow(HWND hWnd) {
    Guard("modFormDesign", "DropShadow", [&] {
        if (!OsIs("Windows XP") || !IsWindow(hWnd)) return;
        ULONG_PTR style = GetClassLongPtrA(hWnd, GCL_STYLE);
        SetClassLongPtrA(hWnd, GCL_STYLE, static_cast<LONG_PTR>(style | CS_DROPSHADOW));
    });
}

int32_t MakeTransparent(HWND hWnd, int32_t Alpha) {
    int32_t result = 0;
    Guard("modFormDesign", "MakeTransparent", [&] {
        if (!OsIs("Windows 2000")) return;
        if (Alpha < 0 || Alpha > 255) {
            result = 1;
            return;
        }
        if (!IsWindow(hWnd)) return;
        LONG_PTR ex = GetWindowLongPtrA(hWnd, GWL_EXSTYLE);
        SetWindowLongPtrA(hWnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        SetLayeredWindowAttributes(hWnd, 0, static_cast<BYTE>(Alpha), LWA_ALPHA);
    });
    return result;
}

int32_t MakeOpaque(HWND hWnd) {
    Guard("modFormDesign", "MakeOpaque", [&] {
        if (!OsIs("Windows 2000") || !IsWindow(hWnd)) return;
        LONG_PTR ex = GetWindowLongPtrA(hWnd, GWL_EXSTYLE);
        SetWindowLongPtrA(hWnd, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    });
    return 0;
}

void DialogLookOnLoad(HWND hWnd) { DropShadow(hWnd); }

void DialogLookOnActivate(HWND hWnd, bool active) {
    if (active) {
        MakeOpaque(hWnd);
    } else {
        MakeTransparent(hWnd, InactiveDialogAlpha);
    }
}

}  // namespace skx
