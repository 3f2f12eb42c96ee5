// The settings files in the Dat folder: Game.DAT (options, fonts, colours, window layout,
// last user, server and map, signature, votes), Buttons.DAT (the 55 custom command buttons)
// and GameMusic.DAT (the music of each game kind). All three are INI files read and written
// through the platform's private-profile functions.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skx {

// The three files' names below DatPath.
inline constexpr const char* GameDat = "Game.DAT";
inline constexpr const char* ButtonsDat = "Buttons.DAT";
inline constexpr const char* GameMusicDat = "GameMusic.DAT";

// GameMusic.DAT [File] keys in the order of the GameMusic slots.
inline constexpr std::array<const char*, 7> GameMusicKeys{
    "CaptureTheFlag", "ClassicTeams", "Hunt", "Invaders", "RandomTeams", "Survival", "Tournament"};

// Longest value a settings file keeps.
constexpr int MaxIniValue = 255;

// Reads Section/Key of File (a full path). A value that is missing or blank gives Default;
// otherwise the value as stored (untrimmed). With Encrypted the stored letter pairs are
// deciphered under Password, or under the machine password when Password is empty. A plain
// read sees a value the server set that still waits for its write (ServerSettings.h).
std::string mfncGetFromIni(const std::string& File, const std::string& Section, const std::string& Key,
                           bool Encrypted, const std::string& Default, const std::string& Password = {});

// Writes the first 255 characters of Value to Section/Key of File, creating file and section
// as needed; non-zero when written. With Encrypted the value is stored as letter pairs under
// Password (the machine password when Password is omitted; an empty one is used as given);
// a cipher text longer than 255 letters is not written at all (result 0), since a cut one
// would not decipher. A value of the key that waits for its write is dropped.
int16_t mfncWriteIni(const std::string& File, const std::string& Section, const std::string& Key,
                     const std::string& Value, bool Encrypted,
                     const std::optional<std::string>& Password = std::nullopt);

// The one value kept whole, whatever its length: [Signature] String of Game.DAT. Reads the
// plain value (empty when missing) and writes it plain; non-zero when written.
std::string ReadWholeIniValue(const std::string& File, const std::string& Section, const std::string& Key);
int16_t WriteWholeIniValue(const std::string& File, const std::string& Section, const std::string& Key,
                           const std::string& Value);

// The keys of Section of File, in their order (none when the file or section is missing), then
// those whose first value waits for its write.
std::vector<std::string> IniKeys(const std::string& File, const std::string& Section);

// The password settings are enciphered under when no other is given: the first four digits
// of the decimal text of AccessCode's absolute value.
std::string MachinePassword();

// Reads Game.DAT into the program-wide settings and the main window's option check states.
void LoadSettings();

// The start-up readers of the other settings (each value that is present replaces the
// program-wide one; a Boolean or number that does not convert is reported and skipped):
// Game.DAT [Form] into the layout values and ButtonCount (17 when absent),
void LoadWindowLayout();
// Buttons.DAT into Buttons (each non-blank field, trimmed),
void LoadCommandButtons();
// Game.DAT [LASTSETTINGS] Map into MapName (trimmed, only when not empty),
void LoadLastMap();
// GameMusic.DAT [File] into GameMusic (untrimmed, "<none>" when absent).
void LoadGameMusic();

// Writes Game.DAT, Buttons.DAT and GameMusic.DAT from the program-wide settings.
void SaveClientSettings();

}  // namespace skx
