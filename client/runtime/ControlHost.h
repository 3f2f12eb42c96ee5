// What holds the controls of a dialog template: the controls name their host and id when
// they are made, the host takes hold of their windows when its own is made and forgets them
// when it goes, and hands each control the commands and notifications of its window. A
// DialogPage is such a host inside another window: a tab page, or a window's inner dialog.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace skx {

class Control;

class ControlHost {
public:
    explicit ControlHost(std::string ownerName) : owner_(std::move(ownerName)) {}
    virtual ~ControlHost() = default;
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    // The window the controls belong to, as error reports name it ("frmChatBar").
    const std::string& OwnerName() const { return owner_; }
    // The controls in the order they were declared.
    const std::vector<Control*>& Controls() const { return controls_; }
    Control* FindControl(int id) const;

    void Register(Control& control);
    void Unregister(Control& control);
    // The tool-tip window of the controls in dialog (made on first use).
    HWND ToolTipWindow(HWND dialog);

protected:
    // The template's window exists: every control takes its window (a missing one is reported).
    void AttachControls(HWND dialog);
    void DetachControls();
    // A WM_COMMAND or WM_NOTIFY for one of the controls; true when that control took it.
    bool RouteCommand(WPARAM wParam, LPARAM lParam);
    bool RouteNotify(LPARAM lParam, LRESULT& result);

private:
    std::string owner_;
    std::vector<Control*> controls_;
    HWND tips_ = nullptr;  // the tool tips of the controls, owned by the dialog
};

class DialogPage : public ControlHost {
public:
    DialogPage(std::string ownerName, int templateId) : ControlHost(std::move(ownerName)), templateId_(templateId) {}
    ~DialogPage() override;

    // Makes the page (a DS_CONTROL child template) inside parent; false when it cannot be made.
    bool Create(HWND parent);
    void Destroy();
    HWND hWnd() const { return hwnd_; }
    // The dialog keys (Tab, mnemonics) for a message to a window of the page.
    bool IsDialogKey(MSG& msg);

protected:
    // Messages of the page that its controls did not take; true when handled.
    virtual bool PageMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    int templateId_;
    HWND hwnd_ = nullptr;
};

}  // namespace skx
