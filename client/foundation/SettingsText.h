// Text from the server made safe for the settings files: a key loses what would end it or
// start a section, a value what would end its line. And the two texts of the vote settings
// that travel between Game.DAT and the server's commands: the voted game and the [Hate] keys.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

// The text without CR, LF, Chr(0), "=", "[" and "]".
std::string IniKeyText(const std::string& text);
// The text without CR, LF and Chr(0).
std::string IniValueText(const std::string& text);

// Whether a game's name can stand between the vote command's apostrophes as one argument of one
// command: it holds no "'", no " & " (the server's separator of commands on one line), no CR,
// LF or Chr(0). A name that cannot is refused whole, never changed into another game's name.
bool IsVoteGameText(const std::string& text);

// [Hate] keeps a game's flag under its name cut to this many characters.
inline constexpr int64_t MostHateKeyLength = 64;
// [Hate] List: the disliked games joined by "@".
inline constexpr const char* HateListKey = "List";
// The [Hate] key of a game, for every writer and reader of the flags: the name as a key
// (IniKeyText), blanks around it dropped, cut to MostHateKeyLength characters. Empty when the
// game has no key of its own: a blank name, or one that is the list's key (any case).
std::string HateKey(const std::string& game);

}  // namespace skx
