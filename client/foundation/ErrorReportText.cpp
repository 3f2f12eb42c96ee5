#include "ErrorReportText.h"

#include <cfenv>
#include <cmath>

#include "runtime/Conversions.h"
#include "runtime/RunTimeError.h"

namespace skx {

namespace {

const std::string kCrLf = "\r\n";
const std::string kRule = "'" + std::string(70, '-');

// Rounds to the given number of decimal places, exact halves to the even neighbour.
double RoundHalfEven(double value, int places) {
    const double scale = std::pow(10.0, places);
    const int oldMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    double r = std::nearbyint(value * scale) / scale;
    std::fesetround(oldMode);
    return r;
}

}  // namespace

std::string ReportNumber(int64_t n) { return (n >= 0 ? " " : "") + std::to_string(n); }

std::string BuildErrorReport(const ErrorReportFacts& f) {
    std::string t;
    auto line = [&t](const std::string& text) { t += text + kCrLf; };
    auto labelled = [&line](const char* label, const std::string& value) {
        line(std::string(label) + "\t" + value);
    };
    line("");
    line(kRule);
    labelled("Error in: ", f.Title);
    labelled("Time: ", f.Time);
    labelled("Version: ", f.Version);
    if (f.FileTime) labelled("File Time: ", *f.FileTime);
    labelled("Program Path: ", f.ProgramPath);
    labelled("Operating System: ", f.OsName + " v" + f.OsVersion + ", Build " + f.OsBuild);
    labelled("CSD Version: ", f.OsServicePack);
    labelled("Virtual Memory: ", f.AvailVirtual + " (Total: " + f.TotalVirtual + ")");
    labelled("Used Virtual Memory: ", f.UsedVirtual);
    labelled("Physical Memory: ", f.AvailPhysical + " (Total: " + f.TotalPhysical + ")");
    labelled("Used Physical Memory: ", f.UsedPhysical);
    labelled("Module: ", f.ModuleName);
    labelled("Procedure: ", f.ProcedureName);
    labelled("Line Number: ", ReportNumber(f.LineNumber));
    labelled("Error Number: ", ReportNumber(f.ErrorNumber));
    labelled("Error Category: ", kErrorCategory);
    line("Error Description: ");
    line(f.Description);
    if (f.D3DXText) {
        line("DirectX Error: ");
        line(*f.D3DXText);
    }
    line("DirectX Error: ");
    line(f.D3DText);
    line(kRule);
    t += f.Details;
    line(kRule);
    line("Open Forms:");
    for (const std::string& name : f.OpenForms) t += kCrLf + name;
    t += kCrLf;
    line(kRule);
    return t;
}

std::string ErrorBoxTitle(int32_t errorNumber, const std::string& description) {
    return "Client Error: (" + ReportNumber(errorNumber) + ") " + description;
}

std::string ErrorBoxText(const std::string& reportPath) {
    return "Skirmora Client:" + kCrLf + kCrLf +
           "A report of the error has been generated and placed in your installation folder." + kCrLf +
           "Please send the following file to the Administration at the following" + kCrLf +
           kReportContact + kCrLf + kCrLf + reportPath;
}

std::string ReportNameOf(const std::string& username) {
    std::string out = username;
    for (char& c : out) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || u == 127 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) c = '_';
    }
    return out;
}

std::string ReportFileName(const std::string& username, int year, int month, int day, int hour,
                           int minute, int second) {
    return ReportNameOf(username) + "-" + std::to_string(year) + std::to_string(month) +
           std::to_string(day) + std::to_string(hour) + std::to_string(minute) +
           std::to_string(second) + ".log";
}

std::string ConvertValuesWith(const std::string& numberText, const std::string& decimalSeparator) {
    const std::string text = Replace(numberText, ",", "");
    double value = 0;
    if (!TryParseNumber(text, value)) Raise(errTypeMismatch);
    if (value == 0) return {};
    if (value <= 1000) return text;

    double divisor = 1e12;
    const char* suffix = "T";
    if (value <= 1e6) {
        divisor = 1e3;
        suffix = "K";
    } else if (value <= 1e9) {
        divisor = 1e6;
        suffix = "M";
    } else if (value <= 1e12) {
        divisor = 1e9;
        suffix = "G";
    }
    double q = RoundHalfEven(value / divisor, 2);
    const std::string plain = CStr(q);
    const auto point = plain.find('.');
    const int digits = point == std::string::npos ? 3 : static_cast<int>(point);
    // Keep at most three significant digits; a quotient of four or more whole digits (only
    // possible for the largest sizes) keeps its whole part.
    q = RoundHalfEven(q, digits >= 3 ? 0 : 3 - digits);
    std::string out = CStr(q);
    if (decimalSeparator != ".") out = Replace(out, ".", decimalSeparator);
    return out + suffix;
}

}  // namespace skx
