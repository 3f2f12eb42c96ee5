// The central error reporter every procedure of the client hands its errors to. Each report
// is a time-stamped file in the program folder, enciphered in place.
#pragma once
#include <cstdint>
#include <string>

namespace skx {

// Reports one error; the same error number again from the same module and procedure as the
// last one is dropped.
void ReportError(const std::string& ModuleName, const std::string& ProcedureName, int16_t LineNumber,
                 int32_t ErrorNumber, const std::string& Details);

// Puts ReportError behind the error guard of every procedure.
void InstallErrorReporter();

// Enciphers a file in place under password; true when the file now holds the cipher text.
// A file that cannot be enciphered stays as it was.
bool DoEncrypt(const std::string& FileName, const std::string& Password);

// A number of bytes, as decimal text, as a short size text ("512", "1K", "1.05M").
std::string ConvertValues(const std::string& NumberText);

// The password of the report files.
inline constexpr const char* kLogPassword = "Tw7Kp2Hd";

// What the reporter asks of the rest of the client. Each member may be null: no account
// name, errors not shown, no box.
struct ErrorReporterPeers {
    std::string (*AccountName)() = nullptr;  // the account of the running connection
    bool (*ShowErrors)() = nullptr;          // Options > Show Errors is checked
    // The client's message box (text, style, title), modal.
    int32_t (*ShowBox)(const std::string& text, int32_t style, const std::string& title) = nullptr;
};
// The client's own peers (the settings' user name, the main window's menu, its message box).
ErrorReporterPeers ClientErrorReporterPeers();
void SetErrorReporterPeers(const ErrorReporterPeers& peers);
const ErrorReporterPeers& GetErrorReporterPeers();

// A run writes one report file per error number, module and procedure, and at most this many
// files; the errors past them are counted in a line added to the last file.
inline constexpr int kMaxReportFiles = 10;
// That line: "Further errors since this report (not reported in files of their own): 7", CR LF.
std::string FurtherErrorsLine(int64_t count);
// Writes that line's latest count into the last file when the file does not hold it yet (the
// file is rewritten at most once a second while errors come); the program's end calls it.
void WritePendingErrorCount();

// Forgets the last reported error and the run's files (a new session of the reporter).
void ResetLastReportedError();

}  // namespace skx
