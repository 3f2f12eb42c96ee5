// The login as a user makes it: the connect dialog opened at once, while the main window's
// load is still warming up, connects and logs in (the server receives the login frame).
#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <string>

#include "ClientProcess.h"
#include "HookClient.h"
#include "ScriptedServer.h"
#include "frmMain.h"

using namespace clienttest;

TEST(Login, DialogUsedDuringTheLoadLogsIn) {
    ASSERT_TRUE(testsupport::RegisterSocketControl());
    testsupport::ScriptedServer server;
    ASSERT_TRUE(server.Start());
    testsupport::ScratchDir dir("blackbox-login");
    const std::string exe = PrepareProgramFolder(dir.Path());
    Process client;
    ASSERT_TRUE(client.Start("\"" + exe + "\" --test-hook", dir.Path()));
    ASSERT_NE(WaitForProcessWindow(client.Pid(), skx::MainWindowClass, "Skirmex", 30000), nullptr);
    testsupport::HookClient hook;
    ASSERT_TRUE(hook.Attach(client.Pid(), 20000));
    // Username, password, server and port by their ids; then OK.
    ASSERT_EQ(hook.Ask("menu mnuFileConnect"), "ok");
    ASSERT_TRUE(hook.WaitForDump("frmConnect", [](const std::string& d) { return d.find("visible=1") != std::string::npos; }, 15000));
    const std::string port = std::to_string(server.GamePort());
    for (const std::string& field : std::initializer_list<std::string>{
             "#101 set tester", "#102 set secret", "#104 set 127.0.0.1", "#105 set " + port, "#1 click"}) {
        EXPECT_EQ(hook.Ask("frmConnect." + field), "ok") << field;
    }
    std::string frames;
    for (int i = 0; i < 100 && frames.find("[\"!\", \"tester\"") == std::string::npos; ++i) {
        Sleep(100);
        frames = server.Frames();
    }
    EXPECT_NE(frames.find("[\"!\", \"tester\""), std::string::npos) << frames;
    client.Kill();
}
