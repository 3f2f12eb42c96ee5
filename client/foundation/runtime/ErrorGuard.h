// The per-procedure error guard: a procedure's body runs inside Guard(); a run-time error
// (or any C++ exception) is handed to ReportError with the module and procedure name and
// the line reached, and the procedure then returns its result as it stood. Nothing is
// re-raised, so no exception ever crosses a Win32 callback or a COM boundary.
#pragma once
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "RunTimeError.h"

namespace skx {

// The last error caught by a guard on this thread (what the reporter reads for the source
// and description of the error it reports).
struct ErrObject {
    int32_t Number = 0;
    std::string Source;
    std::string Description;
    void Clear() { Number = 0; Source.clear(); Description.clear(); }
};
ErrObject& Err();

// The central reporter, in the client's argument order. The guard calls it through this
// hook, so programs and tests can put their own reporter in place.
using ReportErrorHook = void (*)(const std::string& moduleName, const std::string& procedureName,
                                 int16_t lineNumber, int32_t errorNumber, const std::string& details);
void SetReportErrorHook(ReportErrorHook hook);
ReportErrorHook GetReportErrorHook();

// Hands an error to the reporter in place (noexcept; a failing reporter is ignored).
void ReportCaught(const char* moduleName, const char* procedureName, int line,
                  int32_t number, const std::string& source, const std::string& description,
                  const std::string& details = {}) noexcept;

// Line tracking for procedures that number their statements: set Line as the body advances.
struct ProcLine {
    int Line = 0;
};

// Runs body; returns true when it finished without an error.
template <class F>
bool Guard(const char* moduleName, const char* procedureName, F&& body, ProcLine* line = nullptr,
           const std::string& details = {}) noexcept {
    try {
        std::forward<F>(body)();
        return true;
    } catch (const RunTimeError& e) {
        ReportCaught(moduleName, procedureName, line ? line->Line : 0, e.Number(), e.Source(),
                     e.Description(), details);
    } catch (const std::bad_alloc&) {
        ReportCaught(moduleName, procedureName, line ? line->Line : 0, errOutOfMemory, procedureName,
                     ErrorText(errOutOfMemory), details);
    } catch (const std::out_of_range& e) {
        ReportCaught(moduleName, procedureName, line ? line->Line : 0, errSubscriptOutOfRange,
                     procedureName, ErrorText(errSubscriptOutOfRange), details);
    } catch (const std::exception& e) {
        ReportCaught(moduleName, procedureName, line ? line->Line : 0, 51, procedureName,
                     e.what(), details);
    } catch (...) {
        ReportCaught(moduleName, procedureName, line ? line->Line : 0, 51, procedureName,
                     ErrorText(51), details);
    }
    return false;
}

}  // namespace skx
