#include <winsock2.h>

#include "WinTestSupport.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

namespace testsupport {

void PumpFor(uint32_t ms) {
    PumpUntil([] { return false; }, ms);
}

namespace {
thread_local bool quitSeen = false;
}  // namespace

bool QuitSeen() { return quitSeen; }

bool PumpUntil(const std::function<bool()>& pred, uint32_t timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (pred()) return true;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) return pred();
        DWORD wait = timeoutMs - elapsed;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait > 10 ? 10 : wait, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quitSeen = true;
                PostQuitMessage(static_cast<int>(msg.wParam));
                return pred();
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

ScratchDir::ScratchDir(const std::string& name) {
    char tmp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, tmp);
    path_ = std::string(tmp) + "skirmora-" + name + "-" + std::to_string(GetCurrentProcessId());
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchDir::~ScratchDir() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string n = fd.cFileName;
            if (n == "." || n == "..") continue;
            std::string full = path + "\\" + n;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
            else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string data;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) data.append(buf, n);
    CloseHandle(h);
    return data;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
    return ok && n == bytes.size();
}

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> RegReadString(HKEY root, const std::string& key, const std::string& value) {
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return std::nullopt;
    char buf[4096];
    DWORD size = sizeof buf, type = 0;
    LONG r = RegQueryValueExA(h, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(h);
    if (r != ERROR_SUCCESS) return std::nullopt;
    std::string s(buf, size);
    if (!s.empty() && s.back() == '\0') s.pop_back();
    return s;
}

bool RegDeleteTree(HKEY root, const std::string& key) {
    // Depth first: a key with subkeys cannot be deleted directly.
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | KEY_WRITE, &h) == ERROR_SUCCESS) {
        char name[256];
        for (;;) {
            DWORD n = sizeof name;
            if (RegEnumKeyExA(h, 0, name, &n, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            if (!RegDeleteTree(h, name)) break;
        }
        RegCloseKey(h);
    }
    return RegDeleteKeyA(root, key.c_str()) == ERROR_SUCCESS;
}

std::string ProgramFolder() {
    char buf[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buf, MAX_PATH);
    std::string f = buf;
    return f.substr(0, f.find_last_of('\\'));
}

std::string UnixPath(const std::string& windowsPath) {
    using Convert = char*(CDECL*)(LPCWSTR);
    auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return {};
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* unix = convert(wide.c_str());
    if (!unix) return {};
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

std::string SourceFolder() {
    char buf[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA("SKIRMORA_ROOT", buf, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::string unixPath(buf, n);
    return "Z:" + unixPath;  // Wine's Z: drive is the Unix root
}

namespace {

// One request to the peer daemon: a JSON line out, a JSON line back.
std::string PeerRequest(const std::string& json) {
    char buf[16] = {};
    DWORD n = GetEnvironmentVariableA("SKIRMORA_PEERD_PORT", buf, sizeof buf);
    if (n == 0 || n >= sizeof buf) return {};
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    std::string reply;
    if (s != INVALID_SOCKET) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<u_short>(atoi(buf)));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) {
            std::string line = json + "\n";
            send(s, line.data(), static_cast<int>(line.size()), 0);
            char r[1024];
            int got;
            while ((got = recv(s, r, sizeof r, 0)) > 0) {
                reply.append(r, static_cast<size_t>(got));
                if (!reply.empty() && reply.back() == '\n') break;
            }
        }
        closesocket(s);
    }
    WSACleanup();
    return reply;
}


long JsonNumber(const std::string& json, const std::string& key) {
    auto at = json.find("\"" + key + "\":");
    if (at == std::string::npos) return -1;
    return strtol(json.c_str() + at + key.size() + 3, nullptr, 10);
}

}  // namespace

std::string JsonString(const std::string& v) {
    std::string out = "\"";
    for (char c : v) {
        if (c == '"' || c == '\\') { out += '\\'; out += c; }
        else if (static_cast<unsigned char>(c) < 0x20) { char e[8]; snprintf(e, sizeof e, "\\u%04x", c); out += e; }
        else out += c;
    }
    return out + "\"";
}

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::Start(const std::string& commandLine) {
    Kill();
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    return true;
}

bool ChildProcess::StartPython(const std::string& scriptUnderRoot, const std::string& args, std::string* firstLine) {
    Kill();
    std::string reply = PeerRequest("{\"cmd\": \"start\", \"script\": " + JsonString(scriptUnderRoot) +
                                    ", \"args\": " + JsonString(args) + (firstLine ? ", \"announce\": true}" : "}"));
    if (reply.find("\"ok\": true") == std::string::npos) return false;
    peerPid_ = JsonNumber(reply, "pid");
    if (firstLine) {
        // The daemon's answer holds the line as a JSON string; a server's line has no quotes.
        const size_t at = reply.find("\"line\": \"");
        const size_t end = at == std::string::npos ? at : reply.find('"', at + 9);
        *firstLine = end == std::string::npos ? std::string() : reply.substr(at + 9, end - at - 9);
    }
    return peerPid_ > 0;
}

bool ChildProcess::Wait(uint32_t timeoutMs, DWORD* exitCode) {
    if (peerPid_) {
        std::string reply = PeerRequest("{\"cmd\": \"wait\", \"pid\": " + std::to_string(peerPid_) +
                                        ", \"timeout_ms\": " + std::to_string(timeoutMs) + "}");
        if (reply.find("\"running\": false") == std::string::npos) return false;
        if (exitCode) *exitCode = static_cast<DWORD>(JsonNumber(reply, "code"));
        return true;
    }
    if (!process_) return true;
    if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) GetExitCodeProcess(process_, exitCode);
    return true;
}

