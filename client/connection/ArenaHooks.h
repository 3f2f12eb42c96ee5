// What the arena handlers need of the main window and its child windows beyond the main window
// links (the socket) and the option items (Auto-Center), set by the app at start-up. An empty
// hook reads as "no" and skips its step.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace skx {

class InternetTransfer;

struct ArenaHookTable {
    // The main window's location scanner panel is visible.
    std::function<bool()> ScannerVisible;
    // Sets the map display window's caption.
    std::function<void(const std::string& caption)> SetMapCaption;
    // The transfer object of map downloads (iMapDL).
    std::function<InternetTransfer&()> MapTransfer;
    // A chat line (text, colour) into the chat window's "Game" pane, echoed into "General".
    std::function<void(const std::string& text, int32_t colour)> GameLine;
};

ArenaHookTable& ArenaHooks();

}  // namespace skx
