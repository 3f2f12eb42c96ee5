// How the message box reads its style word: the button set, the icon and the default button.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace skx {

struct MsgBoxButton {
    const char* Caption = nullptr;  // null: the button stays hidden
    int16_t Result = 0;
};

struct MsgBoxButtonSet {
    std::array<MsgBoxButton, 3> Buttons{};
    int EscapeButton = -1;  // index of the button Escape presses, -1 for none
};

// The buttons of the set in bits 0-3 (0 and 6 to 15 give a single "Ok").
MsgBoxButtonSet ButtonSetOf(int32_t style);

// Index 0-3 of the button that gets the focus (bits 8-10).
uint8_t DefaultButtonOf(int32_t style);

// The extra fourth button (bit 14): its caption and result.
constexpr int32_t ExtraButtonBit = 0x4000;
constexpr int16_t ExtraButtonResult = 8;
inline const char* ExtraButtonCaption() { return "Help"; }

struct MsgBoxIcon {
    const char* EmptyTitle = nullptr;  // the title shown when the caller gave none
    int32_t Beep = -1;                 // MessageBeep type, -1 for none
    int32_t IconId = 0;                // system icon identifier or Shell32 icon number; 0 none
    bool FromShell32 = false;
};

// The icon code (bits 4-7) applied: title, beep and icon.
MsgBoxIcon IconOf(int32_t style);

}  // namespace skx
