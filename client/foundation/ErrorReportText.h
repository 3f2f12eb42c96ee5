// The text of an error report and the name of its file (no platform calls: the reporter
// gathers the facts and hands them in).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace skx {

// Everything one report shows, already in text form where the platform formats it.
struct ErrorReportFacts {
    std::string Title;        // the product name
    std::string Time;         // "dddd mmm dd,yyyy @ hh:mm:ss"
    std::string Version;      // "2.0.3d (Beta)"
    std::optional<std::string> FileTime;  // the executable's last-modified time; none leaves the line out
    std::string ProgramPath;  // folder, "\", file name without extension
    std::string OsName, OsVersion, OsBuild, OsServicePack;
    std::string AvailVirtual, TotalVirtual, UsedVirtual;     // sizes as ConvertValues gives them
    std::string AvailPhysical, TotalPhysical, UsedPhysical;
    std::string ModuleName;
    std::string ProcedureName;
    int16_t LineNumber = 0;
    int32_t ErrorNumber = 0;
    std::string Description;                  // the error's description
    std::optional<std::string> D3DXText;      // only for errors in "modDirectX8"
    std::string D3DText;                      // D3DErrorText of the number
    std::string Details;
    std::vector<std::string> OpenForms;       // in load order
};

// The fixed category line of every report.
inline constexpr const char* kErrorCategory = "Run-time error of the Skirmora client program";
// The administrators' address for error reports, shown in the error box.
inline constexpr const char* kReportContact = "Skirmora Administration: errors@skirmora.net";

// The report text, every line ending in CR LF.
std::string BuildErrorReport(const ErrorReportFacts& facts);

// Number to text as the report writes it: a leading blank for zero and positive numbers.
std::string ReportNumber(int64_t n);

// The title and text of the error box.
std::string ErrorBoxTitle(int32_t errorNumber, const std::string& description);
std::string ErrorBoxText(const std::string& reportPath);

// The account name made fit for a file name: \ / : * ? " < > | and control characters
// become "_".
std::string ReportNameOf(const std::string& username);
// name, "-", year month day hour minute second as plain numbers, ".log".
std::string ReportFileName(const std::string& username, int year, int month, int day, int hour,
                           int minute, int second);

// Sizes in bytes as short texts ("512", "1K", "1.05M", "2.15G"); the empty text for 0 or
// for text that is no number. decimalSeparator replaces the "." of fractions.
std::string ConvertValuesWith(const std::string& numberText, const std::string& decimalSeparator);

}  // namespace skx
