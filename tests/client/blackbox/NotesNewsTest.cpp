// The forum, the note editor, the signature and the news window in the running client, logged
// in to the scripted server and driven through the test hook.
#include "LoggedInClient.h"

using namespace clienttest;
using testsupport::DumpLineHas;

using NotesClient = ClientTest;

TEST_F(NotesClient, ForumListsReadsPagesDeletesAndReplies) {
    ASSERT_TRUE(Start());
    hook.Ask("menu mnuForumSignature");
    ASSERT_TRUE(Shown("frmSignature")) << last;
    hook.Ask("frmSignature.rtbSignature set Cheers\r\ntester");
    hook.Ask("frmSignature.cmdAccept click");

    hook.Ask("menu mnuForumRead");
    ASSERT_TRUE(WaitSent(R"(["N", "2", "1", "L"])"));
    server.Send({{"N", "1", "12~x~bob~Hello~all;15~x~ann~Secret~tester"}});
    ASSERT_TRUE(Dump("frmNotes", "row gridNoteWindow(2) 1 key=\"id15\"")) << last;
    EXPECT_TRUE(DumpLineHas(last, "row gridNoteWindow(1) 1", "text=\"12\" icon=0 selected=0 status=\"New\" sender=\"bob\" subject=\"Hello\"")) << last;
    EXPECT_TRUE(DumpLineHas(last, "form", "caption=\"Forum - 2 Posts...\"")) << last;

    hook.Ask("frmNotes.gridNoteWindow(1) click 1");
    ASSERT_TRUE(WaitSent(R"(["N", "1", "12"])"));
    // The note is marked read beside its request, the file written as the click ends.
    EXPECT_TRUE(testsupport::PumpUntil([&] { return testsupport::ReadFileBytes(run.DatFile("Read-Notes.DAT")) == "\"|12|\"\r\n"; }, kComes));
    server.Send({{"N", "0", "x", "bob", "all", "today", "5", "Hello", "line1<crlf>line2"}});
    ASSERT_TRUE(Dump("frmNotes", "This note contained $5")) << last;
    EXPECT_TRUE(Has(last, "line1\\r\\nline2\\r\\n\\r\\nThis") || Has(last, "line1\\rline2\\r\\rThis")) << last;

    hook.Ask("frmNotes.cmdNext click");
    EXPECT_TRUE(WaitSent(R"(["N", "2", "15", "N"])"));
    hook.Ask("frmNotes.cmdDelete click");
    ASSERT_TRUE(Answer("Would you like to delete this note permanently?", "Yes")) << last;
    EXPECT_TRUE(WaitSent(R"(["N", "3", "12"])"));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return testsupport::ReadFileBytes(run.DatFile("Deleted-Notes.DAT")) == "\"|12|\"\r\n"; }, kComes));
    server.Send({{"N", "1", "12~x~bob~Hello~all;15~x~ann~Secret~tester"}});
    ASSERT_TRUE(Dump("frmNotes", "caption=\"Forum - 1 Posts...\"")) << last;
    EXPECT_FALSE(Has(last, "key=\"id12\"")) << last;

    hook.Ask("frmNotes.cmdReply click");
    ASSERT_TRUE(Shown("frmWriteNote")) << last;
    for (const char* r : {"frmWriteNote.txtMessage key O", "frmWriteNote.txtMessage key K"}) hook.Ask(r);
    ASSERT_TRUE(Dump("frmWriteNote", "txtMessage class=RichEdit20A text=\"ok\"")) << last;
    hook.Ask("frmWriteNote.cmdSend click");
    EXPECT_TRUE(WaitSent(R"(["N", "0", "all", "RE: Hello", "okCheers<CRLF>tester<CRLF><----- Reply Separator -----><CRLF>  From: bob<CRLF>    To: all<CRLF>  Date: today<CRLF><---------------------------><CRLF>line1<CRLF>line2<CRLF><CRLF>This note contained $5", ""])"))
        << server.Frames();

    server.Send({{"N", "1", ""}});
    EXPECT_TRUE(Dump("frmNotes", "caption=\"Forum - 0 Posts...\"")) << last;
    EXPECT_FALSE(Has(last, "row gridNoteWindow")) << last;

    hook.Ask("menu mnuForumPost");
    ASSERT_TRUE(Shown("frmWriteNote")) << last;
    for (const char* r : {"frmWriteNote.txtRoute set all", "frmWriteNote.txtSubject set Hi", "frmWriteNote.txtMessage set a\r\nb",
                          "frmWriteNote.txtCash set x", "frmWriteNote.txtCash set 5", "frmWriteNote.cmdSend click"}) {
        hook.Ask(r);
    }
    EXPECT_TRUE(WaitSent(R"(["N", "0", "all", "Hi", "a<CRLF>b", "5"])")) << server.Frames();
    EXPECT_TRUE(Exit());
    EXPECT_EQ(IniValue(Game(), "Signature", "String"), "Cheers<CRLF>tester");
}

TEST_F(NotesClient, NewsCountsDownAndAnUnsentNoteStaysInTheEditor) {
    std::string signature;
    for (int i = 0; i < 30; ++i) signature += std::string(24, 'a' + i % 26) + "<CRLF>";
    ASSERT_TRUE(Start({.game = "[Signature]\r\nString=" + signature + "\r\n", .logIn = false}));
    hook.Ask("menu mnuForumPost");
    ASSERT_TRUE(Shown("frmWriteNote")) << last;
    hook.Ask("frmWriteNote.txtMessage set unsent");
    hook.Ask("frmWriteNote.cmdSend click");
    ASSERT_TRUE(Answer("Not connected: the note was not sent.", "Ok")) << last;
    EXPECT_TRUE(Dump("frmWriteNote", "txtMessage class=RichEdit20A text=\"unsent\"")) << last;

    ASSERT_TRUE(LogIn());
    server.Send({{"N", "1", "7~x~bob~Yo~all"}});  // loads the window hidden, which asks for its page
    EXPECT_TRUE(WaitSent(R"(["N", "2", "1", "L"])"));
    EXPECT_TRUE(Dump("frmNotes", "row gridNoteWindow(1) 1 key=\"id7\"")) << last;
    EXPECT_TRUE(DumpLineHas(last, "form", "visible=0")) << last;
    server.Send({{"D", "2", "##Welcome back"}, {"D", "2", "x"}});
    ASSERT_TRUE(Dump("frmNews", "text=\"Welcome back\\r\\n\\r\\n\"")) << last;
    EXPECT_TRUE(DumpLineHas(last, "form", "caption=\"News\" visible=1")) << last;
    EXPECT_TRUE(Has(last, "cmdClose class=Button text=\"&Close\" visible=1 enabled=0")) << last;
    EXPECT_TRUE(Dump("frmNews", "cmdClose class=Button text=\"10...\" visible=1 enabled=0")) << last;
    // The key's messages are posted ahead of the count-down's next tick (a timer's turn comes
    // when no posted message waits): once the count-down has ended, the Esc has been handled.
    hook.Ask("frmNews.cmdClose key Esc");
    EXPECT_TRUE(Dump("frmNews", "text=\"&Close\" visible=1 enabled=1")) << last;
    EXPECT_TRUE(Shown("frmNews")) << last;  // Esc waits for the count-down
    EXPECT_TRUE(Exit());
    EXPECT_EQ(IniValue(Game(), "Signature", "String"), signature);
}
