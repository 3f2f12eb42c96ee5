#include "AliasReply.h"

#include <vector>

#include "TextUtilities.h"
#include "runtime/Conversions.h"
#include "runtime/RunTimeError.h"

namespace skx {

AliasReplyAction ReadAliasReply(const std::string& data) {
    AliasReplyAction action;
    const std::vector<std::string> pieces = SplitB2(data, ";");
    if (pieces.size() < 2) return action;
    const int16_t kind = CInt(pieces[0]);
    if (kind == 0) {
        action.ToConsole = true;
        return action;
    }
    if (kind != 1 && kind != 2) return action;
    const std::vector<std::string> result = SplitB2(pieces[1], ":");
    auto name = [&result] {
        if (result.size() < 2) Raise(errSubscriptOutOfRange);
        return result[1];
    };
    if (kind == 1) {
        if (IsSameText2(result[0], "~", 1)) action.Box = "Sorry, you have reached your limit.";
        else action.AskForList = true;
    } else if (result[0] == "`") {
        action.Box = name() + " was sucessfully removed.";
        action.AskForList = true;
    } else {
        action.Box = name() + " failed to be removed.";
    }
    return action;
}

}  // namespace skx
