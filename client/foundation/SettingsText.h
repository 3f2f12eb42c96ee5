// Text from the server made safe for the settings files: a key loses what would end it or
// start a section, a value what would end its line.
#pragma once
#include <string>

namespace skx {

// The text without CR, LF, Chr(0), "=", "[" and "]".
std::string IniKeyText(const std::string& text);
// The text without CR, LF and Chr(0).
std::string IniValueText(const std::string& text);
// A game's name as the vote command carries it between apostrophes: without CR, LF, Chr(0),
// "'" and "&", so that it stays one argument of one command.
std::string VoteGameText(const std::string& text);

}  // namespace skx
