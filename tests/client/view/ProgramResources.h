// The built Skirmex.exe (beside the test program) opened for reading its resources.
#pragma once
#include <windows.h>

#include <cstdint>
#include <span>

#include "WinTestSupport.h"

struct ProgramResources {
    HMODULE module =
        LoadLibraryExA((testsupport::ProgramFolder() + "\\Skirmex.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ~ProgramResources() {
        if (module) FreeLibrary(module);
    }
    // The bytes of resource name of type; empty when there is none.
    std::span<const uint8_t> Bytes(const char* name, const char* type) const {
        HRSRC found = module ? FindResourceA(module, name, type) : nullptr;
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        if (!loaded) return {};
        return {static_cast<const uint8_t*>(LockResource(loaded)), SizeofResource(module, found)};
    }
};
