// The numbered server notices ('M') in the client's own words: for a notice and its data, the
// chat line with its style, the sound after it and the side effect. Nothing here touches a
// window; ShowMessage carries the result out.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace skx {

// Side effects of notices (after the line, before the sound).
enum class NoticeEffect {
    None,
    HoldPosition,     // MoveTarget := OwnPosition
    ClearSplats,      // Clear_Splats
    GameEnd,          // GameEnd
    ReadyState,       // the three ready items and the game window's status (see ready)
    Quit,             // sends the command line "quit"
    AdminBox,         // D1 in a message box
    VoteInformation,  // HandleVoteInformation(D1)
};

// The ready states of notice 18, in the order of the Status menu's items.
enum class ReadyChoice { None, NotReady, Ready, AutoReady };

struct NoticeAction {
    bool writes = false;  // a chat line (text after the time stamp) into the "Game" pane
    std::string text;
    int32_t colour = 0;
    bool bold = false;
    bool echo = true;
    NoticeEffect effect = NoticeEffect::None;
    ReadyChoice ready = ReadyChoice::None;
    int16_t sound = -1;  // SoundEffect played after the line and the effect; -1 none
};

// What the wording depends on besides the notice's data.
struct NoticeContext {
    std::string username;
    bool ignoreSplats = false;               // Options > Ignore Splat Information
    std::function<std::string()> localAddress;  // the socket control's LocalAddress (notice 26)
};

// What notice id with the data D1 to D3 does; notices without a meaning do nothing.
NoticeAction DescribeNotice(int16_t id, const std::string& D1, const std::string& D2, const std::string& D3,
                            const NoticeContext& context);

// The game kind name of a notice's D1 ("Survival" ... "Resurrection", else "UNKNOWN") and the
// article notice 10 puts before it.
std::string GameKindName(const std::string& D1);
std::string GameKindArticle(const std::string& D1);

// The ready state's text in the game window's status box.
const char* ReadyStatusText(ReadyChoice choice);

}  // namespace skx
