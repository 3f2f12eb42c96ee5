// The view of the map picture as measured once at start-up, and the vertex records the
// renderer fills.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace skx {

// The renderer's one vertex record: already in screen space, neither transformed nor lit.
struct TLVertex {
    float X = 0;  // pixel column
    float Y = 0;  // pixel row
    float Z = 0;
    float RHW = 1.0f;
    uint32_t Colour = 0;    // diffuse ARGB
    uint32_t Specular = 0;  // ARGB
    float TU = 0;
    float TV = 0;
};
static_assert(sizeof(TLVertex) == 32);
// D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1
inline constexpr uint32_t TLVertexFormat = 0x1C4;

inline int32_t ViewWidth = 0, ViewHeight = 0;
inline float ViewWidthF = 0, ViewHeightF = 0;
// View columns 0..SquaresAcross and rows 0..SquaresDown (both inclusive) are drawn.
inline int32_t SquaresAcross = 0, SquaresDown = 0;
inline int32_t RowVertexBound = 0;
inline std::vector<TLVertex> RowVertices;  // 0..RowVertexBound: one terrain row as a strip
inline std::array<TLVertex, 4> QuadVertices{};

// Pixels / 16 rounded to the nearest whole number, halves to even.
int32_t SquaresFor(int32_t pixels);
// Sets the view size, the square counts and the row array (its contents discarded).
void MeasureView(int32_t width, int32_t height);

}  // namespace skx
