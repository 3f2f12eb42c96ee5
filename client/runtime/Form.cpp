#include "Form.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "ErrorGuard.h"
#include "MessagePump.h"
#include "Splitter.h"
#include "Twips.h"

namespace skx {

namespace {

std::vector<Form*>& Loaded() {
    static std::vector<Form*> forms;
    return forms;
}

Form*& MdiFrameInstance() {
    static Form* frame = nullptr;
    return frame;
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

int g_handlerDepth = 0;
std::vector<std::shared_ptr<Form>>& Disposals() {
    static std::vector<std::shared_ptr<Form>> forms;
    return forms;
}

}  // namespace

namespace detail {

HandlerScope::HandlerScope() { ++g_handlerDepth; }

HandlerScope::~HandlerScope() {
    if (--g_handlerDepth > 0) return;
    // The outermost handler has ended: what was let go during it goes now.
    std::vector<std::shared_ptr<Form>> gone;
    gone.swap(Disposals());
}

void DisposeLater(std::shared_ptr<Form> form) {
    if (g_handlerDepth > 0) Disposals().push_back(std::move(form));
}

}  // namespace detail

void LoadControlClasses() {
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX icc{};
        icc.dwSize = sizeof icc;
        icc.dwICC = ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                    ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS;
        InitCommonControlsEx(&icc);
        // Loaded for the life of the program: its window class must outlive every box.
        LoadLibraryA("riched20.dll");
        SplitterBar::ClassName();
        return true;
    }();
    (void)loaded;
}

const std::vector<Form*>& LoadedForms() { return Loaded(); }

bool UnloadAllForms(UnloadMode mode) {
    // Last loaded first; a form may unload others while it goes.
    while (!Loaded().empty()) {
        Form* f = Loaded().back();
        if (!f->Unload(mode)) return false;
        if (!Loaded().empty() && Loaded().back() == f) return false;  // still there: refused
    }
    return true;
}

Form::Form(std::string name, FormKind kind) : name_(std::move(name)), kind_(kind) {
    // The registers a form leaves at its end are made before it, so they outlive a form that
    // goes with the program's end.
    Loaded();
    Disposals();
    initialCaption_ = name_;
    if (kind_ == FormKind::MdiFrame) MdiFrameInstance() = this;
    if (kind_ == FormKind::Dialog) style_ = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
}

Form::~Form() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
    auto& l = Loaded();
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
    if (MdiFrameInstance() == this) MdiFrameInstance() = nullptr;
}

void Form::RegisterFormClass(const char* className, bool withIcon) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Form::StaticProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    if (withIcon) {
        wc.hIcon = LoadIcon(Instance(), MAKEINTRESOURCE(1));
        if (!wc.hIcon) wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    }
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
}

const char* Form::WindowClassName() {
    static const bool registered = (RegisterFormClass("SkirmexForm", true), true);
    (void)registered;
    return "SkirmexForm";
}

Form* Form::MdiFrame() { return MdiFrameInstance(); }

Form* Form::FromHandle(HWND hwnd) {
    return reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

HWND Form::CreateFormWindow(HWND owner) {
    if (templateId_ != 0) {
        LoadControlClasses();
        return CreateDialogParamA(Instance(), MAKEINTRESOURCEA(templateId_), owner, &Form::DialogProc,
                                  reinterpret_cast<LPARAM>(this));
    }
    const char* cls = WindowClassName();
    if (kind_ == FormKind::MdiChild) {
        Form* frame = MdiFrameInstance();
        if (!frame) Raise(errObjectRequired, name_, "No MDI frame for this child window");
        frame->Load();
        return CreateMDIWindowA(cls, initialCaption_.c_str(), style_ | WS_CHILD, initialRect_.left,
                                initialRect_.top, initialRect_.right, initialRect_.bottom,
                                frame->mdiClient_, Instance(), reinterpret_cast<LPARAM>(this));
    }
    HWND hwnd = CreateWindowExA(exStyle_, cls, initialCaption_.c_str(), style_ & ~WS_VISIBLE,
                                initialRect_.left, initialRect_.top, initialRect_.right,
                                initialRect_.bottom, owner, nullptr, Instance(), this);
    if (hwnd && kind_ == FormKind::MdiFrame) {
        CLIENTCREATESTRUCT ccs{};
        ccs.idFirstChild = 0xFF00;
        mdiClient_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                     WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
                                     0, 0, 0, 0, hwnd, nullptr, Instance(), &ccs);
    }
    return hwnd;
}

HWND Form::hWnd() {
    Load();
    return hwnd_;
}

void Form::Load() {
    if (hwnd_) return;
    HWND hwnd = CreateFormWindow(nullptr);
    if (!hwnd) Raise(errOutOfMemory, name_, "Unable to create the window " + name_);
    FinishLoad(hwnd);
}

void Form::FinishLoad(HWND hwnd) {
    auto& l = Loaded();
    if (std::find(l.begin(), l.end(), this) != l.end()) return;  // a template dialog's load ran
    hwnd_ = hwnd;
    l.push_back(this);
    OnLoad();
}

