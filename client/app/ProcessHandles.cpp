#include "ProcessHandles.h"

#include <winternl.h>

#include <vector>

#include "runtime/LateBound.h"

namespace skx {

namespace {

// One entry of the system's list of open handles (information class 16).
struct OpenHandle {
    ULONG process;
    BYTE type, flags;
    USHORT value;
    void* object;
    ULONG access;
};

constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

}  // namespace

double ProcessHandles(HANDLE process, DWORD pid) {
    DWORD count = 0;
    if (GetProcessHandleCount(process, &count) && count > 0) return count;
    using Query = NTSTATUS(NTAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    static const auto query = LateBound<Query>("ntdll.dll", "NtQuerySystemInformation");
    if (!query) return -1;
    // The count first, then the entries, each as aligned as the list lays them out.
    std::vector<ULONG_PTR> buffer(1 << 16);
    ULONG got = 0;
    NTSTATUS status;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR)),
                           &got)) == kInfoLengthMismatch &&
           buffer.size() < (1u << 24)) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) return -1;
    const ULONG entries = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* list = reinterpret_cast<const OpenHandle*>(buffer.data() + 1);
    const auto* end = reinterpret_cast<const OpenHandle*>(buffer.data() + buffer.size());
    count = 0;
    for (ULONG i = 0; i < entries && list + i + 1 <= end; ++i) count += list[i].process == pid ? 1 : 0;
    return count;
}

}  // namespace skx
