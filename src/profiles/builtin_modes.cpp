#include "profiles/builtin_modes.h"

#include "gpu/board_list.h"
#include "gpu/fans.h"
#include "gpu/i2c.h"
#include "gpu/led.h"
#include "gpu/pause.h"
#include "gpu/sensors.h"
#include "gpu/clock_mechanism.h"
#include "gpu/clocks.h"
#include "gpu/frame_rate.h"
#include "gpu/status.h"
#include "gpu/voltage.h"
#include "gpu/power_thermal.h"
#include "profiles/board_features.h"
#include "profiles/led_effects.h"
#include "profiles/settings_store.h"
#include "profiles/user_modes.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace {

constexpr int kAutomaticMode = 0;
constexpr int kCurveMode = 2;

// Fan groups a curve pass put under manual control, one bit per group of each board,
// until the driver has them back.
std::array<std::uint8_t, kMaxBoards> g_curveHeld{};

std::uint8_t GroupBit(int selector) { return selector == kFanFirst ? 1 : 2; }

void FollowCurve(ModeHost& host, int board, const wchar_t* modeName, int selector) {
    std::uint8_t& held = g_curveHeld[static_cast<std::size_t>(board)];
    const int mode = ReadBoardInt(board, modeName);
    if (mode != kCurveMode) {
        if (!(held & GroupBit(selector))) return;
        // Switched to automatic, yet still under the curve's manual control: the driver
        // refused the switch, so it is asked again on every pass until it takes it.
        if (mode == kAutomaticMode && GpuGetFanMode(board, selector, 0) == 1) {
            GpuSetFan(board, 0, selector, 0);
        } else {
            held = static_cast<std::uint8_t>(held & ~GroupBit(selector));
        }
        return;
    }
    held |= GroupBit(selector);
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

void RestoreAtStart(ModeHost& host, int count) {
    for (int board = 0; board < count; ++board) {
        const int slot = ReadBoardInt(board, setting::UserModeActive);
        if (slot != 0) ApplyMode(host, board, slot);
    }
    const int active = ReadBoardInt(SelectedBoard, setting::UserModeActive);
    if ((active >= 1 && active <= 8) || (active >= kSlotSilence && active <= kSlotOc)) host.LightModeButton(active);
}

StartRestore RestoreAtStartGuarded(ModeHost& host, int count) {
    if (ReadProductInt(setting::RestorePending) == 1) {
        RestoreSettled();
        RestoreAtStart(host, 0);
        return StartRestore::Skipped;
    }
    bool any = false;
    for (int board = 0; board < count && !any; ++board) any = ReadBoardInt(board, setting::UserModeActive) != 0;
    if (!any) {
        RestoreAtStart(host, 0);
        return StartRestore::NothingToApply;
    }
    WriteProductInt(setting::RestorePending, 1);
    RestoreAtStart(host, count);
    return StartRestore::Applied;
}

void RestoreSettled() { WriteProductInt(setting::RestorePending, 0); }

void PrepareBuiltInMode(int slot) {
    if (!(BoardFeatures & (feature::BuiltInModes | feature::BuiltInOc2Mode))) return;
    const int board = SelectedBoard;
    const int baseClock = GpuGetClockFrequency(kGraphicsDomain, kClockBase);
    std::uint32_t device = 0, subsystem = 0;
    if (baseClock <= 0 || !GpuGetPciIds(board, device, subsystem)) return;
    const BuiltInVariant* variant = FindBuiltInVariant(device, baseClock);
    if (!variant) return;
    const BuiltInVariant::Mode& mode =
        slot == kSlotOc ? variant->oc : slot == kSlotGaming ? variant->gaming : variant->silence;
    wchar_t name[48];
    WriteSelectedBoardInt(SlotValueName(slot, L"FS", name), 0);
    if (GpuGetFanMode(board, kFanGeneric, 10) > 1) WriteSelectedBoardInt(SlotValueName(slot, L"FS2", name), 0);
    if (GpuGetBoostRange(board, kGraphicsDomain, 3) > 0) {
        WriteSelectedBoardInt(SlotValueName(slot, L"CClkDelta2", name), mode.offset);
    }
    if (GpuGetPowerLimitInfo(board, 1) > 0) WriteSelectedBoardInt(SlotValueName(slot, L"PowerLimit", name), mode.power);
}

void PressBuiltInModeButton(ModeHost& host, int slot) {
    PrepareBuiltInMode(slot);
    host.LightModeButton(slot);
    ApplyMode(host, SelectedBoard, slot);
}

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

void ReleaseCurveFans() {
    for (unsigned b = 0; b < BoardCount; ++b) {
        const int board = static_cast<int>(b);
        for (const auto& [modeName, selector] : {std::pair{setting::FanCtrlMode, kFanFirst},
                                                 std::pair{setting::Fan2CtrlMode, kFanSecond}}) {
            const int mode = ReadBoardInt(board, modeName);
            // Automatic but still under manual control: the switch to automatic was refused.
            const bool refusedAutomatic = mode == kAutomaticMode && GpuGetFanMode(board, selector, 0) == 1;
            if (mode == kCurveMode || refusedAutomatic) GpuSetFan(board, 0, selector, 0);
        }
    }
}

void RestoreDefaults(ModeHost& host) {
    const int board = SelectedBoard;
    WriteSelectedBoardInt(setting::UserModeActive, 0);
    host.LightModeButton(0);
    host.SetFansAutomatic();
    host.SetLedTemperatureEffect();

    const int top = ModeTopLevel(board);
    for (int domain : {kGraphicsDomain, kMemoryDomain}) {
        switch (GpuClockMechanism(board, domain)) {
        case ClockMechanism::Curve: GpuSetDomainCurveOffset(board, domain, 0, CurvePoints::Every); break;
        case ClockMechanism::Pstates20: GpuSetClockOffset(board, domain, 0); break;
        case ClockMechanism::PerfLevels:
            for (int step = 0; step < 4; ++step) {
                const int level = top - step;
                if (ModeLevelKept(step, top) && level >= 0) {
                    GpuSetPerfLevelClock(board, domain, level, GpuGetPerfLevelClock(board, domain, level, 1));
                }
            }
            break;
        }
    }

    if (GpuGetVoltageBoost(board) >= 0) {
        GpuSetVoltageBoost(board, 0);
    } else if (GpuGetBaseVoltageDelta(board, 3) != 0) {
        GpuSetBaseVoltageDelta(board, 0);
    }
    if (const int power = GpuGetPowerLimitInfo(board, 1); power > 0) GpuSetPowerTarget(board, power);
    WriteSelectedBoardInt(setting::Linked, 1);
    TempTargetLimits limits{};
    if (GpuGetTempTargetLimits(board, limits) && GpuGetTempTarget(board) != limits.defaultTarget) {
        GpuSetTempTarget(board, limits.defaultTarget);
    }
    if (GpuGetTempPriority(board)) GpuSetTempPriority(board, 0);
    if (GpuGetOverVoltage(board, 3) >= 1) {
        WriteSelectedBoardInt(setting::Overvoltaged, 0);
        GpuSetOverVoltage(board, 0);
    }
    GpuSetFrameRateTarget(255);
    if (BoardFeatures & (feature::I2cVoltageController | feature::OverCurrentControl)) {
        WriteBoardControllerRegisters(board, false, false);
    }
    if (BoardFeatures & feature::MemoryOverVoltageControl) GpuSetDriverControl(board, GpuMemoryOverVoltageControl(board), 0);
    RefreshBoardFeatures();
    DebugModeWarningArmed = 1;
}
