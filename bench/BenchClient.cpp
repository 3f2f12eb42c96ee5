#include "BenchClient.h"

namespace bench {

bool Has(const std::string& text, const std::string& piece) { return text.find(piece) != std::string::npos; }

void BenchClient::AnswerLoginWith(const std::string& frames) {
    server.Command(R"({"cmd": "script", "script": {"on": {"!": [)" + frames + "]}}}");
}

testing::AssertionResult BenchClient::Launch(const std::string& loginReply) {
    if (testing::AssertionResult r = testsupport::RegisterSocketControl(); !r) return r;
    if (testing::AssertionResult r = server.Start(); !r) return r;
    AnswerLoginWith(loginReply);
    testsupport::WriteFileBytes(run.DatFile("Game.DAT"),
                                "[LASTSERVER]\r\nHost=127.0.0.1\r\nPort=" + std::to_string(server.GamePort()) + "\r\n");
    return run.Start(hook);
}

testing::AssertionResult BenchClient::Start(const std::string& loginReply) {
    if (testing::AssertionResult r = Launch(loginReply); !r) return r;
    return LogIn();
}

testing::AssertionResult BenchClient::LogIn() {
    server.Command(R"({"cmd": "clear"})");
    if (testing::AssertionResult r = clienttest::LogInThroughTheDialog(hook); !r) return r;
    if (!testsupport::PumpUntil([&] { return Has(server.Frames(), R"(["!", "tester")"); }, 60000)) {
        return testing::AssertionFailure() << "no login reached the server; the client " << run.process.State();
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult BenchClient::LogOut() {
    if (hook.Ask("menu mnuFileConnect") != "ok") return testing::AssertionFailure() << "the Disconnect menu did not answer";
    std::string dump;
    if (!hook.WaitForDump("frmMain", [](const std::string& d) { return Has(d, "panel 1 \"Disconnected\""); }, 30000, &dump)) {
        return testing::AssertionFailure() << "the Disconnect did not end: " << dump.substr(0, 300);
    }
    return testing::AssertionSuccess();
}

bool BenchClient::Answered(uint32_t ms) {
    return testsupport::PumpUntil([&] { return Has(server.Frames(), R"(["M", )"); }, ms);
}

}  // namespace bench
