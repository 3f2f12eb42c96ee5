// The program-wide settings every part of the client reads: the chat look, the options, the
// custom command buttons, the music of each game kind, the self-click commands, the saved
// window layout, the last user, the folders and the current map. LoadSettings and the layout
// step fill them at start-up; SaveClientSettings writes them back at shut-down.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace skx {

// A chat colour set: a dark and a light colour (0x00BBGGRR) and the name it was chosen by.
struct ColourSet {
    int32_t Dark = 0;
    int32_t Light = 0;
    std::string Name;
};

// One custom command button: caption, tool tip and the command it sends.
struct ButtonRecord {
    std::string Name;
    std::string Tip;
    std::string Command;
};

constexpr int ButtonEntries = 55;    // Buttons(0 To 54)
constexpr int GameMusicSlots = 7;    // GameMusic(0 To 6)

// Chat look.
extern std::string FontType;    // font of ordinary chat text
extern std::string FontType2;   // the alternate font
extern int16_t FontSize;        // points, 0 to 255
extern bool Italic;
extern bool BoldNames;
extern ColourSet ChatColours;
extern ColourSet TellColours;
extern ColourSet PlanColours;
extern ColourSet AnnounceColours;

// Sound options.
extern bool SoundOn;
extern bool MusicOn;
extern bool RandomSongs;

// Custom command buttons and how many the main window shows.
extern std::array<ButtonRecord, ButtonEntries> Buttons;
extern int16_t ButtonCount;

// Music file of each game kind, in key order: 0 CaptureTheFlag, 1 ClassicTeams, 2 Hunt,
// 3 Invaders, 4 RandomTeams, 5 Survival, 6 Tournament; "<none>" for no music.
extern std::array<std::string, GameMusicSlots> GameMusic;

// Self-click commands of the left and right mouse button.
extern std::string LeftClick;
extern std::string RightClick;

// The note signature (line breaks as "<CRLF>" tokens) and the note id the notes window opens at.
extern std::string Signature;
extern int32_t LastNote;

// Saved window layout, in twips (0 = not set), and the chat bar's splitter position.
extern int32_t Splitter;
extern int32_t GameTop, GameLeft;
extern int32_t ScanTop, ScanLeft;
extern int32_t MapTop, MapLeft, MapWidth, MapHeight;
extern int32_t ChatTop, ChatLeft, ChatWidth, ChatHeight;

// The account of the last login and of the running connection.
extern std::string Username;
extern std::string Password;

// The volume serial number of the program's drive (GetDriveInformation), set at start-up.
extern int32_t AccessCode;

// The Dat and Map folders (each ending in "\") and the current map's name.
extern std::string DatPath;
extern std::string MapPath;
extern std::string MapName;

// Every setting above (but the folders, the map name and AccessCode) to the value it has when
// Game.DAT holds none: fonts "MS Sans Serif", "Arial", 10; self-click commands "CENTER";
// LastNote 1; colour sets "Blue", "Red", "Turquoise", "Grey"; 17 buttons, all blank; music
// "<none>"; every option False; layout 0; empty user, password and signature.
// Start-up calls it before it reads any setting.
void SetDefaultSettings();

}  // namespace skx
