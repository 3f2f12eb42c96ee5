#include "NativeFault.h"

#include <windows.h>

#include "StackGuard.h"

// Capturing the resume point returns a second time when a fault sends the thread back.
extern "C" __declspec(dllimport) void WINAPI RtlCaptureContext(PCONTEXT context) __attribute__((returns_twice));

extern "C" EXCEPTION_DISPOSITION __cdecl skx_FaultFrameHandler(EXCEPTION_RECORD* record, void* frame,
                                                              CONTEXT* context, void* dispatch);

#if defined(__x86_64__)
// Calls fn(arg) from a frame whose exception handler is skx_FaultFrameHandler: on x64 a
// frame's handler comes from its unwind data, so the frame is written out here.
extern "C" void skx_CallInFaultFrame(void (*fn)(void*) noexcept, void* arg);
asm(R"(
    .text
    .p2align 4
    .globl skx_CallInFaultFrame
    .def skx_CallInFaultFrame; .scl 2; .type 32; .endef
    .seh_proc skx_CallInFaultFrame
skx_CallInFaultFrame:
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    movq %rcx, %rax
    movq %rdx, %rcx
    call *%rax
    nop
    addq $40, %rsp
    ret
    .seh_handler skx_FaultFrameHandler, @except
    .seh_endproc
)");
#elif defined(__i386__)
namespace {
// On x86 a frame's handler is a record on the thread's handler chain (fs:[0]).
struct HandlerRecord {
    HandlerRecord* next;
    void* handler;
};
HandlerRecord* HandlerChain() {
    HandlerRecord* record;
    asm volatile("movl %%fs:0, %0" : "=r"(record) : : "memory");
    return record;
}
void SetHandlerChain(HandlerRecord* record) { asm volatile("movl %0, %%fs:0" : : "r"(record) : "memory"); }
}  // namespace
#else
#error "x86 or x64 only"
#endif

