// Message boxes raised by what the server sends (its error texts, notices, results) and by the
// error reporter. A server can send such texts faster than anyone can click boxes away, so at
// most one of them is open at a time, and only a few of each kind, and a few more of all kinds,
// come within a short spell: the others are written as a line into the chat bar's "Game" pane
// instead, followed, once they stop, by one line saying how many were put there.
#pragma once
#include <cstdint>
#include <map>
#include <string>

namespace skx {

// Boxes of one kind in one spell, and of all kinds together: a spell lasts while texts (of that
// kind, or of any) keep coming less than kBoxSpellMs apart.
inline constexpr int64_t kBoxesPerSpell = 3;
inline constexpr int64_t kBoxesInSpell = 20;
inline constexpr uint32_t kBoxSpellMs = 10000;
// The count line follows once no text has been put into the pane for this long.
inline constexpr uint32_t kDivertedQuietMs = 2000;
// A text put into the pane is cut to this many characters; of a run of such texts only the first
// kDivertedLines are written (each costs a write into two panes), the count takes the rest.
inline constexpr size_t kDivertedLineMax = 1000;
inline constexpr int kDivertedLines = 20;

// The client's message box (CSendMessage) for a text of the server, or its line in the pane;
// kind names the procedure that raises it. Returns the pressed button, or 0 when the text went
// to the pane.
int32_t ServerTextBox(const std::string& kind, const std::string& text, int32_t style, const std::string& title,
                      const std::string& font = "Tahoma");
// The same with the platform's plain box (MsgBox).
void ServerTextPlainBox(const std::string& kind, const std::string& text);

// While quiet (from the user's own Disconnect to the next connection) every such text goes to
// the pane.
void QuietServerTextBoxes(bool quiet);
// Writes the count line once the texts put into the pane have stopped (the frame timer calls it).
void FlushServerTextCount();

// Chat lines the server can raise once a frame without limit (a command without a handler):
// true for the first kBoxesPerSpell of a spell; the others are counted, and their count is
// written by FlushServerTextCount once they stop.
bool MayWriteFloodLine();
// "12 further lines of commands without a handler were left out."
std::string LeftOutCountText(int64_t count);

// The rule itself, apart from boxes and panes (times in milliseconds of any clock). Its counts
// are 64-bit: a server may send texts without end.
class BoxSpell {
public:
    explicit BoxSpell(int64_t most = kBoxesPerSpell) : most_(most) {}
    // Notes a text arriving at now (a spell ends after kBoxSpellMs without one); true while the
    // spell has shown fewer boxes than its most.
    bool Room(uint32_t now);
    void Shown() { ++shown_; }
    // True when a text arriving at now may open a box (counted as shown; the caller then opens
    // and closes it); never while blocked (a box is open, or the boxes are quiet).
    bool MayOpen(uint32_t now, bool blocked);
    void Opened() { ++open_; }
    void Closed() { --open_; }
    bool Open() const { return open_ > 0; }
    // Notes a text kept from a box; true when its line is to be written into the pane.
    bool Diverted(uint32_t now);
    // The count to report at now (then forgotten), or 0 while texts still come or a box is open.
    int64_t TakeCount(uint32_t now, bool force = false);

private:
    int64_t most_;
    int64_t open_ = 0;
    int64_t shown_ = 0;
    int64_t diverted_ = 0;
    bool anyText_ = false;
    uint32_t lastText_ = 0;
    uint32_t lastDiverted_ = 0;
};

// The spells of every kind and the one of all kinds together; All() also keeps the open box and
// the texts put into the pane.
class BoxGate {
public:
    // True when a text of kind arriving at now may open a box: none open, not quiet, and room in
    // both its kind's spell and the spell of all (the box is then counted in both).
    bool MayOpen(const std::string& kind, uint32_t now, bool quiet);
    BoxSpell& All() { return all_; }

private:
    BoxSpell all_{kBoxesInSpell};
    std::map<std::string, BoxSpell> kinds_;  // a handful of procedures raise such boxes
};

// "3 further messages of the server were put here instead of in a box.", or, past
// kDivertedLines, "50000 further messages of the server came instead of boxes; the first 20 are
// written above."
std::string DivertedCountText(int64_t count);
// The pane's line for a text: its title and text on one line, cut to kDivertedLineMax.
std::string DivertedLine(const std::string& title, const std::string& text);

}  // namespace skx
