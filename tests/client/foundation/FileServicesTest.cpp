#include <gtest/gtest.h>

#include <windows.h>

#include "FileServices.h"
#include "WinTestSupport.h"

using namespace skx;

TEST(FileServices, FileExistFindsOrdinaryFiles) {
    testsupport::ScratchDir dir("fileexist");
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("Game.DAT"), "x"));
    EXPECT_TRUE(FileExist(dir.File("Game.DAT")));
    EXPECT_TRUE(FileExist(dir.File("game.dat")));
    EXPECT_TRUE(FileExist(dir.File("*.DAT")));
    EXPECT_FALSE(FileExist(dir.File("Other.DAT")));
    EXPECT_FALSE(FileExist(dir.File("none\\Game.DAT")));
}

TEST(FileServices, BlankNamesAreFalse) {
    EXPECT_FALSE(FileExist(""));
    EXPECT_FALSE(FileExist("   "));
}

TEST(FileServices, AttributesSelectFoldersAndHiddenFiles) {
    testsupport::ScratchDir dir("fileattr");
    ASSERT_TRUE(CreateDirectoryA(dir.File("Map").c_str(), nullptr));
    EXPECT_FALSE(FileExist(dir.File("Map")));
    EXPECT_TRUE(FileExist(dir.File("Map"), FILE_ATTRIBUTE_DIRECTORY));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("secret.txt"), "x"));
    ASSERT_TRUE(SetFileAttributesA(dir.File("secret.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(FileExist(dir.File("secret.txt")));
    EXPECT_TRUE(FileExist(dir.File("secret.txt"), FILE_ATTRIBUTE_HIDDEN));
    SetFileAttributesA(dir.File("secret.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    // A folder's name with a separator lists what it holds.
    EXPECT_FALSE(FileExist(dir.File("Map") + "\\"));
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("Map\\a.map"), "x"));
    EXPECT_TRUE(FileExist(dir.File("Map") + "\\"));
}

TEST(FileServices, WindowsFolder) {
    const std::string dir = GetWinDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(GetFileAttributesA(dir.c_str()) & FILE_ATTRIBUTE_DIRECTORY, static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_NE(dir.back(), '\0');
}
