// Chat lines into shown panes: 1,000 lines of an ordinary chat burst (server "c" frames, a name
// piece and a text piece each, echoed into "General") handed on by budgeted dispatcher passes with
// the client's handlers, each pass a batch of chat writes and the message loop turning between
// passes, as the client runs them, into a shown "Public Chat" pane with a shown "General" pane
// beside it, until both are drawn. The yardstick: the same appends (caret to the end, colour,
// replace the selection, scroll) into two bare hidden rich edit boxes. Alternating rounds; goal: at
// most 3 times the yardstick. A round that leaves frames or misses the last line in a pane fails;
// failed rounds are counted apart and make the exit code, as does a missed goal. The cost of the
// same lines written one by one without a batch is shown beside them.
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "ChatLines.h"
#include "ChatWriteBatch.h"
#include "ClientLinks.h"
#include "ProgramSettings.h"
#include "ProtocolFrame.h"
#include "ProtocolSeparators.h"
#include "ReceiveBuffer.h"
#include "frmChatBar.h"
#include "runtime/Form.h"
#include "runtime/MessagePump.h"
#include "runtime/RichTextEditing.h"

namespace {
struct BenchFrame : skx::Form {
    BenchFrame() : skx::Form("frmBenchFrame", skx::FormKind::MdiFrame) {}
};

constexpr int kLines = 1000;

std::string Sender(int i) { return "player" + std::to_string(i % 40); }
std::string Said(int i) { return "hello there, this is round " + std::to_string(i) + " of the chat"; }

std::string ChatWire(int lines) {
    std::string wire;
    for (int i = 0; i < lines; ++i) {
        wire += skx::FrameStart + "c" + skx::FieldSeparator + Sender(i) + skx::FieldSeparator + Said(i) +
                skx::FieldSeparator + std::to_string(skx::ChatKind::Chat) + skx::FrameEnd;
    }
    return wire;
}

skx::RichTextBox& Pane(int index) { return skx::frmChatBar().txtStatus[static_cast<size_t>(index)]; }

// Until both panes are drawn: what the user sees is part of the cost.
void DrawNow() {
    for (int p : {skx::ChatPane::General, skx::ChatPane::Public}) UpdateWindow(Pane(p).hWnd());
    skx::DoEvents();
}

bool EndsWithLastLine(skx::RichTextBox& pane, int lines) {
    const std::string text = skx::RtbPlainText(pane);
    const std::string last = Said(lines - 1) + "\r";
    return text.size() >= last.size() && text.compare(text.size() - last.size(), last.size(), last) == 0;
}

void ClearPanes() {
    for (int p : {skx::ChatPane::General, skx::ChatPane::Public}) skx::RtbClear(Pane(p));
    DrawNow();
}

struct Round {
    double ms = 0;
    bool ok = false;
};

// The client's way: budgeted dispatcher passes, each a batch of chat writes, the message loop
// turning between them.
Round Client(const std::string& wire, int lines) {
    ClearPanes();
    skx::ClearReceiveBuffer();
    skx::ReceiveBuffer = wire;
    const double t0 = bench::NowMs();
    for (bool more = true; more;) {
        {
            skx::ChatWriteBatch batch;
            more = skx::DispatchReceived([] { return true; }, {}, skx::kDispatchBudgetMs);
        }
        skx::DoEvents();
    }
    DrawNow();
    Round r{bench::NowMs() - t0, false};
    r.ok = !skx::HasReceivedData() && EndsWithLastLine(Pane(skx::ChatPane::Public), lines) &&
           EndsWithLastLine(Pane(skx::ChatPane::General), lines);
    return r;
}

// The same lines written one by one without a batch (one pass, no budget): what each line cost
// before the batches.
Round LineByLine(const std::string& wire, int lines) {
    ClearPanes();
    skx::ClearReceiveBuffer();
    skx::ReceiveBuffer = wire;
    const double t0 = bench::NowMs();
    skx::DispatchReceived([] { return true; }, {});
    DrawNow();
    Round r{bench::NowMs() - t0, false};
    r.ok = !skx::HasReceivedData() && EndsWithLastLine(Pane(skx::ChatPane::Public), lines);
    return r;
}

// A bare rich edit box, hidden, with the panes' font (a child of the chat window, gone with it).
HWND BareBox(HWND parent) {
    HWND box = CreateWindowExA(WS_EX_CLIENTEDGE, RICHEDIT_CLASSA, "",
                               WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY, 0, 0, 400, 150,
                               parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(box, WM_SETFONT, SendMessageA(Pane(skx::ChatPane::General).hWnd(), WM_GETFONT, 0, 0), FALSE);
    return box;
}

void BareAppend(HWND box, const std::string& text, COLORREF colour) {
    GETTEXTLENGTHEX length{GTL_PRECISE | GTL_NUMCHARS, CP_ACP};
    const LONG end = static_cast<LONG>(SendMessageA(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    CHARRANGE caret{end, end};
    SendMessageA(box, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = colour;
    SendMessageA(box, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(box, EM_SCROLLCARET, 0, 0);
}

Round Bare(HWND pane, HWND echo, int lines) {
    for (HWND box : {pane, echo}) SetWindowTextA(box, "");
    const double t0 = bench::NowMs();
    for (int i = 0; i < lines; ++i) {
        const std::string name = Sender(i) + " chats: ", said = Said(i) + "\r\n";
        for (HWND box : {pane, echo}) {
            BareAppend(box, name, RGB(0, 0, 128));
            BareAppend(box, said, RGB(0, 0, 255));
        }
    }
    Round r{bench::NowMs() - t0, false};
    const int expected = [&] {
        int n = 0;
        for (int i = 0; i < lines; ++i) n += static_cast<int>((Sender(i) + " chats: " + Said(i) + "\r").size());
        return n;
    }();
    GETTEXTLENGTHEX length{GTL_PRECISE | GTL_NUMCHARS, CP_ACP};
    r.ok = SendMessageA(pane, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0) == expected;
    return r;
}

}  // namespace

int main() {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    skx::SetProtocolSeparators();
    skx::FontType = "Arial";
    skx::FontSize = 10;
    skx::TheForm<BenchFrame>().Show();
    skx::frmChatBar().Show();
    skx::ClientLinks().GeneralPane = [] () -> skx::RichTextBox& { return Pane(skx::ChatPane::General); };
    Pane(skx::ChatPane::Public).SetVisible(true);  // beside "General", which its tab shows
    const HWND pane = BareBox(skx::frmChatBar().Handle()), echo = BareBox(skx::frmChatBar().Handle());
    const std::string wire = ChatWire(kLines);

    constexpr int kSlowLines = 100;
    const Round slow = LineByLine(ChatWire(kSlowLines), kSlowLines);
    std::printf("line by line, without a batch: %.2f ms a line (%d lines)%s\n", slow.ms / kSlowLines, kSlowLines,
                slow.ok ? "" : ", FAILED");
    Client(wire, kLines);  // warm-up
    Bare(pane, echo, kLines);
    constexpr int kRounds = 7;
    std::vector<double> client, bare;
    int failed = slow.ok ? 0 : 1;
    for (int i = 0; i < 2 * kRounds; ++i) {
        const bool ours = i % 2 == 0;
        const Round r = ours ? Client(wire, kLines) : Bare(pane, echo, kLines);
        if (!r.ok) {
            ++failed;
            std::printf("round %d (%s) failed\n", i, ours ? "client" : "bare");
            continue;
        }
        (ours ? client : bare).push_back(r.ms);
    }
    const double clientMs = bench::Median(client), bareMs = bench::Median(bare);
    const double ratio = bareMs > 0 ? clientMs / bareMs : 0;
    std::printf("%d chat lines, %d alternating rounds each, medians:\n", kLines, kRounds);
    std::printf("  client (dispatcher, batches, drawn): %8.1f ms = %.3f ms a line\n", clientMs, clientMs / kLines);
    std::printf("  bare hidden rich edit boxes:         %8.1f ms = %.3f ms a line\n", bareMs, bareMs / kLines);
    std::printf("  client / bare: %.2f (goal <= 3) %s\n", ratio, ratio > 0 && ratio <= 3 ? "ok" : "MISSED");
    const double before = bareMs > 0 ? (slow.ms / kSlowLines) / (bareMs / kLines) : 0;
    std::printf("  line by line without a batch / bare: %.1f\n", before);
    std::printf("  failed rounds: %d\n", failed);
    return failed || !(ratio > 0 && ratio <= 3) ? 1 : 0;
}
