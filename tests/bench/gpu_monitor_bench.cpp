// Driver calls and time of one full set of the values the main window shows, on
// three kinds of board: the baseline for the monitoring cycle.
#include "bench.h"
#include "gpu/board_list.h"
#include "gpu/clocks.h"
#include "gpu/fans.h"
#include "gpu/sensors.h"
#include "gpu/driver_structs.h"
#include "../unit/sim_driver.h"

namespace {

// Temperature, fan duty, core and memory clocks in one display mode, current clock, name.
void ReadPanelValues(int mode) {
    const int levels = GpuGetPstateCount(SelectedBoard);
    const int last = levels > 0 ? levels - 1 : 0;
    GpuGetTemperature(SelectedBoard, 0, 0);
    GpuGetFan(SelectedBoard, kFanGeneric, 0);
    if (mode == 1) {
        if (!GpuGetClockFrequency(kGraphicsDomain, kClockCurrent)) {
            GpuGetPstateFrequency(GpuGetCurrentPstate(), kGraphicsDomain);
        }
        if (!GpuGetClockFrequency(kMemoryDomain, kClockCurrent)) {
            GpuGetPstateFrequency(GpuGetCurrentPstate(), kMemoryDomain);
        }
    } else {
        const int type = mode == 2 ? kClockBoost : kClockBase;
        if (!GpuGetClockWithOffset(kGraphicsDomain, type, false)) {
            GpuGetPerfLevelClock(SelectedBoard, kGraphicsDomain, last, 0);
            GpuGetPstateClock(SelectedBoard, kGraphicsDomain, 0, 0);
        }
        if (!GpuGetClockWithOffset(kMemoryDomain, type, false)) {
            GpuGetPerfLevelClock(SelectedBoard, kMemoryDomain, last, 0);
        }
    }
    GpuGetClockFrequency(kGraphicsDomain, kClockCurrent);
    wchar_t name[260];
    GpuGetFullName(name, 260);
}

}  // namespace

int main() {
    SimDriver sim;
    if (!sim.ok() || sim.Use("curve") != 1) {
        std::printf("the simulated driver is missing\n");
        return 1;
    }
    constexpr int kBatch = 1000;
    ClockDomainsInfo info{};
    const double bare = MedianMicroseconds(50, [&] {
        for (int i = 0; i < kBatch; ++i) {
            info.version = kClockDomainsInfoV1;
            nvapi::Call(NvId_GetClockDomainsInfo, BoardHandle(0), static_cast<void*>(&info));
        }
    }) / kBatch;
    Report("one bare driver call (boost information)", "us", bare);

    static const char* const kModes[] = {"base", "current", "boost"};
    for (const char* scenario : {"curve", "pstates20", "perflevels"}) {
        for (int mode = 0; mode < 3; ++mode) {
            sim.Use(scenario);
            SelectedBoard = 0;
            ReadPanelValues(mode);
            char name[96];
            std::snprintf(name, sizeof name, "panel values, %s clocks (%s): driver calls", kModes[mode], scenario);
            Report(name, "calls", sim.callCount(0));
            const double time = MedianMicroseconds(50, [mode] { ReadPanelValues(mode); });
            std::snprintf(name, sizeof name, "panel values, %s clocks (%s): time / bare call", kModes[mode], scenario);
            Report(name, "x", time / bare);
        }
    }
    return 0;
}
