// The yardstick of the GPU benchmarks: one bare call into the driver.
#pragma once

#include "bench.h"
#include "gpu/board_list.h"
#include "gpu/driver_calls.h"
#include "gpu/driver_structs.h"

// Median time of one bare driver call (boost information of board 0), in microseconds.
inline double BareDriverCallMicroseconds() {
    constexpr int kBatch = 1000;  // one call is below the timer's resolution
    ClockDomainsInfo info{};
    return MedianMicroseconds(50, [&] {
               for (int i = 0; i < kBatch; ++i) {
                   info.version = kClockDomainsInfoV1;
                   nvapi::Call<NvId_GetClockDomainsInfo>(BoardHandle(0), &info);
               }
           }) /
           kBatch;
}

// Opens the `curve` board and measures the yardstick, reported first; false (with a
// message) when the simulated driver is missing.
template <class Sim>
bool StartDriverBench(Sim& sim, double& bare) {
    if (!sim.ok() || sim.Use("curve") != 1) {
        std::printf("the simulated driver is missing\n");
        return false;
    }
    bare = BareDriverCallMicroseconds();
    Report("one bare driver call (boost information)", "us", bare);
    return true;
}
