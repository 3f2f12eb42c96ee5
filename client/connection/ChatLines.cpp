#include "ChatLines.h"

#include "TextUtilities.h"
#include "runtime/Conversions.h"

namespace skx {

namespace {

constexpr char LockerHeading[] = "Contents of your locker:";

struct PairedKind {
    int kind;
    int pane;
    const char* before;  // the name piece: before & sender & after
    const char* after;
    ColourSet ChatLook::*colours;  // null: the fixed colours below
    int32_t dark, light;
};

// The kinds written as a name piece and a text piece.
constexpr PairedKind PairedKinds[] = {
    {ChatKind::Chat, ChatPane::Public, "", " chats: ", &ChatLook::chat, 0, 0},
    {ChatKind::Tell, ChatPane::Private, "", " tells you: ", &ChatLook::tell, 0, 0},
    {ChatKind::TellSent, ChatPane::Private, "You tell ", ": ", &ChatLook::tell, 0, 0},
    {ChatKind::Announce, ChatPane::Public, "", " announces: ", &ChatLook::announce, 0, 0},
    {ChatKind::TeamPlan, ChatPane::Team, "", " Team Plans: ", &ChatLook::plan, 0, 0},
    {ChatKind::GamePlan, ChatPane::Team, "", " Game Plans: ", nullptr, Rgb(20, 70, 70), Rgb(40, 140, 140)},
    {ChatKind::Wizard, ChatPane::Wizard, "", " wizs: ", nullptr, Rgb(20, 70, 100), Rgb(40, 140, 200)},
    {ChatKind::Say, ChatPane::Public, "", " says: ", nullptr, Rgb(226, 179, 106), Rgb(125, 125, 125)},
};

}  // namespace

bool IsChatKind(int kind) { return kind >= ChatKind::Chat && kind <= ChatKind::Tournament; }

bool IgnorableKind(int kind) { return kind >= ChatKind::Chat && kind <= ChatKind::TellSent; }

std::vector<ChatPiece> ChatPieces(int kind, const std::string& sender, const std::string& text, const ChatLook& look) {
    const std::string& stamp = look.timeStamp;
    switch (kind) {
        case ChatKind::Plain:
            return {{ChatPane::Public, stamp + sender + " " + text, Rgb(75, 75, 10), true, false, false}};
        case ChatKind::Locker:
        case ChatKind::Locker2:
            return {{ChatPane::Game, stamp + Cap(text), 0, true, false, false}};
        case ChatKind::Tournament:
            return {{ChatPane::Game, stamp + text, 0, true, false, false}};
        default:
            break;
    }
    for (const PairedKind& k : PairedKinds) {
        if (k.kind != kind) continue;
        const int32_t dark = k.colours ? (look.*k.colours).Dark : k.dark;
        const int32_t light = k.colours ? (look.*k.colours).Light : k.light;
        return {{k.pane, stamp + k.before + sender + k.after, dark, false, look.boldNames, look.boldNames},
                {k.pane, text, light, true, false, false}};
    }
    return {};
}

std::string Cap(const std::string& text) {
    if (text.empty()) return text;
    return UCase(Left(text, 1)) + Mid(text, 2);
}

bool IsLockerList(const std::string& text) {
    const int64_t heading = sizeof LockerHeading - 1;
    return Len(text) > heading && IsSameText2(Left(text, heading), LockerHeading, 1);
}

std::string InvalidChatLineText(const std::string& sender, const std::string& text, int kind) {
    return "Communication data incorrect: " + sender + "," + text + "," + std::to_string(kind);
}

}  // namespace skx
