// The driver calls of one status dialog tick and of one information paint, per board.
#include "dialogs/info_page.h"
#include "dialogs/status_dlg.h"
#include "dialog_bench.h"
#include "gpu/board_list.h"
#include "sim_driver.h"
#include "skin/image.h"
#include "skin/skin_paths.h"

#include <string>

int main() {
    const GdiplusSession imaging;
    SimDriver sim;
    double bare = 0;
    if (!StartDialogBench(sim, bare)) return 1;
    for (const char* scenario : {"demo", "sensors", "perflevels"}) {
        if (sim.Use(scenario) != 1) return 1;
        SelectedBoard = 0;
        CStatusDlg status([] { return PanelSettings{}; });
        if (!status.Create()) return 1;
        const std::string label = std::string(", ") + scenario + ": ";
        sim.resetCounters();
        status.Sample();
        Report(("status tick" + label + "driver calls").c_str(), "calls", sim.callCount(0));
        const double tick = MedianMicroseconds(5, [&] { status.Sample(); });
        Report(("status tick" + label + "time / one bare call").c_str(), "x", tick / bare);
        status.DestroyWindow();

        const InfoTexts texts = ReadInfoTexts();
        sim.resetCounters();
        const std::size_t rows = InformationRows(texts, PanelSettings{}).size();
        Report(("information paint" + label + "driver calls").c_str(), "calls", sim.callCount(0));
        Report(("information paint" + label + "rows").c_str(), "rows", static_cast<double>(rows));
    }
    return 0;
}
