#include "TestHookDump.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <set>

#include "runtime/ControlHost.h"
#include "runtime/DialogControls.h"
#include "runtime/Form.h"
#include "runtime/FormTimer.h"
#include "runtime/KeyedListView.h"
#include "runtime/KeyedTreeView.h"
#include "runtime/ToolBar.h"

namespace skx {

namespace {

std::string Quoted(const std::string& text) {
    std::string q = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            q += '\\';
            q += static_cast<char>(c);
        } else if (c == '\r') {
            q += "\\r";
        } else if (c == '\n') {
            q += "\\n";
        } else if (c < 32) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            q += hex;
        } else {
            q += static_cast<char>(c);
        }
    }
    return q + "\"";
}

std::string WindowText(HWND h) {
    const int n = GetWindowTextLengthA(h);
    std::string s(static_cast<size_t>(n > 0 ? n : 0) + 1, '\0');
    s.resize(static_cast<size_t>(GetWindowTextA(h, s.data(), static_cast<int>(s.size()))));
    return s;
}

std::string ClassOf(HWND h) {
    char name[64] = {};
    GetClassNameA(h, name, sizeof name);
    return name;
}

std::string States(HWND h) {
    return " visible=" + std::to_string(IsWindowVisible(h) ? 1 : 0) + " enabled=" + std::to_string(IsWindowEnabled(h) ? 1 : 0);
}

void DumpDetails(const Control& c, std::string& out) {
    const std::string name = HookName(c);
    if (auto* list = dynamic_cast<const KeyedListView*>(&c)) {
        for (int i = 1; i <= list->Count(); ++i) {
            const KeyedListView::Item& item = list->ItemAt(i);
            out += "row " + name + " " + std::to_string(i) + " key=" + Quoted(item.Key) + " text=" + Quoted(item.Text) +
                   " icon=" + std::to_string(item.SmallIcon) + " selected=" + std::to_string(list->IsSelected(i) ? 1 : 0);
            for (const auto& [key, text] : item.SubItems) out += " " + key + "=" + Quoted(text);
            out += "\n";
        }
    } else if (auto* tree = dynamic_cast<const KeyedTreeView*>(&c)) {
        for (int i = 1; i <= tree->Count(); ++i) {
            const KeyedTreeView::Node& node = tree->NodeAt(i);
            char colour[16];
            std::snprintf(colour, sizeof colour, "%06lx", static_cast<unsigned long>(node.ForeColor & 0xFFFFFF));
            out += "node " + name + " " + std::to_string(i) + " parent=" + std::to_string(node.Parent) + " key=" +
                   Quoted(node.Key) + " text=" + Quoted(node.Text) + " bold=" + std::to_string(node.Bold ? 1 : 0) +
                   " colour=" + (node.ForeColor == CLR_DEFAULT ? std::string("default") : colour) + "\n";
        }
    } else if (auto* tabs = dynamic_cast<const TabStrip*>(&c)) {
        for (int i = 1; i <= tabs->TabCount(); ++i) {
            out += "tab " + name + " " + std::to_string(i) + " caption=" + Quoted(tabs->TabCaption(i)) + " selected=" +
                   std::to_string(tabs->SelectedIndex() == i ? 1 : 0) + " highlighted=" +
                   std::to_string(tabs->Highlighted(i) ? 1 : 0) + "\n";
        }
    } else if (auto* bar = dynamic_cast<const ToolBar*>(&c)) {
        for (int i = 1; i <= bar->ButtonCount(); ++i) {
            out += "button " + name + " " + std::to_string(i) + " caption=" + Quoted(bar->ButtonAt(i).Caption) +
                   " pressed=" + std::to_string(bar->Pressed(i) ? 1 : 0) + "\n";
        }
    } else if (auto* check = dynamic_cast<const CheckBox*>(&c)) {
        out += "value " + name + " " + std::to_string(check->Value()) + "\n";
    } else if (auto* box = dynamic_cast<const ListBox*>(&c)) {
        for (int i = 0; i < box->ListCount(); ++i) out += "item " + name + " " + std::to_string(i) + " " + Quoted(box->List(i)) + "\n";
    }
}

BOOL CALLBACK CollectChild(HWND h, LPARAM into) {
    reinterpret_cast<std::vector<HWND>*>(into)->push_back(h);
    return TRUE;
}

}  // namespace

std::string HookName(const Control& control) {
    return control.Index() < 0 ? control.Name() : control.Name() + "(" + std::to_string(control.Index()) + ")";
}

Form* FindLoadedForm(const std::string& name) {
    // Of several (a box shown while an earlier one is still loaded), the last one shown.
    Form* found = nullptr;
    for (Form* f : LoadedForms()) {
        if (f->Name() == name && f->Handle() && (!found || IsWindowVisible(f->Handle()))) found = f;
    }
    return found;
}

std::string DumpForm(const std::string& name) {
    Form* form = FindLoadedForm(name);
    if (!form) return "form " + name + " not loaded\n";
    HWND window = form->Handle();
    std::string out = "form " + name + " caption=" + Quoted(WindowText(window)) + States(window) + "\n";
    std::set<HWND> named;
    for (ControlHost* host : form->ControlHosts()) {
        for (const Control* c : host->Controls()) {
            out += "control " + std::to_string(c->Id()) + " " + HookName(*c);
            if (HWND h = c->hWnd()) {
                named.insert(h);
                out += " class=" + ClassOf(h) + " text=" + Quoted(WindowText(h)) + States(h) + "\n";
            } else {
                out += " nowindow\n";
            }
            DumpDetails(*c, out);
        }
    }
    std::vector<HWND> children;
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND h : children) {
        const bool statusBar = ClassOf(h) == STATUSCLASSNAMEA;  // shown with its panels, id or none
        if (named.count(h) || (GetDlgCtrlID(h) <= 0 && !statusBar)) continue;
        out += "window #" + std::to_string(GetDlgCtrlID(h)) + " class=" + ClassOf(h) + " text=" + Quoted(WindowText(h)) +
               States(h) + "\n";
        if (statusBar) {
            const int parts = static_cast<int>(SendMessageA(h, SB_GETPARTS, 0, 0));
            for (int i = 0; i < parts; ++i) {
                char text[256] = {};
                if (LOWORD(SendMessageA(h, SB_GETTEXTLENGTHA, i, 0)) < sizeof text) SendMessageA(h, SB_GETTEXTA, i, reinterpret_cast<LPARAM>(text));
                out += "panel " + std::to_string(i + 1) + " " + Quoted(text) + "\n";
            }
        }
    }
    FormTimer::ForEach([&](const FormTimer& t) {
        if (t.Owner() == name) {
            out += "timer " + t.Name() + " enabled=" + std::to_string(t.Enabled() ? 1 : 0) + " interval=" +
                   std::to_string(t.Interval()) + "\n";
        }
    });
    return out;
}

}  // namespace skx
