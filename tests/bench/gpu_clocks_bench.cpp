// Driver calls and time of the clock operations, as ratios to one bare driver call.
#include "driver_bench.h"
#include "gpu/board_list.h"
#include "gpu/clock_mechanism.h"
#include "gpu/clocks.h"
#include "gpu/driver_structs.h"
#include "../unit/sim_driver.h"

namespace {

// Every clock value a board offers, read once.
void ReadAllClockValues() {
    for (int domain : {kGraphicsDomain, kMemoryDomain}) {
        for (int field : {2, 3, 6, 7}) GpuGetBoostRange(0, domain, field);
        GpuGetCurveOffset(0, GpuGetBoostRange(0, domain, 7));
        for (int field : {0, 2, 3, 8, 9}) GpuGetPstateClock(0, domain, 0, field);
        const int levels = GpuGetPerfLevelCount(0);
        for (int level = 0; level < levels; ++level) {
            for (int field = 0; field < 4; ++field) GpuGetPerfLevelClock(0, domain, level, field);
        }
    }
    GpuGetPstateCount(0);
}

}  // namespace

int main() {
    SimDriver sim;
    double bare = 0;
    if (!StartDriverBench(sim, bare)) return 1;

    int offset = 0;
    sim.resetCounters();
    GpuApplyClock(0, kGraphicsDomain, 0, ++offset);
    Report("apply one offset to 80 curve points: driver calls", "calls", sim.callCount(0));
    const double apply = MedianMicroseconds(20, [&] { GpuApplyClock(0, kGraphicsDomain, 0, ++offset); });
    Report("apply one offset to 80 curve points: time / bare call", "x", apply / bare);

    for (const char* scenario : {"curve", "pstates20", "perflevels"}) {
        sim.Use(scenario);
        ReadAllClockValues();
        char name[96];
        std::snprintf(name, sizeof name, "read every clock value once (%s): driver calls", scenario);
        Report(name, "calls", sim.callCount(0));
        const double read = MedianMicroseconds(50, ReadAllClockValues);
        std::snprintf(name, sizeof name, "read every clock value once (%s): time / bare call", scenario);
        Report(name, "x", read / bare);
    }
    return 0;
}
