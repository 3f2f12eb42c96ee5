// The requests the test hook takes, one line of text each:
//   dump <form>
//   use              the process's handle count, GDI objects and private bytes
//   receiving        where the receiving side stands (frames held, reading paused, bytes waiting...)
//   menu <menu item name>
//   <form>.<control> click [item] [shift] | rclick [item] [shift] | key <key> [shift] [ctrl] | set <text> | select <items>
// where <control> is a control's name, with its index for a control array ("txtStatus(3)"),
// or "#" and the window id of a control that has no name.
#pragma once
#include <string>
#include <vector>

namespace skx {

struct HookRequest {
    enum class Kind { Invalid, Dump, Menu, Click, RightClick, Key, Set, Select, Use, Receiving };
    Kind kind = Kind::Invalid;
    std::string form;
    std::string control;
    std::vector<std::string> args;  // the item; the key and its modifiers; the text; the items; the menu item
    std::string error;               // why an invalid request is invalid
};

HookRequest ParseHookRequest(const std::string& line);

}  // namespace skx
