// The per-procedure error guard: a procedure's body runs inside Guard(); a run-time error
// (or any C++ exception) is handed to ReportError with the module and procedure name and
// the line reached, and the procedure then returns its result as it stood. Nothing is
// re-raised, so no exception ever crosses a Win32 callback or a COM boundary. Native faults
// come back as run-time errors too (NativeFault.h).
#pragma once
#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "NativeFault.h"
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

namespace detail {

// How a guarded body ended: the error is taken out of its catch block, so that it is reported
// once the exception object is gone.
struct GuardOutcome {
    bool finished = false;
    bool failed = false;
    int32_t number = 0;
    std::string source;
    std::string description;

    void Fail(int32_t n, const char* src, const char* text) noexcept {
        failed = true;
        number = n;
        try {
            source = src ? src : "";
            description = text ? text : "";
        } catch (...) {
        }
    }
};

template <class F>
struct GuardCall {
    F* body;
    const char* procedureName;
    GuardOutcome outcome;

    static void Run(void* self) noexcept { static_cast<GuardCall*>(self)->Invoke(); }

    void Invoke() noexcept {
        try {
            (*body)();
            outcome.finished = true;
        } catch (const RunTimeError& e) {
            outcome.Fail(e.Number(), e.Source().c_str(), e.Description().c_str());
        } catch (const std::bad_alloc&) {
            outcome.Fail(errOutOfMemory, procedureName, nullptr);
        } catch (const std::out_of_range&) {
            outcome.Fail(errSubscriptOutOfRange, procedureName, nullptr);
        } catch (const std::exception& e) {
            outcome.Fail(51, procedureName, e.what());
        } catch (...) {
            outcome.Fail(51, procedureName, nullptr);
        }
    }
};

// The reporter's nesting count, put back after a native fault abandoned a report under way.
int ReportNesting() noexcept;
void RestoreReportNesting(int depth) noexcept;

}  // namespace detail

// Runs body; returns true when it finished without an error. A native fault inside the body
// that nothing beneath handles is reported as error 10000 from "ExceptionHandler", named by
// the fault, once the crash guard is installed.
template <class F>
bool Guard(const char* moduleName, const char* procedureName, F&& body, ProcLine* line = nullptr,
           const std::string& details = {}) noexcept {
    using Body = std::remove_reference_t<F>;
    detail::GuardCall<Body> call{&body, procedureName, {}};
    const int nesting = detail::ReportNesting();
    NativeFault fault;
    if (!RunFaultProtected(&detail::GuardCall<Body>::Run, &call, fault)) {
        detail::RestoreReportNesting(nesting);
        ReportCaught(moduleName, procedureName, line ? line->Line : 0, errNativeFault, "ExceptionHandler",
                     fault.Name, details);
        return false;
    }
    if (call.outcome.failed) {
        ReportCaught(moduleName, procedureName, line ? line->Line : 0, call.outcome.number, call.outcome.source,
                     call.outcome.description, details);
    }
    return call.outcome.finished;
}

}  // namespace skx
