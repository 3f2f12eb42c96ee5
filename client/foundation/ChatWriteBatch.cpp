#include "ChatWriteBatch.h"

#include <windows.h>
#include <richedit.h>

#include <vector>

#include "runtime/Control.h"
#include "runtime/DrawingHold.h"
#include "runtime/MessagePump.h"

namespace skx {

namespace {

std::vector<int> openBatches;  // the loop-turn depth each open batch was opened in, innermost last
std::vector<HWND> heldPanes;

// Line-by-line writing leaves a pane scrolled by its last write: to the end of the text, then
// back to the insertion point that write left (with Scroll Lock on, the point saved before the
// lock). The same two steps, taken while drawing is still held, leave the same view.
void ScrollAsWritten(HWND pane) {
    CHARRANGE left{0, 0};
    SendMessageA(pane, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&left));
    GETTEXTLENGTHEX length{GTL_PRECISE | GTL_NUMCHARS, CP_ACP};
    const LONG end = static_cast<LONG>(SendMessageA(pane, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    CHARRANGE atEnd{end, end};
    SendMessageA(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&atEnd));
    SendMessageA(pane, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&left));
}

}  // namespace

ChatWriteBatch::ChatWriteBatch() {
    SetLoopTurnHook(&FlushChatWrites);  // a turn of the loop inside the batch draws what waits first
    openBatches.push_back(LoopTurnDepth());
}

ChatWriteBatch::~ChatWriteBatch() {
    const int turn = openBatches.back();
    openBatches.pop_back();
    if (openBatches.empty() || openBatches.back() != turn) FlushChatWrites();
}

void FlushChatWrites() {
    if (heldPanes.empty()) return;
    std::vector<HWND> panes;
    panes.swap(heldPanes);
    for (HWND pane : panes) {
        if (!DrawingHeld(pane)) continue;  // hidden or gone meanwhile
        ScrollAsWritten(pane);
        LetDrawingGo(pane);
    }
}

void HoldForChatBatch(RichTextBox& box) {
    if (openBatches.empty() || openBatches.back() != LoopTurnDepth()) return;
    if (HoldDrawing(box.hWnd())) heldPanes.push_back(box.hWnd());
}

}  // namespace skx
