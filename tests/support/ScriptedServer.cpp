#include "ScriptedServer.h"

#include <winsock2.h>

#include <cstdlib>

namespace testsupport {

testing::AssertionResult RegisterSocketControl() {
    ChildProcess reg;
    if (!reg.Start("regsvr32.exe /s \"" + ProgramFolder() + "\\Tetherline.dll\"")) {
        return testing::AssertionFailure() << "regsvr32 did not start: error " << GetLastError();
    }
    DWORD code = 1;
    const DWORD since = GetTickCount();
    if (!reg.Wait(30000, &code)) {
        return testing::AssertionFailure() << "regsvr32 had not ended after " << GetTickCount() - since << " ms";
    }
    if (code != 0) return testing::AssertionFailure() << "regsvr32 of Tetherline.dll ended with exit code " << code;
    return testing::AssertionSuccess();
}

testing::AssertionResult ScriptedServer::Start(const std::string& extraArgs) {
    WSADATA w;
    WSAStartup(MAKEWORD(2, 2), &w);  // for Command's sockets
    // The server binds both ports itself and names them: no other program of the machine (such
    // as the 32-bit stage's servers, beside these tests) can take one between a pick and a bind.
    std::string args = "--port 0 --control-port 0";
    // The tests' own short script (a login answered, a server that stays on "quit") unless
    // another is asked for.
    if (extraArgs.find("--script") == std::string::npos) args += " --script tools/testserver/basic.json";
    if (!extraArgs.empty()) args += " " + extraArgs;
    const DWORD since = GetTickCount();
    const std::string line = StartPythonAnnounced(child_, "tools/testserver/server.py", args);
    game_ = PortAfter(line, "127.0.0.1:");
    control_ = PortAfter(line, "control port ");
    if (game_ && control_) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the scripted server (" << args << ") named no ports in "
                                       << GetTickCount() - since << " ms (three tries); its line: \"" << line << '"';
}

void ScriptedServer::Stop() { child_.Kill(); }

std::string ScriptedServerCommand(uint16_t controlPort, const std::string& json) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return {};
    DWORD wait = 10000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(controlPort);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string reply;
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
        std::string line = json + "\n";
        send(s, line.data(), static_cast<int>(line.size()), 0);
        char buf[4096];
        int n;
        while ((n = recv(s, buf, sizeof buf, 0)) > 0) {
            reply.append(buf, static_cast<size_t>(n));
            if (reply.back() == '\n') break;
        }
    }
    closesocket(s);
    return reply;
}

long ScriptedServer::StatusNumber(const std::string& status, const char* name) {
    const std::string key = std::string("\"") + name + "\": ";
    const size_t at = status.find(key);
    return at == std::string::npos ? -1 : std::atol(status.c_str() + at + key.size());
}

bool ScriptedServer::WaitForClient(uint32_t timeoutMs) const {
    return PumpUntil([&] { return Command("{\"cmd\": \"status\"}").find("\"connected\": true") != std::string::npos; },
                     timeoutMs);
}

std::string ScriptedServer::Send(const std::vector<std::vector<std::string>>& frames) const {
    std::string json = "{\"cmd\": \"send\", \"frames\": [";
    for (size_t i = 0; i < frames.size(); ++i) {
        json += i ? ", [" : "[";
        for (size_t j = 0; j < frames[i].size(); ++j) json += (j ? ", " : "") + JsonString(frames[i][j]);
        json += "]";
    }
    return Command(json + "]}");
}

}  // namespace testsupport