void ChildProcess::Kill() {
    if (peerPid_) {
        PeerRequest("{\"cmd\": \"kill\", \"pid\": " + std::to_string(peerPid_) + "}");
        peerPid_ = 0;
    }
    if (!process_) return;
    if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
}

bool ChildProcess::Running() {
    if (peerPid_) return !Wait(0);
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool StartPython(ChildProcess& child, const std::string& scriptUnderRoot, const std::string& args) {
    return child.StartPython(scriptUnderRoot, args);
}

uint16_t PortAfter(const std::string& line, const std::string& label) {
    const size_t at = line.find(label);
    if (at == std::string::npos) return 0;
    const long port = strtol(line.c_str() + at + label.size(), nullptr, 10);
    return port > 0 && port < 65536 ? static_cast<uint16_t>(port) : 0;
}

std::string StartPythonAnnounced(ChildProcess& child, const std::string& scriptUnderRoot, const std::string& args) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::string line;
        if (child.StartPython(scriptUnderRoot, args, &line) && !line.empty()) return line;
        child.Kill();
    }
    return {};
}

uint16_t StartPythonServer(ChildProcess& child, const std::string& scriptUnderRoot, const std::string& args) {
    return PortAfter(StartPythonAnnounced(child, scriptUnderRoot, args + " --port 0"), "127.0.0.1:");
}

uint64_t PrivateBytes(DWORD pid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!h) return 0;
    PROCESS_MEMORY_COUNTERS counters{};
    const uint64_t bytes = GetProcessMemoryInfo(h, &counters, sizeof counters) ? counters.PagefileUsage : 0;
    CloseHandle(h);
    return bytes;
}

bool WaitForPort(uint16_t port, uint32_t timeoutMs) {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    DWORD start = GetTickCount();
    bool ok = false;
    for (bool first = true; !ok && (first || GetTickCount() - start < timeoutMs); first = false) {
        SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ok = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        closesocket(s);
        if (!ok) Sleep(20);
    }
    WSACleanup();
    return ok;
}

uint16_t FreePort() {
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    int len = sizeof a;
    getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    closesocket(s);
    WSACleanup();
    return ntohs(a.sin_port);
}

bool HoldsTest(const std::string& testName) {
    const testing::UnitTest& unit = *testing::UnitTest::GetInstance();
    for (int i = 0; i < unit.total_test_suite_count(); ++i) {
        const testing::TestSuite& suite = *unit.GetTestSuite(i);
        for (int j = 0; j < suite.total_test_count(); ++j) {
            if (std::string(suite.name()) + "." + suite.GetTestInfo(j)->name() == testName) return true;
        }
    }
    return false;
}

}  // namespace testsupport