void Form::Show(ShowMode mode, Form* owner) {
    Load();
    if (!hwnd_) return;
    if (owner && owner != this && kind_ != FormKind::MdiChild) {
        SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner->hWnd()));
    }
    if (mode == ShowMode::Modal && modalDepth_ > 0) Raise(400, name_);
    ShowWindow(hwnd_, SW_SHOW);
    if (mode == ShowMode::Modal) RunModal();
}

namespace {
struct DisableContext {
    HWND keep;
    std::vector<HWND> disabled;
};
BOOL CALLBACK DisableOne(HWND hwnd, LPARAM lp) {
    auto* ctx = reinterpret_cast<DisableContext*>(lp);
    if (hwnd != ctx->keep && IsWindowEnabled(hwnd) && IsWindowVisible(hwnd)) {
        EnableWindow(hwnd, FALSE);
        ctx->disabled.push_back(hwnd);
    }
    return TRUE;
}
}  // namespace

void Form::RunModal() {
    LoopTurn turn;
    DisableContext ctx{hwnd_, {}};
    EnumThreadWindows(GetCurrentThreadId(), &DisableOne, reinterpret_cast<LPARAM>(&ctx));
    HWND self = hwnd_;
    EnableWindow(self, TRUE);
    SetActiveWindow(self);
    ++modalDepth_;
    MSG msg;
    while (hwnd_ == self && IsWindowVisible(self)) {
        BOOL r = GetMessageA(&msg, nullptr, 0, 0);
        if (r == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (r < 0) break;
        DispatchOne(msg);
    }
    --modalDepth_;
    // Re-enable only what this box disabled.
    for (HWND h : ctx.disabled) {
        if (IsWindow(h)) EnableWindow(h, TRUE);
    }
}

void Form::Hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Form::DestroyNow() {
    HWND h = hwnd_;
    if (!h) return;
    if (kind_ == FormKind::MdiChild) {
        HWND client = GetParent(h);
        SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
    } else {
        DestroyWindow(h);
    }
    // WM_NCDESTROY clears hwnd_ and the loaded entry; make sure of both.
    hwnd_ = nullptr;
    auto& l = Loaded();
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
}

bool Form::Unload(UnloadMode mode) {
    if (!hwnd_ || unloading_) return true;
    unloading_ = true;
    bool cancel = false;
    Guard(name_.c_str(), "Form_QueryUnload", [&] { cancel = OnQueryUnload(mode); });
    if (!cancel && kind_ == FormKind::MdiFrame) {
        // The children go first; any of them may refuse.
        std::vector<Form*> children;
        for (Form* f : Loaded()) if (f->kind_ == FormKind::MdiChild) children.push_back(f);
        for (auto it = children.rbegin(); it != children.rend() && !cancel; ++it) {
            if (!(*it)->Unload(UnloadMode::MdiForm)) cancel = true;
        }
    }
    if (!cancel) Guard(name_.c_str(), "Form_Unload", [&] { cancel = OnUnload(); });
    if (!cancel) DestroyNow();
    unloading_ = false;
    return !cancel;
}

bool Form::Visible() {
    Load();
    return hwnd_ && IsWindowVisible(hwnd_);
}

void Form::SetVisible(bool visible) {
    if (visible) Show();
    else if (hwnd_) Hide();
}

bool Form::Enabled() {
    Load();
    return IsWindowEnabled(hwnd_) != FALSE;
}

void Form::SetEnabled(bool enabled) { EnableWindow(hWnd(), enabled ? TRUE : FALSE); }

std::string Form::Caption() {
    HWND h = hWnd();
    int n = GetWindowTextLengthA(h);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = GetWindowTextA(h, s.data(), n + 1);
    s.resize(static_cast<size_t>(std::max(n, 0)));
    return s;
}

void Form::SetCaption(const std::string& caption) { SetWindowTextA(hWnd(), caption.c_str()); }

namespace {
RECT ParentRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    HWND parent = (GetWindowLongA(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr;
    if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
}  // namespace

int Form::Left() { return TwipsFromPixels(ParentRect(hWnd()).left); }
int Form::Top() { return TwipsFromPixels(ParentRect(hWnd()).top); }
int Form::Width() { RECT r = ParentRect(hWnd()); return TwipsFromPixels(r.right - r.left); }
int Form::Height() { RECT r = ParentRect(hWnd()); return TwipsFromPixels(r.bottom - r.top); }

void Form::Move(int left, int top, int width, int height) {
    HWND h = hWnd();
    RECT r = ParentRect(h);
    int w = width < 0 ? r.right - r.left : PixelsFromTwips(width);
    int ht = height < 0 ? r.bottom - r.top : PixelsFromTwips(height);
    MoveWindow(h, PixelsFromTwips(left), PixelsFromTwips(top), w, ht, TRUE);
}

int Form::ScaleWidth() { RECT r{}; GetClientRect(hWnd(), &r); return r.right; }
int Form::ScaleHeight() { RECT r{}; GetClientRect(hWnd(), &r); return r.bottom; }

bool Form::PreTranslate(MSG& msg) {
    if (kind_ == FormKind::MdiFrame && mdiClient_) {
        // The frame's keys (Ctrl+Tab, Ctrl+F6, Ctrl+F4) only inside the frame: the platform
        // would take them from any window, the dialogs it owns included.
        if (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd)) return false;
        return TranslateMDISysAccel(mdiClient_, &msg) != FALSE;
    }
    if (kind_ == FormKind::Dialog && hwnd_ && (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) {
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
            bool taken = false;
            detail::HandlerScope scope;
            Guard(name_.c_str(), "Form_KeyDown", [&] { taken = KeyPreview(msg); });
            if (taken) return true;
            if (!hwnd_) return true;  // the preview unloaded the form
        }
        return IsDialogMessageA(hwnd_, &msg) != FALSE;
    }
    return false;
}

LRESULT Form::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (dialogHandled_) {
        // A template dialog: the dialog manager does the rest.
        *dialogHandled_ = false;
        return 0;
    }
    switch (kind_) {
        case FormKind::MdiFrame: return DefFrameProcA(hwnd_, mdiClient_, msg, wParam, lParam);
        case FormKind::MdiChild: return DefMDIChildProcA(hwnd_, msg, wParam, lParam);
        default: return DefWindowProcA(hwnd_, msg, wParam, lParam);
    }
}

LRESULT Form::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            Unload(UnloadMode::FormControlMenu);
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            break;
        case WM_MDIACTIVATE:
            if (kind_ == FormKind::MdiChild) OnActivate(reinterpret_cast<HWND>(lParam) == hwnd_);
            break;
        case WM_SIZE:
            if (kind_ == FormKind::MdiFrame) {
                LRESULT r = DefaultProc(msg, wParam, lParam);
                OnResize();
                return r;
            }
            OnResize();
            break;
        default:
            break;
    }
    return DefaultProc(msg, wParam, lParam);
}

