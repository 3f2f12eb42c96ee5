#include "StackGuard.h"

#include <windows.h>

#include <cstdint>

namespace skx {

namespace {

struct StackLayout {
    uintptr_t page = 0;
    uintptr_t base = 0;      // bottom of the stack's reservation
    uintptr_t minGuard = 0;  // lowest address a guard page may take
    uintptr_t current = 0;   // page the calling frame uses
};

using GuaranteeFn = BOOL(WINAPI*)(PULONG);

GuaranteeFn StackGuarantee() {
    // Not on every platform the 32-bit build runs on.
    static const auto fn = reinterpret_cast<GuaranteeFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetThreadStackGuarantee")));
    return fn;
}

// The bytes the platform keeps below the guard page for handling an overflow.
uintptr_t OverflowReserve(uintptr_t page) {
    ULONG bytes = 0;  // zero asks without changing it
    if (!StackGuarantee() || !StackGuarantee()(&bytes)) bytes = 0;
    uintptr_t reserve = (static_cast<uintptr_t>(bytes) + page - 1) / page * page;
    return reserve < 2 * page ? 2 * page : reserve;
}

bool Layout(StackLayout& out) {
    volatile char marker = 0;
    const auto here = reinterpret_cast<uintptr_t>(&marker);
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    out.page = si.dwPageSize ? si.dwPageSize : 4096;
    MEMORY_BASIC_INFORMATION mbi;
    if (!VirtualQuery(const_cast<char*>(&marker), &mbi, sizeof mbi)) return false;
    out.base = reinterpret_cast<uintptr_t>(mbi.AllocationBase);
    out.current = here & ~(out.page - 1);
    // The hard bottom page, the reserve and one spare page stay as the platform left them.
    out.minGuard = out.base + out.page + OverflowReserve(out.page) + out.page;
    return out.minGuard < out.current;
}

// Calls visit(address, mbi) for each region from the lowest guard position up to the page
// below the calling frame; visit returns true to stop.
template <class Visit>
void WalkStack(const StackLayout& s, Visit&& visit) {
    uintptr_t p = s.minGuard;
    const uintptr_t end = s.current - s.page;
    while (p <= end) {
        MEMORY_BASIC_INFORMATION mbi;
        if (!VirtualQuery(reinterpret_cast<void*>(p), &mbi, sizeof mbi)) return;
        if (reinterpret_cast<uintptr_t>(mbi.AllocationBase) != s.base) return;
        if (visit(p, mbi)) return;
        const uintptr_t next = reinterpret_cast<uintptr_t>(mbi.BaseAddress) + mbi.RegionSize;
        if (next <= p) return;
        p = next;
    }
}

}  // namespace

bool StackGuardArmed() noexcept {
    StackLayout s;
    if (!Layout(s)) return false;
    bool armed = false;
    // A guard page anywhere from the bottom up to the calling frame counts.
    s.minGuard = s.base;
    WalkStack(s, [&](uintptr_t, const MEMORY_BASIC_INFORMATION& mbi) {
        armed = mbi.State == MEM_COMMIT && (mbi.Protect & PAGE_GUARD) != 0;
        return armed;
    });
    return armed;
}

bool ArmStackGuard(unsigned long reserveBytes) noexcept {
    if (StackGuarantee()) {
        ULONG bytes = reserveBytes;
        StackGuarantee()(&bytes);  // only ever grows; a smaller request is refused
    }
    return RearmStackGuard();
}

bool RearmStackGuard() noexcept {
    StackLayout s;
    if (!Layout(s)) return false;
    bool armed = false;
    WalkStack(s, [&](uintptr_t p, const MEMORY_BASIC_INFORMATION& mbi) {
        if (mbi.State != MEM_COMMIT) return false;  // still reserved: look higher
        if (mbi.Protect & PAGE_GUARD) {
            armed = true;  // the platform re-armed it already
            return true;
        }
        DWORD old = 0;
        armed = VirtualProtect(reinterpret_cast<void*>(p), s.page, PAGE_READWRITE | PAGE_GUARD, &old) != FALSE;
        return true;
    });
    return armed;
}

}  // namespace skx
