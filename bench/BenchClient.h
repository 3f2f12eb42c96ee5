// The client as a player runs it, for benchmarks that time what the player waits for: a copy of
// Skirmex in a scratch folder with its test hook, the scripted game server on loopback, logged
// in through the connect dialog.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "ClientProcess.h"
#include "HookClient.h"
#include "ScriptedServer.h"
#include "WinTestSupport.h"

namespace bench {

struct BenchClient {
    explicit BenchClient(const char* name) : dir(name), run(dir.Path()) {}

    // Starts the server (whose answer to the login is loginReply, JSON frames) and the client,
    // and logs in; else which step failed.
    testing::AssertionResult Start(const std::string& loginReply);
    // The same without the login: the client waits in its start-up.
    testing::AssertionResult Launch(const std::string& loginReply);
    // A login through the dialog; success once the server has it.
    testing::AssertionResult LogIn();
    // The user's Disconnect, through to its end.
    testing::AssertionResult LogOut();
    // The server's script: its answer to the login.
    void AnswerLoginWith(const std::string& frames);
    // Waits (up to ms) until the server has the client's answer to a "U" ("M").
    bool Answered(uint32_t ms);

    testsupport::ScratchDir dir;
    testsupport::ScriptedServer server;
    testsupport::HookClient hook;
    clienttest::ClientRun run;
};

bool Has(const std::string& text, const std::string& piece);

}  // namespace bench
