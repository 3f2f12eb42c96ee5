#include "TestHook.h"

#include <windows.h>
#include <commctrl.h>
// The memory counters from kernel32 itself (no further DLL for the program to load).
#define PSAPI_VERSION 2
#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "ProcessHandles.h"
#include "ReceiveTurns.h"
#include "TestHookDump.h"
#include "TestHookRequest.h"
#include "runtime/ControlHost.h"
#include "runtime/DialogControls.h"
#include "runtime/ErrorGuard.h"
#include "runtime/Form.h"
#include "runtime/KeyedListView.h"
#include "runtime/KeyedTreeView.h"
#include "runtime/MenuItem.h"
#include "runtime/MessageWindow.h"
#include "runtime/RichTextEditing.h"
#include "runtime/ToolBar.h"

namespace skx {

namespace {

constexpr char HookClass[] = "SkirmexTestHook";
constexpr UINT RunAction = WM_APP + 1;

HWND g_hook = nullptr;
std::deque<std::function<void()>> g_actions;
LRESULT g_pingsTaken = 0;

// What a request acts on: a named control, or just a window found by its id.
struct Target {
    Control* control = nullptr;
    HWND window = nullptr;
};

BOOL CALLBACK FindById(HWND h, LPARAM param) {
    auto* search = reinterpret_cast<std::pair<int, HWND>*>(param);
    if (GetDlgCtrlID(h) == search->first) {
        search->second = h;
        return FALSE;
    }
    return TRUE;
}

Target Resolve(const HookRequest& r, std::string& error) {
    Form* form = FindLoadedForm(r.form);
    if (!form) {
        error = "form " + r.form + " not loaded";
        return {};
    }
    if (r.control.size() > 1 && r.control[0] == '#') {
        std::pair<int, HWND> search{std::atoi(r.control.c_str() + 1), nullptr};
        for (ControlHost* host : form->ControlHosts()) {
            if (Control* c = host->FindControl(search.first)) return Target{c, c->hWnd()};
        }
        EnumChildWindows(form->Handle(), &FindById, reinterpret_cast<LPARAM>(&search));
        if (!search.second) error = "no window " + r.control + " in " + r.form;
        return Target{nullptr, search.second};
    }
    for (ControlHost* host : form->ControlHosts()) {
        for (Control* c : host->Controls()) {
            if (HookName(*c) == r.control) return Target{c, c->hWnd()};
        }
    }
    error = "no control " + r.control + " in " + r.form;
    return {};
}

// The point of a control's item (1-based), or its middle.
POINT PointOf(const Target& t, const std::vector<std::string>& args) {
    RECT r{};
    GetClientRect(t.window, &r);
    const int item = args.empty() ? 0 : std::atoi(args[0].c_str());
    if (item > 0) {
        if (auto* list = dynamic_cast<KeyedListView*>(t.control)) {
            r = list->ItemRect(item);
        } else if (auto* tree = dynamic_cast<KeyedTreeView*>(t.control)) {
            r = tree->NodeRect(item);
        } else if (dynamic_cast<ListBox*>(t.control)) {
            SendMessageA(t.window, LB_GETITEMRECT, static_cast<WPARAM>(item - 1), reinterpret_cast<LPARAM>(&r));
        } else if (auto* bar = dynamic_cast<ToolBar*>(t.control)) {
            r = bar->ButtonRect(item);
        } else if (dynamic_cast<TabStrip*>(t.control) || t.control == nullptr) {
            SendMessageA(t.window, TCM_GETITEMRECT, static_cast<WPARAM>(item - 1), reinterpret_cast<LPARAM>(&r));
        }
    }
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

UINT KeyCode(const std::string& name) {
    static const std::pair<const char*, UINT> named[] = {
        {"Delete", VK_DELETE}, {"Enter", VK_RETURN}, {"Esc", VK_ESCAPE}, {"Tab", VK_TAB}, {"Space", VK_SPACE},
        {"Back", VK_BACK},     {"Up", VK_UP},        {"Down", VK_DOWN},  {"Left", VK_LEFT}, {"Right", VK_RIGHT},
        {"Home", VK_HOME},     {"End", VK_END},      {"Insert", VK_INSERT}};
    for (const auto& [text, code] : named) {
        if (name == text) return code;
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    if (name.size() >= 2 && name[0] == 'F') return VK_F1 + static_cast<UINT>(std::atoi(name.c_str() + 1) - 1);
    return 0;
}

void Post(std::function<void()> action) {
    g_actions.push_back(std::move(action));
    PostMessageA(g_hook, RunAction, 0, 0);
}

// A click with "shift" among the words holds Shift down while its messages are handled, as a
// key with its shift keys does. On a list, item -n is the header of column n (from 1).
void Click(const Target& t, std::vector<std::string> args, bool right) {
    const bool shift = std::erase(args, std::string("shift")) > 0;
    HWND window = t.window;
    POINT at = PointOf(t, args);
    const int item = args.empty() ? 0 : std::atoi(args[0].c_str());
    if (item < 0 && dynamic_cast<KeyedListView*>(t.control)) {
        window = ListView_GetHeader(t.window);
        RECT r{};
        Header_GetItemRect(window, -item - 1, &r);
        at = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    const LPARAM where = MAKELPARAM(at.x, at.y);
    auto held = std::make_shared<std::vector<BYTE>>(256);
    if (shift) {
        Post([held] {
            GetKeyboardState(held->data());
            std::vector<BYTE> pressed(*held);
            pressed[VK_SHIFT] = pressed[VK_LSHIFT] = 0x80;
            SetKeyboardState(pressed.data());
        });
    }
    const WPARAM keys = shift ? MK_SHIFT : 0;
    PostMessageA(window, WM_MOUSEMOVE, keys, where);
    PostMessageA(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, keys | (right ? MK_RBUTTON : MK_LBUTTON), where);
    PostMessageA(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, keys, where);
    if (shift) Post([held] { SetKeyboardState(held->data()); });
}

// The key goes in with the given shift keys held: they are pressed just before the key's
// messages are handled and let go just after (every step a message of the one queue, in order).
void Key(const Target& t, UINT code, bool shift, bool ctrl) {
    auto held = std::make_shared<std::vector<BYTE>>(256);
    Post([held, shift, ctrl] {
        GetKeyboardState(held->data());
        std::vector<BYTE> pressed(*held);
        pressed[VK_SHIFT] = pressed[VK_LSHIFT] = shift ? 0x80 : 0;
        pressed[VK_CONTROL] = pressed[VK_LCONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(pressed.data());
    });
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(code, 0)) << 16;
    PostMessageA(t.window, WM_KEYDOWN, code, scan | 1);
    PostMessageA(t.window, WM_KEYUP, code, scan | 0xC0000001);
    Post([held] { SetKeyboardState(held->data()); });
}

void Select(const Target& t, const std::vector<std::string>& args) {
    std::vector<int> items;
    for (const std::string& a : args) items.push_back(std::atoi(a.c_str()));
    if (auto* list = dynamic_cast<KeyedListView*>(t.control)) {
        list->Select(items.empty() ? 0 : items[0]);
        for (size_t i = 1; i < items.size(); ++i) list->SetSelected(items[i], true);
    } else if (auto* tree = dynamic_cast<KeyedTreeView*>(t.control)) {
        tree->Select(items.empty() ? 0 : items[0]);
    } else if (auto* tabs = dynamic_cast<TabStrip*>(t.control)) {
        tabs->Select(items.empty() ? 0 : items[0]);
    } else if (auto* box = dynamic_cast<ListBox*>(t.control)) {
        box->SetListIndex(items.empty() ? -1 : items[0]);
    } else if (auto* check = dynamic_cast<CheckBox*>(t.control)) {
        check->SetValue(items.empty() ? 0 : items[0]);
    }
}

// The process's kernel handles, GDI objects and private (committed) bytes. Where the platform
// does not count GDI objects (Wine answers 0) they are counted by asking for each possible
// handle value (the table is the process's own: no request leaves it).
std::string Use() {
    const auto handles = static_cast<long long>(ProcessHandles(GetCurrentProcess(), GetCurrentProcessId()));
    DWORD gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (gdi == 0) {
        for (uintptr_t h = 1; h < 0x10000; ++h) gdi += GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0 ? 1 : 0;
    }
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return "handles " + std::to_string(handles) + " gdi " + std::to_string(gdi) + " private " +
           std::to_string(memory.PagefileUsage);
}

// The answer to one request.
std::string Answer(const std::string& line) {
    const HookRequest r = ParseHookRequest(line);
    if (r.kind == HookRequest::Kind::Invalid) return "error " + r.error;
    if (r.kind == HookRequest::Kind::Dump && r.form.rfind("mnu", 0) == 0) {
        // A menu item's state, and that of every item sharing its name: "menu name(i) ...".
        std::string out;
        for (int i = 0; MenuItem* item = MenuItem::FromName(r.form, i); ++i) {
            out += "menu " + r.form + "(" + std::to_string(i) + ") caption=\"" + item->Caption() + "\" checked=" +
                   std::to_string(item->Checked() ? 1 : 0) + "\n";
        }
        return out;
    }
    if (r.kind == HookRequest::Kind::Dump) return DumpForm(r.form);
    if (r.kind == HookRequest::Kind::Use) return Use();
    if (r.kind == HookRequest::Kind::Receiving) return ReceivingState();
    if (r.kind == HookRequest::Kind::Menu) {
        // "name(i)": the i-th of the items sharing a name.
        std::string name = r.args[0];
        int index = 0;
        if (const size_t open = name.find('('); open != std::string::npos && name.back() == ')') {
            index = std::atoi(name.c_str() + open + 1);
            name.resize(open);
        }
        MenuItem* item = MenuItem::FromName(name, index);
        Form* main = Form::MdiFrame();
        if (!item || !main || !main->Handle()) return "error no menu item " + r.args[0];
        PostMessageA(main->Handle(), WM_COMMAND, item->Id(), 0);
        return "ok";
    }
    std::string error;
    const Target t = Resolve(r, error);
    if (!t.window && !t.control) return "error " + error;
    if (!t.window) return "error " + r.control + " has no window";
    switch (r.kind) {
        case HookRequest::Kind::Click:
        case HookRequest::Kind::RightClick:
            Post([t, r] { Click(t, r.args, r.kind == HookRequest::Kind::RightClick); });
            break;
        case HookRequest::Kind::Key: {
            const UINT code = KeyCode(r.args[0]);
            if (!code) return "error unknown key " + r.args[0];
            bool shift = false, ctrl = false;
            for (size_t i = 1; i < r.args.size(); ++i) {
                shift = shift || r.args[i] == "shift";
                ctrl = ctrl || r.args[i] == "ctrl";
            }
            Key(t, code, shift, ctrl);
            break;
        }
        case HookRequest::Kind::Set:
            Post([t, text = r.args[0]] {
                if (auto* box = dynamic_cast<RichTextBox*>(t.control)) {
                    // As the program writes a pane: through the insertion point, as plain text.
                    RtbSetSelection(*box, 0, -1);
                    RtbInsert(*box, text);
                } else if (t.control) {
                    t.control->SetCaption(text);
                } else {
                    SetWindowTextA(t.window, text.c_str());
                }
            });
            break;
        case HookRequest::Kind::Select:
            if (!t.control) return "error select needs a named control";
            Post([t, r] { Select(t, r.args); });
            break;
        default:
            break;
    }
    return "ok";
}

LRESULT CALLBACK HookProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        std::string reply;
        detail::HandlerScope scope;
        Guard("TestHook", "Request", [&] {
            reply = Answer(std::string(static_cast<const char*>(data->lpData), data->cbData));
        });
        COPYDATASTRUCT back{1, static_cast<DWORD>(reply.size()), reply.data()};
        SendMessageA(reinterpret_cast<HWND>(wParam), WM_COPYDATA, reinterpret_cast<WPARAM>(hwnd),
                     reinterpret_cast<LPARAM>(&back));
        return TRUE;
    }
    if (msg == TestHookPing) {
        ++g_pingsTaken;
        return 0;
    }
    if (msg == TestHookPingTaken) return g_pingsTaken;
    if (msg == RunAction) {
        if (g_actions.empty()) return 0;
        std::function<void()> action = std::move(g_actions.front());
        g_actions.pop_front();
        detail::HandlerScope scope;
        Guard("TestHook", "Action", [&] { action(); });
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

bool TestHookRequested(const std::string& commandLine) { return commandLine.find("--test-hook") != std::string::npos; }

void StartTestHook() {
    if (!g_hook) g_hook = CreateMessageWindow(HookClass, &HookProc);
}

}  // namespace skx
