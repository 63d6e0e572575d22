// The status page as data: the charts' scales, one sample of every quantity, what
// each chart is given and the eight value lines. The dialog draws them.
#pragma once

#include "dialogs/panel_settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

constexpr int kStatusCharts = 8;
enum StatusChart { kChartCore, kChartMemory, kChartTemperature, kChartFan, kChartVoltage, kChartPower,
                   kChartCoreLoad, kChartMemoryLoad };

struct ChartScale {
    int offset = 0;
    int range = 9999;
};

// What the core clock chart's scale is made of (MHz, 0 when unknown).
struct CoreClockLimits {
    int p0Maximum = 0, p0Minimum = 0;              // P0 graphics frequency range
    int p0OffsetMaximum = 0, p0OffsetMinimum = 0;  // P0 graphics offset range
    int topLevelMaximum = 0, lowLevelMinimum = 0;  // performance levels
    int base = 0, boost = 0;
};
ChartScale CoreClockScale(const CoreClockLimits& limits);

// Every chart's scale for the selected board.
std::array<ChartScale, kStatusCharts> StatusChartScales();
// The charts whose quantity the selected board offers now.
std::array<bool, kStatusCharts> StatusChartsAvailable();

struct StatusSample {
    int coreClock = 0, memoryClock = 0, temperature = 0, fanDuty = 0, fanRpm = 0, voltage = 0, power = 0;
    int coreLoad = 0, memoryLoad = 0;
    int baseCore = 0, boostCore = 0, baseMemory = 0, boostMemory = 0, baseVoltage = 0;
};
StatusSample TakeStatusSample(const PanelSettings& settings, std::uint32_t features);

// The value a chart is given for a sample; none leaves the chart without one this time.
std::optional<int> ChartValue(StatusChart chart, const StatusSample& sample, int maximumPower);

// The "Status" texts of the language file, in line order (see the catalogue).
struct StatusTexts {
    std::wstring coreClock = L"Core Clock", coreBase = L"Base", coreBoost = L"Boost";
    std::wstring memoryClock = L"Memory Clock", memoryBase = L"Base", memoryBoost = L"Boost";
    std::wstring temperature = L"Core Tempature", fanSpeed = L"Fan Speed";
    std::wstring voltage = L"Core Voltage", voltageBase = L"Base";
    std::wstring power = L"Power Usage", coreUsage = L"Core Usage", memoryUsage = L"Memory Usage";
};
StatusTexts ReadStatusTexts();

std::array<std::wstring, kStatusCharts> StatusLines(const StatusSample& sample, const StatusTexts& texts,
                                                    bool fahrenheit);
