// The forum, the note editor, the signature and the news window in the running client, logged
// in to the scripted server and driven through the test hook.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ClientProcess.h"
#include "HookClient.h"
#include "ScriptedServer.h"
#include "WinTestSupport.h"

using namespace clienttest;
using testsupport::DumpLineHas;

namespace {

bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

class NotesClient : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::RegisterSocketControl());
        ASSERT_TRUE(server_.Start());
        server_.Command(R"({"cmd": "script", "script": {"on": {"!": [["v", "95", "100", "False", "False"]]}}})");
        WritePrivateProfileStringA("LASTSERVER", "Host", "127.0.0.1", Game().c_str());
        WritePrivateProfileStringA("LASTSERVER", "Port", std::to_string(server_.GamePort()).c_str(), Game().c_str());
    }
    void TearDown() override { run_.process.Kill(); }
    std::string Game() const { return run_.DatFile("Game.DAT"); }
    bool Sent(const std::string& frame) {
        return testsupport::PumpUntil([&] { return Has(server_.Frames(), frame); }, 10000);
    }
    bool Dump(const std::string& form, const std::function<bool(const std::string&)>& pred, uint32_t ms = 10000) {
        return hook_.WaitForDump(form, pred, ms, &dump_);
    }
    bool DumpHas(const std::string& form, const std::string& piece) {
        return Dump(form, [&](const std::string& d) { return Has(d, piece); });
    }
    bool Shown(const std::string& form) {
        return Dump(form, [&](const std::string& d) { return DumpLineHas(d, "form", "visible=1"); });
    }
    // Presses a button of the open box that shows text.
    bool Answer(const std::string& text, const std::string& button) {
        const std::string marker = " class=Button text=\"" + button + "\" visible=1";
        if (!Dump("frmMsgBox", [&](const std::string& d) { return Has(d, text) && Has(d, marker); })) return false;
        const size_t at = dump_.find(marker);
        const size_t id = dump_.rfind('#', at);
        return hook_.Ask("frmMsgBox." + dump_.substr(id, at - id) + " click") == "ok";
    }
    std::string Exit() {
        hook_.Ask("menu mnuFileExit");
        run_.process.Wait(20000);
        char value[8192] = {};
        GetPrivateProfileStringA("Signature", "String", "", value, sizeof value, Game().c_str());
        return value;
    }

    testsupport::ScratchDir dir_{"notesclient"};
    ClientRun run_{dir_.Path()};
    std::string dump_;
    testsupport::ScriptedServer server_;
    testsupport::HookClient hook_;
};

}  // namespace

