// Reading Game.DAT into the program-wide settings, and the full save and load of all three
// settings files through the platform's profile functions.
#include "../foundation/SettingsTestFixture.h"

#include <windows.h>

#include "AppLinks.h"
#include "ColourSets.h"
#include "LetterPairCipher.h"
#include "SettingsFiles.h"
#include "frmChatBar.h"
#include "frmGame.h"
#include "frmMain.h"
#include "frmMapDisp.h"
#include "runtime/Form.h"

using namespace skx;

namespace {

std::string Key(const std::string& file, const std::string& section, const std::string& key) {
    char buffer[1024] = {};
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "<absent>", buffer, sizeof buffer, file.c_str());
    return std::string(buffer, n);
}

// Stand-ins for the windows whose layout is saved: real windows placed by the test.
struct LayoutWindow : Form {
    explicit LayoutWindow(const char* name) : Form(name) {}
};
struct ChatWindow : LayoutWindow { ChatWindow() : LayoutWindow("frmChatBarStandIn") {} };
struct MapWindow : LayoutWindow { MapWindow() : LayoutWindow("frmMapDispStandIn") {} };
struct GameWindow : LayoutWindow { GameWindow() : LayoutWindow("frmGameStandIn") {} };

}  // namespace

using LoadSettingsTest = SettingsTest;
using SaveSettingsTest = SettingsTest;

TEST_F(LoadSettingsTest, EveryKeyIsReadAndConverted) {
    WriteGameDat({"[LASTUSER]", "Username=  Sarge  ", "[Settings]", "LeftClick= look ", "RightClick=center me",
                  "FontType= Verdana ", "FontType2=Tahoma", "FontSize=12.5", "BoldNames=true", "Italic=1",
                  "[Options]", "KeyPad=False", "WASD=TRUE", "Sound=-1", "Music=0", "RandomSongs=True",
                  "ShowErrors=True", "Satellite=True", "AutoCenter=False", "Movement=True", "LangFilter=True",
                  "AutoChat=False", "IgnoreWhoSplats=True", "ScrollLock=True", "AutoTile=True", "TimeStamp=True",
                  "[Colours]", "Chat=Maroon", "Tell= Orange ", "Plan=Purple", "Announce=Pink", "[Notes]",
                  "Last=2.5", "[Signature]", "String= -- Sarge<CRLF>out "});
    mfncWriteIni(GameDatPath(), "LASTUSER", "Password", "  pass word ", true);
    LoadSettings();
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(Username, "Sarge");
    EXPECT_EQ(Password, "  pass word ");  // not trimmed
    EXPECT_EQ(LeftClick, "look");
    EXPECT_EQ(RightClick, "center me");
    EXPECT_EQ(FontType, "Verdana");
    EXPECT_EQ(FontType2, "Tahoma");
    EXPECT_EQ(FontSize, 12);  // halves go to the even neighbour
    EXPECT_TRUE(BoldNames);
    EXPECT_TRUE(Italic);
    EXPECT_FALSE(MenuChecked(MenuOption::Keypad));
    EXPECT_TRUE(MenuChecked(MenuOption::WASD));
    EXPECT_TRUE(SoundOn);
    EXPECT_FALSE(MusicOn);
    EXPECT_TRUE(RandomSongs);
    EXPECT_TRUE(MenuChecked(MenuOption::ShowErrors));
    EXPECT_TRUE(MenuChecked(MenuOption::ShowSatellite));
    EXPECT_FALSE(MenuChecked(MenuOption::AutoCenter));
    EXPECT_TRUE(MenuChecked(MenuOption::TrueMovement));
    EXPECT_TRUE(MenuChecked(MenuOption::LangFilter));
    EXPECT_FALSE(MenuChecked(MenuOption::AutoChat));
    EXPECT_TRUE(MenuChecked(MenuOption::SplatIgnore));
    EXPECT_TRUE(MenuChecked(MenuOption::ScrollLock));
    EXPECT_TRUE(MenuChecked(MenuOption::AutoTileWindows));
    EXPECT_TRUE(MenuChecked(MenuOption::DisplayTimeStamp));
    EXPECT_EQ(ChatColours.Name, "Maroon");
    EXPECT_EQ(ChatColours.Dark, 154 | 4 << 8 | 57 << 16);
    EXPECT_EQ(TellColours.Name, "Orange");
    EXPECT_EQ(PlanColours.Name, "Purple");
    EXPECT_EQ(AnnounceColours.Name, "Pink");
    EXPECT_EQ(LastNote, 2);
    EXPECT_EQ(Signature, "-- Sarge<CRLF>out");
}

