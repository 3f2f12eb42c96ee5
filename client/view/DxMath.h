// Colour and matrix helpers of the graphics helper layer.
#pragma once
#include <algorithm>
#include <cstdint>

namespace skx {

// A Direct3D colour from alpha, red, green and blue, each part clamped to 0..255.
constexpr uint32_t argb(int32_t a, int32_t r, int32_t g, int32_t b) {
    auto part = [](int32_t v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    return (part(a) << 24) | (part(r) << 16) | (part(g) << 8) | part(b);
}

// A 4 x 4 matrix of Singles, row after row (the layout of a Direct3D matrix).
struct Matrix4 {
    float m[4][4] = {};
};

constexpr Matrix4 IdentityMatrix() {
    Matrix4 r;
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
    return r;
}

}  // namespace skx
