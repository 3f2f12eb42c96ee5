#include <gtest/gtest.h>

#include "ClientLinks.h"
#include "ProgramSettings.h"
#include "ProtocolSeparators.h"
#include "WinTestSupport.h"
#include "frmNotes.h"
#include "runtime/ErrorGuard.h"

using namespace skx;

namespace {
std::vector<int32_t> g_errors;
void Capture(const std::string&, const std::string&, int16_t, int32_t number, const std::string&) {
    g_errors.push_back(number);
}
}  // namespace

TEST(NotesWindow, PagesByTheBoundsSkipsBadRecordsOnceAndSendsNothingWithoutBounds) {
    testsupport::ScratchDir dir("noteswindow");
    DatPath = dir.Path() + "\\";
    FieldSeparator = std::string(1, '\0');
    Username = "me";
    LastNote = 1;
    std::vector<std::string> sent;
    ClientLinks().Server = [&](const std::string& c, const std::string& m) { sent.push_back(c + "|" + m); };
    g_errors.clear();
    SetReportErrorHook(&Capture);
    ASSERT_TRUE(testsupport::WriteFileBytes(dir.File("Deleted-Notes.DAT"), "\"|12|\"\r\n"));
    frmNotesForm& notes = frmNotes();
    notes.Show();
    const std::string z(1, '\0');
    notes.cmdNext.PerformClick();
    notes.cmdPrev.PerformClick();
    notes.cmdLast.PerformClick();
    EXPECT_EQ(sent, (std::vector<std::string>{"N|2" + z + "1" + z + "L", "N|2" + z + "0" + z + "L"}));

    notes.Update("12~x~a~b~all;x1~bad;15~x~ann~Hi~me;9~short;");
    EXPECT_EQ(g_errors, std::vector<int32_t>{9});  // reported once for the page
    EXPECT_EQ(notes.gridNoteWindow2.Count(), 1);
    EXPECT_EQ(notes.gridNoteWindow1.Count(), 0);  // 12 was deleted here
    EXPECT_TRUE(notes.tabNotes.Highlighted(2));
    EXPECT_EQ(notes.Caption(), "Forum - 1 Posts...");
    sent.clear();
    notes.cmdNext.PerformClick();
    notes.cmdPrev.PerformClick();
    EXPECT_EQ(sent, (std::vector<std::string>{"N|2" + z + "15" + z + "N", "N|2" + z + "9" + z + "P"}));
    EXPECT_EQ(LastNote, 9);

    notes.Update("");
    EXPECT_EQ(g_errors.size(), 1u);
    EXPECT_EQ(notes.Caption(), "Forum - 0 Posts...");
    sent.clear();
    notes.cmdNext.PerformClick();
    EXPECT_TRUE(sent.empty());

    notes.cmdDone.PerformClick();
    SetReportErrorHook(nullptr);
    ClientLinks() = ClientLinkTable{};
}
