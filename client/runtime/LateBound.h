// A function of a Windows library that the program loads when it first needs it rather than
// when it starts (libraries that no step of the start-up uses: each one imported costs the
// start its load); the library then stays loaded for the rest of the run.
#pragma once
#include <windows.h>

namespace skx {

// The function, or null when the library or the function is missing.
template <class F>
F LateBound(const char* library, const char* name) {
    HMODULE module = LoadLibraryA(library);
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace skx
