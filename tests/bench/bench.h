// Small helpers for benchmarks: they report figures and never fail on a timing.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// Median wall time of `repeat` runs of `work`, in microseconds.
template <class Work>
double MedianMicroseconds(int repeat, Work work) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int i = 0; i < repeat; ++i) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        work();
        ::QueryPerformanceCounter(&end);
        times.push_back(1e6 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void Report(const char* name, const char* unit, double value) {
    std::printf("BENCH %-58s %12.2f %s\n", name, value, unit);
}
