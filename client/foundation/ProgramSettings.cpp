#include "ProgramSettings.h"

#include "ColourSets.h"

namespace skx {

std::string FontType;
std::string FontType2;
int16_t FontSize = 0;
bool Italic = false;
bool BoldNames = false;
ColourSet ChatColours;
ColourSet TellColours;
ColourSet PlanColours;
ColourSet AnnounceColours;

bool SoundOn = false;
bool MusicOn = false;
bool RandomSongs = false;

std::array<ButtonRecord, ButtonEntries> Buttons;
int16_t ButtonCount = 0;

std::array<std::string, GameMusicSlots> GameMusic;

std::string LeftClick;
std::string RightClick;

std::string Signature;
int32_t LastNote = 0;

int32_t Splitter = 0;
int32_t GameTop = 0, GameLeft = 0;
int32_t ScanTop = 0, ScanLeft = 0;
int32_t MapTop = 0, MapLeft = 0, MapWidth = 0, MapHeight = 0;
int32_t ChatTop = 0, ChatLeft = 0, ChatWidth = 0, ChatHeight = 0;

std::string Username;
std::string Password;

int32_t AccessCode = 0;

std::string DatPath;
std::string MapPath;
std::string MapName;

void SetDefaultSettings() {
    FontType = "MS Sans Serif";
    FontType2 = "Arial";
    FontSize = 10;
    Italic = false;
    BoldNames = false;
    SetColor(ChatColours, "Blue");
    SetColor(TellColours, "Red");
    SetColor(PlanColours, "Turquoise");
    SetColor(AnnounceColours, "Grey");

    SoundOn = false;
    MusicOn = false;
    RandomSongs = false;

    Buttons.fill(ButtonRecord{});
    ButtonCount = 17;
    GameMusic.fill("<none>");

    LeftClick = "CENTER";
    RightClick = "CENTER";
    Signature.clear();
    LastNote = 1;

    Splitter = 0;
    GameTop = GameLeft = 0;
    ScanTop = ScanLeft = 0;
    MapTop = MapLeft = MapWidth = MapHeight = 0;
    ChatTop = ChatLeft = ChatWidth = ChatHeight = 0;

    Username.clear();
    Password.clear();
}

}  // namespace skx
