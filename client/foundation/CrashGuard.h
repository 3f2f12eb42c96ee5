// The crash guard (module MExceptionHandler): turns a native fault in the client (an access
// violation, a divide error, a stack overflow, a floating-point trap) into run-time error
// 10000 from "ExceptionHandler", with the fault's name as the description, so that the
// procedure that was running reports it through its error guard and the program goes on.
//
// ExceptionFilter is the process's unhandled-exception filter while the guard is installed.
// The error guards consult the same filter for a fault that nothing beneath them handled:
// faults in window procedures and timer ticks never reach the process-wide filter, because
// the platform's message dispatch keeps exceptions of its callbacks to itself. A fault that
// a platform DLL handles itself never reaches either.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace skx {

// Installs ExceptionFilter (a second call does nothing). Also keeps room below the stack's
// guard page for recovering from a stack overflow on the calling thread.
void InstallExceptionHandler();
// Puts back the filter that was in place before InstallExceptionHandler (nothing when the
// guard is not installed). Native faults then take the platform's default path.
void RemoveExceptionHandler();
bool ExceptionHandlerInstalled();

// Sends the faulting thread back to its innermost error guard, which reports error 10000
// named after the innermost exception record of the chain. A fault outside every guard
// goes on to the filter that was installed before (or the platform's default handling).
LONG WINAPI ExceptionFilter(EXCEPTION_POINTERS* pointers);

// "Access Violation", "Stack Overflow", ... or "Unknown (&H0000ABCD)".
std::string ExceptionName(int32_t code);

}  // namespace skx
