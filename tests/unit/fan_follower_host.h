// The mode code's view of the main window, played by a fan control dialog alone: the
// follower's curve comes from the dialog, everything else does nothing.
#pragma once

#include "dialogs/fan_ctrl_dlg.h"
#include "profiles/mode_host.h"

struct FanFollowerHost : ModeHost {
    CFanCtrlDlg* dialog = nullptr;
    void LightModeButton(int) override {}
    void ReloadFanDialog() override { dialog->LoadFanSettings(); }
    void ReloadLedDialog() override {}
    void SetFansAutomatic() override {}
    void SetLedTemperatureEffect() override {}
    void RefreshReadouts() override {}
    int FanCurveLevel(int board, int selector, int temperature) override {
        return dialog->EvaluateFanCurve(board, selector, temperature);
    }
};
