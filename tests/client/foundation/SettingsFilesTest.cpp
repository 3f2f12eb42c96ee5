// The two access functions of the settings files against real INI files.
#include "SettingsTestFixture.h"

#include <windows.h>

#include <climits>

#include "LetterPairCipher.h"
#include "SettingsFiles.h"

using namespace skx;

namespace {

std::string RawValue(const std::string& file, const std::string& section, const std::string& key) {
    char buffer[1024] = {};
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "<absent>", buffer, sizeof buffer, file.c_str());
    return std::string(buffer, n);
}

}  // namespace

using SettingsFiles = SettingsTest;

TEST_F(SettingsFiles, MissingFileGivesDefaultAndCreatesNothing) {
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Settings", "FontType", false, "dflt", ""), "dflt");
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "LASTUSER", "Password", true, "dflt", ""), "dflt");
    EXPECT_FALSE(testsupport::FileExists(GameDatPath()));
}

TEST_F(SettingsFiles, WriteCreatesFileAndSectionAndReadsBack) {
    EXPECT_NE(mfncWriteIni(GameDatPath(), "Settings", "FontType", "Courier New", false), 0);
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Settings", "FontType", false, "", ""), "Courier New");
    // Section and key names match without regard to case.
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "SETTINGS", "fonttype", false, "", ""), "Courier New");
    EXPECT_NE(FileText(GameDatPath()).find("[Settings]"), std::string::npos);
}

TEST_F(SettingsFiles, MissingKeyOrSectionGivesDefault) {
    mfncWriteIni(GameDatPath(), "Settings", "FontType", "Arial", false);
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Settings", "Nothing", false, "d1", ""), "d1");
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Nowhere", "FontType", false, "d2", ""), "d2");
}

TEST_F(SettingsFiles, BlankValueCountsAsAbsent) {
    WriteGameDat({"[Options]", "Sound=   ", "Music="});
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Options", "Sound", false, "absent", ""), "absent");
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Options", "Music", false, "absent", ""), "absent");
    mfncWriteIni(GameDatPath(), "Options", "News", "   ", false);
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Options", "News", false, "absent", ""), "absent");
}

TEST_F(SettingsFiles, InnerBlanksAreKept) {
    mfncWriteIni(GameDatPath(), "Signature", "String", "a  b   c", false);
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Signature", "String", false, "", ""), "a  b   c");
}

TEST_F(SettingsFiles, LongValuesAreCutTo255AndRead255Whole) {
    std::string value300;
    for (int i = 0; i < 300; ++i) value300 += static_cast<char>('A' + i % 26);
    EXPECT_NE(mfncWriteIni(GameDatPath(), "Signature", "String", value300, false), 0);
    EXPECT_EQ(RawValue(GameDatPath(), "Signature", "String"), value300.substr(0, 255));
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Signature", "String", false, "", ""), value300.substr(0, 255));

    mfncWriteIni(GameDatPath(), "Signature", "String", value300.substr(0, 256), false);
    EXPECT_EQ(RawValue(GameDatPath(), "Signature", "String").size(), 255u);
    mfncWriteIni(GameDatPath(), "Signature", "String", value300.substr(0, 255), false);
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Signature", "String", false, "", ""), value300.substr(0, 255));
    mfncWriteIni(GameDatPath(), "Signature", "String", value300.substr(0, 254), false);
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Signature", "String", false, "", ""), value300.substr(0, 254));
}

TEST_F(SettingsFiles, ValuesLongerThanTheBufferInTheFileReadCut) {
    WriteGameDat({"[Signature]", "String=" + std::string(400, 'x')});
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Signature", "String", false, "", ""), std::string(255, 'x'));
}

TEST_F(SettingsFiles, EncipheredUnderTheMachinePassword) {
    // AccessCode 1124073472 gives the machine password "1124".
    EXPECT_EQ(MachinePassword(), "1124");
    EXPECT_NE(mfncWriteIni(GameDatPath(), "LASTUSER", "Password", "hunter2", true), 0);
    EXPECT_EQ(RawValue(GameDatPath(), "LASTUSER", "Password"), "fblmlpgdfedddj");
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "LASTUSER", "Password", true, "", ""), "hunter2");
    // Read plain, the letters come back as stored.
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "LASTUSER", "Password", false, "", ""), "fblmlpgdfedddj");
}

