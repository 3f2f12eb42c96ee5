#include "frmChatBar.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <set>
#include <vector>

#include "AccountState.h"

#include "ClientLinks.h"
#include "TextUtilities.h"
#include "modRTFLinks.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/Twips.h"

namespace skx {

namespace {
constexpr int TabStripId = 100;
constexpr int TabHeight = 24;
constexpr int MinSplitter = 60;
// Accounts below this level do not get the "Wizard Chat" tab when the window loads.
constexpr int16_t WizardChatLevel = 89;
}  // namespace

frmChatBarForm::frmChatBarForm() : Form("frmChatBar", FormKind::MdiChild) {
    initialCaption_ = "Chat";
    initialRect_ = RECT{0, 0, 640, 220};
    style_ = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    for (auto& pane : txtStatus) pane.SetEnabled(false);
    WhoList.SetEnabled(false);
}

void frmChatBarForm::OnLoad() {
    std::vector<std::string> tabs{"General", "Game", "Public Chat", "Private Chat", "Team Chat", "Wizard Chat"};
    if (AccessLevel < WizardChatLevel) tabs.pop_back();
    tabChat.Create(hWnd(), tabs, TabStripId);
    for (auto& pane : txtStatus) {
        pane.Create(hWnd(), 0);
        // The panes tell this window of mouse moves and clicks (their links).
        LRESULT mask = SendMessageA(pane.hWnd(), EM_GETEVENTMASK, 0, 0);
        SendMessageA(pane.hWnd(), EM_SETEVENTMASK, 0, mask | ENM_MOUSEEVENTS);
    }
    WhoList.Create(hWnd(), {"Name", "Level"});
    if (splitter_ <= 0) splitter_ = TwipsFromPixels(std::max(ScaleWidth() - 170, MinSplitter));
    OnResize();
    ShowSelectedPane();
}

void frmChatBarForm::SetSplitter(int twips) {
    splitter_ = twips;
    OnResize();
}

void frmChatBarForm::OnResize() {
    if (!Handle()) return;
    int w = ScaleWidth(), h = ScaleHeight();
    int split = std::clamp(PixelsFromTwips(splitter_), std::min(MinSplitter, w), std::max(w - 4, 0));
    tabChat.Move(0, 0, split, TabHeight);
    for (auto& pane : txtStatus) pane.Move(0, TabHeight, split, std::max(h - TabHeight, 0));
    WhoList.Move(split + 4, 0, std::max(w - split - 4, 0), h);
}

void frmChatBarForm::ShowSelectedPane() {
    int sel = tabChat.SelectedIndex();
    for (size_t i = 0; i < txtStatus.size(); ++i) {
        txtStatus[i].SetVisible(static_cast<int>(i) + 1 == sel);
    }
}

void frmChatBarForm::Update(const std::string& Data) {
    Guard("frmChatBar", "Update", [&] {
        Load();
        const int selected = WhoList.SelectedIndex();
        const std::string previous = selected > 0 ? WhoList.ItemAt(selected).Key : std::string();
        std::vector<ListView::Item> items;
        std::set<std::string> keys;  // the names so far, in lower case (keys ignore case)
        bool reported = false;
        int reselect = 0;
        for (const std::string& record : SplitB2(Data, ";")) {
            const std::vector<std::string> fields = SplitB2(record, ":");
            if (fields.size() < 7) continue;
            const std::string& name = fields[0];
            if (name.empty() || !keys.insert(LCase(name)).second) {
                if (!reported) {
                    reported = true;
                    const int32_t number = name.empty() ? 35603 : 35602;
                    ReportCaught("frmChatBar", "Update", 0, number, "frmChatBar",
                                 name.empty() ? "Invalid key" : "Key is not unique in collection");
                }
                continue;
            }
            items.push_back({name, name, {{"level", fields[1]}}});
            if (!previous.empty() && TextEquals(name, previous)) reselect = static_cast<int>(items.size());
        }
        WhoList.SetItems(std::move(items));
        if (reselect) WhoList.Select(reselect);
    });
}

namespace {
// The mouse buttons and shift keys of a mouse message, as the panes' handlers take them.
int16_t ButtonsOf(WPARAM keys) {
    return static_cast<int16_t>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                                ((keys & MK_MBUTTON) ? 4 : 0));
}
int16_t ShiftOf(WPARAM keys) {
    return static_cast<int16_t>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                                ((GetKeyState(VK_MENU) < 0) ? 4 : 0));
}
}  // namespace

void frmChatBarForm::PaneMouse(RichTextBox& pane, UINT msg, WPARAM keys, LPARAM at) {
    // The pane's handlers take the point in twips, as the box's mouse events give it.
    const float x = static_cast<float>(GET_X_LPARAM(at) * TwipsPerPixel);
    const float y = static_cast<float>(GET_Y_LPARAM(at) * TwipsPerPixel);
    // The hit tests run on the main window's scratch copy of a pane.
    const ClientLinkTable& links = ClientLinks();
    if (!links.LinkScratch) return;
    if (msg == WM_MOUSEMOVE) {
        RTB_MouseMove(pane, links.LinkScratch(), ButtonsOf(keys), ShiftOf(keys), x, y);
    } else if (msg == WM_LBUTTONUP) {
        std::string address = RTB_MouseUp(pane, links.LinkScratch(), 1, ShiftOf(keys), x, y);
        if (!address.empty()) RunShellExecute("Open", address, "", "", 1);
    }
}

bool frmChatBarForm::OnQueryUnload(UnloadMode mode) {
    // The user cannot close the chat; the program unloads it at the end.
    return mode == UnloadMode::FormControlMenu;
}

LRESULT frmChatBarForm::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr && hdr->hwndFrom == tabChat.hWnd() && hdr->code == TCN_SELCHANGE) {
            ShowSelectedPane();
            return 0;
        }
        if (hdr && hdr->code == EN_MSGFILTER) {
            auto* filter = reinterpret_cast<MSGFILTER*>(lParam);
            for (auto& pane : txtStatus) {
                if (pane.hWnd() == hdr->hwndFrom) PaneMouse(pane, filter->msg, filter->wParam, filter->lParam);
            }
            return 0;  // the pane handles the message as usual
        }
    } else if (msg == WM_DESTROY) {
        tabChat.Detach();
        for (auto& pane : txtStatus) pane.Detach();
        WhoList.Detach();
    }
    return Form::WindowProc(msg, wParam, lParam);
}

frmChatBarForm& frmChatBar() { return TheForm<frmChatBarForm>(); }

}  // namespace skx
