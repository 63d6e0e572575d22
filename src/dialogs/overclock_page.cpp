#include "overclock_page.h"

#include "framework/text.h"
#include "gpu/clocks.h"
#include "gpu/fans.h"
#include "gpu/frame_rate.h"
#include "gpu/power_thermal.h"
#include "gpu/voltage.h"
#include "profiles/board_features.h"
#include "profiles/board_settings.h"
#include "profiles/settings_store.h"

#include <cstdlib>

namespace {

constexpr int kDomains[2] = {kGraphicsDomain, kMemoryDomain};
constexpr int kFrameRateNone = 255;
constexpr int kMaxVoltageShiftMv = 25;

std::wstring Format(const wchar_t* format, int a, int b = 0) {
    wchar_t text[32];
    FormatText(text, format, a, b);
    return text;
}

void Hide(OverclockSlider& slider) {
    slider.shown = false;
    slider.enabled = false;
}

// The temperature target that goes with a power target, truncated; 0 when there is none.
int LinkedTemperature(int board, int power) {
    double degrees = 0;
    return GpuLinkedTempTarget(board, power, degrees) ? static_cast<int>(degrees) : 0;
}

void LoadClock(int board, int level, int index, OverclockPage& page) {
    const ClockSetting clock = GpuGetClockSetting(board, kDomains[index], level);
    page.clocks[index] = clock.mechanism;
    page.rows[kRowCore + index] = {clock.minimum, clock.maximum, clock.current};
}

void LoadVoltage(int board, int level, bool boostMode, OverclockPage& page) {
    OverclockSlider& row = page.rows[kRowVoltage];
    if (boostMode) {
        const int boost = GpuGetVoltageBoost(board);
        page.voltage = VoltageMode::Boost;
        row = {0, boost > 100 ? boost : 100, boost};
        return;
    }
    const int minimum = GpuGetBaseVoltageDelta(board, 2), maximum = GpuGetBaseVoltageDelta(board, 3);
    if (maximum != 0 && minimum != 0) {
        page.voltage = VoltageMode::Offset;
        row = {minimum, maximum, GpuGetBaseVoltageDelta(board, 0)};
        return;
    }
    page.voltage = VoltageMode::Absolute;
    page.voltagePstate = GpuPerfLevelPstate(board, level);
    row = {100, 1200, GpuGetPstateVoltage(board, page.voltagePstate)};
    Hide(row);
}

void LoadTemperature(int board, OverclockPage& page) {
    OverclockSlider& row = page.rows[kRowTemperature];
    TempTargetLimits limits{};
    const int target = GpuGetTempTarget(board);
    page.linked = OverclockSwitches::Load(board).linked;
    if (!GpuGetTempTargetLimits(board, limits) || target <= 0) {
        Hide(row);
        page.prioritize = page.linked = false;
        page.prioritizeShown = page.linkedShown = false;
        return;
    }
    page.temperatureAvailable = true;
    row = {limits.minimum, limits.maximum, target};
    row.enabled = !page.linked;
    page.prioritizeShown = true;
    page.prioritize = GpuGetTempPriority(board) != 0;
    page.linkedShown = page.powerAvailable;
}

void LoadMaxVoltage(int board, OverclockPage& page) {
    OverclockSlider& row = page.rows[kRowMaxVoltage];
    const std::uint32_t f = BoardFeatures;
    if ((f & feature::NoMaxVoltageBoard) || GpuGetOverVoltage(board, 3) < 1) {
        Hide(row);
        page.overvoltaged = page.overvoltagedShown = false;
        return;
    }
    row = {GpuGetOverVoltage(board, 2), GpuGetOverVoltage(board, 3), GpuGetOverVoltage(board, 0)};
    page.maxVoltageShift = (f & feature::I2cVoltageController) && (f & feature::CoreOverVoltageOn) &&
                           !(f & feature::MaxOverVoltageBoard);
    page.overvoltagedShown = true;
    page.overvoltaged = OverclockSwitches::Load(board).overvoltaged;
    row.enabled = page.overvoltaged;
}

void ApplyVoltage(int board, const OverclockPage& page) {
    const int wanted = page.rows[kRowVoltage].position;
    switch (page.voltage) {
    case VoltageMode::Boost:
        if (wanted != GpuGetVoltageBoost(board)) GpuSetVoltageBoost(board, wanted);
        return;
    case VoltageMode::Offset:
        if (wanted != GpuGetBaseVoltageDelta(board, 0)) GpuSetBaseVoltageDelta(board, wanted);
        return;
    case VoltageMode::Absolute: {
        // The row is never shown: its position is what was read. An unreadable voltage
        // (shown as the range's floor) is never written to the board.
        const int current = GpuGetPstateVoltage(board, page.voltagePstate);
        if (current > 0 && wanted != current) GpuSetPstateVoltage(page.voltagePstate, wanted);
        return;
    }
    }
}

void ApplyPowerAndTemperature(int board, OverclockPage& page) {
    OverclockSlider& temperature = page.rows[kRowTemperature];
    const int power = page.rows[kRowPower].position;
    if (GpuGetPowerLimitInfo(board, 1) > 0) {
        if (power != GpuGetPowerTarget(board)) GpuSetPowerTarget(board, power);
        const int current = GpuGetTempTarget(board);
        if (page.linked && current > 0) {
            WriteBoardUnsigned(board, setting::Linked, 1);
            double degrees = 0;
            const bool found = GpuLinkedTempTarget(board, power, degrees);
            temperature.position = found ? static_cast<int>(degrees) : 0;
            if (temperature.position < temperature.minimum) temperature.position = temperature.minimum;
            // No target for this power target: the driver's one stays.
            if (found && static_cast<int>(degrees) != current) GpuSetTempTarget(board, degrees);
        }
    }
    const int current = GpuGetTempTarget(board);
    if (current > 0 && !page.linked) {
        WriteBoardUnsigned(board, setting::Linked, 0);
        if (temperature.position != current) GpuSetTempTarget(board, temperature.position);
    }
}

void ApplyMaxVoltage(int board, OverclockPage& page) {
    if (GpuGetOverVoltage(board, 3) < 1) return;
    OverclockSlider& row = page.rows[kRowMaxVoltage];
    WriteBoardUnsigned(board, setting::Overvoltaged, page.overvoltaged ? 1 : 0);
    if (!page.overvoltaged) row.position = 0;
    if (row.position != GpuGetOverVoltage(board, 0)) GpuSetOverVoltage(board, row.position);
}

}  // namespace