TEST_F(SettingsFiles, MachinePasswordOfTheHighestSerials) {
    AccessCode = INT32_MIN;  // serial 0x80000000
    EXPECT_EQ(MachinePassword(), "2147");
    mfncWriteIni(GameDatPath(), "LASTUSER", "Password", "Password", true);
    EXPECT_EQ(RawValue(GameDatPath(), "LASTUSER", "Password"), "glckmjfbpbelokjp");
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "LASTUSER", "Password", true, "", ""), "Password");
    AccessCode = -1;  // serial 0xFFFFFFFF
    EXPECT_EQ(MachinePassword(), "1");
    AccessCode = 0;
    EXPECT_EQ(MachinePassword(), "0");
    AccessCode = -123456789;
    EXPECT_EQ(MachinePassword(), "1234");
}

TEST_F(SettingsFiles, GivenPasswordsAndTheEmptyOne) {
    mfncWriteIni(GameDatPath(), "Vote", "Game", "Hunt", true, std::string("secret"));
    EXPECT_EQ(RawValue(GameDatPath(), "Vote", "Game"), LetterPairEncipher("Hunt", "secret"));
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Vote", "Game", true, "", "secret"), "Hunt");
    // A given empty password is used as it is when writing ...
    mfncWriteIni(GameDatPath(), "Vote", "Game", "Hunt", true, std::string());
    EXPECT_EQ(RawValue(GameDatPath(), "Vote", "Game"), LetterPairEncipher("Hunt", ""));
    // ... while an empty password on reading selects the machine password.
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Vote", "Game", true, "", ""), LetterPairDecipher(LetterPairEncipher("Hunt", ""), "1124"));
}

TEST_F(SettingsFiles, EncipheredBlankGivesDefault) {
    mfncWriteIni(GameDatPath(), "LASTUSER", "Password", "   ", true);
    EXPECT_EQ(RawValue(GameDatPath(), "LASTUSER", "Password").size(), 6u);
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "LASTUSER", "Password", true, "none", ""), "none");
}

TEST_F(SettingsFiles, CipherTextLongerThan255IsNotWritten) {
    mfncWriteIni(GameDatPath(), "LASTUSER", "Password", "old", true);
    const std::string stored = RawValue(GameDatPath(), "LASTUSER", "Password");
    EXPECT_EQ(mfncWriteIni(GameDatPath(), "LASTUSER", "Password", std::string(128, 'p'), true), 0);
    EXPECT_EQ(RawValue(GameDatPath(), "LASTUSER", "Password"), stored);
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "LASTUSER", "Password", true, "", ""), "old");
    // 127 characters make 254 letters, which fit.
    const std::string longest(127, 'p');
    EXPECT_NE(mfncWriteIni(GameDatPath(), "LASTUSER", "Password", longest, true), 0);
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "LASTUSER", "Password", true, "", ""), longest);
}

TEST_F(SettingsFiles, TooLongPasswordIsReportedAndGivesEmpty) {
    mfncWriteIni(GameDatPath(), "Vote", "Game", "Hunt", false);
    EXPECT_EQ(mfncGetFromIni(GameDatPath(), "Vote", "Game", true, "dflt", std::string(18, 'k')), "");
    EXPECT_EQ(mfncWriteIni(GameDatPath(), "Vote", "Game", "Hunt", true, std::string(18, 'k')), 0);
    EXPECT_EQ(RawValue(GameDatPath(), "Vote", "Game"), "Hunt");
    ASSERT_EQ(Reports().size(), 2u);
    EXPECT_EQ(Reports()[0].module, "modFileControl");
    EXPECT_EQ(Reports()[0].procedure, "mfncGetFromIni");
    EXPECT_EQ(Reports()[0].number, 9);
    EXPECT_EQ(Reports()[1].procedure, "mfncWriteIni");
}
