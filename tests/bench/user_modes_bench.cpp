// The cost of one SaveUserMode and one ApplyMode on each clock mechanism: driver calls,
// I2C transfers and registry keys opened.
#include "driver_bench.h"
#include "gpu/board_list.h"
#include "gpu/nvapi.h"
#include "no_window_host.h"
#include "profiles/registry_key.h"
#include "profiles/user_modes.h"
#include "sim_driver.h"

#include <functional>
#include <string>

int main() {
    SimDriver sim;
    double bare = 0;
    if (!StartDriverBench(sim, bare)) return 1;
    NoWindow host;
    for (const char* scenario : {"curve", "pstates20", "perflevels"}) {
        if (sim.Use(scenario) != 1) return 1;
        SelectedBoard = 0;
        const std::pair<const char*, std::function<void()>> steps[] = {
            {"SaveUserMode", [] { SaveUserMode(1); }},
            {"ApplyMode", [&] { ApplyMode(host, 0, 1); }},
        };
        for (const auto& [name, step] : steps) {
            sim.resetCounters();
            const unsigned long opened = g_registryKeysOpened;
            step();
            const std::string label = std::string(name) + ", " + scenario + ": ";
            Report((label + "driver calls").c_str(), "calls", sim.callCount(0));
            Report((label + "I2C transfers").c_str(), "transfers", sim.callCount(NvId_I2cWriteEx) + sim.callCount(NvId_I2cReadEx));
            Report((label + "registry keys opened").c_str(), "keys", static_cast<double>(g_registryKeysOpened - opened));
        }
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Drelmont\\Zorvane");
    return 0;
}
