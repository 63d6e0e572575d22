#include "profiles/builtin_modes.h"

#include "gpu/board_list.h"
#include "gpu/fans.h"
#include "gpu/sensors.h"
#include "profiles/settings_store.h"

namespace {

constexpr int kCurveMode = 2;

void FollowCurve(ModeHost& host, int board, const wchar_t* modeName, int selector) {
    if (ReadBoardInt(board, modeName) != kCurveMode) return;
    int temperature = 0;
    if (!GpuReadTemperature(board, temperature)) {
        // A curve cannot be followed blind: the driver's own control until a reading comes.
        GpuSetFan(board, 0, selector, 0);
        return;
    }
    GpuSetFan(board, 1, selector, host.FanCurveLevel(board, selector, temperature));
}

}  // namespace

void RestoreAtStart(ModeHost&, int) {}

void ApplyFanModes(ModeHost& host, bool full) {
    if (full) host.ReloadFanDialog();
    for (unsigned b = 0; b < BoardCount; ++b) {
        FollowCurve(host, static_cast<int>(b), setting::FanCtrlMode, kFanFirst);
        FollowCurve(host, static_cast<int>(b), setting::Fan2CtrlMode, kFanSecond);
    }
}

void ApplyLedSettings(ModeHost&, bool) {}
