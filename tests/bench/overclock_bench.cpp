// The overclock dialog's driver cost on each clock mechanism: one LoadSettings, and
// one OK with the core clock slider moved (calls and writes).
#include "dialogs/overclock_dlg.h"
#include "dialog_bench.h"
#include "gpu/board_list.h"
#include "gpu/clocks.h"
#include "profiles/board_features.h"
#include "sim_driver.h"
#include "skin/image.h"
#include "skin/skin_paths.h"

#include <string>

namespace {

class NoPanel : public OverclockHost {
public:
    bool ShowsFahrenheit() override { return false; }
    void OverclockApplied() override {}
};

}  // namespace

int main() {
    const GdiplusSession imaging;
    SimDriver sim;
    double bare = 0;
    if (!StartDialogBench(sim, bare)) return 1;
    NoPanel host;
    for (const char* scenario : {"curve", "pstates20", "perflevels"}) {
        if (sim.Use(scenario) != 1) return 1;
        SelectedBoard = 0;
        RefreshBoardFeatures();
        COverClkDlg dialog(host);
        if (!dialog.Create()) return 1;
        const int level = GpuGetPstateCount(0) > 0 ? GpuGetPstateCount(0) - 1 : 0;
        const std::string label = std::string(", ") + scenario + ": ";

        sim.resetCounters();
        dialog.LoadSettings(level);
        Report(("LoadSettings" + label + "driver calls").c_str(), "calls", sim.callCount(0));

        CSliderControl& core = dialog.Slider(kRowCore);
        core.SetPos(core.GetPos() + 25);
        sim.resetCounters();
        dialog.ApplyOverclockSettings();
        Report(("ApplyOverclockSettings, core moved" + label + "driver calls").c_str(), "calls", sim.callCount(0));
        Report(("ApplyOverclockSettings, core moved" + label + "driver writes").c_str(), "writes", sim.WriteCalls());
        dialog.DestroyWindow();
    }
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Drelmont\\Zorvane");
    return 0;
}
