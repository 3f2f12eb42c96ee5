#include "DebugText.h"

namespace skx {

std::string PlayerTableText(const std::vector<DebugPlayer>& players) {
    std::string text;
    for (size_t i = 0; i < players.size(); ++i) {
        text += std::to_string(i) + ") " + players[i].Name + " [" + std::to_string(players[i].Sprite) + "]\r\n";
    }
    return text;
}

}  // namespace skx
