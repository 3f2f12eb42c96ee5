// Cutting received text into frames: many small frames in one pass, and one large frame
// arriving in 4096-character reads with a pass after each read (the work the dispatcher does
// while a long frame is on its way).
#include <chrono>
#include <cstdio>
#include <string>

#include "ProtocolFrame.h"

using Clock = std::chrono::steady_clock;

static double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

int main() {
    skx::SetProtocolSeparators();
    for (int frames : {1000, 10000, 100000}) {
        std::string one = skx::FrameStart + "c" + skx::FieldSeparator + "Robin" + skx::FieldSeparator +
                          "hello there" + skx::FieldSeparator + "0" + skx::FrameEnd;
        std::string buffer;
        buffer.reserve(one.size() * frames);
        for (int i = 0; i < frames; ++i) buffer += one;
        auto t0 = Clock::now();
        auto out = skx::TakeWholeFrames(buffer);
        auto t1 = Clock::now();
        std::printf("%7d frames (%8zu bytes) in one pass: %8.3f ms (%zu taken)\n", frames,
                    one.size() * frames, Ms(t1 - t0), out.size());
    }
    for (size_t size : {size_t(64) << 10, size_t(1) << 20, size_t(4) << 20}) {
        std::string buffer;
        std::string body(size, 'x');
        std::string frame = skx::FrameStart + "N" + skx::FieldSeparator + body + skx::FrameEnd;
        size_t taken = 0;
        auto t0 = Clock::now();
        for (size_t at = 0; at < frame.size(); at += 4096) {
            buffer.append(frame, at, 4096);
            taken += skx::TakeWholeFrames(buffer).size();
        }
        auto t1 = Clock::now();
        std::printf("one %8zu-byte frame in 4096-byte reads: %8.3f ms (%zu taken)\n", size, Ms(t1 - t0), taken);
    }
    return 0;
}
