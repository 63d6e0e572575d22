#include "status_page.h"

#include "framework/text.h"
#include "gpu/board_list.h"
#include "gpu/clocks.h"
#include "gpu/fans.h"
#include "gpu/power_thermal.h"
#include "gpu/sensors.h"
#include "gpu/voltage.h"
#include "profiles/board_features.h"
#include "skin/skin_file.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kFullSpeedOn = feature::FanFullSpeedControl | feature::FanFullSpeedOn;
// The board controller's core over-voltage shows as 25 mV more.
constexpr std::uint32_t kShiftMask = feature::MaxOverVoltageBoard | feature::I2cVoltageController |
                                     feature::CoreOverVoltageOn;
constexpr std::uint32_t kShiftOn = feature::I2cVoltageController | feature::CoreOverVoltageOn;
constexpr int kVoltageShiftMv = 25;

int TopLevel() {
    const int count = GpuGetPstateCount(SelectedBoard);
    return count > 0 ? count - 1 : 0;
}

// A clock, or the current pstate's frequency of its domain when the driver gives none.
int CurrentClock(int domain) {
    const int clock = GpuGetClockFrequency(domain, kClockCurrent);
    return clock ? clock : GpuGetPstateFrequency(GpuGetCurrentPstate(), domain);
}

// Clamped into [1, top]: the charts never draw 0 or run over their top.
int Clamped(int value, int top) { return value <= 0 ? 1 : value >= top ? top : value; }

std::wstring Line(const wchar_t* format, const std::wstring& a, int b, int c = 0, int d = 0, int e = 0) {
    wchar_t text[160];
    FormatText(text, format, a.c_str(), b, c, d, e);
    return text;
}

std::wstring ClockLine(const std::wstring& name, int clock, const std::wstring& baseName, int base,
                       const std::wstring& boostName, int boost) {
    if (base <= 0 || boost <= 0) return Line(L"%s : %d MHz", name, clock);
    wchar_t text[200];
    FormatText(text, L"%s : %d MHz      %s : %d MHz   %s : %d MHz", name.c_str(), clock, baseName.c_str(), base,
               boostName.c_str(), boost);
    return text;
}

}  // namespace

ChartScale CoreClockScale(const CoreClockLimits& l) {
    int hi = l.p0Maximum;
    hi = std::max(hi, l.topLevelMaximum);
    hi = std::max(hi, std::max(l.boost, 0) + l.p0OffsetMaximum);
    hi = std::min(hi, 2 * std::max(l.base, 0));
    int lo = l.p0Minimum;
    lo = std::min(lo, l.lowLevelMinimum);
    lo = std::min(lo, std::max(l.base, 0) + l.p0OffsetMinimum);
    lo = std::min(lo, 139);
    if (lo < hi) return {lo - 1, hi - lo + 1};
    return {0, 9999};
}

std::array<ChartScale, kStatusCharts> StatusChartScales() {
    const int board = SelectedBoard;
    const int top = TopLevel(), low = std::max(top - 3, 0);
    std::array<ChartScale, kStatusCharts> scales;
    CoreClockLimits core;
    core.p0Maximum = GpuGetPstateClock(board, kGraphicsDomain, 0, 9);
    core.p0Minimum = GpuGetPstateClock(board, kGraphicsDomain, 0, 8);
    core.p0OffsetMaximum = GpuGetPstateClock(board, kGraphicsDomain, 0, 3);
    core.p0OffsetMinimum = GpuGetPstateClock(board, kGraphicsDomain, 0, 2);
    core.topLevelMaximum = GpuGetPerfLevelClock(board, kGraphicsDomain, top, 3);
    core.lowLevelMinimum = GpuGetPerfLevelClock(board, kGraphicsDomain, low, 2);
    core.base = GpuGetClockFrequency(kGraphicsDomain, kClockBase);
    core.boost = GpuGetClockFrequency(kGraphicsDomain, kClockBoost);
    scales[kChartCore] = CoreClockScale(core);

    const int memoryLow = GpuGetPerfLevelClock(board, kMemoryDomain, low, 2);
    const int memoryHigh = GpuGetPerfLevelClock(board, kMemoryDomain, top, 3);
    if (memoryLow >= 1 && memoryHigh >= 1) scales[kChartMemory] = {memoryLow - 1, memoryHigh - memoryLow + 1};

    const int hottest = GpuGetTemperature(board, 0, 3);
    scales[kChartTemperature] = {0, hottest >= 1 ? hottest : 127};
    scales[kChartFan] = {0, 100};
    scales[kChartVoltage] = {499, 851};
    const int maximumPower = GpuGetPowerLimitInfo(board, 3);
    scales[kChartPower] = {0, maximumPower >= 1 ? maximumPower : 100};
    scales[kChartCoreLoad] = scales[kChartMemoryLoad] = {0, 100};
    return scales;
}

std::array<bool, kStatusCharts> StatusChartsAvailable() {
    const int board = SelectedBoard;
    const int pstate = GpuGetCurrentPstate();
    return {
        GpuGetClockFrequency(kGraphicsDomain, kClockCurrent) > 0 || GpuGetPstateFrequency(pstate, kGraphicsDomain) > 0,
        GpuGetClockFrequency(kMemoryDomain, kClockCurrent) > 0 || GpuGetPstateFrequency(pstate, kMemoryDomain) > 0,
        GpuGetTemperature(board, 0, 0) > 0,
        GpuGetFan(board, kFanGeneric, 0) >= 0,
        GpuGetDisplayCoreVoltage() > 0,
        GpuGetPowerLimitInfo(board, 3) >= 1,
        GpuGetUsage(board, 0) != -1,
        GpuGetUsage(board, 1) != -1,
    };
}

