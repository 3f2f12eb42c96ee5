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
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi)) {
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

HWND WaitForProcessWindow(DWORD pid, const char* windowClass, const char* title, uint32_t timeoutMs) {
    HWND found = nullptr;
    testsupport::PumpUntil([&] { return (found = FindProcessWindow(pid, windowClass, title)) != nullptr; }, timeoutMs);
    return found;
}

HWND FindChild(HWND parent, const char* windowClass, const char* text) {
    FindContext ctx{0, windowClass, text, nullptr};
    EnumChildWindows(parent, &FindChildOne, reinterpret_cast<LPARAM>(&ctx));
    return ctx.found;
}

std::string PrepareProgramFolder(const std::string& folder) {
    std::string bin = testsupport::ProgramFolder();
    CopyFileA((bin + "\\Skirmex.exe").c_str(), (folder + "\\Skirmex.exe").c_str(), FALSE);
    CopyFileA((bin + "\\rtfEULA.rtf").c_str(), (folder + "\\rtfEULA.rtf").c_str(), FALSE);
    CopyFileA((bin + "\\ToTD.Dat").c_str(), (folder + "\\ToTD.Dat").c_str(), FALSE);
    // A development build reads its atlases and sounds from these folders beside it.
    for (const char* sub : {"\\images", "\\sounds"}) {
        WIN32_FIND_DATAA file{};
        HANDLE find = FindFirstFileA((bin + sub + "\\*").c_str(), &file);
        if (find == INVALID_HANDLE_VALUE) continue;
        CreateDirectoryA((folder + sub).c_str(), nullptr);
        do {
            if (!(file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                CopyFileA((bin + sub + "\\" + file.cFileName).c_str(), (folder + sub + "\\" + file.cFileName).c_str(), FALSE);
        } while (FindNextFileA(find, &file));
        FindClose(find);
    }
    return folder + "\\Skirmex.exe";
}

ClientRun::ClientRun(const std::string& folder)
    : folder_(folder), exe_(PrepareProgramFolder(folder)), key_(ClientKeyFor(folder)) {
    SetClientValue(key_, "Initialized", "False");
    SetClientValue(key_, "Update", "False");
    CreateDirectoryA((folder_ + "\\Dat").c_str(), nullptr);
}

ClientRun::~ClientRun() {
    DeleteClientValue(key_, "Initialized");
    DeleteClientValue(key_, "Update");
}

bool ClientRun::Start(testsupport::HookClient& hook) {
    return process.Start("\"" + exe_ + "\" --test-hook", folder_) &&
           WaitForProcessWindow(process.Pid(), skx::MainWindowClass, "Skirmex", 60000) &&
           hook.Attach(process.Pid(), 60000);
}

bool LogInThroughTheDialog(testsupport::HookClient& hook) {
    auto has = [](const char* piece) { return [piece](const std::string& d) { return d.find(piece) != std::string::npos; }; };
    if (!hook.WaitForDump("frmMain", has("timer DXTimer enabled=1"), 60000)) return false;
    hook.Ask("menu mnuFileConnect");
    if (!hook.WaitForDump("frmConnect", has("visible=1"), 60000)) return false;
    for (const char* r : {"frmConnect.#101 set tester", "frmConnect.#102 set secret1", "frmConnect.#1 click"}) hook.Ask(r);
    return true;
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
