#include "D3DXErrorString.h"

namespace skx {

namespace {
D3DXErrorStringSource g_source = nullptr;
}

void SetD3DXErrorStringSource(D3DXErrorStringSource source) { g_source = source; }

std::optional<std::string> D3DXErrorString(int32_t number) {
    if (!g_source) return std::nullopt;
    return g_source(number);
}

}  // namespace skx
