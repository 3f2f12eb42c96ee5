// Text conversions of the narrow/wide export pairs (system code page).
#pragma once
#include <windows.h>

#include <string>

namespace inet {

// A wide argument as narrow text; a null argument stays null.
class NarrowArg {
public:
    explicit NarrowArg(const wchar_t* text);
    const char* get() const { return null_ ? nullptr : text_.c_str(); }

private:
    std::string text_;
    bool null_;
};

std::string ToNarrow(const wchar_t* text);
std::wstring ToWide(const char* text);
// Copies narrow text into a wide buffer of `chars` characters, truncating and terminating;
// the characters placed (without the terminator). Does nothing without a buffer or room.
int CopyToWide(const char* text, wchar_t* buffer, int chars);
// Copies narrow text into a narrow buffer of `size` bytes, truncating and terminating.
int CopyToNarrow(const char* text, char* buffer, int size);

}  // namespace inet
