// Chat lines written in a batch into real panes: a shown pane holds and shows what line-by-line
// writing leaves; hidden panes stay hidden; a box opened inside a batch finds the panes drawn.
#include <gtest/gtest.h>

#include <windows.h>

#include "ChatWriteBatch.h"
#include "MessageBox.h"
#include "ProgramSettings.h"
#include "ScreenPicture.h"
#include "WinTestSupport.h"
#include "frmChatBar.h"
#include "frmMain.h"
#include "frmMsgBox.h"
#include "modRTFLinks.h"
#include "runtime/DrawingHold.h"
#include "runtime/FormTimer.h"
#include "runtime/RichTextEditing.h"

using namespace skx;

namespace {

// Two panes side by side below the main window (which the display keeps above later windows).
struct PanesForm : Form {
    PanesForm() : Form("frmBatchTest") { initialRect_ = RECT{0, 776, 900, 1016}; }
    RichTextBox lines, batched, hidden;
    void OnLoad() override {
        for (RichTextBox* box : {&lines, &batched, &hidden}) box->Create(hWnd(), 0, 0);
        lines.Move(0, 0, 420, 200);
        batched.Move(440, 0, 420, 200);
        hidden.SetVisible(false);
    }
};
struct BatchedChat : ::testing::Test {
    void SetUp() override { FontSize = 10; panes.Show(); }
    void TearDown() override { panes.Hide(); }
    PanesForm& panes = TheForm<PanesForm>();
    RichTextBox& general = frmChatBar().txtStatus[0];
};

// What a pane holds and shows: its rich text, the insertion point and the top line in view.
std::string StateOf(RichTextBox& box) {
    return RtbRichText(box) + " at " + std::to_string(RtbSelStart(box)) + " top " +
           std::to_string(SendMessageA(box.hWnd(), EM_GETFIRSTVISIBLELINE, 0, 0));
}

// A busy arena's lines: plain, coloured, bold, the other font, links, echoed, a full pane (emptied by
// the next line: midway runs then), the last ones under Scroll Lock or not, and a long last line.
void Write(RichTextBox& box, bool lockAtEnd, const std::function<void()>& midway) {
    AddToRTB("bold red ", box, 255, false, true, false, false);
    AddToRTB("see http://a.example/x and HTTP://b.example/y", box, 0x00FF00, true, false, true, true);
    std::string full;
    while (full.size() < 32768) full += std::string(76, 'f') + "\r\n";
    AddToRTB(full, box, 0x808080, true, false, false, true);  // cut to a full pane
    AddToRTB("emptied first", box, 0x808080, true, true, false, true);
    midway();
    for (int i = 0; i < 30; ++i) {
        frmMain().mnuOptionsScroll.SetChecked(lockAtEnd && i >= 12);
        const std::string link = i % 7 ? "" : " http://c.example/" + std::to_string(i);
        AddToRTB("line " + std::to_string(i) + link, box, i * 997, true, i % 3 == 0, false, i % 5 == 0);
    }
    AddToRTB(std::string(28, 'W'), box, 0, true, false, false, false);
    frmMain().mnuOptionsScroll.SetChecked(false);
}

}  // namespace

TEST_F(BatchedChat, AShownPaneHoldsAndShowsWhatLineByLineWritingLeavesAndABoxInABatchFindsItDrawn) {
    RichTextBox& pane = panes.batched;
    const HWND batched = pane.hWnd();
    for (bool lockAtEnd : {true, false}) {
        for (RichTextBox* box : {&panes.lines, &pane, &general}) RtbClear(*box);
        Write(panes.lines, lockAtEnd, [] {});
        const std::string echo = StateOf(general);
        RtbClear(general);
        {
            ChatWriteBatch batch;
            Write(pane, lockAtEnd, [&] {
                EXPECT_TRUE(DrawingHeld(batched));  // held still, though emptied
                AddToRTB("into a hidden pane", panes.hidden, 0, true, false, false, false);
            });
        }
        EXPECT_TRUE(IsWindowVisible(batched) && !DrawingHeld(batched) && !IsWindowVisible(panes.hidden.hWnd()));
        EXPECT_EQ(StateOf(pane), StateOf(panes.lines)) << "Scroll Lock at the end: " << lockAtEnd;
        EXPECT_EQ(StateOf(general), echo) << "Scroll Lock at the end: " << lockAtEnd;
    }
    // What a person sees: the batched pane as the other, its long last line at the bottom.
    const RECT a = testsupport::ShownClientArea(panes.lines.hWnd()), b = testsupport::ShownClientArea(batched);
    const int w = b.right - b.left, h = b.bottom - b.top;
    const testsupport::ScratchDir dir("chat-batch");
    int same = 0, lowestLong = -1;
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        const testsupport::ScreenPicture shot = testsupport::CaptureDisplay(dir.File("panes.bmp"));
        same = 0;
        for (int y = 0; y < h && shot.width; ++y) {
            for (int x = 0; x < w; ++x) same += shot.At(a.left + x, a.top + y) == shot.At(b.left + x, b.top + y);
            if (shot.DarkPixels(RECT{b.left + w / 2, b.top + y, b.right, b.top + y + 1})) lowestLong = y;
        }
        return same == w * h && lowestLong > h - 45;
    }, 30000)) << same << " of " << w * h << " pixels alike; the last line's lowest row " << lowestLong << " of " << h;

    // A box opened in a batch finds the pane drawn, and what is written under it is drawn as it comes.
    ChatWriteBatch batch;
    AddToRTB("before the box", pane, 0, true, false, false, false);
    bool drawnUnderBox = false;
    FormTimer closer("test", "tmrCloseBox", [&] {
        HWND box = FindWindowA(frmMsgBox::BoxClassName(), nullptr);
        if (!box || !IsWindowVisible(box)) return;
        AddToRTB("while the box shows", pane, 0, true, false, false, false);
        drawnUnderBox = IsWindowVisible(batched);
    });
    closer.SetInterval(50);
    closer.SetEnabled(true);
    CSendMessage("A box in a batch", 0, "Batch", 1, true, true, -1, "Tahoma");  // closes itself after 1 s
    EXPECT_TRUE(drawnUnderBox);
    AddToRTB("after the box", pane, 0, true, false, false, false);
    EXPECT_TRUE(DrawingHeld(batched));  // the batch goes on
    pane.SetVisible(false);             // as a tab switched inside the batch
    FlushChatWrites();
    EXPECT_FALSE(IsWindowVisible(batched));
    pane.SetVisible(true);
}
