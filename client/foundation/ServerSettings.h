// Settings that the server's frames set (the news seen, the vote and the disliked games). A
// server may send such frames by the thousand; each would rewrite Game.DAT. Here a value that
// reads the same as the stored one is not written, and changes are written at most once a
// second: a change that comes sooner waits, the latest value of each key kept, and a one-second
// timer of the thread writes what waits. Every reader of the settings (mfncGetFromIni, IniKeys)
// already sees a waiting value, so only the file on disk lags.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace skx {

// The least time between two writes of server-set values.
inline constexpr unsigned ServerSettingsIntervalMs = 1000;

// Writes Value (plain, cut to 255 characters) to Section/Key of File as described above.
void WriteServerSetting(const std::string& File, const std::string& Section, const std::string& Key,
                        const std::string& Value);
// Writes every waiting value now: at disconnect and at exit.
void FlushServerSettings();
// How many values wait.
size_t WaitingServerSettings();

// For the settings readers and writers: the value waiting for Section/Key of File (names
// compared without regard to case, as the files do); the keys of Section that wait; and a
// direct write of a key, which makes a waiting value of it obsolete.
std::optional<std::string> WaitingServerSetting(const std::string& File, const std::string& Section,
                                                const std::string& Key);
std::vector<std::string> WaitingServerSettingKeys(const std::string& File, const std::string& Section);
void DropWaitingServerSetting(const std::string& File, const std::string& Section, const std::string& Key);

}  // namespace skx
