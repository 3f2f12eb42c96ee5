// The receive side of the protocol: frames arriving in 4096-character reads with a dispatcher
// pass after each read (as the read event and the frame timer do), against a plain split of the
// same bytes; and one long frame arriving in reads while passes find nothing to take. The cost
// per frame must stay flat as the input grows. Each figure is the median of alternating rounds
// after a warm-up round; a round in which not every frame reached its handler fails, and failed
// rounds make the exit code.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "ProtocolFrame.h"
#include "ReceiveBuffer.h"

using Clock = std::chrono::steady_clock;

namespace {
double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

constexpr int kRounds = 5;

// The plain split of the wire in reads; answers the frames found.
size_t Split(const std::string& wire, double& ms) {
    size_t split = 0;
    std::string buffer;
    const auto t0 = Clock::now();
    for (size_t at = 0; at < wire.size(); at += 4096) {
        buffer.append(wire, at, 4096);
        split += skx::TakeWholeFrames(buffer).size();
    }
    ms = Ms(Clock::now() - t0);
    return split;
}

// The dispatcher over the wire in reads; answers the frames whose handler ran.
size_t Dispatch(const std::string& wire, double& ms) {
    size_t handled = 0;
    skx::DispatchReport report;
    report.handled = [&handled](char) { ++handled; };
    skx::ClearReceiveBuffer();
    const auto t0 = Clock::now();
    for (size_t at = 0; at < wire.size(); at += 4096) {
        skx::ReceiveBuffer.append(wire, at, 4096);
        skx::DispatchReceived([] { return true; }, report);
    }
    ms = Ms(Clock::now() - t0);
    return skx::HasReceivedData() ? 0 : handled;
}
}  // namespace

int main() {
    skx::SetProtocolSeparators();
    int failed = 0;
    // "B" (the bot splat count) has a handler that does next to nothing: the figures are the
    // dispatcher's own work.
    const std::string one = skx::FrameStart + "B" + skx::FieldSeparator + "12" + skx::FrameEnd;
    for (int frames : {10000, 100000, 1000000}) {
        std::string wire;
        wire.reserve(one.size() * static_cast<size_t>(frames));
        for (int i = 0; i < frames; ++i) wire += one;
        const size_t expected = static_cast<size_t>(frames);
        double ms = 0;
        Split(wire, ms);  // warm-up
        Dispatch(wire, ms);
        std::vector<double> split, dispatch;
        for (int round = 0; round < 2 * kRounds; ++round) {
            const bool splitting = round % 2 == 0;
            const size_t got = splitting ? Split(wire, ms) : Dispatch(wire, ms);
            if (got != expected) {
                ++failed;
                std::printf("  round %d (%s): %zu of %zu frames\n", round, splitting ? "split" : "dispatch", got, expected);
                continue;
            }
            (splitting ? split : dispatch).push_back(ms);
        }
        const double splitMs = bench::Median(split), dispatchMs = bench::Median(dispatch);
        std::printf("%8d frames (%9zu bytes, 4096-byte reads), medians of %d rounds: dispatch %9.3f ms = %11.0f "
                    "frames/s (%6.1f ns/frame), plain split %9.3f ms, ratio %.2f\n",
                    frames, wire.size(), kRounds, dispatchMs, frames / (dispatchMs / 1000.0),
                    dispatchMs * 1e6 / frames, splitMs, splitMs > 0 ? dispatchMs / splitMs : 0);
    }
    for (size_t size : {size_t(16) << 10, size_t(32) << 10, skx::kMaxFrameTail - 64}) {
        const std::string frame = skx::FrameStart + "N" + skx::FieldSeparator + std::string(size, 'x') + skx::FrameEnd;
        std::vector<double> times;
        for (int round = 0; round <= kRounds; ++round) {  // round 0 warms up
            std::string buffer;
            size_t taken = 0;
            const auto t0 = Clock::now();
            for (size_t at = 0; at < frame.size(); at += 4096) {
                buffer.append(frame, at, 4096);
                skx::TrimFrameTail(buffer, skx::kMaxFrameTail);
                taken += skx::TakeWholeFrames(buffer).size();
            }
            const double ms = Ms(Clock::now() - t0);
            if (taken != 1) {
                ++failed;
                std::printf("  long frame round %d: %zu taken\n", round, taken);
            } else if (round > 0) {
                times.push_back(ms);
            }
        }
        std::printf("one %8zu-byte frame in 4096-byte reads: %8.3f ms (median of %d rounds)\n", size, bench::Median(times),
                    kRounds);
    }
    std::printf("failed rounds: %d\n", failed);
    return failed ? 1 : 0;
}
