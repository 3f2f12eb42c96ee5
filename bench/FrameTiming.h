// Timing of Direct3D frames of several kinds on one device, as the frame benchmarks take it.
#pragma once
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "BenchClock.h"
#include "D3DFrameDevice.h"

namespace bench {

struct FrameFigures {
    double mean = 0, p95 = 0, max = 0, calls = 0;
};

// Times frames of each of the kinds given in blocks of one kind, the kinds in turns, after
// 20 frames of warm-up each. Drawing may go on in the rasterizer's threads after a present
// returns (where the device presents the frame itself), so a frame's true cost shows only over
// many frames of its kind (timed one by one,
// each kind after the other, the work one frame leaves behind is charged to the next one);
// turns of blocks let a change in the machine's load weigh on all kinds alike.
template <class... Frame>
std::array<FrameFigures, sizeof...(Frame)> TimeFrames(skx::D3DFrameDevice& device, int frames, int block, Frame... frame) {
    constexpr size_t kinds = sizeof...(Frame);
    for (int i = 0; i < 20; ++i) (frame(), ...);
    std::array<std::vector<double>, kinds> ms;
    std::array<int64_t, kinds> calls{};
    for (int done = 0; done < frames; done += block) {
        size_t k = 0;
        auto blockOf = [&](auto& f) {
            const int64_t before = device.DrawCalls();
            for (int i = 0; i < block; ++i) {
                LARGE_INTEGER t0, t1;
                QueryPerformanceCounter(&t0);
                f();
                QueryPerformanceCounter(&t1);
                ms[k].push_back(Ms(t0, t1));
            }
            calls[k++] += device.DrawCalls() - before;
        };
        (blockOf(frame), ...);
    }
    std::array<FrameFigures, kinds> figures;
    for (size_t k = 0; k < kinds; ++k) {
        FrameFigures& f = figures[k];
        const double n = static_cast<double>(ms[k].size());
        f.calls = static_cast<double>(calls[k]) / n;
        for (double m : ms[k]) f.mean += m / n;
        std::sort(ms[k].begin(), ms[k].end());
        f.p95 = ms[k][static_cast<size_t>(n * 0.95) - 1];
        f.max = ms[k].back();
    }
    return figures;
}

}  // namespace bench
