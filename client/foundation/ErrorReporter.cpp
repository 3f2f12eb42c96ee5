#include "ErrorReporter.h"

#include <windows.h>

#include <cstdio>

#include "runtime/App.h"
#include "runtime/ErrorGuard.h"

namespace skx {

namespace {
int32_t g_lastErrorNumber = 0;
}

void ReportError(const std::string& ModuleName, const std::string& ProcedureName, int16_t LineNumber,
                 int32_t ErrorNumber, const std::string& Details) {
    if (ErrorNumber == g_lastErrorNumber) return;
    g_lastErrorNumber = ErrorNumber;
    SYSTEMTIME st;
    GetLocalTime(&st);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u", st.wYear, st.wMonth, st.wDay,
                  st.wHour, st.wMinute, st.wSecond);
    std::string line = std::string(stamp) + "\t" + ModuleName + "\t" + ProcedureName + "\t" +
                       std::to_string(LineNumber) + "\t" + std::to_string(ErrorNumber) + "\t" +
                       Err().Description + (Details.empty() ? "" : "\t" + Details) + "\r\n";
    std::string file = App::Path() + "\\" + App::EXEName() + "-errors.log";
    HANDLE h = CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(h);
}

void InstallErrorReporter() { SetReportErrorHook(&ReportError); }

}  // namespace skx
