// The client's picture of the connection: the clean slate, re-centring the view (with the view
// rectangle sent to the scripted server over the real control), players logging in and out,
// and the vote notices stored in the real Game.DAT of the scratch prefix.
#include <gtest/gtest.h>

#include "ArenaModel.h"
#include "ConnectionState.h"
#include "ServerSettings.h"
#include "SettingsFiles.h"
#include "LoginTestSupport.h"
#include "ReceiveBuffer.h"
#include "frmChatBar.h"
#include "frmMain.h"
#include "frmMapDisp.h"
#include "frmVote.h"

using namespace skx;
using namespace logintest;

namespace {

// The keys of a section as the file holds them: each line of the form name=value up to the next
// section's heading.
int KeysOf(const std::string& file, const std::string& section) {
    int keys = 0;
    bool inside = false;
    for (size_t at = 0; at < file.size();) {
        size_t end = file.find('\n', at);
        if (end == std::string::npos) end = file.size();
        std::string line = file.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') inside = line == "[" + section + "]";
        else if (inside && line.find('=') != std::string::npos && line.find('=') > 0) ++keys;
        at = end + 1;
    }
    return keys;
}

class ConnectionState : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        for (PlayerRecord& p : Players) p = PlayerRecord{};
        frmChatBar().WhoList.Clear();
        MapPlayers.Fill(-1);
        TileSize = 16;
    }
    static void AddPlayer(const std::string& name, const std::string& level) {
        KeyedListView& list = frmChatBar().WhoList;
        list.Add(name, name);
        list.SetSubItem(list.Count(), "level", level);
    }
    static std::string LevelOf(int index) {
        for (const auto& [key, text] : frmChatBar().WhoList.ItemAt(index).SubItems) {
            if (key == "level") return text;
        }
        return {};
    }
    // The "M" frames the server received since the last look.
    std::vector<Frame> ViewRects() {
        std::vector<Frame> out = FramesOf("M");
        server.Command("{\"cmd\": \"clear\"}");
        return out;
    }
};

}  // namespace

TEST_F(ConnectionState, CleanUpResetsTheLayersPositionsAndBufferAndDisablesTheChat) {
    for (MapGrid* layer : {&MapPaintballs, &MapSplats, &MapObjects, &MapPlayers, &MapBots, &MapTargets}) {
        (*layer)(0, 0) = 3;
        (*layer)(149, 149) = 4;
        (*layer)(75, 20) = 5;
    }
    MapOutline(10, 10) = -1;
    MapTerrain(5, 5) = 9;
    OwnPosition = {40, 50};
    ViewOrigin = {30, 31};
    MoveTarget = {12, 13};
    Players[3].Name = "Keeper";
    ReceiveBuffer = "\x1Bx\0";
    frmMain().txtSend.SetEnabled(true);
    for (RichTextBox& pane : frmChatBar().txtStatus) pane.SetEnabled(true);
    frmChatBar().WhoList.SetEnabled(true);
    frmMapDisp().picMap.SetEnabled(true);

    Clean_Up();

    for (MapGrid* layer : {&MapPaintballs, &MapSplats, &MapObjects, &MapPlayers, &MapBots, &MapTargets}) {
        for (int x = 0; x < ArenaSize; ++x) {
            for (int y = 0; y < ArenaSize; ++y) ASSERT_EQ((*layer)(x, y), -1) << x << "," << y;
        }
    }
    for (int x = 0; x < ArenaSize; ++x) {
        for (int y = 0; y < ArenaSize; ++y) ASSERT_EQ(MapOutline(x, y), 0);
    }
    EXPECT_EQ(MapTerrain(5, 5), 9);  // the terrain is the map's, not the connection's
    EXPECT_EQ(ViewOrigin.x, 0.0f);
    EXPECT_EQ(ViewOrigin.y, 0.0f);
    EXPECT_EQ(OwnPosition.x, 7.0f);
    EXPECT_EQ(OwnPosition.y, 7.0f);
    EXPECT_EQ(MoveTarget.x, 12.0f);  // untouched, as the players table
    EXPECT_EQ(Players[3].Name, "Keeper");
    EXPECT_FALSE(HasReceivedData());
    EXPECT_FALSE(IsWindowEnabled(frmMain().txtSend.hWnd()));
    for (RichTextBox& pane : frmChatBar().txtStatus) EXPECT_FALSE(IsWindowEnabled(pane.hWnd()));
    EXPECT_FALSE(IsWindowEnabled(frmChatBar().WhoList.hWnd()));
    EXPECT_FALSE(IsWindowEnabled(frmMapDisp().picMap.hWnd()));
    EXPECT_TRUE(Reports().empty());
}

