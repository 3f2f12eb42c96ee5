// What the keyboard does in the game: the movement keys of the keypad and of W, A, S, D, Enter
// sending the chat entry line, and the rules of the entry line's text. No window is touched
// here; the main window carries the actions out.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skx {

// Which keys move the player (the Keypad and WASD options; at most one is on).
enum class MovementKeys { None, Keypad, WASD };

// DirectInput key codes the game reads.
namespace GameKey {
constexpr int W = 17, Enter = 28, A = 30, S = 31, D = 32, Keypad5 = 76;
}

struct KeyAction {
    enum class Kind { Move, Center, SendEntryLine };
    Kind kind;
    std::string steps;  // Move: the MoveSteps text
};

// The actions of one keyboard notification, in ascending key code, for the keys that mean
// something in the mode: each key acts once when it is held (0x80 in the state) or went down in
// the batch (wentDown: the codes of its key-down events), though the state, read after the
// events, may find it let go already. Nothing unless a key went down in the batch.
std::vector<KeyAction> KeyActions(const std::array<uint8_t, 256>& state, const std::vector<uint32_t>& wentDown,
                                  MovementKeys mode);

// What Enter sends for an entry line: the CommandLine data, and the line the history keeps.
struct EntryLineSend {
    std::string line;     // the entry text with its runs of blanks collapsed
    std::string command;  // the CommandLine data
    std::string history;  // what goes to the top of the history
};
// Nothing when the line is empty once its runs of blanks are collapsed.
std::optional<EntryLineSend> EntryLineCommand(const std::string& text, bool autoChat);

// The entry line's text after a change: cleaned and cut to MaxEntryLength characters.
constexpr size_t MaxEntryLength = 250;
std::string EntryLineText(const std::string& text);

}  // namespace skx
