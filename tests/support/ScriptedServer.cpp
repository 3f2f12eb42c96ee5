#include "ScriptedServer.h"

#include <winsock2.h>

namespace testsupport {

bool RegisterSocketControl() {
    ChildProcess reg;
    if (!reg.Start("regsvr32.exe /s \"" + ProgramFolder() + "\\Tetherline.dll\"")) return false;
    DWORD code = 1;
    return reg.Wait(30000, &code) && code == 0;
}

bool ScriptedServer::Start(const std::string& extraArgs) {
    WSADATA w;
    WSAStartup(MAKEWORD(2, 2), &w);
    // Ports picked again when the server could not bind them: another program of the machine
    // may take a free port between its pick and the server's start.
    for (int attempt = 0; attempt < 3; ++attempt) {
        game_ = FreePort();
        do control_ = FreePort(); while (control_ == game_);
        std::string args = "--port " + std::to_string(game_) + " --control-port " + std::to_string(control_);
        // The tests' own short script (a login answered, a server that stays on "quit") unless
        // another is asked for.
        if (extraArgs.find("--script") == std::string::npos) args += " --script tools/testserver/basic.json";
        if (!extraArgs.empty()) args += " " + extraArgs;
        if (!child_.StartPython("tools/testserver/server.py", args)) return false;
        bool up = false;
        PumpUntil([&] { return (up = WaitForPort(control_, 200)) || !child_.Running(); }, 10000);
        if (up) return true;
        child_.Kill();
    }
    return false;
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