TEST_F(ConnectionState, ScreenCenterSendsTheViewForEvenAndOddViewSizes) {
    ASSERT_TRUE(ConnectDirectly());
    server.Command("{\"cmd\": \"clear\"}");
    OwnPosition = {7, 7};
    bool announce = false;

    // 25 squares across: 143.5 goes to the even 144; 20 down: 146.
    SetMapPicture(400, 320);
    Screen_Center(announce);
    // 23 squares across: 144.5 goes to the even 144 as well; 20.5 down keeps its fraction.
    SetMapPicture(368, 328);
    Screen_Center(announce);
    // 24.5 across: 143.75 gives 144, sent with the fraction.
    SetMapPicture(392, 320);
    Screen_Center(announce);
    // Near the far corner the origin wraps: 140 + 149 - 12.5 = 276.5 -> 276 mod 150 = 126.
    OwnPosition = {140, 3};
    SetMapPicture(400, 320);
    Screen_Center(announce);

    ASSERT_TRUE(testsupport::PumpUntil([&] { return FramesOf("M").size() >= 4; }, 5000));
    std::vector<Frame> sent = ViewRects();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0], (Frame{"M", "144", "146", "25", "20"}));
    EXPECT_EQ(sent[1], (Frame{"M", "144", "146", "23", "20.5"}));
    EXPECT_EQ(sent[2], (Frame{"M", "144", "146", "24.5", "20"}));
    EXPECT_EQ(sent[3], (Frame{"M", "126", "142", "25", "20"}));
    EXPECT_EQ(ViewOrigin.x, 126.0f);
    EXPECT_EQ(ViewOrigin.y, 142.0f);
    EXPECT_EQ(MoveTarget.x, 140.0f);
    EXPECT_EQ(MoveTarget.y, 3.0f);
    EXPECT_EQ(PaneText(1).find("Screen Centered."), std::string::npos);

    announce = true;
    Screen_Center(announce);
    EXPECT_EQ(Occurrences(PaneText(1), "Screen Centered."), 1);
    EXPECT_EQ(Occurrences(PaneText(0), "Screen Centered."), 1);  // echoed to General
    EXPECT_TRUE(Reports().empty());
}

TEST_F(ConnectionState, ScreenCenterWithoutATileSizeIsReported) {
    TileSize = 0;
    bool announce = true;
    OwnPosition = {9, 9};
    MoveTarget = {1, 1};
    Screen_Center(announce);
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].module, "modMiscFunctionsOne");
    EXPECT_EQ(Reports()[0].procedure, "Screen_Center");
    EXPECT_EQ(Reports()[0].number, 11);
    EXPECT_EQ(MoveTarget.x, 1.0f);  // stopped before it
}

TEST_F(ConnectionState, LoggedInSetsNamesAndLevelsForIndexesInsideTheTableOnly) {
    AddPlayer("Alice", "3");
    AddPlayer("Bob", "7");

    Logged_In("alice", "12", 0);  // the list's own letter case does not matter
    EXPECT_EQ(Players[0].Name, "alice");
    EXPECT_EQ(LevelOf(1), "12");
    EXPECT_EQ(LevelOf(2), "7");

    Logged_In("Carol", "5", 100);  // not listed: the table only, no new item
    EXPECT_EQ(Players[100].Name, "Carol");
    EXPECT_EQ(frmChatBar().WhoList.Count(), 2);

    Logged_In("Dave", "5", 101);  // outside the table: nothing at all
    Logged_In("", "5", 4);        // no name: nothing
    EXPECT_TRUE(Players[4].Name.empty());
    EXPECT_TRUE(Reports().empty());

    Logged_In("Eve", "5", -1);  // an index below the table is error 9, never a write
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].module, "modMiscFunctionsOne");
    EXPECT_EQ(Reports()[0].procedure, "Logged_In");
    EXPECT_EQ(Reports()[0].number, 9);
    EXPECT_EQ(frmChatBar().WhoList.Count(), 2);
    for (const PlayerRecord& p : Players) EXPECT_NE(p.Name, "Eve");

    // With an empty list only the table changes.
    frmChatBar().WhoList.Clear();
    Logged_In("Bob", "9", 1);
    EXPECT_EQ(Players[1].Name, "Bob");
    EXPECT_EQ(frmChatBar().WhoList.Count(), 0);
}

