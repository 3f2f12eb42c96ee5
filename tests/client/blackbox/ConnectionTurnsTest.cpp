// What outlives a turn of the message loop belongs to the connection that began it: a map fetch
// from a host that takes the request and never answers, with a Disconnect, a box or a new login
// made meanwhile, and the drain after the server's close.
#include <filesystem>

#include "LoggedInClient.h"

using namespace clienttest;

namespace {

class ConnectionTurns : public ClientTest {
protected:
    // A web host of maps (those whose names begin with "silent" it never answers) and the
    // client, logged in with that host's map folder as its MapURL.
    void StartWithMapHost(const ClientSetup& setup = {}) {
        ASSERT_TRUE(CreateDirectoryA(dir.File("Map").c_str(), nullptr));
        ASSERT_TRUE(maps.Start({"arena2"}));
        ClientSetup s = setup;
        s.game += maps.MapUrlLine();
        ASSERT_TRUE(Start(s));
    }
    bool Requested(const std::string& path) const { return maps.Requested(path); }
    // The user's Disconnect from the File menu, through to its end.
    bool DisconnectByMenu() {
        return hook.Ask("menu mnuFileConnect") == "ok" && Dump("frmChatBar", "Disconnected.");
    }
    // A second login through the dialog (the server's record emptied first, so it counts once).
    bool LogInAgain() {
        Clear();
        return LogIn();
    }
    // Announces a map the host never answers on the present connection and waits for its failure:
    // its fetch began after every fetch before it, so theirs have ended too.
    bool LaterFetchFailed(const std::string& name) {
        Send(R"(["?", "ID", ")" + name + R"(", "22500"])");
        return Dump("frmChatBar", "Receiving Map '" + name + "' FAILED!");
    }

    MapHost maps{"turns-served"};
};

}  // namespace

TEST_F(ConnectionTurns, ADisconnectAndANewLoginDuringAFetchGetTheNewConnectionsMap) {
    ASSERT_NO_FATAL_FAILURE(StartWithMapHost());
    Send(R"(["?", "ID", "silent1", "22500"], ["c", "Server", "after the first map", "0"])");
    ASSERT_TRUE(Requested("/maps/silent1.map"));
    // The user acts at once, the fetch still running.
    ASSERT_TRUE(DisconnectByMenu()) << last;
    ASSERT_TRUE(LogInAgain());
    Send(R"(["?", "ID", "arena2", "22500"], ["U"])");
    ASSERT_TRUE(Requested("/maps/arena2.map"));
    EXPECT_TRUE(WaitSent(R"(["M", )"));  // the frame after the announcement, once the map is in
    EXPECT_EQ(std::filesystem::file_size(dir.File("Map\\arena2.map")), 22500u);
    ASSERT_TRUE(LaterFetchFailed("silent2")) << last;
    // The first fetch's end came to nothing: no failure, and the frame behind it went with its
    // connection.
    EXPECT_FALSE(Has(last, "Receiving Map 'silent1' FAILED!")) << last;
    EXPECT_FALSE(Has(last, "after the first map")) << last;
    EXPECT_TRUE(Connected());
}

TEST_F(ConnectionTurns, ABoxLeftOpenDuringAFetchHoldsNoFrameOnceTheFetchIsOver) {
    // Below level 5 a Disconnect asks first; the user leaves that box open.
    ASSERT_NO_FATAL_FAILURE(StartWithMapHost({.reply = LoginReply("1")}));
    Clear();
    Send(R"(["?", "ID", "silent3", "22500"], ["U"])");
    ASSERT_TRUE(Requested("/maps/silent3.map"));
    const DWORD asked = GetTickCount();
    ASSERT_EQ(hook.Ask("menu mnuFileConnect"), "ok");
    ASSERT_TRUE(Dump("frmMsgBox", "Are you sure you want to disconnect?")) << last;
    // The fetch gives up after its 10 s; the "U" behind it is answered under the open box.
    EXPECT_TRUE(WaitSent(R"(["M", )", 30000));
    EXPECT_LT(GetTickCount() - asked, 30000u);
    EXPECT_TRUE(Dump("frmMsgBox", [](const std::string& d) {
        return testsupport::DumpLineHas(d, "form", "visible=1") && Has(d, "Are you sure you want to disconnect?");
    })) << last;
    EXPECT_TRUE(Answer("Are you sure you want to disconnect?", "No")) << last;
    EXPECT_TRUE(Connected());
}

TEST_F(ConnectionTurns, ALoginDuringTheDrainAfterTheServersCloseStaysConnected) {
    ASSERT_NO_FATAL_FAILURE(StartWithMapHost());
    // The server's last words wait behind a map it never sends, and it hangs up.
    ASSERT_TRUE(Has(server.Command(R"({"cmd": "burst", "frames": [["?", "ID", "silent4", "22500"],)"
                                   R"( ["c", "Server", "the old connection's last words", "0"]], "count": 2, "close": true})"),
                    R"("ok": true)"));
    ASSERT_TRUE(Requested("/maps/silent4.map"));
    ASSERT_TRUE(testsupport::PumpUntil([&] { return !Connected(); }, kComes));
    // During the drain the user closes and logs in again at once.
    ASSERT_TRUE(DisconnectByMenu()) << last;
    ASSERT_TRUE(LogInAgain());
    // Past the old fetch's end the new connection stands, and nothing of the old one came after.
    ASSERT_TRUE(LaterFetchFailed("silent5")) << last;
    EXPECT_TRUE(Connected());
    EXPECT_FALSE(Has(last, "the old connection's last words")) << last;
    EXPECT_FALSE(Has(last, "Receiving Map 'silent4' FAILED!")) << last;
    const size_t login = last.rfind("Connected to ");
    ASSERT_NE(login, std::string::npos) << last;
    EXPECT_FALSE(Has(last.substr(login), "Disconnected.")) << last;
    Clear();
    Send(R"(["U"])");
    EXPECT_TRUE(WaitSent(R"(["M", )"));
}

