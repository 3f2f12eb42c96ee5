// The guard page below the thread's stack, which turns the next overflow into a stack
// overflow exception instead of ending the process.
#pragma once

namespace skx {

// Keeps reserveBytes below the guard page for handling an overflow (the platform's stack
// guarantee of the calling thread) and places the guard page when none is in place.
bool ArmStackGuard(unsigned long reserveBytes) noexcept;

// Puts the guard page back after a stack overflow was recovered from: on the lowest
// committed stack page above the reserve the platform keeps for handling an overflow.
// Call it with the stack well above that page (back in the recovering frame). True when a
// guard page is in place afterwards.
bool RearmStackGuard() noexcept;

// True when a guard page lies between the calling frame and the bottom of its stack.
bool StackGuardArmed() noexcept;

}  // namespace skx
