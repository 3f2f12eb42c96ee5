// Reading the settings files into the program-wide settings.
#include <functional>

#include "ColourSets.h"
#include "IniText.h"
#include "OptionMenuItems.h"
#include "ProgramSettings.h"
#include "SettingsFiles.h"
#include "WholeFile.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {

std::string GameDatFile() { return DatPath + GameDat; }

// One plain key of Game.DAT, empty when absent or blank.
std::string ReadGameKey(const std::string& section, const std::string& key) {
    return mfncGetFromIni(GameDatFile(), section, key, false, "", "");
}

// Converts and applies a present value. A value that does not convert is reported under
// the reading procedure's name and skipped, so the keys after it are still read.
void ApplyPresent(const char* module, const char* procedure, const std::string& value,
                  const std::function<void(const std::string&)>& apply) {
    std::string trimmed = Trim(value);
    if (trimmed.empty()) return;
    Guard(module, procedure, [&] { apply(trimmed); });
}

void ReadCheck(const std::string& section, const std::string& key, MenuOption option) {
    ApplyPresent("modMiscFunctionsOne", "LoadSettings", ReadGameKey(section, key),
                 [&](const std::string& v) { SetMenuChecked(option, CBool(v)); });
}

void ReadBool(const std::string& section, const std::string& key, bool& target) {
    ApplyPresent("modMiscFunctionsOne", "LoadSettings", ReadGameKey(section, key),
                 [&](const std::string& v) { target = CBool(v); });
}

void ReadLayoutValue(const std::string& key, int32_t& target) {
    ApplyPresent("modFormDesign", "InitiateLayout", ReadGameKey("Form", key),
                 [&](const std::string& v) { target = CLng(v); });
}

}  // namespace

void LoadSettings() {
    Guard("modMiscFunctionsOne", "LoadSettings", [&] {
        // 1. The last user.
        Username = Trim(mfncGetFromIni(GameDatFile(), "LASTUSER", "Username", false, "", ""));
        Password = mfncGetFromIni(GameDatFile(), "LASTUSER", "Password", true, "", "");

        // 2. Movement keys.
        ReadCheck("Options", "KeyPad", MenuOption::Keypad);
        ReadCheck("Options", "WASD", MenuOption::WASD);

        // 3. Self-click commands.
        std::string left = Trim(ReadGameKey("Settings", "LeftClick"));
        LeftClick = left.empty() ? "CENTER" : left;
        std::string right = Trim(ReadGameKey("Settings", "RightClick"));
        RightClick = right.empty() ? "CENTER" : right;

        // 4. Sound.
        ReadBool("Options", "Sound", SoundOn);
        ReadBool("Options", "Music", MusicOn);
        ReadBool("Options", "RandomSongs", RandomSongs);

        // 5. Option items.
        ReadCheck("Options", "ShowErrors", MenuOption::ShowErrors);
        ReadCheck("Options", "Satellite", MenuOption::ShowSatellite);
        ReadCheck("Options", "AutoCenter", MenuOption::AutoCenter);
        ReadCheck("Options", "Movement", MenuOption::TrueMovement);
        ReadCheck("Options", "LangFilter", MenuOption::LangFilter);
        ReadCheck("Options", "AutoChat", MenuOption::AutoChat);
        ReadCheck("Options", "IgnoreWhoSplats", MenuOption::SplatIgnore);
        ReadCheck("Options", "ScrollLock", MenuOption::ScrollLock);
        ReadCheck("Options", "AutoTile", MenuOption::AutoTileWindows);
        ReadCheck("Options", "TimeStamp", MenuOption::DisplayTimeStamp);

        // 6. Fonts.
        std::string font = Trim(ReadGameKey("Settings", "FontType"));
        if (!font.empty()) FontType = font;
        std::string font2 = Trim(ReadGameKey("Settings", "FontType2"));
        if (!font2.empty()) FontType2 = font2;
        ApplyPresent("modMiscFunctionsOne", "LoadSettings", ReadGameKey("Settings", "FontSize"),
                     [](const std::string& v) { FontSize = CByte(v); });
        ReadBool("Settings", "BoldNames", BoldNames);
        ReadBool("Settings", "Italic", Italic);

        // 7. Colour sets.
        auto colour = [](const char* key, const char* absent) {
            std::string name = Trim(ReadGameKey("Colours", key));
            return name.empty() ? std::string(absent) : name;
        };
        SetColor(ChatColours, colour("Chat", "Blue"));
        SetColor(TellColours, colour("Tell", "Red"));
        SetColor(PlanColours, colour("Plan", "Turquoise"));
        SetColor(AnnounceColours, colour("Announce", "Grey"));

        // 8. The note the notes window opens at.
        std::string last = Trim(ReadGameKey("Notes", "Last"));
        if (last.empty()) {
            LastNote = 1;
        } else {
            Guard("modMiscFunctionsOne", "LoadSettings", [&] { LastNote = CLng(last); });
        }

        // 9. The note signature.
        Signature = Trim(ReadWholeIniValue(GameDatFile(), "Signature", "String"));
    });
}

void LoadWindowLayout() {
    Guard("modFormDesign", "InitiateLayout", [&] {
        ReadLayoutValue("Splitter", Splitter);
        ReadLayoutValue("GameTop", GameTop);
        ReadLayoutValue("GameLeft", GameLeft);
        ReadLayoutValue("ScanTop", ScanTop);
        ReadLayoutValue("ScanLeft", ScanLeft);
        ReadLayoutValue("MapTop", MapTop);
        ReadLayoutValue("MapLeft", MapLeft);
        ReadLayoutValue("MapWidth", MapWidth);
        ReadLayoutValue("MapHeight", MapHeight);
        std::string buttons = Trim(ReadGameKey("Form", "Buttons"));
        if (buttons.empty()) {
            ButtonCount = 17;
        } else {
            Guard("modFormDesign", "InitiateLayout", [&] { ButtonCount = CInt(buttons); });
        }
        ReadLayoutValue("ChatTop", ChatTop);
        ReadLayoutValue("ChatLeft", ChatLeft);
        ReadLayoutValue("ChatWidth", ChatWidth);
        ReadLayoutValue("ChatHeight", ChatHeight);
    });
}

void LoadCommandButtons() {
    Guard("modFormDesign", "InitiateLayout", [&] {
        // One read of the file for the 165 values (a profile call each took most of the start-up).
        std::string text;
        if (!ReadWholeFile(DatPath + ButtonsDat, text)) return;
        const IniText file(text);
        for (int index = 0; index < ButtonEntries; ++index) {
            const std::string section = "Button" + std::to_string(index);
            ButtonRecord& entry = Buttons[static_cast<size_t>(index)];
            auto field = [&](const char* key, std::string& target) {
                std::string value = Trim(file.Get(section, key));
                if (!value.empty()) target = value;
            };
            field("Name", entry.Name);
            field("Tip", entry.Tip);
            field("Command", entry.Command);
        }
    });
}

void LoadLastMap() {
    Guard("modMiscFunctionsOne", "AllAboard", [&] {
        std::string map = Trim(ReadGameKey("LASTSETTINGS", "Map"));
        if (!map.empty()) MapName = map;
    });
}

void LoadGameMusic() {
    Guard("modMiscFunctionsOne", "AllAboard", [&] {
        const std::string file = DatPath + GameMusicDat;
        for (size_t slot = 0; slot < GameMusicKeys.size(); ++slot)
            GameMusic[slot] = mfncGetFromIni(file, "File", GameMusicKeys[slot], false, "<none>", "");
    });
}

}  // namespace skx
