// One monitoring sample of the selected board, as the front panel shows it.
#pragma once

#include "mainwnd/monitor_values.h"

#include <cstdint>
#include <string>

// Clock display modes ("MeterMode").
constexpr int kClockDisplayBase = 0;
constexpr int kClockDisplayCurrent = 1;
constexpr int kClockDisplayBoost = 2;

struct MonitorSettings {
    int clockDisplayMode = kClockDisplayBase;
    bool baseFlag = false;   // "BaseMode" = 1: base clocks shown without offsets
    bool boostFlag = false;  // "BoostMode" = 1: boost clocks shown without offsets
    int temperatureUnit = 0;
    std::uint32_t features = 0;  // the board feature word
};

struct MonitorSample {
    int temperature = 0;  // in the display unit
    int fanDuty = 0;
    int coreClock = 0;
    int memoryClock = 0;
    int currentClock = 0;
    std::wstring boardLabel;
    GaugeRange memoryRange;
    GaugeRange coreRange;
    int memoryTarget = 0;
    int coreTarget = 0;
};

// The process-wide display settings (the feature word aside, which is BoardFeatures):
// read at start, changed by the unit button and the settings dialog.
extern MonitorSettings DisplaySettings;
// Monitoring period in seconds, fixed when the main window starts.
extern int MonitoringInterval;

// "MeterMode" ("2" boost, "1" current, else base), "BaseMode" and "BoostMode" into `settings`.
void ReadClockDisplayMode(MonitorSettings& settings);

// Reads SelectedBoard through the driver; every failed read counts as 0.
MonitorSample TakeMonitorSample(const MonitorSettings& settings);
