// The chat lines the server sends ('c'): which pane each kind goes to and the pieces it is
// written in, with their colours and styles. Nothing here touches a window.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ProgramSettings.h"

namespace skx {

// The chat window's panes (txtStatus indexes).
namespace ChatPane {
constexpr int General = 0, Game = 1, Public = 2, Private = 3, Team = 4, Wizard = 5;
}

// The kinds of chat line; any other kind is an invalid line.
namespace ChatKind {
constexpr int Chat = 0, Plain = 1, Tell = 2, TellSent = 3, Locker = 4, Locker2 = 5, Announce = 6, TeamPlan = 7,
              GamePlan = 8, Wizard = 9, Say = 10, Tournament = 11;
// A frame of fewer than three fields counts as this kind.
constexpr int Short = 12;
}  // namespace ChatKind

// 0x00BBGGRR, as AddToRTB takes colours.
constexpr int32_t Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// One AddToRTB call of a chat line (every piece is echoed into "General").
struct ChatPiece {
    int pane = ChatPane::General;
    std::string text;
    int32_t colour = 0;
    bool newLine = false;
    bool bold = false;
    bool altFont = false;
    bool operator==(const ChatPiece&) const = default;
};

// What the pieces are made of: the time stamp and the chat look of the options.
struct ChatLook {
    std::string timeStamp;
    bool boldNames = false;
    ColourSet chat, tell, plan, announce;
};

bool IsChatKind(int kind);
// Kinds 0 to 3 are dropped when the sender (for kind 3 the receiver) is ignored.
bool IgnorableKind(int kind);
// The pieces of a line of a valid kind, in writing order: a name piece and a text piece for
// most kinds, one piece for kind 1 and for the Game pane's lines (4, 5 and 11).
std::vector<ChatPiece> ChatPieces(int kind, const std::string& sender, const std::string& text, const ChatLook& look);

// Text with its first character upper-cased ("" stays "").
std::string Cap(const std::string& text);
// A locker list: longer than "Contents of your locker:" and beginning with it, in any case.
bool IsLockerList(const std::string& text);
// The box text of an invalid line.
std::string InvalidChatLineText(const std::string& sender, const std::string& text, int kind);

}  // namespace skx