TEST_F(LoadSettingsTest, AbsentKeysGiveTheirDefaultsOrKeepTheValue) {
    WriteGameDat({"[Settings]", "FontSize=   ", "[Notes]", "Last=  "});
    FontType = "Kept Font";
    FontType2 = "Kept Font 2";
    FontSize = 33;
    SoundOn = true;
    Italic = true;
    SetMenuChecked(MenuOption::ShowErrors, true);
    Username = "old";
    Password = "old";
    Signature = "old";
    LeftClick = "old";
    LastNote = 77;
    LoadSettings();
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(FontType, "Kept Font");
    EXPECT_EQ(FontType2, "Kept Font 2");
    EXPECT_EQ(FontSize, 33);
    EXPECT_TRUE(SoundOn);
    EXPECT_TRUE(Italic);
    EXPECT_TRUE(MenuChecked(MenuOption::ShowErrors));
    EXPECT_EQ(Username, "");
    EXPECT_EQ(Password, "");
    EXPECT_EQ(Signature, "");
    EXPECT_EQ(LeftClick, "CENTER");
    EXPECT_EQ(RightClick, "CENTER");
    EXPECT_EQ(LastNote, 1);
    // Plan absent reads "Turquoise" (the first run's "Green" is not a read default).
    EXPECT_EQ(ChatColours.Name, "Blue");
    EXPECT_EQ(TellColours.Name, "Red");
    EXPECT_EQ(PlanColours.Name, "Turquoise");
    EXPECT_EQ(PlanColours.Dark, 0 | 128 << 8 | 128 << 16);
    EXPECT_EQ(AnnounceColours.Name, "Grey");
}

TEST_F(LoadSettingsTest, NoGameDatReadsEveryDefault) {
    SetColor(PlanColours, "Green");
    LoadSettings();
    EXPECT_FALSE(testsupport::FileExists(GameDatPath()));
    EXPECT_EQ(PlanColours.Name, "Turquoise");
    EXPECT_EQ(LastNote, 1);
    EXPECT_EQ(FontType, "MS Sans Serif");
    EXPECT_TRUE(Reports().empty());
}

TEST_F(LoadSettingsTest, LastNoteRounding) {
    const std::pair<const char*, int32_t> cases[] = {{"2.5", 2}, {"3.5", 4}, {"2.4999", 2}, {"-1.5", -2},
                                                     {"2147483647", 2147483647}, {" 40 ", 40}};
    for (const auto& [text, expected] : cases) {
        WriteGameDat({"[Notes]", std::string("Last=") + text});
        LoadSettings();
        EXPECT_EQ(LastNote, expected) << text;
    }
    EXPECT_TRUE(Reports().empty());
}

TEST_F(LoadSettingsTest, UnconvertibleKeysAreReportedAndSkipped) {
    WriteGameDat({"[Options]", "KeyPad=maybe", "WASD=True", "Sound=yes", "Music=True", "[Settings]",
                  "FontType=Verdana", "FontSize=300", "BoldNames=True", "Italic=sometimes", "[Colours]",
                  "Chat=Pink", "[Notes]", "Last=abc", "[Signature]", "String=still read"});
    FontSize = 9;
    LastNote = 55;
    LoadSettings();
    // Each bad key is reported under LoadSettings and keeps its value ...
    ASSERT_EQ(Reports().size(), 5u);
    for (const auto& r : Reports()) {
        EXPECT_EQ(r.module, "modMiscFunctionsOne");
        EXPECT_EQ(r.procedure, "LoadSettings");
    }
    EXPECT_EQ(Reports()[0].number, 13);  // KeyPad
    EXPECT_EQ(Reports()[1].number, 13);  // Sound
    EXPECT_EQ(Reports()[2].number, 6);   // FontSize out of 0 to 255
    EXPECT_EQ(Reports()[3].number, 13);  // Italic
    EXPECT_EQ(Reports()[4].number, 13);  // Last
    EXPECT_FALSE(MenuChecked(MenuOption::Keypad));
    EXPECT_FALSE(SoundOn);
    EXPECT_EQ(FontSize, 9);
    EXPECT_FALSE(Italic);
    EXPECT_EQ(LastNote, 55);
    // ... and every key after it is still read.
    EXPECT_TRUE(MenuChecked(MenuOption::WASD));
    EXPECT_TRUE(MusicOn);
    EXPECT_EQ(FontType, "Verdana");
    EXPECT_TRUE(BoldNames);
    EXPECT_EQ(ChatColours.Name, "Pink");
    EXPECT_EQ(Signature, "still read");
}