StatusSample TakeStatusSample(const PanelSettings& settings, std::uint32_t features) {
    const int board = SelectedBoard;
    StatusSample s;
    s.coreClock = CurrentClock(kGraphicsDomain);
    s.memoryClock = CurrentClock(kMemoryDomain);
    s.temperature = GpuGetTemperature(board, 0, 0);
    s.fanDuty = (features & kFullSpeedOn) == kFullSpeedOn ? 100 : GpuGetFan(board, kFanGeneric, 0);
    s.fanRpm = GpuGetFanRpm(board);
    s.voltage = GpuGetDisplayCoreVoltage();
    if ((features & kShiftMask) == kShiftOn) s.voltage += kVoltageShiftMv;
    s.power = GpuGetPowerDraw(board);
    const NominalClocks core =
        GpuGetNominalClocks(kGraphicsDomain, settings.baseAsDriverGives, settings.boostAsDriverGives);
    const NominalClocks memory =
        GpuGetNominalClocks(kMemoryDomain, settings.baseAsDriverGives, settings.boostAsDriverGives);
    s.baseCore = core.base;
    s.boostCore = core.boost;
    s.baseMemory = memory.base;
    s.boostMemory = memory.boost;
    s.baseVoltage = GpuGetBaseVoltageDelta(board, 1);
    s.coreLoad = GpuGetUsage(board, 0);
    s.memoryLoad = GpuGetUsage(board, 1);
    return s;
}

std::optional<int> ChartValue(StatusChart chart, const StatusSample& s, int maximumPower) {
    switch (chart) {
    case kChartCore: return s.coreClock > 0 ? std::optional<int>(s.coreClock) : std::nullopt;
    case kChartMemory: return s.memoryClock > 0 ? std::optional<int>(s.memoryClock) : std::nullopt;
    case kChartTemperature: return Clamped(s.temperature, 127);
    case kChartFan: return Clamped(s.fanDuty, 100);
    case kChartVoltage:
        if (s.voltage > 1350) return 1350;
        return s.voltage > 0 ? std::optional<int>(s.voltage) : std::nullopt;
    case kChartPower:
        if (maximumPower < 1) return std::nullopt;
        return s.power > 500 ? 500 : std::max(s.power, 1);
    case kChartCoreLoad: return Clamped(s.coreLoad, 100);
    case kChartMemoryLoad: return Clamped(s.memoryLoad, 100);
    }
    return std::nullopt;
}

StatusTexts ReadStatusTexts() {
    StatusTexts t;
    const struct {
        const wchar_t* key;
        std::wstring* text;
    } keys[] = {
        {L"CurrentCClk", &t.coreClock},   {L"BaseCClk", &t.coreBase},          {L"BoostCClk", &t.coreBoost},
        {L"CurrentMCLK", &t.memoryClock}, {L"BaseMCLK", &t.memoryBase},        {L"BoostMCLK", &t.memoryBoost},
        {L"CurrentCTemp", &t.temperature}, {L"CurrentFanSpd", &t.fanSpeed},    {L"CurrentCVolt", &t.voltage},
        {L"BaseCVolt", &t.voltageBase},   {L"CurrentPower", &t.power},         {L"CurrentCoreUsage", &t.coreUsage},
        {L"CurrentMemoryUsage", &t.memoryUsage},
    };
    wchar_t text[MAX_PATH];
    for (const auto& k : keys) {
        ReadLanguageText(L"Status", k.key, k.text->c_str(), text);
        *k.text = text;
    }
    return t;
}

std::array<std::wstring, kStatusCharts> StatusLines(const StatusSample& s, const StatusTexts& t, bool fahrenheit) {
    std::array<std::wstring, kStatusCharts> lines;
    lines[0] = ClockLine(t.coreClock, s.coreClock, t.coreBase, s.baseCore, t.coreBoost, s.boostCore);
    lines[1] = ClockLine(t.memoryClock, s.memoryClock, t.memoryBase, s.baseMemory, t.memoryBoost, s.boostMemory);
    lines[2] = fahrenheit ? Line(L"%s : %d 'F", t.temperature, Fahrenheit(s.temperature))
                          : Line(L"%s : %d 'C", t.temperature, s.temperature);
    lines[3] = s.fanRpm > 0 ? Line(L"%s : %d %% / %d rpm", t.fanSpeed, s.fanDuty, s.fanRpm)
                            : Line(L"%s : %d %%", t.fanSpeed, s.fanDuty);
    if (s.baseVoltage > 0) {
        wchar_t text[160];
        FormatText(text, L"%s : %d.%03d V      %s : %d.%03d V", t.voltage.c_str(), s.voltage / 1000,
                   s.voltage % 1000, t.voltageBase.c_str(), s.baseVoltage / 1000, s.baseVoltage % 1000);
        lines[4] = text;
    } else {
        lines[4] = Line(L"%s : %d.%03d V", t.voltage, s.voltage / 1000, s.voltage % 1000);
    }
    lines[5] = Line(L"%s : %d %%", t.power, s.power);
    lines[6] = Line(L"%s : %d %%", t.coreUsage, s.coreLoad);
    lines[7] = Line(L"%s : %d %%", t.memoryUsage, s.memoryLoad);
    return lines;
}
