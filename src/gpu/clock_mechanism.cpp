#include "clock_mechanism.h"

#include "gpu/clocks.h"

ClockMechanism GpuClockMechanism(int board, int domain) {
    if (GpuGetBoostRange(board, domain, 3) >= 1) return ClockMechanism::Curve;
    if (GpuGetPstateClock(board, domain, 0, 3) >= 1) return ClockMechanism::Pstates20;
    return ClockMechanism::PerfLevels;
}

ClockSetting GpuGetClockSetting(int board, int domain, int level) {
    const ClockMechanism mechanism = GpuClockMechanism(board, domain);
    switch (mechanism) {
    case ClockMechanism::Curve:
        return {mechanism, GpuGetBoostRange(board, domain, 2), GpuGetBoostRange(board, domain, 3),
                GpuGetCurveOffset(board, GpuGetBoostRange(board, domain, 7))};
    case ClockMechanism::Pstates20:
        return {mechanism, GpuGetPstateClock(board, domain, 0, 2), GpuGetPstateClock(board, domain, 0, 3),
                GpuGetPstateClock(board, domain, 0, 0)};
    case ClockMechanism::PerfLevels:
        break;
    }
    return {mechanism, GpuGetPerfLevelClock(board, domain, level, 2), GpuGetPerfLevelClock(board, domain, level, 3),
            GpuGetPerfLevelClock(board, domain, level, 0)};
}

void GpuApplyClock(int board, int domain, int level, int mhz) {
    switch (GpuClockMechanism(board, domain)) {
    case ClockMechanism::Curve: GpuSetDomainCurveOffset(board, domain, mhz, CurvePoints::Changed); return;
    case ClockMechanism::Pstates20:
        if (GpuGetPstateClock(board, domain, 0, 0) != mhz) GpuSetClockOffset(board, domain, mhz);
        return;
    case ClockMechanism::PerfLevels:
        // A level's clock is written as it stands; 0 (a range that could not be read) never.
        if (mhz > 0) GpuSetPerfLevelClock(board, domain, level, mhz);
        return;
    }
}
