// The main window as the mode code sees it, for benchmarks of the mode code alone:
// every window call does nothing.
#pragma once

#include "profiles/mode_host.h"

struct NoWindow : ModeHost {
    void LightModeButton(int) override {}
    void ReloadFanDialog() override {}
    void ReloadLedDialog() override {}
    void SetFansAutomatic() override {}
    void SetLedTemperatureEffect() override {}
    void RefreshReadouts() override {}
    int FanCurveLevel(int, int, int) override { return 0; }
};
