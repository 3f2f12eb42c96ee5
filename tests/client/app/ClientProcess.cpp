#include "ClientProcess.h"

#include "Registry.h"
#include "WinTestSupport.h"
#include "frmMain.h"

namespace clienttest {

Process::~Process() {
    Kill();
}

bool Process::Start(const std::string& commandLine, const std::string& folder) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    Kill();
    startError_ = 0;
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
        startError_ = GetLastError();
        return false;
    }
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    return true;
}

bool Process::Wait(uint32_t timeoutMs, DWORD* exitCode) {
    if (!process_) return true;
    DWORD start = GetTickCount();
    for (;;) {
        if (WaitForSingleObject(process_, 0) == WAIT_OBJECT_0) break;
        if (GetTickCount() - start >= timeoutMs) return false;
        testsupport::PumpFor(20);
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    if (exitCode) *exitCode = code;
    return true;
}

bool Process::Running() { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

std::string Process::State() {
    if (!process_) return "not started";
    if (Running()) return "running";
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return "ended with exit code " + std::to_string(code);
}

void Process::Kill() {
    if (!process_) return;
    if (Running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
}

namespace {
struct FindContext {
    DWORD pid;
    const char* cls;
    const char* title;
    HWND found;
};
BOOL CALLBACK FindOne(HWND hwnd, LPARAM lp) {
    auto* ctx = reinterpret_cast<FindContext*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != ctx->pid || !IsWindowVisible(hwnd)) return TRUE;
    char cls[256] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (ctx->cls && lstrcmpA(cls, ctx->cls) != 0) return TRUE;
    if (ctx->title && WindowText(hwnd) != ctx->title) return TRUE;
    ctx->found = hwnd;
    return FALSE;
}
BOOL CALLBACK FindChildOne(HWND hwnd, LPARAM lp) {
    auto* ctx = reinterpret_cast<FindContext*>(lp);
    char cls[256] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (ctx->cls && lstrcmpiA(cls, ctx->cls) != 0) return TRUE;
    if (ctx->title && WindowText(hwnd) != ctx->title) return TRUE;
    ctx->found = hwnd;
    return FALSE;
}
}  // namespace

std::string WindowText(HWND hwnd) {
    // WM_GETTEXT itself: GetWindowText gives only the caption of another process's window.
    char buf[4096] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, &got);
    return buf;
}

HWND FindProcessWindow(DWORD pid, const char* windowClass, const char* title) {
    FindContext ctx{pid, windowClass, title, nullptr};
    EnumWindows(&FindOne, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

HWND WaitForProcessWindow(DWORD pid, const char* windowClass, const char* title, uint32_t timeoutMs,
                          const std::function<bool()>& giveUp) {
    HWND found = nullptr;
    testsupport::PumpUntil([&] {
        return (found = FindProcessWindow(pid, windowClass, title)) != nullptr || (giveUp && giveUp());
    }, timeoutMs);
    return found;
}

HWND FindChild(HWND parent, const char* windowClass, const char* text) {
    FindContext ctx{0, windowClass, text, nullptr};
    EnumChildWindows(parent, &FindChildOne, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

std::string PrepareProgramFolder(const std::string& folder, std::string* failures) {
    std::string bin = testsupport::ProgramFolder();
    const auto copy = [failures](const std::string& from, const std::string& to) {
        if (!CopyFileA(from.c_str(), to.c_str(), FALSE) && failures) {
            *failures += " " + to + " (error " + std::to_string(GetLastError()) + ")";
        }
    };
    for (const char* file : {"\\Skirmex.exe", "\\rtfEULA.rtf", "\\ToTD.Dat"}) copy(bin + file, folder + file);
    // A development build reads its atlases and sounds from these folders beside it.
    for (const char* sub : {"\\images", "\\sounds"}) {
        WIN32_FIND_DATAA file{};
        HANDLE find = FindFirstFileA((bin + sub + "\\*").c_str(), &file);
        if (find == INVALID_HANDLE_VALUE) continue;
        CreateDirectoryA((folder + sub).c_str(), nullptr);
        do {
            if (!(file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                copy(bin + sub + "\\" + file.cFileName, folder + sub + "\\" + file.cFileName);
        } while (FindNextFileA(find, &file));
        FindClose(find);
    }
    return folder + "\\Skirmex.exe";
}

ClientRun::ClientRun(const std::string& folder)
    : folder_(folder), exe_(PrepareProgramFolder(folder, &copyFailures_)), key_(ClientKeyFor(folder)) {
    SetClientValue(key_, "Initialized", "False");
    SetClientValue(key_, "Update", "False");
    CreateDirectoryA((folder_ + "\\Dat").c_str(), nullptr);
}

ClientRun::~ClientRun() {
    DeleteClientValue(key_, "Initialized");
    DeleteClientValue(key_, "Update");
}

testing::AssertionResult ClientRun::Start(testsupport::HookClient& hook) {
    if (!copyFailures_.empty()) return testing::AssertionFailure() << "the program folder was not copied:" << copyFailures_;
    if (!process.Start("\"" + exe_ + "\" --test-hook", folder_)) {
        return testing::AssertionFailure() << "CreateProcess of " << exe_ << " failed with error " << process.StartError();
    }
    // Each wait ends early when the process has ended: its exit code says more than the time.
    const auto waited = [this](const char* what, DWORD since) {
        return testing::AssertionFailure() << what << " did not come in " << GetTickCount() - since << " ms; the client "
                                           << process.State()
                                           << (testsupport::QuitSeen() ? " (a WM_QUIT of this thread ended the wait)" : "");
    };
    const auto ended = [this] { return !process.Running(); };
    DWORD since = GetTickCount();
    if (!WaitForProcessWindow(process.Pid(), skx::MainWindowClass, "Skirmex", 60000, ended)) {
        return waited("the main window", since);
    }
    since = GetTickCount();
    if (!hook.Attach(process.Pid(), 60000, ended)) return waited("the test hook", since);
    return testing::AssertionSuccess();
}

testing::AssertionResult LogInThroughTheDialog(testsupport::HookClient& hook) {
    auto has = [](const char* piece) { return [piece](const std::string& d) { return d.find(piece) != std::string::npos; }; };
    std::string dump;
    if (!hook.WaitForDump("frmMain", has("timer DXTimer enabled=1"), 60000, &dump)) {
        return testing::AssertionFailure() << "the frame timer was not started: " << dump;
    }
    hook.Ask("menu mnuFileConnect");
    if (!hook.WaitForDump("frmConnect", has("visible=1"), 60000, &dump)) {
        return testing::AssertionFailure() << "the connect dialog did not show: " << dump;
    }
    for (const char* r : {"frmConnect.#101 set tester", "frmConnect.#102 set secret1", "frmConnect.#1 click"}) {
        if (const std::string answer = hook.Ask(r); answer != "ok") return testing::AssertionFailure() << r << ": " << answer;
    }
    return testing::AssertionSuccess();
}

std::string ClientKeyFor(const std::string& folder) {
    std::string root = folder.substr(0, 3);
    DWORD serial = 0;
    GetVolumeInformationA(root.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0);
    return skx::ClientRegistryKey(static_cast<int32_t>(serial));
}

void SetClientValue(const std::string& key, const std::string& name, const std::string& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(h, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(h);
}

void DeleteClientValue(const std::string& key, const std::string& name) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_WRITE, &h) != ERROR_SUCCESS) return;
    RegDeleteValueA(h, name.c_str());
    RegCloseKey(h);
}

DWORD RunScenario(const std::string& testName, uint32_t timeoutMs) {
    if (!testsupport::HoldsTest(testName)) return 0xFFFC;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    Process p;
    std::string cmd = "\"" + std::string(self) + "\" --gtest_filter=" + testName + " --gtest_also_run_disabled_tests";
    if (!p.Start(cmd)) return 0xFFFF;
    DWORD code = 0xFFFE;
    if (!p.Wait(timeoutMs, &code)) return 0xFFFD;
    return code;
}

}  // namespace clienttest