TEST_F(LoadSettingsTest, UnknownColourNameKeepsTheColours) {
    WriteGameDat({"[Colours]", "Chat=Chartreuse", "Tell=red"});
    SetColor(ChatColours, "Green");
    SetColor(TellColours, "Blue");
    LoadSettings();
    EXPECT_EQ(ChatColours.Name, "Chartreuse");
    EXPECT_EQ(ChatColours.Dark, 0 | 128 << 8);
    EXPECT_EQ(TellColours.Name, "red");  // names compare with letter case
    EXPECT_EQ(TellColours.Dark, 128 << 16);
}

TEST_F(LoadSettingsTest, LayoutButtonsMusicAndMapReaders) {
    WriteGameDat({"[Form]", "Splitter=2000", "GameTop=15.5", "GameLeft=", "MapWidth=6000", "Buttons=  ",
                  "ChatHeight=oops", "[LASTSETTINGS]", "Map=  Arena 7  "});
    ASSERT_TRUE(testsupport::WriteFileBytes(ButtonsDatPath(), "[Button3]\r\nName= Hi \r\nTip=   \r\nCommand=say hi\r\n"));
    ASSERT_TRUE(testsupport::WriteFileBytes(MusicDatPath(), "[File]\r\nHunt=hunt.mp3\r\nSurvival=   \r\n"));
    GameLeft = 90;
    ChatHeight = 4500;
    ButtonCount = 5;
    Buttons[3].Tip = "kept tip";
    MapName = "before";
    LoadWindowLayout();
    LoadCommandButtons();
    LoadGameMusic();
    LoadLastMap();
    EXPECT_EQ(Splitter, 2000);
    EXPECT_EQ(GameTop, 16);
    EXPECT_EQ(GameLeft, 90);
    EXPECT_EQ(MapWidth, 6000);
    EXPECT_EQ(ButtonCount, 17);  // blank: 17
    EXPECT_EQ(ChatHeight, 4500);
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].number, 13);
    EXPECT_EQ(Buttons[3].Name, "Hi");
    EXPECT_EQ(Buttons[3].Tip, "kept tip");
    EXPECT_EQ(Buttons[3].Command, "say hi");
    EXPECT_EQ(GameMusic[2], "hunt.mp3");
    EXPECT_EQ(GameMusic[5], "<none>");
    EXPECT_EQ(GameMusic[0], "<none>");
    EXPECT_EQ(MapName, "Arena 7");
    WriteGameDat({"[LASTSETTINGS]", "Map=   "});
    LoadLastMap();
    EXPECT_EQ(MapName, "Arena 7");
}

