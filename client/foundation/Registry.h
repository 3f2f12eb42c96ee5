// Registry access (module modAPIRegistry): single typed values under a root key named by a
// short text, and the per-machine key that holds the client's two flags.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace skx {

// A value as the registry functions take and give it: text, Boolean or whole number.
using RegistryValue = std::variant<std::string, bool, int32_t>;

// "HKCU", "HKLM", "HKU", "HKDD", "HKCC", "HKCR" in any letter case; null for any other name.
HKEY fTopKey(std::string_view RootName);

// Reads one value of type "S" (text), "B" (Boolean kept in 2 bytes) or "D" (32-bit number)
// into Result; any other type reads nothing. Result holds Default unless a value was read.
// Returns 0, 99 for a root name not in the table, or the platform's error code (2 for a
// missing key or value).
int32_t fReadValue(std::string_view RootName, const std::string& KeyPath, const std::string& ValueName,
                   std::string_view ValueType, const RegistryValue& Default, RegistryValue& Result);

// Writes one value, creating the key path when it is missing; any other type writes
// nothing. A value that cannot take the type's form (a "D" outside -32768..32767, a "B"
// from text that is no Boolean) is reported, writes nothing and returns 87. Returns 0, 99
// for a root name not in the table, or the platform's error code.
int32_t fWriteValue(std::string_view RootName, const std::string& KeyPath, const std::string& ValueName,
                    std::string_view ValueType, const RegistryValue& Value);

// The client's per-machine key, under the root "HKLM": "SOFTWARE\Microsoft\Compatibility\"
// and the decimal absolute value of the access code (the caller passes AccessCode). Its
// text values: "Initialized" ("True": agreement and first-run defaults due; default
// "False") and "Update" ("True": show the tip of the day; default "True").
inline constexpr char ClientRegistryRoot[] = "HKLM";
std::string ClientRegistryKey(int64_t accessCode);

}  // namespace skx