TEST_F(ConnectionState, LoggedOutClearsTheEntryAndItsSquaresInTheView) {
    SetMapPicture(160, 160);  // 10 x 10 squares
    ViewOrigin = {145, 0};    // the view wraps round the right edge
    AddPlayer("Alice", "3");
    Players[0] = PlayerRecord{4, "Alice", 0, 0, 3};
    Players[100] = PlayerRecord{6, "Zed", 0, 0, 2};
    MapPlayers(146, 2) = 0;
    MapPlayers(3, 5) = 0;     // wrapped into the view
    MapPlayers(40, 40) = 0;   // outside the view: keeps the index
    MapPlayers(147, 3) = 100;

    Logged_Out(100);  // not in the list: nothing changes
    EXPECT_EQ(Players[100].Name, "Zed");
    EXPECT_EQ(MapPlayers(147, 3), 100);

    Logged_Out(0);
    EXPECT_TRUE(Players[0].Name.empty());
    EXPECT_EQ(Players[0].Sprite, -1);
    EXPECT_EQ(MapPlayers(146, 2), -1);
    EXPECT_EQ(MapPlayers(3, 5), -1);
    EXPECT_EQ(MapPlayers(40, 40), 0);
    EXPECT_EQ(MapPlayers(147, 3), 100);
    EXPECT_EQ(frmChatBar().WhoList.Count(), 1);  // the item stays for the who-list feed
    EXPECT_TRUE(Reports().empty());

    Logged_Out(101);  // above the table: nothing, no error
    EXPECT_TRUE(Reports().empty());
    Logged_Out(-1);  // below the table: error 9
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].procedure, "Logged_Out");
    EXPECT_EQ(Reports()[0].number, 9);

    // A list of exactly its most rows, not cut: a player it lacks stays.
    std::string who;
    for (int i = 0; i < MostListRows; ++i) who += "p" + std::to_string(i) + ":1:0:x:-:0:0;";
    frmChatBar().Update(who.substr(0, who.size() - 1));
    Logged_Out(100);
    EXPECT_EQ(Players[100].Name, "Zed");
    // A player the list was cut short of goes all the same; an entry without a name does not.
    frmChatBar().Update(who + "Zed:2:0:x:-:0:0");
    Players[50].Name.clear();
    MapPlayers(146, 4) = 50;
    Logged_Out(50);
    EXPECT_EQ(MapPlayers(146, 4), 50);
    Logged_Out(100);
    EXPECT_TRUE(Players[100].Name.empty());
    EXPECT_EQ(MapPlayers(147, 3), -1);
}

