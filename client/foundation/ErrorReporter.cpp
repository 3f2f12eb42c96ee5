#include "ErrorReporter.h"

#include <windows.h>

#include <set>
#include <tuple>
#include <utility>

#include "ErrorReportText.h"
#include "WholeFile.h"
#include "clsCrypto.h"
#include "clsOpSys.h"
#include "D3DErrorText.h"
#include "D3DXErrorString.h"
#include "runtime/App.h"
#include "runtime/ErrorGuard.h"
#include "runtime/Form.h"
#include "runtime/ScopedCount.h"

namespace skx {

namespace {

// Where an error happened: its number, module and procedure.
using ErrorPlace = std::tuple<int32_t, std::string, std::string>;

// The number of the last report, for the program's lifetime: the same number again, from any
// procedure, makes no report until another number has been reported.
int32_t g_lastErrorNumber = 0;
ErrorReporterPeers g_peers = ClientErrorReporterPeers();

// Reports running on this thread (a report may run inside another one's message box).
thread_local int t_reportDepth = 0;
// While above 0 the reporter's own helpers run: their errors are not reported again.
thread_local int t_helperDepth = 0;
// While above 0 the reporter's message box is open.
thread_local int t_boxDepth = 0;
constexpr int kMaxReportDepth = 3;

// The files of a run: one per error number, module and procedure, at most kMaxReportFiles;
// errors past that are counted in a line added to the last file written (rewritten at most once
// a second; a count not written yet goes in before the next file, or at the program's end).
struct RunReports {
    std::set<ErrorPlace> written;
    int files = 0;
    std::string lastPath, lastText;
    int64_t further = 0;         // errors counted in the last file
    int64_t furtherWritten = 0;  // the count the file holds
    DWORD lastRewrite = 0;
};
RunReports g_run;

// Runs one step of a report; a step that fails is skipped.
template <class F>
void Step(F&& f) noexcept {
    try {
        f();
    } catch (...) {
    }
}

bool IsFromErrorBox(const std::string& module, const std::string& procedure) {
    return module == "frmMsgBox" || (module == "modMiscFunctionsOne" && procedure == "CSendMessage");
}

std::string Formatted(const SYSTEMTIME& st, const char* datePicture, const char* timePicture) {
    char date[128] = {};
    char time[64] = {};
    std::string out;
    if (datePicture && GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, datePicture, date, sizeof date) > 0)
        out += date;
    if (timePicture && GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, timePicture, time, sizeof time) > 0)
        out += time;
    return out;
}

// "Wednesday Dec 09,2026 @ 05:24:50"
std::string ReportTime(const SYSTEMTIME& st) {
    return Formatted(st, "dddd MMM dd','yyyy", nullptr) + " @ " + Formatted(st, nullptr, "HH':'mm':'ss");
}

// The executable's last-modified time in the general date-and-time form; none when unreadable.
std::optional<std::string> ProgramFileTime() {
    char path[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return std::nullopt;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return std::nullopt;
    FILETIME local{};
    SYSTEMTIME st{};
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &st))
        return std::nullopt;
    char date[128] = {};
    char time[64] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, sizeof date) <= 0 ||
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, sizeof time) <= 0)
        return std::nullopt;
    return std::string(date) + " " + time;
}

std::string Size(uint64_t bytes) { return ConvertValues(std::to_string(bytes)); }

std::string DecimalSeparator() {
    char sep[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sep, sizeof sep) > 1) return sep;
    return ".";
}

// The folder part of a path, without the trailing "\".
std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// Rewrites the last file with the count of the errors past it, when it does not hold that count.
void WriteFurther() {
    if (g_run.lastPath.empty() || g_run.further == g_run.furtherWritten) return;
    g_run.furtherWritten = g_run.further;
    g_run.lastRewrite = GetTickCount();
    const std::string text = g_run.lastText + FurtherErrorsLine(g_run.further);
    Step([&] {
        if (!WriteWholeFile(g_run.lastPath, text + "\r\n")) return;
        const ScopedCount helper(t_helperDepth);
        DoEncrypt(g_run.lastPath, kLogPassword);
    });
}