namespace skx {

namespace {

// The floating-point control words of the region's start (on x86 they are not part of the
// captured registers).
struct FloatControl {
    unsigned short x87 = 0;
    unsigned int sse = 0;
    bool hasSse = false;
};

FloatControl SaveFloatControl() {
    FloatControl saved;
    asm volatile("fnstcw %0" : "=m"(saved.x87));
#if defined(__i386__)
    static const bool hasSse = IsProcessorFeaturePresent(PF_XMMI_INSTRUCTIONS_AVAILABLE) != FALSE;
    saved.hasSse = hasSse;
#else
    saved.hasSse = true;
#endif
    if (saved.hasSse) asm volatile("stmxcsr %0" : "=m"(saved.sse));
    return saved;
}

// Puts the floating-point units back as the region found them: no pending exception, an
// empty x87 register stack, the region's control words.
void RestoreFloatControl(const FloatControl& saved) {
    asm volatile("fninit");
    asm volatile("fldcw %0" : : "m"(saved.x87));
    if (saved.hasSse) {
        const unsigned int csr = saved.sse & ~0x3Fu;  // without sticky exception flags
        asm volatile("ldmxcsr %0" : : "m"(csr));
    }
}

struct ProtectedRegion {
    CONTEXT resume;  // the thread's registers just before the body was called
    ProtectedRegion* outer = nullptr;
    NativeFault* fault = nullptr;
    FloatControl floatControl;
    volatile LONG faulted = 0;
};

// One thread-local block, so that the fault path finds it allocated by the region's entry.
struct ThreadState {
    ProtectedRegion* innermost = nullptr;
    bool inFilter = false;
};
thread_local ThreadState t_state;
NativeFaultFilter g_filter = nullptr;

constexpr DWORD kGccThrow = 0x20474343;   // C++ exceptions of this compiler on x64
constexpr DWORD kGccUnwind = 0x21474343;
constexpr DWORD kGccForced = 0x22474343;

uintptr_t StackPointer(const CONTEXT& c) {
#if defined(__x86_64__)
    return c.Rsp;
#else
    return c.Esp;
#endif
}

void CopyResumeRegisters(const CONTEXT& from, CONTEXT& to) {
#if defined(__x86_64__)
    to.Rax = 0; to.Rcx = from.Rcx; to.Rdx = from.Rdx; to.Rbx = from.Rbx;
    to.Rsp = from.Rsp; to.Rbp = from.Rbp; to.Rsi = from.Rsi; to.Rdi = from.Rdi;
    to.R8 = from.R8; to.R9 = from.R9; to.R10 = from.R10; to.R11 = from.R11;
    to.R12 = from.R12; to.R13 = from.R13; to.R14 = from.R14; to.R15 = from.R15;
    to.Rip = from.Rip;
    to.EFlags = from.EFlags;
    if ((to.ContextFlags & CONTEXT_FLOATING_POINT) == CONTEXT_FLOATING_POINT &&
        (from.ContextFlags & CONTEXT_FLOATING_POINT) == CONTEXT_FLOATING_POINT) {
        to.MxCsr = from.MxCsr;
        to.FltSave = from.FltSave;  // x87 state and every XMM register (XMM6-15 are preserved ones)
    }
#else
    to.Eax = 0; to.Ecx = from.Ecx; to.Edx = from.Edx; to.Ebx = from.Ebx;
    to.Esp = from.Esp; to.Ebp = from.Ebp; to.Esi = from.Esi; to.Edi = from.Edi;
    to.Eip = from.Eip;
    to.EFlags = from.EFlags;
#endif
}

void CopyName(char (&to)[sizeof NativeFault::Name], const char* from) {
    size_t i = 0;
    if (from) {
        for (; i + 1 < sizeof to && from[i]; ++i) to[i] = from[i];
    }
    to[i] = '\0';
}

}  // namespace

void SetNativeFaultFilter(NativeFaultFilter filter) noexcept { g_filter = filter; }
NativeFaultFilter GetNativeFaultFilter() noexcept { return g_filter; }
bool InProtectedRegion() noexcept { return t_state.innermost != nullptr; }

bool ResumeInnermostRegion(_EXCEPTION_POINTERS* pointers, uint32_t code, const char* name) noexcept {
    ProtectedRegion* region = t_state.innermost;
    if (!region || !pointers || !pointers->ContextRecord || region->faulted) return false;
    CONTEXT& context = *pointers->ContextRecord;
    // Only a region whose frame is still live above the fault can take it.
    if (StackPointer(region->resume) <= StackPointer(context)) return false;
    region->fault->Code = code;
    CopyName(region->fault->Name, name);
    region->faulted = 1;
    CopyResumeRegisters(region->resume, context);
    // The thread does not go back to the faulting instruction, so even a fault the
    // platform marks as not continuable can continue there.
    if (pointers->ExceptionRecord) pointers->ExceptionRecord->ExceptionFlags &= ~EXCEPTION_NONCONTINUABLE;
    return true;
}

bool RunFaultProtected(void (*fn)(void*) noexcept, void* arg, NativeFault& fault) noexcept {
    ProtectedRegion region;
    region.outer = t_state.innermost;
    region.fault = &fault;
    region.floatControl = SaveFloatControl();
#if defined(__i386__)
    HandlerRecord record{HandlerChain(), reinterpret_cast<void*>(&skx_FaultFrameHandler)};
    SetHandlerChain(&record);
#endif
    t_state.innermost = &region;
    RtlCaptureContext(&region.resume);
    if (!region.faulted) {
#if defined(__x86_64__)
        skx_CallInFaultFrame(fn, arg);
#else
        fn(arg);
#endif
    }
#if defined(__i386__)
    // First of all: after a fault the chain still names the records of the abandoned frames.
    SetHandlerChain(record.next);
#endif
    t_state.innermost = region.outer;
    if (!region.faulted) return true;
    RestoreFloatControl(region.floatControl);
    if (fault.Code == EXCEPTION_STACK_OVERFLOW) RearmStackGuard();
    return false;
}

}  // namespace skx

// The handler of every protected region's frame: a native fault that reached the region
// unhandled goes to the native-fault filter.
extern "C" EXCEPTION_DISPOSITION __cdecl skx_FaultFrameHandler(EXCEPTION_RECORD* record, void* /*frame*/,
                                                              CONTEXT* context, void* /*dispatch*/) {
    using namespace skx;
    if (!record || !context) return ExceptionContinueSearch;
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND)) return ExceptionContinueSearch;
    const DWORD code = record->ExceptionCode;
    if (code == kGccThrow || code == kGccUnwind || code == kGccForced) return ExceptionContinueSearch;
    NativeFaultFilter filter = g_filter;
    // A fault inside the filter itself goes on unhandled.
    if (!filter || t_state.inFilter) return ExceptionContinueSearch;
    t_state.inFilter = true;
    EXCEPTION_POINTERS pointers{record, context};
    const long verdict = filter(&pointers);
    t_state.inFilter = false;
    return verdict == EXCEPTION_CONTINUE_EXECUTION ? ExceptionContinueExecution : ExceptionContinueSearch;
}