TEST_F(NotesClient, ForumListsReadsPagesDeletesAndReplies) {
    ASSERT_TRUE(run_.Start(hook_) && LogInThroughTheDialog(hook_));
    ASSERT_TRUE(Sent(R"(["!", "tester")"));
    hook_.Ask("menu mnuForumSignature");
    ASSERT_TRUE(Shown("frmSignature")) << dump_;
    hook_.Ask("frmSignature.rtbSignature set Cheers\r\ntester");
    hook_.Ask("frmSignature.cmdAccept click");

    hook_.Ask("menu mnuForumRead");
    ASSERT_TRUE(Sent(R"(["N", "2", "1", "L"])"));
    server_.Send({{"N", "1", "12~x~bob~Hello~all;15~x~ann~Secret~tester"}});
    ASSERT_TRUE(DumpHas("frmNotes", "row gridNoteWindow(2) 1 key=\"id15\"")) << dump_;
    EXPECT_TRUE(DumpLineHas(dump_, "row gridNoteWindow(1) 1", "text=\"12\" icon=0 selected=0 status=\"New\" sender=\"bob\" subject=\"Hello\"")) << dump_;
    EXPECT_TRUE(DumpLineHas(dump_, "form", "caption=\"Forum - 2 Posts...\"")) << dump_;

    hook_.Ask("frmNotes.gridNoteWindow(1) click 1");
    ASSERT_TRUE(Sent(R"(["N", "1", "12"])"));
    EXPECT_EQ(testsupport::ReadFileBytes(run_.DatFile("Read-Notes.DAT")), "\"|12|\"\r\n");
    server_.Send({{"N", "0", "x", "bob", "all", "today", "5", "Hello", "line1<crlf>line2"}});
    ASSERT_TRUE(DumpHas("frmNotes", "This note contained $5")) << dump_;
    EXPECT_TRUE(Has(dump_, "line1\\r\\nline2\\r\\n\\r\\nThis") || Has(dump_, "line1\\rline2\\r\\rThis")) << dump_;

    hook_.Ask("frmNotes.cmdNext click");
    EXPECT_TRUE(Sent(R"(["N", "2", "15", "N"])"));
    hook_.Ask("frmNotes.cmdDelete click");
    ASSERT_TRUE(Answer("Would you like to delete this note permanently?", "Yes")) << dump_;
    EXPECT_TRUE(Sent(R"(["N", "3", "12"])"));
    EXPECT_TRUE(testsupport::PumpUntil([&] { return testsupport::ReadFileBytes(run_.DatFile("Deleted-Notes.DAT")) == "\"|12|\"\r\n"; }, 5000));
    server_.Send({{"N", "1", "12~x~bob~Hello~all;15~x~ann~Secret~tester"}});
    ASSERT_TRUE(DumpHas("frmNotes", "caption=\"Forum - 1 Posts...\"")) << dump_;
    EXPECT_FALSE(Has(dump_, "key=\"id12\"")) << dump_;

    hook_.Ask("frmNotes.cmdReply click");
    ASSERT_TRUE(Shown("frmWriteNote")) << dump_;
    hook_.Ask("frmWriteNote.txtMessage key O");
    hook_.Ask("frmWriteNote.txtMessage key K");
    ASSERT_TRUE(DumpHas("frmWriteNote", "txtMessage class=RichEdit20A text=\"ok\"")) << dump_;
    hook_.Ask("frmWriteNote.cmdSend click");
    EXPECT_TRUE(Sent(R"(["N", "0", "all", "RE: Hello", "okCheers<CRLF>tester<CRLF><----- Reply Separator -----><CRLF>  From: bob<CRLF>    To: all<CRLF>  Date: today<CRLF><---------------------------><CRLF>line1<CRLF>line2<CRLF><CRLF>This note contained $5", ""])"))
        << server_.Frames();

    server_.Send({{"N", "1", ""}});
    EXPECT_TRUE(DumpHas("frmNotes", "caption=\"Forum - 0 Posts...\"")) << dump_;
    EXPECT_FALSE(Has(dump_, "row gridNoteWindow")) << dump_;

    hook_.Ask("menu mnuForumPost");
    ASSERT_TRUE(Shown("frmWriteNote")) << dump_;
    hook_.Ask("frmWriteNote.txtRoute set all");
    hook_.Ask("frmWriteNote.txtSubject set Hi");
    hook_.Ask("frmWriteNote.txtMessage set a\r\nb");
    hook_.Ask("frmWriteNote.txtCash set x");
    hook_.Ask("frmWriteNote.txtCash set 5");
    hook_.Ask("frmWriteNote.cmdSend click");
    EXPECT_TRUE(Sent(R"(["N", "0", "all", "Hi", "a<CRLF>b", "5"])")) << server_.Frames();
    EXPECT_EQ(Exit(), "Cheers<CRLF>tester");
}

TEST_F(NotesClient, NewsCountsDownAndAnUnsentNoteStaysInTheEditor) {
    std::string signature;
    for (int i = 0; i < 30; ++i) signature += std::string(24, 'a' + i % 26) + "<CRLF>";
    WritePrivateProfileStringA("Signature", "String", signature.c_str(), Game().c_str());
    ASSERT_TRUE(run_.Start(hook_));
    hook_.Ask("menu mnuForumPost");
    ASSERT_TRUE(Shown("frmWriteNote")) << dump_;
    hook_.Ask("frmWriteNote.txtMessage set unsent");
    hook_.Ask("frmWriteNote.cmdSend click");
    ASSERT_TRUE(Answer("Not connected: the note was not sent.", "Ok")) << dump_;
    EXPECT_TRUE(DumpHas("frmWriteNote", "txtMessage class=RichEdit20A text=\"unsent\"")) << dump_;

    ASSERT_TRUE(LogInThroughTheDialog(hook_) && Sent(R"(["!", "tester")"));
    server_.Send({{"N", "1", "7~x~bob~Yo~all"}});  // loads the window hidden, which asks for its page
    EXPECT_TRUE(Sent(R"(["N", "2", "1", "L"])"));
    EXPECT_TRUE(DumpHas("frmNotes", "row gridNoteWindow(1) 1 key=\"id7\"")) << dump_;
    EXPECT_TRUE(DumpLineHas(dump_, "form", "visible=0")) << dump_;
    server_.Send({{"D", "2", "##Welcome back"}, {"D", "2", "x"}});
    ASSERT_TRUE(DumpHas("frmNews", "text=\"Welcome back\\r\\n\\r\\n\"")) << dump_;
    EXPECT_TRUE(DumpLineHas(dump_, "form", "caption=\"News\" visible=1")) << dump_;
    EXPECT_TRUE(Has(dump_, "cmdClose class=Button text=\"&Close\" visible=1 enabled=0")) << dump_;
    EXPECT_TRUE(DumpHas("frmNews", "cmdClose class=Button text=\"10...\" visible=1 enabled=0")) << dump_;
    hook_.Ask("frmNews.cmdClose key Esc");
    testsupport::PumpFor(500);
    EXPECT_TRUE(Shown("frmNews")) << dump_;  // Esc waits for the count-down
    EXPECT_TRUE(Dump("frmNews", [](const std::string& d) { return Has(d, "text=\"&Close\" visible=1 enabled=1"); }, 12000)) << dump_;
    EXPECT_EQ(Exit(), signature);
}