std::wstring ClockText(int mhz, ClockMechanism mechanism) {
    const bool offset = mechanism != ClockMechanism::PerfLevels;
    return Format(offset && mhz >= 0 ? L"+%d" : L"%d", mhz);
}

std::wstring MillivoltText(int mv) {
    const int magnitude = std::abs(mv);
    return Format(mv >= 0 ? L"+%d.%03d" : L"-%d.%03d", magnitude / 1000, magnitude % 1000);
}

std::wstring ValueText(const OverclockPage& page, OverclockRow row, TextMoment moment) {
    const int value = page.rows[row].position;
    switch (row) {
    case kRowCore: return ClockText(value, page.clocks[0]);
    case kRowMemory: return ClockText(value, page.clocks[1]);
    case kRowVoltage:
        switch (page.voltage) {
        case VoltageMode::Boost: return Format(L"%d", value);
        case VoltageMode::Offset: return MillivoltText(value);
        case VoltageMode::Absolute: return Format(L"%d.%03d", value / 1000, value % 1000);
        }
        break;
    case kRowPower: return Format(L"%d", value);
    case kRowTemperature: return Format(L"%d", page.fahrenheit ? Fahrenheit(value) : value);
    case kRowMaxVoltage: return MillivoltText(value + (page.maxVoltageShift ? kMaxVoltageShiftMv : 0));
    case kRowFrameRate:
        if (value < kFrameRateNone || (moment == TextMoment::Load && page.frameTargetSet)) return Format(L"%d", value);
        return L"MAX";
    case kOverclockRows: break;
    }
    return L"";
}

OverclockPage LoadOverclockPage(int board, int level, bool boostMode, bool fahrenheit) {
    OverclockPage page;
    page.fahrenheit = fahrenheit;
    LoadClock(board, level, 0, page);
    LoadClock(board, level, 1, page);
    LoadVoltage(board, level, boostMode, page);

    OverclockSlider& power = page.rows[kRowPower];
    page.powerAvailable = GpuGetPowerLimitInfo(board, 1) >= 1;
    if (page.powerAvailable) {
        power = {GpuGetPowerLimitInfo(board, 2), GpuGetPowerLimitInfo(board, 3), GpuGetPowerTarget(board)};
    } else {
        Hide(power);
    }
    LoadTemperature(board, page);
    LoadMaxVoltage(board, page);

    const int target = GpuGetFrameRateTarget();
    page.frameTargetSet = target != 0;
    page.rows[kRowFrameRate] = {1, kFrameRateNone, target != 0 ? (target & 0xFF) : kFrameRateNone};
    return page;
}

void FollowPowerTarget(int board, OverclockPage& page) {
    if (!page.linked || GpuGetTempTarget(board) <= 0) return;
    OverclockSlider& temperature = page.rows[kRowTemperature];
    const int t = LinkedTemperature(board, page.rows[kRowPower].position);
    temperature.position = t < temperature.minimum ? temperature.minimum
                           : t > temperature.maximum ? temperature.maximum
                                                     : t;
}

