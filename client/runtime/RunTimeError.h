// Run-time errors of the client: a number, the source that raised it and a description,
// as the client's procedures report them to the central error reporter.
#pragma once
#include <cstdint>
#include <exception>
#include <string>

namespace skx {

// Standard error numbers the client raises or tests for.
enum ErrNum : int32_t {
    errReturnWithoutGosub = 3,
    errInvalidProcedureCall = 5,
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscriptOutOfRange = 9,
    errDivisionByZero = 11,
    errTypeMismatch = 13,
    errBadFileNameOrNumber = 52,
    errFileNotFound = 53,
    errDiskFull = 61,
    errInputPastEnd = 62,
    errPathFileAccess = 75,
    errPathNotFound = 76,
    errObjectNotSet = 91,
    errInvalidPropertyValue = 380,
    errObjectRequired = 424,
    errCannotCreateObject = 429,
    errMethodNotSupported = 438,
    errAutomation = 440,
    errNativeFault = 10000,
};

class RunTimeError : public std::exception {
public:
    RunTimeError(int32_t number, std::string source = {}, std::string description = {});
    int32_t Number() const noexcept { return number_; }
    const std::string& Source() const noexcept { return source_; }
    const std::string& Description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    int32_t number_;
    std::string source_;
    std::string description_;
};

// Throws a RunTimeError; an empty description takes the standard text of the number.
[[noreturn]] void Raise(int32_t number, const std::string& source = {}, const std::string& description = {});

// The standard description of an error number ("Application-defined or object-defined error"
// for numbers without one of their own).
std::string ErrorText(int32_t number);

}  // namespace skx
