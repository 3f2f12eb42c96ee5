// Reading method arguments from VARIANTs and writing results back, and the text conversions
// between the control's wide strings and the library's narrow ones (system code page).
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <cstring>
#include <string>
#include <type_traits>

#include "ComPtr.h"

namespace wirelatch {

// The value a reference points at, followed through any VT_BYREF | VT_VARIANT.
const VARIANT* Deref(const VARIANT* v);
// An omitted argument: no VARIANT, or one that is empty or VT_ERROR.
bool IsMissing(const VARIANT* v);
// The argument converted to a 32-bit integer or to text; the conversion's code on failure.
HRESULT ToLong(const VARIANT* v, LONG* out);
HRESULT ToText(const VARIANT* v, BStr* out);
// Stores a 32-bit integer into an out argument (through a reference when it holds one).
void SetOutLong(VARIANT* out, LONG value);
void SetOutText(VARIANT* out, const wchar_t* text);

std::string WideToNarrow(const wchar_t* text, UINT length);
inline std::string WideToNarrow(const BStr& text) { return WideToNarrow(text.Get(), text.Length()); }
std::wstring NarrowToWide(const char* text);
// A new BSTR from narrow text; fails with E_OUTOFMEMORY.
HRESULT NewText(const char* text, BSTR* out);
HRESULT NewText(const wchar_t* text, BSTR* out);

// Stores a 32-bit value into a property's enumeration-typed result as it is, also a value
// the enumeration does not name (the enumerations are 32-bit integers to every caller).
template <typename Enum>
void SetEnumValue(Enum* out, LONG value) {
    static_assert(std::is_enum_v<Enum> && sizeof(Enum) == sizeof(LONG));
    std::memcpy(out, &value, sizeof(value));
}
template <typename Enum>
LONG EnumValue(Enum value) {
    static_assert(std::is_enum_v<Enum> && sizeof(Enum) == sizeof(LONG));
    LONG out = 0;
    std::memcpy(&out, &value, sizeof(out));
    return out;
}

// The library's text for an error code, or "Undefined control error (0x...)".
std::wstring ErrorText(DWORD code);

}  // namespace wirelatch
