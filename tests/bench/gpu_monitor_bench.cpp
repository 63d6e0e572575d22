// Driver calls and time of one monitoring sample of the front panel (values,
// labels and gauge ranges) in each clock display mode, on three kinds of board.
#include "driver_bench.h"
#include "gpu/board_list.h"
#include "gpu/clocks.h"
#include "gpu/driver_structs.h"
#include "mainwnd/monitor_sample.h"
#include "../unit/sim_driver.h"

namespace {

void ReadPanelValues(int mode) {
    MonitorSettings settings;
    settings.clockDisplayMode = mode;
    TakeMonitorSample(settings);
}

}  // namespace

int main() {
    SimDriver sim;
    double bare = 0;
    if (!StartDriverBench(sim, bare)) return 1;

    static const char* const kModes[] = {"base", "current", "boost"};
    for (const char* scenario : {"curve", "pstates20", "perflevels"}) {
        for (int mode = 0; mode < 3; ++mode) {
            sim.Use(scenario);
            SelectedBoard = 0;
            ReadPanelValues(mode);
            char name[96];
            std::snprintf(name, sizeof name, "monitoring sample, %s clocks (%s): driver calls", kModes[mode], scenario);
            Report(name, "calls", sim.callCount(0));
            const double time = MedianMicroseconds(50, [mode] { ReadPanelValues(mode); });
            std::snprintf(name, sizeof name, "monitoring sample, %s clocks (%s): time / bare call", kModes[mode], scenario);
            Report(name, "x", time / bare);
        }
    }
    return 0;
}
