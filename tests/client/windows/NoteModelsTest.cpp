#include <gtest/gtest.h>

#include "LineBreakTokens.h"
#include "NoteIdSet.h"
#include "NoteList.h"
#include "NoteRequests.h"
#include "ProtocolSeparators.h"

using namespace skx;

TEST(LineBreakTokens, WritersPairFirstReadersIgnoreCaseSignatureExact) {
    EXPECT_EQ(EncodeLineBreaks("a\r\nb\rc\nd\n\r"), "a<CRLF>b<CR>c<LF>d<LF><CR>");
    EXPECT_EQ(DecodeNoteLineBreaks("a<crlf>b<Cr>c<lF>d<CRLF>"), "a\r\nb\rc\nd\r\n");
    EXPECT_EQ(DecodeSignatureLineBreaks("a<CRLF>b<crlf>c<CR>d<LF>"), "a\r\nb<crlf>c\rd\n");
}

TEST(NoteList, SortsPrivateByNameAndBoundsByValue) {
    const NotePage page = ReadNoteList("9~x~bob~Hi~all;10~x~ann~Psst~Joanne;2147483647~x~cy~Top~ALL", "Ann",
                                       [](const std::string& id) { return id == "2147483647"; });
    ASSERT_EQ(page.Rows.size(), 2u);
    EXPECT_FALSE(page.Rows[0].Private);
    EXPECT_TRUE(page.Rows[1].Private);  // the route holds the name, letter case ignored
    EXPECT_EQ(page.Rows[1].Sender, "ann");
    EXPECT_EQ(page.Rows[1].Subject, "Psst");
    EXPECT_EQ(*page.Lowest, "9");
    EXPECT_EQ(*page.Highest, "2147483647");  // deleted notes still move the bounds
    EXPECT_FALSE(page.Malformed);
    EXPECT_TRUE(ReadNoteList("5~x~a~b~all", "", nullptr).Rows[0].Private);
}

TEST(NoteList, SkipsBadRecordsAndReportsThem) {
    const NotePage empty = ReadNoteList("", "me", nullptr);
    EXPECT_TRUE(empty.Rows.empty());
    EXPECT_FALSE(empty.Lowest || empty.Highest || empty.Malformed);
    EXPECT_FALSE(ReadNoteList("4~x~a~b~all;", "me", nullptr).Malformed);  // a trailing ";" is nothing
    for (const char* bad : {"012~x~a~b~c", "-5~x~a~b~c", "2147483648~x~a~b~c", "7~x~a~b", "4~x~a~b~c"}) {
        const NotePage page = ReadNoteList(std::string("4~x~a~b~c;") + bad + ";6~x~d~e~f", "me", nullptr);
        EXPECT_TRUE(page.Malformed) << bad;
        ASSERT_EQ(page.Rows.size(), 2u) << bad;
        EXPECT_EQ(page.Rows[1].Id, "6") << bad;
    }
}

TEST(NoteIdSet, ReadsQuotedRecordsAndMatchesWholePieces) {
    NoteIdSet set = NoteIdSet::FromFile("\"|12||15|\"\r\n\"|7|\"\r\n");
    EXPECT_EQ(set.Text(), "|12||15||7|");
    EXPECT_TRUE(set.Contains("15"));
    EXPECT_FALSE(set.Contains("1"));
    EXPECT_FALSE(set.Add("7"));
    EXPECT_TRUE(set.Add("1"));
    EXPECT_EQ(set.FileBytes(), "\"|12||15||7||1|\"\r\n");
    EXPECT_EQ(NoteIdSet::FromFile("").Text(), "");
}

TEST(NoteRequests, BuildsTheNotesMessagesAndTexts) {
    FieldSeparator = std::string(1, '\0');
    const std::string z(1, '\0');
    EXPECT_EQ(NotesPageRequest("15", "N"), "2" + z + "15" + z + "N");
    EXPECT_EQ(NoteSendRequest(" all ", "Hi\x01", "a\r\nb ", "\r\nCheers", "5"),
              "0" + z + "all" + z + "Hi" + z + "a<CRLF>b<CRLF>Cheers" + z + "5");
    EXPECT_EQ(NoteBodyText("line1<crlf>line2", "5"), "line1\r\nline2\r\n\r\nThis note contained $5");
    EXPECT_EQ(NoteBodyText("x", "0"), "x");
    EXPECT_EQ(NoteBodyText("x", "lots"), "x");
    EXPECT_EQ(ReplyRoute("All", "bob"), "All");
    EXPECT_EQ(ReplyRoute("tester", "bob"), "bob");
    EXPECT_EQ(ReplyFooter("bob", "all", "today", "body"),
              "\r\n<----- Reply Separator ----->\r\n  From: bob\r\n    To: all\r\n  Date: today\r\n"
              "<--------------------------->\r\nbody");
    const EditorTexts once = PrepareEditorTexts(std::string(5003, 'a'), "<CR>q", "Sig<CRLF>");
    EXPECT_EQ(once.Message.size(), 5000u);
    EXPECT_EQ(once.Footer, "Sig\r\n\rq");
    EXPECT_EQ(once.CharsLeft, -7);
    EXPECT_EQ(PrepareEditorTexts("", once.Footer, "Sig").Footer, "SigSig\r\n\rq");  // a second call adds it again
}
