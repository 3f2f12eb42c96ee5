#include "ViewGeometry.h"

#include <cmath>

namespace skx {

int32_t SquaresFor(int32_t pixels) {
    // The divisor is 16 whatever TileSize holds; nearbyint rounds halves to even.
    return static_cast<int32_t>(std::nearbyint(pixels / 16.0));
}

void MeasureView(int32_t width, int32_t height) {
    ViewWidth = width;
    ViewHeight = height;
    ViewWidthF = static_cast<float>(width);
    ViewHeightF = static_cast<float>(height);
    SquaresDown = SquaresFor(height);
    SquaresAcross = SquaresFor(width);
    RowVertexBound = SquaresAcross * 4 + 3;
    RowVertices.assign(static_cast<size_t>(RowVertexBound > 0 ? RowVertexBound + 1 : 0), TLVertex{});
}

}  // namespace skx
