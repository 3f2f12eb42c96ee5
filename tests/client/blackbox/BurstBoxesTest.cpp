// Bursts a hostile or broken server may send at once after the login, as the user meets them:
// whatever a burst holds, the client keeps answering, its closing "U" is answered, a user clicks
// away a handful of boxes at most and finds the rest counted in the Game pane; and once the user
// has disconnected, what the server still sends raises no box.
#include "LoggedInClient.h"

using namespace clienttest;
using testsupport::DumpLineHas;
using BurstBoxes = ClientTest;

TEST_F(BurstBoxes, EveryFrameThatRaisesABoxRaisesAFewAndTheRestBecomeGamePaneLines) {
    ASSERT_TRUE(Start());
    // Each with whether it is the first of its kind of box (the two chat lines share one, as do
    // the two alias answers): six kinds of three boxes each come before the spell's 20 are shown.
    struct Kind { const char* frame; int count; bool first; };
    const Kind bursts[] = {
        {R"(["#", "boom"])", 50001, true},             // the server's error box
        {R"(["c", "ann"])", 50000, true},              // a chat line short of its kind
        {R"(["c", "ann", "hi", "13"])", 40000, false}, // a kind outside the table
        {R"(["M", "48", "call us"])", 40000, true},    // the administrators' notice
        {R"(["a", "1;~:x"])", 50000, true},            // alias limit reached
        {R"(["a", "2;x:mine"])", 50000, false},        // alias not removed
        {R"(["t", "2", "1"])", 50000, true},           // team not created
        {R"(["t", "1", "X"])", 50000, true},           // no such team
        {R"(["P", "1", "2"])", 50000, true},           // a position short of its fields: the plain box
    };
    // The bursts follow one another within one spell, which shows 20 boxes of all kinds at most
    // and 3 of each kind; each text without a box is counted in the Game pane, which is then
    // emptied for the next.
    int boxes = 0;
    for (const auto& [frame, count, first] : bursts) {
        const BurstOutcome out = Burst(frame, count);
        EXPECT_TRUE(out.Bearable()) << frame;
        EXPECT_LE(out.boxes, 3) << frame;
        EXPECT_TRUE(!first || boxes >= 18 || out.boxes >= 1) << frame << ": the first of its kind showed no box";
        boxes += out.boxes;
        EXPECT_TRUE(Dump("frmChatBar", [&](const std::string& d) { return DivertedCount(d) == count - out.boxes; }))
            << frame << ": " << DivertedCount(last) << " counted, " << count - out.boxes << " without a box";
        EXPECT_TRUE(Has(last, " further messages of the server came instead of boxes; the first 20 are written above."));
        EXPECT_TRUE(frame != bursts[0].frame || Has(last, "Error notification from server! boom")) << last;
        ASSERT_EQ(hook.Ask("frmChatBar.txtStatus(1) key Delete shift"), "ok");
        ASSERT_TRUE(Dump("frmChatBar", [](const std::string& d) { return DivertedCount(d) == 0; })) << last;
    }
    EXPECT_LE(boxes, 20);
    EXPECT_GE(boxes, 18);  // the first six kinds' three each
}

TEST_F(BurstBoxes, BadValuesAndFloodsOfCheapFramesKeepTheWindowAnsweringWithFewReports) {
    // The reports' own boxes follow the same rule.
    ASSERT_TRUE(Start({.game = "[Options]\r\nShowErrors=True\r\n"}));
    EXPECT_TRUE(Burst(R"(["V", "x"], ["V", "1e10"])", 100000).Bearable()) << "V";
    EXPECT_TRUE(Burst(R"(["t", "1"])", 100000).Bearable()) << "t 1 without its team";
    EXPECT_TRUE(Burst(R"(["x"])", 250000).Bearable()) << "x";  // 4-byte frames without a handler
    EXPECT_TRUE(Burst(R"(["S"])", 250000).Bearable()) << "S";  // each clears the whole grid
    EXPECT_TRUE(Dump("frmChatBar", " of commands without a handler were left out.")) << last;  // once they stop
    EXPECT_TRUE(Has(last, "Client Used UnImplemented Command: x")) << last;
}

TEST_F(BurstBoxes, WhatTheServerSendsAfterTheUsersDisconnectRaisesNoBox) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(Dump("frmChatBar", "tab tabChat 6")) << last;  // level 95 taken: no registration question
    // The server answers the client's "quit" with error texts, then hangs up.
    server.Command(R"({"cmd": "script", "script": {"on": {"C:quit": [["#", "late"], ["#", "late"], ["close"]]}}})");
    ASSERT_EQ(hook.Ask("menu mnuFileConnect"), "ok");
    ASSERT_TRUE(WaitSent(R"(["C", "quit"])"));
    EXPECT_TRUE(Dump("frmChatBar", "Error notification from server! late")) << last;  // handled, in the pane
    EXPECT_TRUE(Dump("frmChatBar", "Disconnected.")) << last;
    EXPECT_FALSE(testsupport::PumpUntil([&] { return DumpLineHas(hook.Ask("dump frmMsgBox"), "form", "visible=1"); }, 3000));
}
