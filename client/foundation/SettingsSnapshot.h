// A settings file read once for many keys (a window filling a list from Game.DAT), answering as
// the plain reader mfncGetFromIni does: a value the server set that still waits for its write
// (ServerSettings.h) counts over the file's.
#pragma once
#include <optional>
#include <string>

#include "IniText.h"

namespace skx {

class SettingsSnapshot {
public:
    // Reads the file (a full path); a missing file holds no values.
    explicit SettingsSnapshot(std::string file);
    // The value of Section/Key: the waiting one, else the file's as read; Default when that is
    // missing or blank.
    std::string Get(const std::string& section, const std::string& key, const std::string& Default) const;

private:
    std::string file_;
    std::optional<IniText> text_;
};

}  // namespace skx