void ApplyOverclockPage(int board, int level, OverclockPage& page) {
    for (int index = 0; index < 2; ++index) {
        GpuApplyClock(board, kDomains[index], level, page.rows[kRowCore + index].position);
    }
    ApplyVoltage(board, page);
    ApplyPowerAndTemperature(board, page);
    const int priority = page.prioritize ? 1 : 0;
    if (priority != GpuGetTempPriority(board)) GpuSetTempPriority(board, priority);
    ApplyMaxVoltage(board, page);
    const int frameRate = page.rows[kRowFrameRate].position;
    if (frameRate != GpuGetFrameRateTarget()) GpuSetFrameRateTarget(frameRate);
}

// ---------------------------------------------------------------- master mode

bool OffersMasterMode(std::uint32_t features) {
    return features & (feature::I2cVoltageController | feature::MemoryOverVoltageControl |
                       feature::FanFullSpeedControl | feature::OverCurrentControl);
}

MasterSwitches LoadMasterSwitches(int board, std::uint32_t features) {
    MasterSwitches s;
    const bool maxOverVoltage = features & feature::MaxOverVoltageBoard;
    s.shown[kCoreOverVoltage] = (features & feature::I2cVoltageController) || maxOverVoltage;
    // The feature word holds the controller's registers (and, on boards whose over-voltage
    // is the switch, whether it stands at its maximum) as last read.
    s.on[kCoreOverVoltage] = features & feature::CoreOverVoltageOn;
    unsigned value = 0;
    s.shown[kMemoryOverVoltage] = GpuGetDriverControl(board, GpuMemoryOverVoltageControl(board), value) != 0;
    s.on[kMemoryOverVoltage] = s.shown[kMemoryOverVoltage] && value == 1;
    s.shown[kFanFullSpeed] = true;
    if (GpuGetDriverControl(board, kControlFanFullSpeed, value)) {
        s.on[kFanFullSpeed] = value == 0;
    } else {
        s.on[kFanFullSpeed] = GpuGetFanMode(board, kFanGeneric, 0) == 1 && GpuGetFan(board, kFanGeneric, 0) >= 100;
    }
    s.shown[kOverCurrent] = features & feature::OverCurrentControl;
    s.on[kOverCurrent] = features & feature::OverCurrentOn;
    return s;
}

void ToggleCoreOverVoltage(int board, std::uint32_t features, bool on, OverclockPage& page) {
    OverclockSlider& power = page.rows[kRowPower];
    power.position = on && (features & feature::I2cVoltageController) ? power.maximum : GpuGetPowerTarget(board);
    page.maxVoltageShift = on && (features & feature::I2cVoltageController) && !(features & feature::MaxOverVoltageBoard);
    if (features & feature::MaxOverVoltageBoard) {
        OverclockSlider& maxVoltage = page.rows[kRowMaxVoltage];
        if (on) page.overvoltaged = true;
        maxVoltage.enabled = page.overvoltaged;
        maxVoltage.position = on ? maxVoltage.maximum : 0;
    }
}

void ApplyMasterSwitches(int board, std::uint32_t features, const MasterSwitches& switches, OverclockPage& page) {
    const bool core = switches.on[kCoreOverVoltage];
    const bool maxOverVoltage = features & feature::MaxOverVoltageBoard;
    WriteBoardControllerRegisters(board, core && (features & feature::I2cVoltageController) && !maxOverVoltage,
                                  switches.on[kOverCurrent] && (features & feature::OverCurrentControl));
    if (maxOverVoltage && core) {
        page.overvoltaged = true;
        WriteBoardUnsigned(board, setting::Overvoltaged, 1);
        page.rows[kRowMaxVoltage].position = GpuGetOverVoltage(board, 3);
        GpuSetOverVoltage(board, page.rows[kRowMaxVoltage].position);
    }
    const bool memory = switches.on[kMemoryOverVoltage] && (features & feature::MemoryOverVoltageControl);
    GpuSetDriverControl(board, GpuMemoryOverVoltageControl(board), memory ? 1 : 0);
    const bool fullSpeed = switches.on[kFanFullSpeed];
    if (GpuSetDriverControl(board, kControlFanFullSpeed, fullSpeed ? 0 : 1)) return;
    if (fullSpeed) {
        GpuSetFan(board, 1, kFanFirst, 100);
        GpuSetFan(board, 1, kFanSecond, 100);
    } else if (GpuGetFanMode(board, kFanGeneric, 0) == 1 && GpuGetFan(board, kFanGeneric, 0) >= 100) {
        GpuSetFan(board, 0, kFanGeneric, 0);
    }
}