TEST_F(ConnectionState, VoteNoticesAreStoredCleanedAndShownInTheVoteList) {
    std::string data = " v:Capture The Flag ";
    HandleVoteInformation(data);
    EXPECT_EQ(Ini("Vote", "Game"), "Capture The Flag");
    data = "h:Capture The Flag";
    HandleVoteInformation(data);
    EXPECT_EQ(Ini("Hate", "Capture The Flag"), "True");
    data = "L:Capture The Flag";  // the code in any letter case
    HandleVoteInformation(data);
    EXPECT_EQ(Ini("Hate", "Capture The Flag"), "False");
    data = "g:Capture The Flag@Hunt";
    HandleVoteInformation(data);
    EXPECT_EQ(Ini("Hate", "List"), "Capture The Flag@Hunt");

    // Three parts, an unknown code, or an empty game store nothing.
    data = "v:Hunt:Survival";
    HandleVoteInformation(data);
    data = "x:Hunt";
    HandleVoteInformation(data);
    data = "v:";
    HandleVoteInformation(data);
    data = "h:";
    HandleVoteInformation(data);
    EXPECT_EQ(Ini("Vote", "Game"), "Capture The Flag");

    // Server text never opens a section or adds a line of its own.
    data = std::string("h:Evil]\r\n[Vote\0=Game", 20);
    HandleVoteInformation(data);
    EXPECT_EQ(Ini("Hate", "EvilVoteGame"), "True");
    EXPECT_EQ(Ini("Vote", "Game"), "Capture The Flag");
    // A game that could not be the vote command's one argument keeps the stored vote.
    for (const std::string refused : {"v:Hunt\r\nGame=Survival", "v:King's Hill", "v:Hunt & quit", "v:A\nB"}) {
        data = refused;
        HandleVoteInformation(data);
        EXPECT_EQ(Ini("Vote", "Game"), "Capture The Flag") << refused;
    }
    FlushServerSettings();
    std::string file = testsupport::ReadFileBytes(GameDat()).value_or("");
    EXPECT_EQ(Occurrences(file, "[Vote]"), 1);
    EXPECT_EQ(Occurrences(file, "[Hate]"), 1);
    EXPECT_TRUE(Reports().empty());

    // A flood of new games stops at the section's bound, reported once; known games still change.
    for (int i = 0; i < 100; ++i) {
        data = "h:Game " + std::to_string(i);
        HandleVoteInformation(data);
    }
    FlushServerSettings();  // the file as it stands once what waits is written
    EXPECT_EQ(KeysOf(testsupport::ReadFileBytes(GameDat()).value_or(""), "Hate"), 64);
    EXPECT_EQ(Ini("Hate", "Game 70"), "<missing>");
    data = "l:Capture The Flag";
    HandleVoteInformation(data);
    EXPECT_EQ(Ini("Hate", "Capture The Flag"), "False");
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].number, 6);
}

TEST_F(ConnectionState, VoteNoticesSetTheIconsOfTheVisibleVoteList) {
    WriteGameDat("[Vote]\r\nGame=Hunt\r\n[Hate]\r\nSurvival=True\r\n");
    frmVote().Show(ShowMode::Modeless, &frmMain());
    frmVote().Update("Survival:3;Hunt:5;Capture The Flag:1");
    VoteList& list = frmVote().gridVoteWindow;
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ItemAt(1).SmallIcon, 2);
    EXPECT_EQ(list.ItemAt(2).SmallIcon, 1);
    EXPECT_EQ(list.ItemAt(3).SmallIcon, 3);
    EXPECT_EQ(frmVote().Caption(), "3 Game(s).");

    std::string data = "v:Capture The Flag";
    HandleVoteInformation(data);
    EXPECT_EQ(list.ItemAt(1).SmallIcon, 3);  // every other game back to 3
    EXPECT_EQ(list.ItemAt(2).SmallIcon, 3);
    EXPECT_EQ(list.ItemAt(3).SmallIcon, 1);
    EXPECT_EQ(list.ShownIcon(3), 0);  // the list draws image 1
    data = "v:King's Hill";  // refused: no icon moves, and no key the list lacks is asked for
    HandleVoteInformation(data);
    EXPECT_EQ(list.ItemAt(3).SmallIcon, 1);
    data = "h:Hunt";
    HandleVoteInformation(data);
    EXPECT_EQ(list.ItemAt(2).SmallIcon, 2);
    EXPECT_EQ(list.ShownIcon(2), 1);
    data = "l:Hunt";
    HandleVoteInformation(data);
    EXPECT_EQ(list.ItemAt(2).SmallIcon, 3);
    // A game of a long name: the next fill reads its flag under the key it was stored under.
    const std::string tally = "Hunt:5;Long " + std::string(95, 'g') + ":1";
    frmVote().Update(tally);
    data = "h:Long " + std::string(95, 'g');
    HandleVoteInformation(data);
    frmVote().Update(tally);
    EXPECT_EQ(list.ItemAt(2).SmallIcon, 2);
    EXPECT_TRUE(Reports().empty());

    // A game the list does not hold: stored, then the error goes to the reporter.
    data = "h:Tournament";
    HandleVoteInformation(data);
    EXPECT_EQ(Ini("Hate", "Tournament"), "True");
    ASSERT_EQ(Reports().size(), 1u);
    EXPECT_EQ(Reports()[0].procedure, "HandleVoteInformation");
    EXPECT_EQ(Reports()[0].number, 35601);
    frmVote().Unload();
}
