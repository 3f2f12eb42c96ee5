// The debug view's text: one line per entry of the player table.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace skx {

struct DebugPlayer {
    std::string Name;    // empty for a free entry
    int16_t Sprite = -1;  // -1 for none
};

// Entry i as i & ") " & name & " [" & sprite & "]" & CR LF, in table order.
std::string PlayerTableText(const std::vector<DebugPlayer>& players);

}  // namespace skx
