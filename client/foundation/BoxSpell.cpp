#include "ServerTextBoxes.h"

namespace skx {

bool BoxSpell::MayOpen(uint32_t now, bool blocked) {
    if (!anyText_ || now - lastText_ >= kBoxSpellMs) shown_ = 0;  // a new spell
    anyText_ = true;
    lastText_ = now;
    if (blocked || open_ > 0 || shown_ >= kBoxesPerSpell) return false;
    ++shown_;
    return true;
}

bool BoxSpell::Diverted(uint32_t now) {
    lastDiverted_ = now;
    return ++diverted_ <= kDivertedLines;
}

int BoxSpell::TakeCount(uint32_t now, bool force) {
    if (!diverted_) return 0;
    if (!force && (open_ > 0 || now - lastDiverted_ < kDivertedQuietMs)) return 0;
    const int n = diverted_;
    diverted_ = 0;
    return n;
}

std::string DivertedCountText(int count) {
    if (count > kDivertedLines) {
        return std::to_string(count) + " further messages of the server came instead of boxes; the first " +
               std::to_string(kDivertedLines) + " are written above.";
    }
    return std::to_string(count) + (count == 1 ? " further message" : " further messages") +
           " of the server " + (count == 1 ? "was" : "were") + " put here instead of in a box.";
}

std::string LeftOutCountText(int count) {
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
