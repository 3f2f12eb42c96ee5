// Milliseconds from the performance counter, as the benchmarks time their work, and the median
// of their rounds.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

// The milliseconds between two readings of the performance counter.
inline double Ms(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const LARGE_INTEGER f = [] {
        LARGE_INTEGER q;
        QueryPerformanceFrequency(&q);
        return q;
    }();
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

// Now, in milliseconds from the counter's start.
inline double NowMs() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return Ms(LARGE_INTEGER{}, t);
}

// The middle of the rounds' times (the upper of the two middle ones for an even count; 0 for none).
inline double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace bench