TEST_F(SaveSettingsTest, FullRoundTripOfAllThreeFiles) {
    ChatWindow& chat = TheForm<ChatWindow>();
    MapWindow& map = TheForm<MapWindow>();
    GameWindow& game = TheForm<GameWindow>();
    chat.Load();
    map.Load();
    game.Load();
    chat.Move(1500, 3000, 6000, 4500);
    map.Move(150, 300, 7500, 6000);
    game.Move(4500, 750);
    ClientLinks().ChatBar = [&]() -> Form& { return chat; };
    ClientLinks().MapDisp = [&]() -> Form& { return map; };
    ClientLinks().Game = [&]() -> Form& { return game; };
    ClientLinks().ChatSplitter = [] { return 2345; };

    MapName = "Arena 9";
    for (int i = 0; i < ButtonEntries; ++i) {
        Buttons[static_cast<size_t>(i)] = {"B" + std::to_string(i), i % 2 ? "" : "tip " + std::to_string(i),
                                           "cmd " + std::to_string(i)};
    }
    for (int i = 0; i < GameMusicSlots; ++i) GameMusic[static_cast<size_t>(i)] = "song" + std::to_string(i) + ".mp3";
    LeftClick = "look";
    RightClick = "center";
    const MenuOption checked[] = {MenuOption::ShowErrors, MenuOption::WASD, MenuOption::AutoCenter,
                                  MenuOption::AutoChat, MenuOption::AutoTileWindows, MenuOption::GameInformation,
                                  MenuOption::DisplayTimeStamp};
    for (MenuOption o : checked) SetMenuChecked(o, true);
    SoundOn = true;
    MusicOn = false;
    RandomSongs = true;
    FontType = "Verdana";
    FontType2 = "Courier New";
    FontSize = 14;
    BoldNames = true;
    Italic = true;
    SetColor(ChatColours, "Maroon");
    SetColor(TellColours, "Orange");
    SetColor(PlanColours, "Green");
    SetColor(AnnounceColours, "Purple");
    LastNote = 2147483647;
    ButtonCount = 23;
    Signature = "-- me";

    SaveClientSettings();
    EXPECT_TRUE(Reports().empty());

    // The stored texts.
    EXPECT_EQ(Key(GameDatPath(), "Options", "ShowErrors"), "True");
    EXPECT_EQ(Key(GameDatPath(), "Options", "KeyPad"), "False");
    EXPECT_EQ(Key(GameDatPath(), "Options", "GameInfo"), "True");
    EXPECT_EQ(Key(GameDatPath(), "Options", "Scanner"), "False");
    EXPECT_EQ(Key(GameDatPath(), "Settings", "FontSize"), "14");
    EXPECT_EQ(Key(GameDatPath(), "Colours", "Plan"), "Green");
    EXPECT_EQ(Key(GameDatPath(), "Notes", "Last"), "2147483647");
    EXPECT_EQ(Key(GameDatPath(), "Form", "Splitter"), "2345");
    EXPECT_EQ(Key(GameDatPath(), "Form", "ChatTop"), "3000");
    EXPECT_EQ(Key(GameDatPath(), "Form", "ChatWidth"), "6000");
    EXPECT_EQ(Key(GameDatPath(), "Form", "GameLeft"), "4500");
    EXPECT_EQ(Key(GameDatPath(), "Form", "MapHeight"), "6000");
    EXPECT_EQ(Key(GameDatPath(), "Form", "Buttons"), "23");
    EXPECT_EQ(Key(ButtonsDatPath(), "Button54", "Command"), "cmd 54");
    EXPECT_EQ(Key(ButtonsDatPath(), "Button1", "Tip"), "");  // empty fields are written empty
    EXPECT_EQ(Key(MusicDatPath(), "File", "Tournament"), "song6.mp3");
    EXPECT_EQ(Key(GameDatPath(), "LASTSETTINGS", "Map"), "Arena 9");
    EXPECT_EQ(Key(GameDatPath(), "Options", "SavePass"), "<absent>");  // not the bulk save's key

    // Everything back to defaults, then read it all again.
    SetDefaultSettings();
    for (int i = 0; i < static_cast<int>(MenuOption::Count); ++i) SetMenuChecked(static_cast<MenuOption>(i), false);
    MapName.clear();
    LoadSettings();
    LoadWindowLayout();
    LoadCommandButtons();
    LoadGameMusic();
    LoadLastMap();
    EXPECT_TRUE(Reports().empty());
    EXPECT_EQ(MapName, "Arena 9");
    for (int i = 0; i < ButtonEntries; ++i) {
        const auto& b = Buttons[static_cast<size_t>(i)];
        EXPECT_EQ(b.Name, "B" + std::to_string(i));
        EXPECT_EQ(b.Tip, i % 2 ? "" : "tip " + std::to_string(i));
        EXPECT_EQ(b.Command, "cmd " + std::to_string(i));
    }
    for (int i = 0; i < GameMusicSlots; ++i) EXPECT_EQ(GameMusic[static_cast<size_t>(i)], "song" + std::to_string(i) + ".mp3");
    EXPECT_EQ(LeftClick, "look");
    EXPECT_EQ(RightClick, "center");
    for (MenuOption o : checked) {
        if (o == MenuOption::GameInformation) continue;  // read by the layout step, not here
        EXPECT_TRUE(MenuChecked(o)) << static_cast<int>(o);
    }
    EXPECT_FALSE(MenuChecked(MenuOption::Keypad));
    EXPECT_TRUE(SoundOn);
    EXPECT_FALSE(MusicOn);
    EXPECT_TRUE(RandomSongs);
    EXPECT_EQ(FontType, "Verdana");
    EXPECT_EQ(FontType2, "Courier New");
    EXPECT_EQ(FontSize, 14);
    EXPECT_TRUE(BoldNames);
    EXPECT_TRUE(Italic);
    EXPECT_EQ(ChatColours.Name, "Maroon");
    EXPECT_EQ(TellColours.Name, "Orange");
    EXPECT_EQ(PlanColours.Name, "Green");
    EXPECT_EQ(AnnounceColours.Name, "Purple");
    EXPECT_EQ(LastNote, 2147483647);
    EXPECT_EQ(Signature, "-- me");
    EXPECT_EQ(Splitter, 2345);
    EXPECT_EQ(ChatTop, 3000);
    EXPECT_EQ(ChatLeft, 1500);
    EXPECT_EQ(ChatWidth, 6000);
    EXPECT_EQ(ChatHeight, 4500);
    EXPECT_EQ(MapTop, 300);
    EXPECT_EQ(MapLeft, 150);
    EXPECT_EQ(MapWidth, 7500);
    EXPECT_EQ(MapHeight, 6000);
    EXPECT_EQ(GameTop, 750);
    EXPECT_EQ(GameLeft, 4500);
    EXPECT_EQ(ButtonCount, 23);

    chat.Unload();
    map.Unload();
    game.Unload();
}

