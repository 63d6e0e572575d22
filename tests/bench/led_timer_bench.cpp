// The LED timer's traffic to the board: I2C transfers in one minute of 200 ms passes,
// per board, with the temperature effect at a steady temperature and with the rainbow.
#include "driver_bench.h"
#include "no_window_host.h"
#include "gpu/led.h"
#include "gpu/nvapi.h"
#include "profiles/builtin_modes.h"
#include "profiles/settings_store.h"
#include "sim_driver.h"

#include <string>

int main() {
    SimDriver sim;
    double bare = 0;
    if (!StartDriverBench(sim, bare)) return 1;
    const int kPassesPerMinute = 60 * 1000 / 200;
    for (const char* scenario : {"ledrgb", "ledmono", "ledlegacy"}) {
        for (const wchar_t* mode : {L"0", L"2"}) {
            if (sim.Use(scenario) != 1) return 1;
            LedDetectController(0);
            WriteBoardString(0, setting::LedCtrlMode, mode);
            NoWindow host;
            ApplyLedSettings(host, false);  // the first write of a colour
            sim.resetCounters();
            for (int pass = 0; pass < kPassesPerMinute; ++pass) ApplyLedSettings(host, false);
            const std::string label = std::string("LED timer, ") + scenario +
                                      (mode[0] == L'0' ? ", steady temperature" : ", rainbow") +
                                      ": I2C transfers per minute";
            Report(label.c_str(), "transfers", sim.callCount(NvId_I2cWriteEx));
        }
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Drelmont\\Zorvane");
    return 0;
}
