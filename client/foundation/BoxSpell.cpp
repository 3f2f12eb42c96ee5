#include "ServerTextBoxes.h"

namespace skx {

bool BoxSpell::Room(uint32_t now) {
    if (!anyText_ || now - lastText_ >= kBoxSpellMs) shown_ = 0;  // a new spell
    anyText_ = true;
    lastText_ = now;
    return shown_ < most_;
}

bool BoxSpell::MayOpen(uint32_t now, bool blocked) {
    if (!Room(now) || blocked || open_ > 0) return false;
    Shown();
    return true;
}

bool BoxGate::MayOpen(const std::string& kind, uint32_t now, bool quiet) {
    BoxSpell& own = kinds_[kind];
    // Every text carries both spells on, whether or not it gets a box.
    const bool ownRoom = own.Room(now);
    const bool allRoom = all_.Room(now);
    if (!ownRoom || !allRoom || quiet || all_.Open()) return false;
    own.Shown();
    all_.Shown();
    return true;
}

bool BoxSpell::Diverted(uint32_t now) {
    lastDiverted_ = now;
    return ++diverted_ <= kDivertedLines;
}

int64_t BoxSpell::TakeCount(uint32_t now, bool force) {
    if (!diverted_) return 0;
    if (!force && (open_ > 0 || now - lastDiverted_ < kDivertedQuietMs)) return 0;
    const int64_t n = diverted_;
    diverted_ = 0;
    return n;
}

std::string DivertedCountText(int64_t count) {
    if (count > kDivertedLines) {
        return std::to_string(count) + " further messages of the server came instead of boxes; the first " +
               std::to_string(kDivertedLines) + " are written above.";
    }
    return std::to_string(count) + (count == 1 ? " further message" : " further messages") +
           " of the server " + (count == 1 ? "was" : "were") + " put here instead of in a box.";
}

std::string LeftOutCountText(int64_t count) {
    return std::to_string(count) + (count == 1 ? " further line" : " further lines") +
           " of commands without a handler " + (count == 1 ? "was" : "were") + " left out.";
}

std::string DivertedLine(const std::string& title, const std::string& text) {
    std::string line = title.empty() ? text : title + ": " + text;
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    if (line.size() > kDivertedLineMax) line = line.substr(0, kDivertedLineMax - 3) + "...";
    return line;
}

}  // namespace skx
