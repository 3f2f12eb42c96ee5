// Native faults (access violations, divide errors, stack overflow, ...) inside a protected
// region. Every error guard runs its body as such a region. A fault that nothing beneath
// the region handles is offered to the native-fault filter (the crash guard's filter, once
// it is installed); when the filter takes it, the thread goes back to the start of the
// innermost region with all its registers as they were there, and the region ends with the
// fault's code and name instead of running its body to the end.
//
// No C++ exception is ever thrown from the fault context: the platform continues the thread
// at the region's resume point, and everything after that runs as ordinary code. Objects
// living in the frames between the region and the fault are abandoned, not destroyed.
#pragma once
#include <cstdint>

struct _EXCEPTION_POINTERS;

namespace skx {

// What a region learns of the fault that ended it.
struct NativeFault {
    uint32_t Code = 0;
    char Name[64] = {};
};

// The filter a region consults for a native fault that reached it unhandled. It returns
// EXCEPTION_CONTINUE_EXECUTION (-1) after sending the thread back with ResumeInnermostRegion,
// anything else to let the fault go on as if the region were not there.
using NativeFaultFilter = long(__stdcall*)(_EXCEPTION_POINTERS*);
void SetNativeFaultFilter(NativeFaultFilter filter) noexcept;
NativeFaultFilter GetNativeFaultFilter() noexcept;

// Runs fn(arg) as a protected region. True when fn returned; false when a native fault was
// taken, with fault filled in. fn must not let a C++ exception escape.
bool RunFaultProtected(void (*fn)(void*) noexcept, void* arg, NativeFault& fault) noexcept;

// For the filter, on the faulting thread: records the fault in the innermost region and
// rewrites the fault's context so that the thread continues at that region's resume point.
// False (nothing changed) when the thread has no region that lies above the fault.
bool ResumeInnermostRegion(_EXCEPTION_POINTERS* pointers, uint32_t code, const char* name) noexcept;

// True while the calling thread runs inside a protected region.
bool InProtectedRegion() noexcept;

}  // namespace skx
