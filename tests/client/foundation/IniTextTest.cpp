// The one-read settings reader answers as the platform's profile reader does on the same file.
#include <gtest/gtest.h>

#include <windows.h>

#include "IniText.h"
#include "WinTestSupport.h"

TEST(IniText, AnswersAsThePlatformsProfileReader) {
    testsupport::ScratchDir dir("initext");
    const std::string path = dir.File("Buttons.DAT");
    const std::string text = "loose=1\r\n[Button0]\r\nName = Hi there \r\nTIP=\"quoted\"\r\nCommand='tell %1 x'\r\n"
                             "Name=second\r\n\t[ button1 ]\r\nname=\"half\r\nCommand=a=b\r\n\r\n[Button0]\r\nTip=later\r\n"
                             "[Button2]\nName=" + std::string(300, 'x') + "\nTip=\"\"\n";
    ASSERT_TRUE(testsupport::WriteFileBytes(path, text));
    const skx::IniText ini(text);
    for (const char* section : {"Button0", "button1", "BUTTON2", "Button3", "nothing"}) {
        for (const char* key : {"Name", "tip", "Command", "loose"}) {
            char expected[256] = {};
            GetPrivateProfileStringA(section, key, "", expected, sizeof expected, path.c_str());
            EXPECT_EQ(ini.Get(section, key), expected) << section << "/" << key;
        }
    }
}
