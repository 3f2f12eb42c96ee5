// The server's alias replies ('a'): the whole data split on ";" into a kind and the rest.
// Kind 0 is an alias list for the alias console; kinds 1 and 2 are the results of saving and
// of removing an alias. Pure text work: no window.
#pragma once
#include <string>

namespace skx {

// What a reply asks of the client, in this order: the list to the console, a result box, a
// new list request.
struct AliasReplyAction {
    bool ToConsole = false;
    std::string Box;  // empty: no box
    bool AskForList = false;
};

// A reply of fewer than two pieces, or of another kind, asks nothing. A kind that is not a
// number raises error 13, a result without the part its box names error 9.
AliasReplyAction ReadAliasReply(const std::string& data);

}  // namespace skx
