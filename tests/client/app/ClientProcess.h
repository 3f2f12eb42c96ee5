// Running the client (a copy of Skirmex.exe in a scratch program folder) or a scenario of this
// test program as a child process, and finding the windows such a process shows.
#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "HookClient.h"

namespace clienttest {

class Process {
public:
    Process() = default;
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Start(const std::string& commandLine, const std::string& folder = {});
    DWORD Pid() const { return pid_; }
    // The platform's error of the last Start that failed (0 after one that did not).
    DWORD StartError() const { return startError_; }
    // What became of the process: "running", "ended with exit code N" or "not started".
    std::string State();
    // True when the process ended within the time; its exit code goes to exitCode.
    bool Wait(uint32_t timeoutMs, DWORD* exitCode = nullptr);
    bool Running();
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    DWORD startError_ = 0;
};

// A visible top-level window of the process with that class (null: any) and title (null: any).
HWND FindProcessWindow(DWORD pid, const char* windowClass, const char* title);
// Waits (pumping this thread's messages) for such a window, or until giveUp, when given, holds.
HWND WaitForProcessWindow(DWORD pid, const char* windowClass, const char* title, uint32_t timeoutMs,
                          const std::function<bool()>& giveUp = {});
// The child window of parent with that class and text.
HWND FindChild(HWND parent, const char* windowClass, const char* text);
std::string WindowText(HWND hwnd);

// A scratch program folder holding a copy of the client and its agreement text. The files that
// could not be copied, each with the platform's error, go to failures when given.
std::string PrepareProgramFolder(const std::string& folder, std::string* failures = nullptr);
// The client's per-machine key for the drive of a folder (HKLM relative path).
std::string ClientKeyFor(const std::string& folder);
void SetClientValue(const std::string& key, const std::string& name, const std::string& value);
void DeleteClientValue(const std::string& key, const std::string& name);

// A client run from outside in a scratch folder: a copy of the client, an empty Dat folder and
// the registry values that skip the first run's agreement and the tip window, taken away again
// when the run goes.
class ClientRun {
public:
    explicit ClientRun(const std::string& folder);
    ~ClientRun();
    ClientRun(const ClientRun&) = delete;
    ClientRun& operator=(const ClientRun&) = delete;
    std::string DatFile(const std::string& name) const { return folder_ + "\\Dat\\" + name; }
    // Starts the client with its test hook; success once its main window shows and the hook
    // answers, else which step failed: the copy, the start (the platform's error), the main
    // window or the hook (how long it was waited for and what became of the process).
    testing::AssertionResult Start(testsupport::HookClient& hook);
    Process process;

private:
    std::string folder_, copyFailures_, exe_, key_;
};

// Logs a started client in as "tester" (password "secret1") through its connect dialog, once
// its start-up has started the frame timer; the server is the one Dat\Game.DAT [LASTSERVER]
// names. Success once Connect has been clicked, else the step that did not come.
testing::AssertionResult LogInThroughTheDialog(testsupport::HookClient& hook);

// Runs a disabled scenario test of this program in a child process; its exit code (0 when
// every expectation of the scenario held).
DWORD RunScenario(const std::string& testName, uint32_t timeoutMs = 60000);

}  // namespace clienttest
