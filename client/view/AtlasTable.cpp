#include "AtlasTable.h"

namespace skx {

void InitImage_ID() {
    constexpr std::array<int16_t, AtlasCount> sizes = {256, 128, 256, 64, 64, 64, 64, 64, 32};
    for (int32_t slot = 0; slot < AtlasCount; ++slot) {
        const int32_t n = sizes[static_cast<size_t>(slot)] / 16;
        const double cell = 1.0 / n;
        AtlasPixelSize[static_cast<size_t>(slot)] = sizes[static_cast<size_t>(slot)];
        AtlasCellSize[static_cast<size_t>(slot)] = static_cast<float>(cell);
        std::vector<AtlasCorner>& uv = AtlasUV[static_cast<size_t>(slot)];
        uv.clear();
        for (int32_t column = 0; column < n; ++column)
            for (int32_t row = 0; row < n; ++row)
                uv.push_back({static_cast<float>(column * cell), static_cast<float>(row * cell)});
    }
}

}  // namespace skx