void WriteReport(const std::string& ModuleName, const std::string& ProcedureName, int16_t LineNumber,
                 int32_t ErrorNumber, const std::string& Details) {
    // Read the error's own facts before any helper's guard replaces them.
    const ErrObject err = Err();
    std::string description = ErrorText(ErrorNumber);
    if (ErrorNumber == errNativeFault && err.Number == errNativeFault && err.Source == "ExceptionHandler" &&
        !err.Description.empty()) {
        description = err.Description;  // the fault's name
    }

    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    const bool haveMemory = GlobalMemoryStatusEx(&memory) != FALSE;

    SYSTEMTIME now{};
    GetLocalTime(&now);

    ErrorReportFacts f;
    f.ModuleName = ModuleName;
    f.ProcedureName = ProcedureName;
    f.LineNumber = LineNumber;
    f.ErrorNumber = ErrorNumber;
    f.Description = description;
    f.Details = Details;
    Step([&] { f.Title = App::Title(); });
    Step([&] { f.Time = ReportTime(now); });
    Step([&] {
        f.Version = std::to_string(App::Major()) + "." + std::to_string(App::Minor()) + "." +
                    std::to_string(App::Revision()) + App::Comments();
    });
    Step([&] { f.FileTime = ProgramFileTime(); });
    Step([&] { f.ProgramPath = App::Path() + "\\" + App::EXEName(); });
    Step([&] {
        const clsOpSys os;
        f.OsName = os.OS_Name;
        f.OsVersion = os.OS_Version;
        f.OsBuild = os.OS_Build;
        f.OsServicePack = os.OS_ServicePack;
    });
    Step([&] {
        if (!haveMemory) return;
        const ScopedCount helper(t_helperDepth);
        f.AvailVirtual = Size(memory.ullAvailVirtual);
        f.TotalVirtual = Size(memory.ullTotalVirtual);
        f.UsedVirtual = Size(memory.ullTotalVirtual - memory.ullAvailVirtual);
        f.AvailPhysical = Size(memory.ullAvailPhys);
        f.TotalPhysical = Size(memory.ullTotalPhys);
        f.UsedPhysical = Size(memory.ullTotalPhys - memory.ullAvailPhys);
    });
    if (ModuleName == "modDirectX8") Step([&] { f.D3DXText = D3DXErrorString(ErrorNumber); });
    Step([&] { f.D3DText = D3DErrorText(ErrorNumber); });
    Step([&] {
        for (Form* form : LoadedForms())
            if (form) f.OpenForms.push_back(form->Name());
    });

    std::string text;
    Step([&] { text = BuildErrorReport(f); });

    std::string account;
    Step([&] {
        if (g_peers.AccountName) account = g_peers.AccountName();
    });
    const std::string path = App::Path() + "\\" +
                             ReportFileName(account, now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                                            now.wSecond);

    Step([&] {
        if (!g_peers.ShowErrors || !g_peers.ShowBox || !g_peers.ShowErrors()) return;
        const ScopedCount box(t_boxDepth);
        g_peers.ShowBox(ErrorBoxText(path), 22, ErrorBoxTitle(ErrorNumber, description));
    });

    WriteFurther();  // the file before this one gets its count first
    g_run.lastPath = path;
    g_run.lastText = text;
    g_run.further = g_run.furtherWritten = 0;
    Step([&] {
        if (IsFilePresent(path)) DeleteFileA(path.c_str());
        if (!WriteWholeFile(path, text + "\r\n")) return;
        if (!IsFilePresent(path)) return;
        const ScopedCount helper(t_helperDepth);
        DoEncrypt(path, kLogPassword);
    });
}

// An error the run's files already cover: counted in the last file, which is rewritten with the
// count for the first such error and then at most once a second.
void CountFurther() {
    ++g_run.further;
    if (g_run.further > 1 && GetTickCount() - g_run.lastRewrite < 1000) return;
    WriteFurther();
}

}  // namespace

std::string FurtherErrorsLine(int64_t count) {
    return "Further errors since this report (not reported in files of their own): " + std::to_string(count) + "\r\n";
}

void ReportError(const std::string& ModuleName, const std::string& ProcedureName, int16_t LineNumber,
                 int32_t ErrorNumber, const std::string& Details) {
    // The reporter's own helpers fail quietly; the box does not report itself again; and
    // reports made from inside a report's message box are nested at most a few deep.
    if (t_helperDepth > 0) return;
    if (t_boxDepth > 0 && IsFromErrorBox(ModuleName, ProcedureName)) return;
    if (t_reportDepth >= kMaxReportDepth) return;
    // The same number as the last report's makes none, whichever procedure raised it.
    if (ErrorNumber == g_lastErrorNumber) return;
    ErrorPlace place{ErrorNumber, ModuleName, ProcedureName};
    const ScopedCount depth(t_reportDepth);
    if (g_run.files >= kMaxReportFiles || g_run.written.count(place)) {
        CountFurther();
    } else {
        g_run.written.insert(place);
        ++g_run.files;
        Step([&] { WriteReport(ModuleName, ProcedureName, LineNumber, ErrorNumber, Details); });
    }
    g_lastErrorNumber = ErrorNumber;
}

void WritePendingErrorCount() { Step([] { WriteFurther(); }); }

void InstallErrorReporter() { SetReportErrorHook(&ReportError); }

void SetErrorReporterPeers(const ErrorReporterPeers& peers) { g_peers = peers; }
const ErrorReporterPeers& GetErrorReporterPeers() { return g_peers; }
void ResetLastReportedError() {
    g_lastErrorNumber = 0;
    g_run = RunReports{};
}

bool DoEncrypt(const std::string& FileName, const std::string& Password) {
    bool done = false;
    Guard("modMiscFunctionsOne", "DoEncrypt", [&] {
        std::string bytes;
        if (!ReadWholeFile(FileName, bytes)) Raise(IsFilePresent(FileName) ? errPathFileAccess : errFileNotFound);
        clsCrypto crypto;
        crypto.SetPassword(Password);
        crypto.SetInBuffer(std::move(bytes));
        if (!crypto.HashFile()) return;
        if (!crypto.GeneratePasswordKey()) return;
        if (!crypto.EncryptFileData()) return;
        crypto.DestroySessionKey();
        if (crypto.OutBuffer().empty()) return;
        // The cipher text goes to a new file beside the report, which then takes the report's
        // place in one step: a failure on the way leaves the plain report.
        char temp[MAX_PATH] = {};
        if (GetTempFileNameA(FolderOf(FileName).c_str(), "skx", 0, temp) == 0) Raise(errPathFileAccess);
        if (!WriteWholeFile(temp, crypto.OutBuffer()) ||
            !MoveFileExA(temp, FileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            DeleteFileA(temp);
            Raise(errPathFileAccess);
        }
        done = true;
    });
    return done;
}

std::string ConvertValues(const std::string& NumberText) {
    std::string out;
    Guard("modMiscFunctionsOne", "ConvertValues", [&] { out = ConvertValuesWith(NumberText, DecimalSeparator()); });
    return out;
}

}  // namespace skx
