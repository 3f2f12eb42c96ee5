// Helpers for tests that run under Wine against real Windows peers.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

// Handles the thread's messages for ms milliseconds.
void PumpFor(uint32_t ms);
// Handles the thread's messages until pred() holds or timeoutMs passes; true when it held. A
// WM_QUIT ends the wait at once (it is posted again for the thread's own loop).
bool PumpUntil(const std::function<bool()>& pred, uint32_t timeoutMs);
// True once such a WM_QUIT has ended a wait of this thread.
bool QuitSeen();

// A fresh, empty folder under the Windows temp folder; removed with its files on destruction.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& name);
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

std::optional<std::string> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
void RemoveTree(const std::string& path);

// Registry of the scratch prefix.
std::optional<std::string> RegReadString(HKEY root, const std::string& key, const std::string& value);
bool RegDeleteTree(HKEY root, const std::string& key);

// The Linux path of a Windows path (empty when Wine cannot say), for the Python peers.
std::string UnixPath(const std::string& windowsPath);

// A text as a JSON string (quotes, backslashes and control characters escaped).
std::string JsonString(const std::string& text);

// The folder of the running test program.
std::string ProgramFolder();
// The project's source folder as a Windows path (from the build's SKIRMORA_ROOT).
std::string SourceFolder();

// A child process: a Windows program started here, or a Linux program (python3 with a script
// of the project) started for us by the test session's peer daemon, since Wine cannot start
// Linux programs itself. Killed when the object goes.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Start(const std::string& commandLine);
    // python3 <project folder>/<scriptUnderRoot> <args> (args split as a shell would). With
    // firstLine: true once the program has written its first line of output (that line), as a
    // server that binds port 0 itself does to name the port it got; false when it ends first or
    // says nothing within 20 s.
    bool StartPython(const std::string& scriptUnderRoot, const std::string& args, std::string* firstLine = nullptr);
    bool Wait(uint32_t timeoutMs, DWORD* exitCode = nullptr);
    void Kill();
    bool Running();

private:
    HANDLE process_ = nullptr;
    long peerPid_ = 0;
};

// Starts python3 with a script of the project (a path below the project folder).
bool StartPython(ChildProcess& child, const std::string& scriptUnderRoot, const std::string& args);

// True when this test program holds the test "Suite.Name": run in a child with that filter, it
// runs exactly that test (a filter naming none would run nothing, and the child would pass).
bool HoldsTest(const std::string& testName);

// Starts python3 with a script of the project that names what it got (such as the ports it
// bound) in its first output line; that line ("" when it did not start, in three tries).
std::string StartPythonAnnounced(ChildProcess& child, const std::string& scriptUnderRoot, const std::string& args);
// Starts a Python server of the project with "--port 0" after args: it binds a free port itself
// and names it in its first output line, after "127.0.0.1:". That port (0 when it did not start).
uint16_t StartPythonServer(ChildProcess& child, const std::string& scriptUnderRoot, const std::string& args);
// The port number after label in a server's line (0 when there is none).
uint16_t PortAfter(const std::string& line, const std::string& label);

// The private bytes of a process as another process reads them (0 when they cannot be read).
uint64_t PrivateBytes(DWORD pid);

// Waits until a TCP port on 127.0.0.1 accepts connections (with 0, tries once).
bool WaitForPort(uint16_t port, uint32_t timeoutMs);
// A free TCP port on 127.0.0.1 (bound and released: another program may take it before it is
// used; a server should bind port 0 itself, as StartPythonServer's do).
uint16_t FreePort();

}  // namespace testsupport
