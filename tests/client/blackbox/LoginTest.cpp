// The login as a user makes it: the connect dialog opened at once, while the main window's
// load is still warming up, connects and logs in (the server receives the login frame).
#include <initializer_list>

#include "LoggedInClient.h"

using namespace clienttest;
using Login = ClientTest;

TEST_F(Login, DialogUsedDuringTheLoadLogsIn) {
    DeleteClientValue(ClientKeyFor(dir.Path()), "Update");  // the tip at the start, as on a first day
    ASSERT_TRUE(Start({.reply = "", .logIn = false}));
    // Username, password, server and port by their ids; then OK.
    ASSERT_EQ(hook.Ask("menu mnuFileConnect"), "ok");
    ASSERT_TRUE(Dump("frmConnect", "visible=1")) << last;
    const std::string port = std::to_string(server.GamePort());
    for (const std::string& field : std::initializer_list<std::string>{
             "#101 set tester", "#102 set secret", "#104 set 127.0.0.1", "#105 set " + port, "#1 click"}) {
        EXPECT_EQ(hook.Ask("frmConnect." + field), "ok") << field;
    }
    EXPECT_TRUE(WaitSent("[\"!\", \"tester\"")) << server.Frames();
}
