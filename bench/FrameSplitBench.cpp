// The receive side of the protocol: frames arriving in 4096-character reads with a dispatcher
// pass after each read (as the read event and the frame timer do), against a plain split of the
// same bytes; and one long frame arriving in reads while passes find nothing to take. The cost
// per frame must stay flat as the input grows.
#include <chrono>
#include <cstdio>
#include <string>

#include "ProtocolFrame.h"
#include "ReceiveBuffer.h"

using Clock = std::chrono::steady_clock;

static double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

int main() {
    skx::SetProtocolSeparators();
    // "f" is accepted and ignored: the figures are the dispatcher's own work.
    const std::string one = skx::FrameStart + "f" + skx::FieldSeparator + "Robin" + skx::FieldSeparator +
                            "hello there" + skx::FieldSeparator + "0" + skx::FrameEnd;
    for (int frames : {10000, 100000, 1000000}) {
        std::string wire;
        wire.reserve(one.size() * static_cast<size_t>(frames));
        for (int i = 0; i < frames; ++i) wire += one;

        size_t split = 0;
        std::string buffer;
        auto t0 = Clock::now();
        for (size_t at = 0; at < wire.size(); at += 4096) {
            buffer.append(wire, at, 4096);
            split += skx::TakeWholeFrames(buffer).size();
        }
        auto t1 = Clock::now();

        // The dispatcher asks whether the connection holds before each frame it takes, and once
        // more in each pass when none is left: the frames it handled are the questions less the
        // passes.
        size_t asked = 0, passes = 0;
        skx::DispatchReport report;
        skx::ClearReceiveBuffer();
        auto t2 = Clock::now();
        for (size_t at = 0; at < wire.size(); at += 4096, ++passes) {
            skx::ReceiveBuffer.append(wire, at, 4096);
            skx::DispatchReceived([&asked] { return ++asked > 0; }, report);
        }
        auto t3 = Clock::now();
        const size_t handled = asked - passes;
        // Every frame was a whole one: both found them all, and the dispatcher left nothing behind.
        const bool right = split == static_cast<size_t>(frames) && handled == split && !skx::HasReceivedData();
        double splitMs = Ms(t1 - t0), dispatchMs = Ms(t3 - t2);
        std::printf("%8d frames (%9zu bytes, 4096-byte reads): dispatch %9.3f ms = %11.0f frames/s "
                    "(%6.1f ns/frame), plain split %9.3f ms, ratio %.2f%s\n",
                    frames, wire.size(), dispatchMs, frames / (dispatchMs / 1000.0), dispatchMs * 1e6 / frames,
                    splitMs, dispatchMs / splitMs, right ? "" : " (!)");
    }
    for (size_t size : {size_t(16) << 10, size_t(32) << 10, skx::kMaxFrameTail - 64}) {
        std::string buffer;
        std::string body(size, 'x');
        std::string frame = skx::FrameStart + "N" + skx::FieldSeparator + body + skx::FrameEnd;
        size_t taken = 0;
        auto t0 = Clock::now();
        for (size_t at = 0; at < frame.size(); at += 4096) {
            buffer.append(frame, at, 4096);
            skx::TrimFrameTail(buffer, skx::kMaxFrameTail);
            taken += skx::TakeWholeFrames(buffer).size();
        }
        auto t1 = Clock::now();
        std::printf("one %8zu-byte frame in 4096-byte reads: %8.3f ms (%zu taken)\n", size, Ms(t1 - t0), taken);
    }
    return 0;
}
