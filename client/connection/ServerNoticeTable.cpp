#include "ServerNoticeTable.h"

#include <array>
#include <cmath>

#include "ChatLines.h"
#include "runtime/Conversions.h"

namespace skx {

namespace {

constexpr int32_t Red = 255;

namespace Sound {
constexpr int16_t Fire = 0, Bounce = 1, Splat = 2, Siren = 3, Unsiren = 4, Release = 7, HitYou = 10;
}

// The notices whose line is a fixed text.
struct FixedNotice {
    int16_t id;
    const char* text;
};
constexpr FixedNotice FixedNotices[] = {
    {1, "You have fired your weapon!"},
    {2, "You cannot move out of the holding arena!"},
    {3, "Can't buy anything here!"},
    {6, "Sorry, You can't leave the game!"},
    {8, "You are out of ammunition!"},
    {9, "You do not have a free hand to buy that!"},
    {11, "The game has ended."},
    {12, "Your paintball has died!"},
    {15, "New account created, Thank-you for registering."},
    {16, "The paintball has run out of power!"},
    {19, "You are not wearing a weapon!"},
    {20, "Your weapon jams!"},
    {21, "The game could not be started!"},
    {22, "GAME: You have started the game."},
    {24, "Sorry, this location isn't a store!"},
    {25, "Sorry, your IP address is already logged on to the server. Please only use one character at a time."},
    {27, "User account already logged in."},
    {28, "You have been banned."},
    {31, "Team already exists."},
    {35, "You are already on a team."},
    {36, "Team Create Team_Name"},
    {38, "Team plan what?"},
    {41, "Fine whom how much ?"},
    {42, "Goto whoms position ?"},
    {44, "Reply to who?"},
};

constexpr std::array<const char*, 8> GameKindNames{"Survival",      "Random Teams", "Capture The Flag", "Invaders",
                                                   "Classic Teams", "Tournament",   "Hunt",             "Resurrection"};

// The game kind of a D1: its number when that is a whole number of a kind, else -1.
int GameKindOf(const std::string& D1) {
    const double value = Val(D1);
    if (value != std::floor(value) || value < 0 || value >= static_cast<double>(GameKindNames.size())) return -1;
    return static_cast<int>(value);
}

NoticeAction Line(std::string text, NoticeEffect effect = NoticeEffect::None, int16_t sound = -1) {
    NoticeAction a;
    a.writes = true;
    a.text = std::move(text);
    a.effect = effect;
    a.sound = sound;
    return a;
}

NoticeAction Sounding(std::string text, int16_t sound) { return Line(std::move(text), NoticeEffect::None, sound); }

NoticeAction Effect(NoticeEffect effect) {
    NoticeAction a;
    a.effect = effect;
    return a;
}

NoticeAction ReadyNotice(const std::string& D1) {
    NoticeAction a = Effect(NoticeEffect::ReadyState);
    const std::string state = UCase(D1);
    if (state == "NO") {
        a = Line("You are NOT ready for the next game", NoticeEffect::ReadyState);
        a.ready = ReadyChoice::NotReady;
    } else if (state == "YES") {
        a = Line("You are READY for the next game", NoticeEffect::ReadyState);
        a.ready = ReadyChoice::Ready;
    } else if (state == "AUTO") {
        a = Line("You are AUTO-READY for the next game", NoticeEffect::ReadyState);
        a.ready = ReadyChoice::AutoReady;
    }
    return a;
}

NoticeAction SplatNotice(const std::string& D1, const std::string& D2, const std::string& D3,
                         const NoticeContext& context) {
    if (TextEquals(D2, context.username)) return Sounding(Cap(D1) + " has splatted you in the " + D3 + "!", Sound::HitYou);
    if (TextEquals(D1, context.username)) return Sounding("You have splatted " + D2 + " in the " + D3 + "!", Sound::Splat);
    if (context.ignoreSplats) return {};
    return Line(Cap(D1) + " has splatted " + D2 + " in the " + D3 + "!");
}

}  // namespace

std::string GameKindName(const std::string& D1) {
    const int kind = GameKindOf(D1);
    return kind < 0 ? "UNKNOWN" : GameKindNames[static_cast<size_t>(kind)];
}

std::string GameKindArticle(const std::string& D1) {
    const int kind = GameKindOf(D1);
    return kind < 0 || kind == 3 ? "An" : "A";
}

const char* ReadyStatusText(ReadyChoice choice) {
    switch (choice) {
        case ReadyChoice::NotReady: return "Unready";
        case ReadyChoice::Ready: return "Ready";
        case ReadyChoice::AutoReady: return "Auto-Ready";
        case ReadyChoice::None: break;
    }
    return "";
}

NoticeAction DescribeNotice(int16_t id, const std::string& D1, const std::string& D2, const std::string& D3,
                            const NoticeContext& context) {
    NoticeAction a;
    for (const FixedNotice& n : FixedNotices) {
        if (n.id == id) a = Line(n.text);
    }
    switch (id) {
        case 1: a.sound = Sound::Fire; break;
        case 2:
        case 6: a.effect = NoticeEffect::HoldPosition; break;
        case 5: a = Line("You fired your " + D1 + "!"); break;
        case 7:
            a = Line("You have entered a " + GameKindName(D1) + " game.", NoticeEffect::ClearSplats, Sound::Siren);
            break;
        case 10:
            a = Line(GameKindArticle(D1) + " " + GameKindName(D1) + " game has started.", NoticeEffect::ClearSplats);
            break;
        case 11:
            a.effect = NoticeEffect::GameEnd;
            a.sound = Sound::Unsiren;
            break;
        case 13:
            a = Line("You have been charged $" + D1 + " for playing in this game.");
            a.colour = Red;
            break;
        case 14:
            a = Line("You have been awarded $" + D1 + " for winning in this game.");
            a.colour = Red;
            break;
        case 17: a = Line(D1 + " has just fired a shot!"); break;
        case 18: a = ReadyNotice(D1); break;
        case 23: a = Sounding(D1 + " robots have been released.", Sound::Release); break;
        case 25:
        case 38: a.echo = false; break;
        case 26:
            a = Line("Welcome to Skirmora.\r\nConnection (" + (context.localAddress ? context.localAddress() : "") +
                     ") Logged.\r\nReview the End-User License Agreement.");
            a.bold = true;
            break;
        case 29: a = Effect(NoticeEffect::Quit); break;
        case 30: a = SplatNotice(D1, D2, D3, context); break;
        case 32: a = Line("Team '" + D1 + "' has been created."); break;
        case 33: a = Sounding("A " + D1 + " has bounced off your " + D2, Sound::Bounce); break;
        case 34: a = Sounding("A " + D1 + " has bounced off of " + D3 + "s' " + D2 + "!", Sound::Bounce); break;
        case 37: a = Line("You have changed your team's website to: '" + D1 + "'."); break;
        case 39: a = Line("Sorry, but '" + D1 + "' is not online!"); break;
        case 40: a = Line("You have changed your team's news and events to: '" + D1 + "'."); break;
        case 43: a = Line("'" + D1 + "' is not online!"); break;
        case 45: a = Line(Cap(D1)); break;
        case 48: a = Effect(NoticeEffect::AdminBox); break;
        case 49:
            a = Line(D1, NoticeEffect::Quit);
            a.colour = Red;
            a.bold = true;
            break;
        case 50: a = Effect(NoticeEffect::VoteInformation); break;
        case 51:
            a = Line(D1);
            a.bold = true;
            break;
        default:
            if (id >= 52 && id <= 59) a = Line("Message ID: " + CStr(id) + " is unsupported.");
            break;
    }
    return a;
}

}  // namespace skx
