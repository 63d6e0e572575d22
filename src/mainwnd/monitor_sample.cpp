// One monitoring sample of the selected board.
#include "mainwnd/monitor_sample.h"

#include "gpu/board_list.h"
#include "gpu/clocks.h"
#include "gpu/fans.h"
#include "gpu/sensors.h"
#include "profiles/board_features.h"
#include "profiles/settings_store.h"

#include <algorithm>

MonitorSettings DisplaySettings;
int MonitoringInterval = 3;

void ReadClockDisplayMode(MonitorSettings& settings) {
    const int mode = ReadProductInt(setting::MeterMode);
    settings.clockDisplayMode = mode == kClockDisplayBoost || mode == kClockDisplayCurrent ? mode : kClockDisplayBase;
    settings.baseFlag = ReadProductInt(setting::BaseMode) == 1;
    settings.boostFlag = ReadProductInt(setting::BoostMode) == 1;
}

namespace {

// Core and memory clocks in the base or boost display mode; where the driver
// gives no clock, the last performance level's.
void OffsetModeClocks(int board, int clockType, bool withoutOffsets, int lastLevel, MonitorSample& sample) {
    int core = GpuGetClockWithOffset(kGraphicsDomain, clockType, withoutOffsets);
    if (core == 0) {
        core = GpuGetPerfLevelClock(board, kGraphicsDomain, lastLevel, 0);
        const int p0GraphicsOffset = GpuGetPstateClock(board, kGraphicsDomain, 0, 0);
        if (p0GraphicsOffset != 0 && GpuGetPerfLevelClock(board, kGraphicsDomain, lastLevel, 1) == core) {
            core += p0GraphicsOffset;
        }
    }
    int memory = GpuGetClockWithOffset(kMemoryDomain, clockType, withoutOffsets);
    if (memory == 0) {
        memory = GpuGetPerfLevelClock(board, kMemoryDomain, lastLevel, 0);
        if (!withoutOffsets) memory += GpuGetCurveOffset(board, GpuGetBoostRange(board, kMemoryDomain, 7));
    }
    sample.coreClock = core;
    sample.memoryClock = memory;
}

}  // namespace

MonitorSample TakeMonitorSample(const MonitorSettings& settings) {
    const int board = SelectedBoard;
    MonitorSample sample;
    const int levels = GpuGetPstateCount(board);
    const int last = levels > 0 ? levels - 1 : 0;
    const int low = std::max(last - 3, 0);

    sample.temperature = DisplayedTemperature(GpuGetTemperature(board, 0, 0), settings.temperatureUnit);
    const std::uint32_t fullSpeed = feature::FanFullSpeedControl | feature::FanFullSpeedOn;
    sample.fanDuty = (settings.features & fullSpeed) == fullSpeed ? 100 : GpuGetFan(board, kFanGeneric, 0);

    sample.currentClock = GpuGetClockFrequency(kGraphicsDomain, kClockCurrent);
    if (settings.clockDisplayMode == kClockDisplayCurrent) {
        // Without a current clock, the current pstate's nominal clocks.
        sample.coreClock = sample.currentClock;
        sample.memoryClock = GpuGetClockFrequency(kMemoryDomain, kClockCurrent);
        if (sample.coreClock == 0 || sample.memoryClock == 0) {
            const int pstate = GpuGetCurrentPstate();
            if (sample.coreClock == 0) sample.coreClock = GpuGetPstateFrequency(pstate, kGraphicsDomain);
            if (sample.memoryClock == 0) sample.memoryClock = GpuGetPstateFrequency(pstate, kMemoryDomain);
        }
    } else if (settings.clockDisplayMode == kClockDisplayBoost) {
        OffsetModeClocks(board, kClockBoost, settings.boostFlag, last, sample);
    } else {
        OffsetModeClocks(board, kClockBase, settings.baseFlag, last, sample);
    }

    wchar_t name[256] = L"";
    if (GpuGetFullName(name, 256) == 1) sample.boardLabel = BoardLabel(name);

    sample.memoryRange = MemoryGaugeRange(GpuGetPerfLevelClock(board, kMemoryDomain, low, 2),
                                          GpuGetPerfLevelClock(board, kMemoryDomain, last, 3));
    sample.coreRange = CoreGaugeRange(GpuGetPerfLevelClock(board, kGraphicsDomain, low, 2),
                                      GpuGetPerfLevelClock(board, kGraphicsDomain, last, 3),
                                      GpuGetClockFrequency(kGraphicsDomain, kClockBoost),
                                      GpuGetClockFrequency(kGraphicsDomain, kClockBase));
    sample.memoryTarget = GaugeTarget(sample.memoryClock, sample.memoryRange);
    sample.coreTarget = GaugeTarget(sample.coreClock, sample.coreRange);
    return sample;
}
