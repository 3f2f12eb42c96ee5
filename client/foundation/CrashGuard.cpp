#include "CrashGuard.h"

#include "runtime/NativeFault.h"
#include "runtime/StackGuard.h"

namespace skx {

namespace {

bool g_installed = false;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;

// Room kept below the guard page for the platform's dispatch and the filter after an overflow.
constexpr unsigned long kOverflowReserve = 32 * 1024;

struct KnownException {
    uint32_t code;
    const char* name;
};

constexpr KnownException kExceptionNames[] = {
    {0x80000001u, "Guard Page Violation"},
    {0x80000002u, "Data Type Misalignment"},
    {0x80000003u, "Breakpoint"},
    {0x80000004u, "Single Step"},
    {0xC0000005u, "Access Violation"},
    {0xC0000006u, "In Page Error"},
    {0xC0000008u, "Invalid Handle"},
    {0xC000001Du, "Illegal Instruction"},
    {0xC0000025u, "Non Continuable Exception"},
    {0xC0000026u, "Invalid Disposition"},
    {0xC000008Cu, "Array Bounds Exceeded"},
    {0xC000008Du, "Float Denormal Operand"},
    {0xC000008Eu, "Divide By Zero"},
    {0xC000008Fu, "Floating Point Inexact Result"},
    {0xC0000090u, "Invalid Operation"},
    {0xC0000091u, "Float Overflow"},
    {0xC0000092u, "Float Stack Check"},
    {0xC0000093u, "Float Underflow"},
    {0xC0000094u, "Integer Divide By Zero"},
    {0xC0000095u, "Integer Overflow"},
    {0xC0000096u, "Privileged Instruction"},
    {0xC00000FDu, "Stack Overflow"},
    {0xC000013Au, "Control-C Exit"},
};

// The name into a fixed buffer: the filter may run with the heap locked or the stack short.
void NameInto(uint32_t code, char (&out)[sizeof NativeFault::Name]) {
    for (const auto& known : kExceptionNames) {
        if (known.code == code) {
            size_t i = 0;
            for (; known.name[i] && i + 1 < sizeof out; ++i) out[i] = known.name[i];
            out[i] = '\0';
            return;
        }
    }
    static constexpr char kPrefix[] = "Unknown (&H";
    static constexpr char kDigits[] = "0123456789ABCDEF";
    size_t i = 0;
    for (; kPrefix[i]; ++i) out[i] = kPrefix[i];
    for (int shift = 28; shift >= 0; shift -= 4) out[i++] = kDigits[(code >> shift) & 0xF];
    out[i++] = ')';
    out[i] = '\0';
}

// The innermost record of a chain of nested exceptions (bounded: the chain is the platform's).
const EXCEPTION_RECORD* InnermostRecord(const EXCEPTION_RECORD* record) {
    for (int depth = 0; depth < 64 && record->ExceptionRecord; ++depth) record = record->ExceptionRecord;
    return record;
}

// Names the fault and sends the thread back to its innermost guard; false when no guard can
// take it.
bool TakeFault(EXCEPTION_POINTERS* pointers) {
    if (!pointers || !pointers->ExceptionRecord) return false;
    const EXCEPTION_RECORD* record = InnermostRecord(pointers->ExceptionRecord);
    const auto code = static_cast<uint32_t>(record->ExceptionCode);
    char name[sizeof NativeFault::Name];
    NameInto(code, name);
    return ResumeInnermostRegion(pointers, code, name);
}

// What a guard consults for a fault that reached its frame unhandled.
LONG WINAPI GuardFaultFilter(EXCEPTION_POINTERS* pointers) {
    return TakeFault(pointers) ? EXCEPTION_CONTINUE_EXECUTION : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void InstallExceptionHandler() {
    if (g_installed) return;
    g_previousFilter = SetUnhandledExceptionFilter(&ExceptionFilter);
    SetNativeFaultFilter(&GuardFaultFilter);
    ArmStackGuard(kOverflowReserve);
    g_installed = true;
}

void RemoveExceptionHandler() {
    if (!g_installed) return;
    SetNativeFaultFilter(nullptr);
    SetUnhandledExceptionFilter(g_previousFilter);
    g_previousFilter = nullptr;
    g_installed = false;
}

bool ExceptionHandlerInstalled() { return g_installed; }

LONG WINAPI ExceptionFilter(EXCEPTION_POINTERS* pointers) {
    if (TakeFault(pointers)) return EXCEPTION_CONTINUE_EXECUTION;
    // Outside every guard: what would have happened without the guard.
    LPTOP_LEVEL_EXCEPTION_FILTER previous = g_previousFilter;
    if (previous && previous != &ExceptionFilter) return previous(pointers);
    return EXCEPTION_CONTINUE_SEARCH;
}

std::string ExceptionName(int32_t code) {
    char name[sizeof NativeFault::Name];
    NameInto(static_cast<uint32_t>(code), name);
    return name;
}

}  // namespace skx
