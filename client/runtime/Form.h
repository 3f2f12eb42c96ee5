// Windows of the client as single program-wide instances ("forms"): created on first use,
// loaded hidden, shown modeless (with an owner) or modal, unloaded with a Cancel answer.
// Asking whether a form is visible loads it first, hidden, as every property access does.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace skx {

class ControlHost;

enum class FormKind { Normal, MdiFrame, MdiChild, Dialog };
enum class ShowMode { Modeless = 0, Modal = 1 };
// Why a form is being unloaded (passed to OnQueryUnload).
enum class UnloadMode { FormControlMenu = 0, FormCode = 1, AppWindows = 2, TaskManager = 3, MdiForm = 4 };

class Form {
public:
    explicit Form(std::string name, FormKind kind = FormKind::Normal);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }
    FormKind Kind() const { return kind_; }

    // The window; loads the form when it is not loaded.
    HWND hWnd();
    // The window without loading (null when not loaded).
    HWND Handle() const { return hwnd_; }
    bool IsLoaded() const { return hwnd_ != nullptr; }

    void Load();
    void Show(ShowMode mode = ShowMode::Modeless, Form* owner = nullptr);
    void Hide();
    // Runs OnQueryUnload and OnUnload; false when the form refused (Cancel).
    bool Unload(UnloadMode mode = UnloadMode::FormCode);

    bool Visible();           // loads hidden when not loaded
    void SetVisible(bool visible);
    bool Enabled();
    void SetEnabled(bool enabled);
    std::string Caption();
    void SetCaption(const std::string& caption);
    // Geometry in twips, relative to the parent (the MDI client area for MDI children).
    int Left();
    int Top();
    int Width();
    int Height();
    void Move(int left, int top, int width = -1, int height = -1);
    int ScaleWidth();   // client area, pixels
    int ScaleHeight();

    // The free text slot every form carries.
    std::string Tag;
    // The modal result: true while the form runs modally.
    bool IsModal() const { return modalDepth_ > 0; }

    // Routes a message of the loop to the form (dialog keys, MDI accelerators). A dialog's
    // key preview runs first, then the dialog keys (Tab, Enter, Esc, mnemonics).
    virtual bool PreTranslate(MSG& msg);

    // The form that owns a window, or null.
    static Form* FromHandle(HWND hwnd);
    // The program's MDI frame (its main window), or null.
    static Form* MdiFrame();
    // What holds the form's template controls (none for a window made in code).
    virtual std::vector<ControlHost*> ControlHosts() { return {}; }

protected:
    // Creates the window (hidden). The default makes an overlapped window of the form's kind,
    // or, when templateId_ names a dialog template, the dialog of that template.
    virtual HWND CreateFormWindow(HWND owner);
    // A template dialog's window exists and its controls are there (WM_INITDIALOG), before
    // OnLoad: where a form takes hold of its template's controls.
    virtual void OnDialogCreated() {}
    virtual void OnLoad() {}
    // Key messages for the form's window or its controls, before anything else sees them;
    // true keeps the key from going on.
    virtual bool KeyPreview(const MSG&) { return false; }
    // Return true to cancel the unload.
    virtual bool OnQueryUnload(UnloadMode) { return false; }
    virtual bool OnUnload() { return false; }  // true cancels
    virtual void OnActivate(bool /*active*/) {}
    virtual void OnResize() {}
    // Messages not handled here go to the default procedure of the form's kind.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Initial style of the default window; override before loading.
    DWORD style_ = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    DWORD exStyle_ = 0;
    RECT initialRect_{CW_USEDEFAULT, CW_USEDEFAULT, 400, 300};  // left, top, width, height in pixels
    std::string initialCaption_;
    // The form's dialog template in the program's resources (0: a window made in code). The
    // template gives the caption, style, size and controls.
    int templateId_ = 0;
    HWND mdiClient_ = nullptr;  // MDI frames: the client window

    static const char* WindowClassName();
    // Registers a window class whose windows run through the forms' procedure (double clicks,
    // arrow cursor, button-face background); withIcon gives it the program's icon.
    static void RegisterFormClass(const char* className, bool withIcon);
    static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void RunModal();
    void DestroyNow();
    // The window exists: the form is loaded from now on and its load runs (once).
    void FinishLoad(HWND hwnd);
    // A window procedure's end, shared by both kinds of window.
    void Forget(HWND hwnd);

    std::string name_;
    FormKind kind_;
    HWND hwnd_ = nullptr;
    int modalDepth_ = 0;
    bool unloading_ = false;
    bool* dialogHandled_ = nullptr;  // a template dialog's message: whether the form handled it
};

// The loaded forms in the order they were loaded.
const std::vector<Form*>& LoadedForms();
// Unloads every loaded form, last loaded first; false when one refused.
bool UnloadAllForms(UnloadMode mode = UnloadMode::AppWindows);

// Makes sure the window classes templates name exist: the common controls and the rich-text
// box (which lives in its own library).
void LoadControlClasses();

namespace detail {
// Form handlers and timer ticks under way. What is handed to DisposeLater goes when the
// outermost of them ends, or at once when none runs.
class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};
void DisposeLater(std::shared_ptr<Form> form);

// The first instance is made inside the slot's own initialisation, so that everything its
// making starts (timers, window classes) outlives it at the program's end.
template <class T>
std::unique_ptr<T>& FormSlot() {
    static std::unique_ptr<T> slot = std::make_unique<T>();
    return slot;
}
}  // namespace detail

// The single program-wide instance of a form class, created on first use.
template <class T>
T& TheForm() {
    auto& slot = detail::FormSlot<T>();
    if (!slot) slot = std::make_unique<T>();
    return *slot;
}

// Unloads the form and lets its instance go, so that the next use makes a fresh one. The old
// instance lives on until the handler that asked has ended. False when the form refused.
template <class T>
bool ReleaseForm() {
    auto& slot = detail::FormSlot<T>();
    if (!slot) return true;
    if (!slot->Unload()) return false;
    detail::DisposeLater(std::shared_ptr<Form>(std::move(slot)));
    return true;
}

}  // namespace skx
