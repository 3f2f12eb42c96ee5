// Writing the program-wide settings back to the settings files.
#include "ClientLinks.h"
#include "OptionMenuItems.h"
#include "ProgramSettings.h"
#include "SettingsFiles.h"
#include "SystemServices.h"
#include "runtime/Conversions.h"
#include "runtime/ErrorGuard.h"
#include "runtime/Form.h"

namespace skx {

namespace {

void WriteGameKey(const std::string& section, const std::string& key, const std::string& value) {
    mfncWriteIni(DatPath + GameDat, section, key, value, false);
}

void WriteCheck(const char* key, MenuOption option) { WriteGameKey("Options", key, BoolText(MenuChecked(option))); }

}  // namespace

void SaveClientSettings() {
    Guard("modMiscFunctionsOne", "SaveClientSettings", [&] {
        // Inside the development environment the settings are left alone.
        HWND main = ClientLinks().MainWindow ? ClientLinks().MainWindow() : nullptr;
        if (main && ClassName(main) == "ThunderMDIForm") return;

        WriteGameKey("LASTSETTINGS", "Map", MapName);

        const std::string buttonsFile = DatPath + ButtonsDat;
        for (int index = 0; index < ButtonEntries; ++index) {
            const std::string section = "Button" + std::to_string(index);
            const ButtonRecord& entry = Buttons[static_cast<size_t>(index)];
            mfncWriteIni(buttonsFile, section, "Name", entry.Name, false);
            mfncWriteIni(buttonsFile, section, "Tip", entry.Tip, false);
            mfncWriteIni(buttonsFile, section, "Command", entry.Command, false);
        }

        const std::string musicFile = DatPath + GameMusicDat;
        for (size_t slot = 0; slot < GameMusicKeys.size(); ++slot)
            mfncWriteIni(musicFile, "File", GameMusicKeys[slot], GameMusic[slot], false);

        WriteGameKey("Settings", "LeftClick", LeftClick);
        WriteGameKey("Settings", "RightClick", RightClick);

        WriteCheck("ShowErrors", MenuOption::ShowErrors);
        WriteCheck("KeyPad", MenuOption::Keypad);
        WriteCheck("WASD", MenuOption::WASD);
        WriteGameKey("Options", "Sound", BoolText(SoundOn));
        WriteGameKey("Options", "Music", BoolText(MusicOn));
        WriteGameKey("Options", "RandomSongs", BoolText(RandomSongs));
        WriteCheck("Satellite", MenuOption::ShowSatellite);
        WriteCheck("AutoCenter", MenuOption::AutoCenter);
        WriteCheck("Movement", MenuOption::TrueMovement);
        WriteCheck("LangFilter", MenuOption::LangFilter);
        WriteCheck("AutoChat", MenuOption::AutoChat);
        WriteCheck("IgnoreWhoSplats", MenuOption::SplatIgnore);
        WriteCheck("ScrollLock", MenuOption::ScrollLock);
        WriteCheck("AutoTile", MenuOption::AutoTileWindows);
        WriteCheck("GameInfo", MenuOption::GameInformation);
        WriteCheck("Scanner", MenuOption::LocationScanner);
        WriteCheck("TimeStamp", MenuOption::DisplayTimeStamp);

        WriteGameKey("Settings", "FontType", FontType);
        WriteGameKey("Settings", "FontType2", FontType2);
        WriteGameKey("Settings", "FontSize", CStr(FontSize));
        WriteGameKey("Settings", "BoldNames", BoolText(BoldNames));
        WriteGameKey("Settings", "Italic", BoolText(Italic));

        WriteGameKey("Colours", "Chat", ChatColours.Name);
        WriteGameKey("Colours", "Tell", TellColours.Name);
        WriteGameKey("Colours", "Plan", PlanColours.Name);
        WriteGameKey("Colours", "Announce", AnnounceColours.Name);

        WriteGameKey("Notes", "Last", CStr(LastNote));

        // Window positions are read from the windows themselves (which loads them); a window
        // whose part is not linked keeps the position Game.DAT already holds.
        const ClientLinkTable& links = ClientLinks();
        if (links.ChatSplitter) WriteGameKey("Form", "Splitter", CStr(links.ChatSplitter()));
        if (links.Game) {
            Form& game = links.Game();
            WriteGameKey("Form", "GameTop", CStr(game.Top()));
            WriteGameKey("Form", "GameLeft", CStr(game.Left()));
        }
        if (links.MapDisp) {
            Form& map = links.MapDisp();
            WriteGameKey("Form", "MapTop", CStr(map.Top()));
            WriteGameKey("Form", "MapLeft", CStr(map.Left()));
            WriteGameKey("Form", "MapWidth", CStr(map.Width()));
            WriteGameKey("Form", "MapHeight", CStr(map.Height()));
        }
        WriteGameKey("Form", "Buttons", CStr(ButtonCount));
        if (links.ChatBar) {
            Form& chat = links.ChatBar();
            WriteGameKey("Form", "ChatTop", CStr(chat.Top()));
            WriteGameKey("Form", "ChatLeft", CStr(chat.Left()));
            WriteGameKey("Form", "ChatWidth", CStr(chat.Width()));
            WriteGameKey("Form", "ChatHeight", CStr(chat.Height()));
        }

        WriteWholeIniValue(DatPath + GameDat, "Signature", "String", Signature);
    });
}

}  // namespace skx
