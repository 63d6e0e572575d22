#include "profiles/builtin_modes.h"

#include "gpu/board_list.h"
#include "gpu/fans.h"
#include "gpu/i2c.h"
#include "gpu/led.h"
#include "gpu/pause.h"
#include "gpu/sensors.h"
#include "profiles/led_effects.h"
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

constexpr unsigned kLedRepeatPause = 50;

// A still colour, sent twice with a pause (the controller may miss the first).
void SetStillTwice(int board, std::uint32_t colour) {
    LedSetStill(board, colour);
    GpuPause(kLedRepeatPause);
    LedSetStill(board, colour);
}

std::uint32_t BoardValue(int board, const wchar_t* name) { return static_cast<std::uint32_t>(ReadBoardInt(board, name)); }

// One board's stored effect: the animated ones (temperature colours, rainbow) on every
// pass, the others only on a full pass. A temperature colour goes out only when it changed.
void ApplyLedEffect(int board, bool full) {
    switch (ReadBoardInt(board, setting::LedCtrlMode)) {
    case 1:
        if (full) SetStillTwice(board, static_cast<std::uint32_t>(ReadBoardInt(board, setting::LedCtrlColor, 0)));
        break;
    case 9:
        if (full) SetStillTwice(board, 0);
        break;
    case 2:
        LedSetStill(board, RainbowColour(RainbowPhase()));
        break;
    case 3: {
        if (!full) break;
        const int index = static_cast<int>(BoardValue(board, setting::LedCtrlNvColor) & 7);
        LedSetNvColorIndex(board, index == 0 ? 2 : index);
        break;
    }
    case 4:
        if (!full) break;
        LedSetCycle(board, 0, 0, 4);
        GpuSetIllumZones(board, BoardValue(board, setting::LedCtrlBreathColor),
                         BoardValue(board, setting::LedCtrlBreathColorB),
                         static_cast<int>(BoardValue(board, setting::LedCtrlBreathSpeed)),
                         static_cast<int>(BoardValue(board, setting::LedCtrlBreathSpeed)));
        break;
    case 5:
        if (full) {
            LedSetCycle(board, 1, static_cast<int>(BoardValue(board, setting::LedCtrlCycleDirection)),
                        static_cast<int>(BoardValue(board, setting::LedCtrlCycleSpeed)));
        }
        break;
    case 6:
        if (full) {
            LedSetStrobe(board, static_cast<int>(BoardValue(board, setting::LedCtrlStrobeDirection)),
                         static_cast<int>(BoardValue(board, setting::LedCtrlStrobeSpeed)),
                         BoardValue(board, setting::LedCtrlStrobeColor));
        }
        break;
    default: {
        const std::uint32_t colour =
            LedTemperatureColour(GpuGetTemperature(board, 0, 0), IsMonoLedController(LedControllerKind(board)));
        if (full) ForgetTemperatureColour(board);
        if (TemperatureColourChanged(board, colour)) LedSetStill(board, colour);
        break;
    }
    }
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

void ApplyLedSettings(ModeHost& host, bool full) {
    if (full) host.ReloadLedDialog();
    for (unsigned b = 0; b < BoardCount; ++b) ApplyLedEffect(static_cast<int>(b), full);
    AdvanceRainbowPhase();
}