LRESULT CALLBACK Form::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Form* self = nullptr;
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) {
            auto* mcs = reinterpret_cast<MDICREATESTRUCTA*>(cs->lpCreateParams);
            self = reinterpret_cast<Form*>(mcs->lParam);
        } else {
            self = reinterpret_cast<Form*>(cs->lpCreateParams);
        }
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) self->hwnd_ = hwnd;
    } else {
        self = FromHandle(hwnd);
    }
    if (!self) {
        if (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) return DefMDIChildProcA(hwnd, msg, wParam, lParam);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        LRESULT r = self->kind_ == FormKind::MdiChild ? DefMDIChildProcA(hwnd, msg, wParam, lParam)
                                                       : DefWindowProcA(hwnd, msg, wParam, lParam);
        self->Forget(hwnd);
        return r;
    }
    detail::HandlerScope scope;
    LRESULT result = 0;
    bool ok = Guard(self->name_.c_str(), "WindowProc", [&] { result = self->WindowProc(msg, wParam, lParam); });
    if (!ok && self->hwnd_ == hwnd) {
        // The handler failed part-way: let the platform finish the message.
        result = 0;
    }
    return result;
}

void Form::Forget(HWND hwnd) {
    if (hwnd_ == hwnd) {
        hwnd_ = nullptr;
        auto& l = Loaded();
        l.erase(std::remove(l.begin(), l.end(), this), l.end());
    }
    if (kind_ == FormKind::MdiFrame) mdiClient_ = nullptr;
}

INT_PTR CALLBACK Form::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Form* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Form*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (!self) return TRUE;
        detail::HandlerScope scope;
        self->hwnd_ = hwnd;
        // WM_INITDIALOG is the form's load: the controls are there, the window still hidden.
        Guard(self->name_.c_str(), "Form_Initialize", [&] { self->OnDialogCreated(); });
        self->FinishLoad(hwnd);
        // The default focus would activate a window loaded hidden (taking the activation from
        // the window the user works in); a hidden dialog gets its focus when it is shown.
        return (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) ? TRUE : FALSE;
    }
    self = FromHandle(hwnd);
    if (!self) return FALSE;
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->Forget(hwnd);
        return FALSE;
    }
    detail::HandlerScope scope;
    bool handled = true;
    bool* outer = std::exchange(self->dialogHandled_, &handled);
    LRESULT result = 0;
    bool ok = Guard(self->name_.c_str(), "WindowProc", [&] { result = self->WindowProc(msg, wParam, lParam); });
    self->dialogHandled_ = outer;
    if (!ok) return FALSE;  // the handler failed part-way: the dialog manager finishes the message
    if (!handled) return FALSE;
    switch (msg) {
        // These answer in the return value itself.
        case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_COMPAREITEM:
        case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(result);
        default:
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
    }
}

}  // namespace skx
