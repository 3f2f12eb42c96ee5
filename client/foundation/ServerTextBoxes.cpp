#include "ServerTextBoxes.h"

#include <windows.h>

#include "ClientLinks.h"
#include "MessageBox.h"
#include "modRTFLinks.h"
#include "runtime/ErrorGuard.h"
#include "runtime/MsgBox.h"

namespace skx {

namespace {
BoxGate& Boxes() {
    static BoxGate gate;
    return gate;
}
// All boxes: the one open, and the texts put into the pane.
BoxSpell& Spell() { return Boxes().All(); }
BoxSpell& FloodSpell() {
    static BoxSpell spell;
    return spell;
}
bool& Quiet() {
    static bool quiet = false;
    return quiet;
}

constexpr int32_t Red = 255;

void PaneLine(const std::string& line) {
    Guard("modMiscFunctionsOne", "ServerTextBox", [&] {
        if (!ClientLinks().GamePane) return;
        AddToRTB(line, ClientLinks().GamePane(), Red, true, false, false, true);
    });
}

void WriteCount(bool force) {
    if (int64_t n = Spell().TakeCount(GetTickCount(), force)) PaneLine(DivertedCountText(n));
}

// Opens the box through show when the rule lets it, else writes the pane's line.
template <class Show>
int32_t Gate(const std::string& kind, const std::string& title, const std::string& text, Show show) {
    BoxSpell& spell = Spell();
    if (!Boxes().MayOpen(kind, GetTickCount(), Quiet())) {
        if (spell.Diverted(GetTickCount())) PaneLine(DivertedLine(title, text));
        return 0;
    }
    WriteCount(true);  // what went to the pane before this box is counted before it
    struct Open {
        explicit Open(BoxSpell& s) : s_(s) { s_.Opened(); }
        ~Open() { s_.Closed(); }
        Open(const Open&) = delete;
        Open& operator=(const Open&) = delete;
        BoxSpell& s_;
    } open(spell);
    return show();
}
}  // namespace

int32_t ServerTextBox(const std::string& kind, const std::string& text, int32_t style, const std::string& title,
                      const std::string& font) {
    return Gate(kind, title, text, [&] { return CSendMessage(text, style, title, 0, true, true, -1, font); });
}

void ServerTextPlainBox(const std::string& kind, const std::string& text) {
    Gate(kind, "", text, [&] {
        MsgBox(text);
        return 0;
    });
}

void QuietServerTextBoxes(bool quiet) { Quiet() = quiet; }

void FlushServerTextCount() {
    WriteCount(false);
    if (int64_t n = FloodSpell().TakeCount(GetTickCount())) PaneLine(LeftOutCountText(n));
}

bool MayWriteFloodLine() {
    BoxSpell& spell = FloodSpell();
    if (spell.MayOpen(GetTickCount(), false)) return true;
    (void)spell.Diverted(GetTickCount());
    return false;
}

}  // namespace skx
