#include "ProtocolSeparators.h"

namespace skx {

std::string FieldSeparator(1, '\0');
std::string FrameEnd(1, '\x01');
std::string FrameStart(1, '\x1B');
std::string EnqChar(1, '\x05');

void SetProtocolSeparators() {
    FieldSeparator.assign(1, '\0');
    FrameEnd.assign(1, '\x01');
    FrameStart.assign(1, '\x1B');
    EnqChar.assign(1, '\x05');
}

}  // namespace skx
