// The arena's two hot paths: parsing and auto-tiling a whole map of mixed terrain, and one
// dispatcher pass over 1,000 mixed arena frames (Auto-Center off, the view services doing
// nothing), as the frame timer runs it.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "ArenaModel.h"
#include "MapFiles.h"
#include "ProtocolFrame.h"
#include "ReceiveBuffer.h"

using Clock = std::chrono::steady_clock;

static double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

int main() {
    skx::SetProtocolSeparators();
    skx::SetupArrays();
    std::mt19937 rng(102);

    // Blobs of the five terrain classes among plain tiles, so every edge case of the tiling occurs.
    const std::string chars = "(((())))++++:::#=////..,,@@$rtyA";
    std::string map(skx::MapFileLength, '.');
    for (char& c : map) c = chars[rng() % chars.size()];
    constexpr int runs = 200;
    double best = 1e9, total = 0;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        skx::ParseMap(map);
        double ms = Ms(Clock::now() - t0);
        best = std::min(best, ms);
        total += ms;
    }
    std::printf("ParseMap, 150 x 150 mixed terrain: %.3f ms mean, %.3f ms best (%d runs)\n", total / runs, best, runs);

    const char* letters[] = {"o", "C", "E", "G", "F", "P", "g", "d", "B"};
    auto field = [&] { return std::to_string(rng() % 150); };
    std::string wire;
    for (int i = 0; i < 1000; ++i) {
        const std::string letter = letters[i % 9];
        std::string data;
        if (letter == "d") data = field() + ";" + field();
        else if (letter == "B") data = field();
        else if (letter == "g") data = field() + skx::FieldSeparator + field() + skx::FieldSeparator + "5" + skx::FieldSeparator + "4";
        else if (letter == "o") data = field() + skx::FieldSeparator + field() + skx::FieldSeparator + std::to_string(2 + i % 5) + skx::FieldSeparator + "3";
        else data = field() + skx::FieldSeparator + field() + skx::FieldSeparator + std::to_string(i % 101) + skx::FieldSeparator + "40";
        wire += skx::FrameStart + letter + skx::FieldSeparator + data + skx::FrameEnd;
    }
    best = 1e9;
    total = 0;
    skx::DispatchReport report;
    for (int i = 0; i < runs; ++i) {
        skx::ClearReceiveBuffer();
        skx::ReceiveBuffer = wire;
        auto t0 = Clock::now();
        skx::DispatchReceived([] { return true; }, report);
        double ms = Ms(Clock::now() - t0);
        best = std::min(best, ms);
        total += ms;
    }
    std::printf("1,000 arena frames (o C E G F P g d B), one dispatcher pass: %.3f ms mean, %.3f ms best%s\n",
                total / runs, best, skx::HasReceivedData() ? " (frames left!)" : "");
    return 0;
}
