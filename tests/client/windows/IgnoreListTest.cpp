#include <gtest/gtest.h>

#include "IgnoreCheck.h"
#include "ProgramSettings.h"
#include "WinTestSupport.h"
#include "frmIgnore.h"
#include "runtime/ErrorGuard.h"

using namespace skx;

namespace {
std::vector<int32_t> g_reported;
void Capture(const std::string&, const std::string&, int16_t, int32_t number, const std::string&) {
    g_reported.push_back(number);
}

class IgnoreWindow : public ::testing::Test {
protected:
    void SetUp() override {
        g_reported.clear();
        SetReportErrorHook(&Capture);
        DatPath = dir_.Path() + "\\";
    }
    void TearDown() override {
        frmIgnore().Unload();
        SetReportErrorHook(nullptr);
    }
    std::string File() const { return testsupport::ReadFileBytes(dir_.File("Ignore.Dat")).value_or("<none>"); }
    void Write(const std::string& text) const { testsupport::WriteFileBytes(dir_.File("Ignore.Dat"), text); }
    testsupport::ScratchDir dir_{"ignore"};
};
}  // namespace

TEST_F(IgnoreWindow, IgnoreAddSavesAtOnceAndIsIgnoredComparesExactly) {
    // No file: an empty list, and the window loaded hidden.
    EXPECT_TRUE(!IsIgnored("bob") && frmIgnore().IsLoaded() && !IsWindowVisible(frmIgnore().Handle()));
    frmIgnore().cmdClear.PerformClick();
    EXPECT_EQ(File(), " 0 \r\n");
    frmIgnore().IgnoreAdd("eve\r\n 9 \r\nx");  // a line break would split the file: refused
    for (int twice = 0; twice < 2; ++twice) frmIgnore().IgnoreAdd("Some_Player");  // no check for a repeat
    EXPECT_EQ(File(), " 2 \r\nSome Player\r\nSome Player\r\n");
    EXPECT_TRUE(IsIgnored("Some Player") && !IsIgnored("some player") && g_reported.empty());
}

TEST_F(IgnoreWindow, RemoveTakesTheSelectedNamesOnlyAndAShortFileKeepsTheNamesRead) {
    Write(" 5 \r\na\r\nb\r\nc\r\nd\r\ne\r\n");
    frmIgnore().Load();
    for (int i : {0, 2, 3}) frmIgnore().lstIgnored.SetSelected(i, true);
    frmIgnore().cmdRem.PerformClick();
    EXPECT_EQ(File(), " 2 \r\nb\r\ne\r\n");
    frmIgnore().Unload();
    Write(" 3 \r\nbob\r\nann");
    EXPECT_TRUE(IsIgnored("ann") && frmIgnore().lstIgnored.List(0) == "bob");
    EXPECT_EQ(g_reported, std::vector<int32_t>{errInputPastEnd});
}
