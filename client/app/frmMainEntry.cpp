// The main window's game input: the DirectInput keyboard (movement keys and Enter), the chat
// entry line txtSend, the targeting menu and buttons, and the custom command buttons, which
// act on the press of a mouse button.
#include "ConnectionState.h"
#include "FileServices.h"
#include "KeyboardMovement.h"
#include "ProgramSettings.h"
#include "TextUtilities.h"
#include "frmBtnEdit.h"
#include "frmCommand.h"
#include "frmMain.h"
#include "frmMapDisp.h"
#include "runtime/App.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

constexpr int GraveAccentKey = 192;  // the key of ` and ~

// Keys count only while a window of this program is in front: the keyboard is read in the
// background, and keys typed into another program are that program's.
bool ForegroundIsOurs() {
    HWND front = GetForegroundWindow();
    if (!front) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(front, &pid);
    return pid == GetCurrentProcessId();
}

int ShiftMask() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

}  // namespace

void frmMainForm::WireEntryAndTargeting() {
    for (int i = 0; i < static_cast<int>(mnuTargetSub.size()); ++i) {
        mnuTargetSub[static_cast<size_t>(i)].OnClick = [this, i] {
            Guard("frmMain", "mnuTargetSub_Click", [&] { mnuTargetSub_Click(i); });
        };
    }
    for (int i = 0; i < static_cast<int>(scanner_.cmdTarget.size()); ++i) {
        scanner_.cmdTarget[static_cast<size_t>(i)].Click = [this, i] { Server("C", ScannerPanel::TargetCommand(i)); };
    }
    for (int i = 0; i < static_cast<int>(alias_.size()); ++i) {
        if (!IsAliasIndex(i)) continue;
        alias_[static_cast<size_t>(i)].MouseDown = [this, i](int button, int, int, int) {
            Guard("frmMain", "cmdAlias_MouseDown", [&] { cmdAlias_MouseDown(i, button); });
        };
    }
}

void frmMainForm::mnuTargetSub_Click(int Index) {
    static constexpr int CommandOfItem[9] = {8, 1, 2, 4, 7, 6, 5, 3, 0};  // the targeting button of each item
    for (MenuItem& item : mnuTargetSub) item.SetChecked(false);
    Server("C", ScannerPanel::TargetCommand(CommandOfItem[Index]));
    mnuTargetSub[static_cast<size_t>(Index)].SetChecked(true);
}

void frmMainForm::cmdAlias_MouseDown(int Index, int Button) {
    if (Button == 1) {
        const std::string text = CleanString(Buttons.at(static_cast<size_t>(Index)).Command);
        Server("C", CleanString(text));
        // After the button has taken its press, which focuses the button.
        if (txtSend.Enabled()) PostMessageA(hWnd(), FocusEntryLineMessage, 0, 0);
    } else if (Button == 2) {
        frmBtnEdit().EditButton(Index);
    }
}

void frmMainForm::DirectXEvent8_DXCallback(int32_t) {
    if (!keyboard_.HasDevice()) return;
    // The events first: a key that goes down between the two reads is then in the state too
    // (read the other way round, its event would come without it, and the key be lost).
    const std::vector<KeyEvent> events = keyboard_.ReadEvents();
    const std::array<uint8_t, 256> state = keyboard_.ReadState();
    if (!events.empty() && OnKeyEvents) OnKeyEvents(events);
    if (!ForegroundIsOurs()) return;
    // A key that went down acts even when it was let go before the state was read.
    std::vector<uint32_t> wentDown;
    for (const KeyEvent& e : events) {
        if (e.Down) wentDown.push_back(e.ScanCode);
    }
    const MovementKeys mode = mnuOptionsKeypad.Checked() ? MovementKeys::Keypad
                              : mnuOptionsWASD.Checked() ? MovementKeys::WASD
                                                          : MovementKeys::None;
    for (const KeyAction& action : KeyActions(state, wentDown, mode)) {
        switch (action.kind) {
            case KeyAction::Kind::Move:
                Server("m", action.steps);
                break;
            case KeyAction::Kind::Center: {
                bool announce = true;
                Screen_Center(announce);
                break;
            }
            case KeyAction::Kind::SendEntryLine:
                // An empty line ends the handling of this notification.
                if (!SendEntryLine()) return;
                break;
        }
    }
}

bool frmMainForm::SendEntryLine() {
    const std::optional<EntryLineSend> send = EntryLineCommand(txtSend.Text(), mnuOptionsChat.Checked());
    if (!send) {
        txtSend.SetText("");
        return false;
    }
    txtSend.SetText(send->line);
    Server("C", send->command);
    txtSend.AddItem(send->history, 0);
    txtSend.SetText("");
    return true;
}

void frmMainForm::txtSend_Change() {
    const std::string text = txtSend.Text();
    const std::string kept = EntryLineText(text);
    if (kept == text) return;
    txtSend.SetText(kept);
    txtSend.SetSelection(static_cast<int>(kept.size()), 0);
}

bool frmMainForm::txtSend_KeyDown(int KeyCode, int Shift) {
    // The map's cursor follows Shift, as the next key pressed in the line finds it.
    const bool toShift = Shift == 1 && !ShiftCursorOn;
    const bool toPlain = Shift == 0 && ShiftCursorOn;
    if (toShift || toPlain) {
        const std::string file = App::Path() + (toShift ? "\\Cursor2.cur" : "\\Cursor1.cur");
        if (!FileExist(file)) return false;
        frmMapDisp().SetMouseIcon(file);
        ShiftCursorOn = toShift;
    }
    if (Shift == 1 && KeyCode == GraveAccentKey && txtSend.Text().size() < 2) {
        txtSend.SetText("");
        frmCommand().Show(ShowMode::Modeless, this);
        return true;
    }
    return false;
}

bool frmMainForm::PreTranslate(MSG& msg) {
    HWND line = txtSend.hWnd();
    if (msg.message == WM_KEYDOWN && line && (msg.hwnd == line || GetParent(msg.hwnd) == line)) {
        bool taken = false;
        detail::HandlerScope scope;
        Guard("frmMain", "txtSend_KeyDown", [&] { taken = txtSend_KeyDown(static_cast<int>(msg.wParam), ShiftMask()); });
        if (taken) return true;
    }
    return Form::PreTranslate(msg);
}

}  // namespace skx
