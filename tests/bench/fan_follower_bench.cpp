// The fan-curve follower's cost per 5-second pass: driver calls and registry key opens,
// with one board and with eight boards, every fan group in curve mode.
#include "dialog_bench.h"
#include "fan_follower_host.h"
#include "dialogs/fan_ctrl_dlg.h"
#include "gpu/fans.h"
#include "profiles/builtin_modes.h"
#include "profiles/registry_key.h"
#include "profiles/settings_store.h"
#include "sim_driver.h"
#include "skin/image.h"
#include "skin/skin_paths.h"

#include <string>

namespace {

std::string Boards(int count) {
    std::string text;
    for (int b = 0; b < count; ++b) {
        text += "[board]\npci_device = 0x1E8710DE\npci_subsystem = 0x0001" + std::to_string(1000 + b) +
                "\ntemperature = 55\nfan_cooler = 1, 30, 100, 40, 3000\nfan_cooler = 2, 30, 100, 40, 3000\n";
    }
    return text;
}

}  // namespace

int main() {
    const GdiplusSession imaging;
    SimDriver sim;
    double bare = 0;
    if (!StartDialogBench(sim, bare)) return 1;
    for (int boards : {1, 8}) {
        if (sim.UseText(Boards(boards)) != boards) return 1;
        SelectedBoard = 0;
        CFanCtrlDlg dialog(true);
        if (!dialog.Create()) return 1;
        for (int b = 0; b < boards; ++b) {
            WriteBoardString(b, setting::FanCtrlMode, L"2");
            WriteBoardString(b, setting::Fan2CtrlMode, L"2");
        }
        FanFollowerHost host;
        host.dialog = &dialog;
        ApplyFanModes(host, false);  // warm
        sim.resetCounters();
        const unsigned long opened = g_registryKeysOpened;
        const double time = MedianMicroseconds(1, [&] { ApplyFanModes(host, false); });
        const std::string label = std::to_string(boards) + (boards == 1 ? " board" : " boards");
        Report(("follower pass, " + label + ": driver calls").c_str(), "calls", sim.callCount(0));
        Report(("follower pass, " + label + ": registry keys opened").c_str(), "keys",
               static_cast<double>(g_registryKeysOpened - opened));
        Report(("follower pass, " + label + ": time").c_str(), "ms", time / 1000);
        Report(("follower pass, " + label + ": time / one bare call").c_str(), "x", time / bare);
        dialog.DestroyWindow();
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Drelmont\\Zorvane");
    return 0;
}
