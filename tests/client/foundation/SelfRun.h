// Runs this test program again as a child (with a gtest filter) and collects its output:
// for tests that need a process of their own (a Windows version chosen for the program, or
// a main window that must not outlive the test).
#pragma once
#include <windows.h>

#include <string>

#include "WinTestSupport.h"

namespace selfrun {

inline std::string ThisProgram() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return self;
}

// Runs exe with the arguments in folder; returns its output (stdout and stderr) and sets
// exitCode (-1 when it did not start or did not end within a minute).
inline std::string Run(const std::string& exe, const std::string& args, const std::string& folder, int& exitCode) {
    exitCode = -1;
    std::string out = folder + "\\child-output.txt";
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE file = CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "no output file";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = file;
    si.hStdError = file;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + exe + "\" " + args;
    bool started = CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &si, &pi);
    if (started) {
        if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(pi.hProcess, &code);
            exitCode = static_cast<int>(code);
        } else {
            TerminateProcess(pi.hProcess, 1);
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(file);
    if (!started) return "start failed";
    return testsupport::ReadFileBytes(out).value_or("");
}

}  // namespace selfrun
