#include "MsgBoxStyle.h"

namespace skx {

MsgBoxButtonSet ButtonSetOf(int32_t style) {
    MsgBoxButtonSet set;
    switch (style & 15) {
        case 1:
            set.Buttons = {{{"Ok", 1}, {"Cancel", 2}, {}}};
            set.EscapeButton = 1;
            break;
        case 2:
            set.Buttons = {{{"Abort", 3}, {"Retry", 4}, {"Ignore", 5}}};
            break;
        case 3:
            set.Buttons = {{{"Yes", 6}, {"No", 7}, {"Cancel", 2}}};
            set.EscapeButton = 2;
            break;
        case 4:
            set.Buttons = {{{"Yes", 6}, {"No", 7}, {}}};
            break;
        case 5:
            set.Buttons = {{{"Retry", 4}, {"Cancel", 2}, {}}};
            set.EscapeButton = 1;
            break;
        default:
            set.Buttons = {{{"Ok", 1}, {}, {}}};
            set.EscapeButton = 0;
            break;
    }
    return set;
}

uint8_t DefaultButtonOf(int32_t style) {
    switch (style & 0x700) {
        case 256: return 1;
        case 512: return 2;
        case 768: return 3;
        default: return 0;
    }
}

MsgBoxIcon IconOf(int32_t style) {
    switch (style & 240) {
        case 16: return {"ERROR!", 16, 32513, false};
        case 32: return {"Question?", 32, 32514, false};
        case 48: return {"Warning!", 48, 32515, false};
        case 64: return {"Information", 64, 32516, false};
        case 80: return {"Working.. Please Wait", 64, 76, true};
        case 128: return {nullptr, -1, 32517, false};
        case 144: return {nullptr, 64, 4, true};
        case 160: return {"Printing.. Please Wait", 64, 16, true};
        case 176: return {nullptr, 64, 22, true};
        case 240: return {nullptr, 64, 6, true};
        default: return {};
    }
}

}  // namespace skx