TEST_F(SaveSettingsTest, UnlinkedWindowsKeepTheirStoredPositions) {
    WriteGameDat({"[Form]", "Splitter=111", "ChatTop=222", "MapLeft=333", "GameTop=444"});
    SaveClientSettings();
    EXPECT_EQ(Key(GameDatPath(), "Form", "Splitter"), "111");
    EXPECT_EQ(Key(GameDatPath(), "Form", "ChatTop"), "222");
    EXPECT_EQ(Key(GameDatPath(), "Form", "MapLeft"), "333");
    EXPECT_EQ(Key(GameDatPath(), "Form", "GameTop"), "444");
    EXPECT_EQ(Key(GameDatPath(), "Form", "Buttons"), "17");
}

TEST_F(SaveSettingsTest, SavedPasswordSurvivesTheBulkSaveAndLoads) {
    mfncWriteIni(GameDatPath(), "LASTUSER", "Username", "Sarge", false);
    mfncWriteIni(GameDatPath(), "LASTUSER", "Password", "s3cr3t!", true);
    SaveClientSettings();
    LoadSettings();
    EXPECT_EQ(Username, "Sarge");
    EXPECT_EQ(Password, "s3cr3t!");
    EXPECT_EQ(Key(GameDatPath(), "LASTUSER", "Password"), LetterPairEncipher("s3cr3t!", "1124"));
}

TEST_F(SaveSettingsTest, TheClientsWindowsAreLinkedFromTheStart) {
    const ClientLinkTable links = ClientWindowLinks();
    ASSERT_TRUE(links.ChatBar && links.MapDisp && links.Game && links.ChatSplitter);
    EXPECT_EQ(&links.ChatBar(), static_cast<Form*>(&frmChatBar()));
    EXPECT_EQ(&links.MapDisp(), static_cast<Form*>(&frmMapDisp()));
    EXPECT_EQ(&links.Game(), static_cast<Form*>(&frmGame()));
    EXPECT_FALSE(links.ScreenCenter);
    EXPECT_FALSE(links.Server);
    EXPECT_TRUE(links.Connected && links.PlayEffect && links.MainCommandButton);
}

TEST_F(SaveSettingsTest, OptionsAreTheMainWindowsMenuItems) {
    frmMain().mnuOptionsScroll.SetChecked(true);
    frmMain().mnuLocationScanner.SetChecked(true);
    SaveClientSettings();
    EXPECT_EQ(Key(GameDatPath(), "Options", "ScrollLock"), "True");
    EXPECT_EQ(Key(GameDatPath(), "Options", "Scanner"), "True");
    WriteGameDat({"[Options]", "ScrollLock=False", "KeyPad=True"});
    LoadSettings();
    EXPECT_FALSE(frmMain().mnuOptionsScroll.Checked());
    EXPECT_TRUE(frmMain().mnuOptionsKeypad.Checked());
    EXPECT_TRUE(frmMain().mnuLocationScanner.Checked());  // read by the layout step only
}
