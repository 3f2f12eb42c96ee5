#include "RunTimeError.h"

#include <utility>

namespace skx {

RunTimeError::RunTimeError(int32_t number, std::string source, std::string description)
    : number_(number), source_(std::move(source)),
      description_(description.empty() ? ErrorText(number) : std::move(description)) {}

void Raise(int32_t number, const std::string& source, const std::string& description) {
    throw RunTimeError(number, source, description);
}

std::string ErrorText(int32_t number) {
    switch (number) {
        case 0: return "";
        case 3: return "Return without GoSub";
        case 5: return "Invalid procedure call or argument";
        case 6: return "Overflow";
        case 7: return "Out of memory";
        case 9: return "Subscript out of range";
        case 10: return "This array is fixed or temporarily locked";
        case 11: return "Division by zero";
        case 13: return "Type mismatch";
        case 14: return "Out of string space";
        case 28: return "Out of stack space";
        case 35: return "Sub or Function not defined";
        case 48: return "Error in loading DLL";
        case 49: return "Bad DLL calling convention";
        case 51: return "Internal error";
        case 52: return "Bad file name or number";
        case 53: return "File not found";
        case 54: return "Bad file mode";
        case 55: return "File already open";
        case 57: return "Device I/O error";
        case 58: return "File already exists";
        case 61: return "Disk full";
        case 62: return "Input past end of file";
        case 67: return "Too many files";
        case 68: return "Device unavailable";
        case 70: return "Permission denied";
        case 71: return "Disk not ready";
        case 75: return "Path/File access error";
        case 76: return "Path not found";
        case 91: return "Object variable or With block variable not set";
        case 92: return "For loop not initialized";
        case 94: return "Invalid use of Null";
        case 380: return "Invalid property value";
        case 381: return "Invalid property array index";
        case 383: return "'Text' property is read-only";
        case 400: return "Form already displayed; can't show modally";
        case 401: return "Can't show non-modal form when modal form is displayed";
        case 424: return "Object required";
        case 429: return "ActiveX component can't create object";
        case 438: return "Object doesn't support this property or method";
        case 440: return "Automation error";
        case 481: return "Invalid picture";
        case 10000: return "Native fault";
        default: return "Application-defined or object-defined error";
    }
}

}  // namespace skx
