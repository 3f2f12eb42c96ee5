// The hidden notification window: its class, its message map, the interval timer's ticks and
// the turning of socket notifications into events.
#include "ModuleState.h"
#include "Wirelatch.h"

namespace wirelatch {
namespace {

constexpr wchar_t kWindowClass[] = L"WirelatchNotifyWindow";

LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* object = reinterpret_cast<Wirelatch*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (object) {
        // An event handler may drop the host's last reference; the object stays until the
        // message is done.
        ComPtr<IWirelatch> keep(object);
        LRESULT result = 0;
        if (object->ProcessWindowMessage(window, message, wParam, lParam, &result)) return result;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterNotifyClass() {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(ModuleHandle(), kWindowClass, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = NotifyWindowProc;
    wc.hInstance = ModuleHandle();
    wc.lpszClassName = kWindowClass;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool IsReflectedNotification(UINT message) {
    if (message < 0x2000) return false;
    switch (message - 0x2000) {
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_DELETEITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_COMPAREITEM:
        case WM_NOTIFY:
        case WM_COMMAND:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_PARENTNOTIFY:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool Wirelatch::MakeNotifyWindow() {
    if (window_) return true;
    timerId_ = 0;  // a timer of a window that is gone went with it
    if (!RegisterNotifyClass()) return false;
    window_ = CreateWindowExW(0, kWindowClass, L"", WS_DISABLED, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, nullptr, nullptr, ModuleHandle(), this);
    return window_ != nullptr;
}

void Wirelatch::DestroyNotifyWindow() {
    if (!window_) return;
    HWND window = window_;
    window_ = nullptr;
    // The object is going: no message may reach it any more.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    if (timerId_) KillTimer(window, kIntervalTimerId);
    timerId_ = 0;
    DestroyWindow(window);
}

bool Wirelatch::ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_NCDESTROY:
            // Destroyed by someone else (the control's own destruction detaches it first):
            // the next member that needs the window makes a new one.
            if (window == window_) window_ = nullptr;
            return false;
        case WM_TIMER:
            HandleTimer();
            *result = 0;
            return true;
        case kSocketEventMessage:
            DispatchSocketEvent(wParam, lParam);
            *result = 0;
            return true;
        default:
            break;
    }
    if (IsReflectedNotification(message)) {
        *result = DefWindowProcW(window, message - 0x2000, wParam, lParam);
        return true;
    }
    return false;
}

void Wirelatch::HandleTimer() {
    if (interval_ == 0 || inTimer_) return;
    inTimer_ = true;
    FireOnTimer();
    inTimer_ = false;
}

void Wirelatch::DispatchSocketEvent(WPARAM socket, LPARAM lParam) {
    const UINT event = LOWORD(static_cast<DWORD>(lParam));
    const UINT error = HIWORD(static_cast<DWORD>(lParam));
    // A notification still queued for a socket the control has already let go of says
    // nothing about the present one (and its number may belong to another socket by now).
    if (static_cast<SOCKET>(socket) != handle_) {
        // An event-mode accept announces its new connection before Accept has stored the
        // socket; Accept announces it on once the socket is the control's own.
        if (accepting_ && event == INET_EVENT_CONNECT && error == 0) acceptAnnounced_ = static_cast<SOCKET>(socket);
        return;
    }
    if (error != 0) {
        if (event == INET_EVENT_CONNECT) Disconnect(nullptr);
        ReportError(INET_ERROR(error), false, true);
        return;
    }
    switch (event) {
        case INET_EVENT_ACCEPT:
            FireOnAccept(static_cast<LONG>(socket));
            break;
        case INET_EVENT_CONNECT:
            AnnounceConnect();
            break;
        case INET_EVENT_DISCONNECT:
            FireOnDisconnect();
            break;
        case INET_EVENT_READ:
            FireOnRead();
            break;
        case INET_EVENT_WRITE:
            FireOnWrite();
            break;
        default:
            break;
    }
}

void Wirelatch::AnnounceConnect() {
    RefreshSecurityCopy();
    if (freezeCount_ > 0) {
        // Held back until the container thaws its events.
        InetFreezeEvents(handle_, TRUE);
        connectPending_ = true;
    } else {
        FireOnConnect();
    }
}

void Wirelatch::RefreshSecurityCopy() {
    security_ = SECURITYINFOA{};
    security_.dwSize = sizeof(SECURITYINFOA);
    InetGetSecurityInformationA(handle_, &security_);
    securityIssuer_ = security_.lpszCertIssuer ? security_.lpszCertIssuer : "";
    securitySubject_ = security_.lpszCertSubject ? security_.lpszCertSubject : "";
    security_.lpszCertIssuer = security_.lpszCertIssuer ? securityIssuer_.data() : nullptr;
    security_.lpszCertSubject = security_.lpszCertSubject ? securitySubject_.data() : nullptr;
}

}  // namespace wirelatch
