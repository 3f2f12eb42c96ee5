// The scripted game server (tools/testserver/server.py) for tests that cross the wire, and the
// registration of the socket control those tests connect through.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "WinTestSupport.h"

namespace testsupport {

// Registers Tetherline.dll of the program folder with regsvr32 (in a child process); else what
// failed: the start (the platform's error), regsvr32's exit code, or the time waited for it.
testing::AssertionResult RegisterSocketControl();

// One control request (a JSON object) to a scripted server's control port; its JSON answer line.
std::string ScriptedServerCommand(uint16_t controlPort, const std::string& json);

class ScriptedServer {
public:
    ScriptedServer() = default;
    ~ScriptedServer() { Stop(); }
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    // Starts the server on two loopback ports it picks itself; success once it has named them,
    // else the line it wrote (if any) and the time waited.
    testing::AssertionResult Start(const std::string& extraArgs = {});
    void Stop();
    uint16_t GamePort() const { return game_; }
    uint16_t ControlPort() const { return control_; }

    // One control request (a JSON object); the server's JSON answer line.
    std::string Command(const std::string& json) const { return ScriptedServerCommand(control_, json); }
    // Sends frames (each the command, then the fields) to the connected client.
    std::string Send(const std::vector<std::vector<std::string>>& frames) const;
    // The frames recorded so far, as the server's JSON answer.
    std::string Frames() const { return Command("{\"cmd\": \"frames\"}"); }
    // A number of a status answer, such as "frames" or "stream_ms" (-1 when it has none).
    static long StatusNumber(const std::string& status, const char* name);
    // How many frames it has recorded (-1 when it does not answer).
    int FrameCount() const { return static_cast<int>(StatusNumber(Command("{\"cmd\": \"status\"}"), "frames")); }
    // Whether it holds a client's connection within timeoutMs. It takes a connection from its
    // queue a little after the client's connect has returned: what it sends before goes nowhere.
    bool WaitForClient(uint32_t timeoutMs = 10000) const;

private:
    ChildProcess child_;
    uint16_t game_ = 0;
    uint16_t control_ = 0;
};

}  // namespace testsupport
