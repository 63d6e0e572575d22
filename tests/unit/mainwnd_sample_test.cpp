// A monitoring sample against the simulated driver: clock display modes,
// offsets and their flags, fallbacks, units, the fan and the board label.
#include "gpu/board_list.h"
#include "gpu/clocks.h"
#include "gpu/sensors.h"
#include "mainwnd/monitor_sample.h"
#include "profiles/board_features.h"
#include "sim_driver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kBoard[] =
    "[board]\n"
    "name = NVIDIA GeForce RTX 3080\n"
    "temperature = 65\n"
    "fan_cooler = 1, 30, 100, 42, 3000\n"
    "clock_current_0 = 1200000\nclock_base_0 = 1515000\nclock_boost_0 = 1710000\n"
    "clock_current_4 = 6800000\nclock_base_4 = 7000000\nclock_boost_4 = 7000000\n"
    "pstate20_clock = 0, 0, 1, -200000, 1000000, 300000, 2100000\n"
    "pstate20_clock = 0, 4, 0, -500000, 1500000, 7000000, 0\n"
    "pstate_count = 2\n";

MonitorSettings Settings(int mode, bool flag = false, int unit = 0, std::uint32_t features = 0) {
    MonitorSettings settings;
    settings.clockDisplayMode = mode;
    settings.baseFlag = settings.boostFlag = flag;
    settings.temperatureUnit = unit;
    settings.features = features;
    return settings;
}

}  // namespace

TEST(MonitorSample, ClockDisplayModesOffsetsAndFlags) {
    SimDriver sim;
    ASSERT_TRUE(sim.ok());
    ASSERT_EQ(sim.UseText(kBoard), 1);
    SelectedBoard = 0;
    ASSERT_NE(GpuSetClockOffset(0, kGraphicsDomain, 100), 0);

    const struct {
        MonitorSettings settings;
        int core, memory;
    } cases[] = {
        {Settings(kClockDisplayBase), 1515 + 100, 7000},
        {Settings(kClockDisplayBase, true), 1515, 7000},
        {Settings(kClockDisplayBoost), 1710 + 100, 7000},
        {Settings(kClockDisplayBoost, true), 1710, 7000},
        {Settings(kClockDisplayCurrent), 1200, 6800},
        {Settings(7), 1515 + 100, 7000},  // unknown modes count as base
    };
    for (const auto& c : cases) {
        const MonitorSample sample = TakeMonitorSample(c.settings);
        EXPECT_EQ(sample.coreClock, c.core) << c.settings.clockDisplayMode << " " << c.settings.baseFlag;
        EXPECT_EQ(sample.memoryClock, c.memory) << c.settings.clockDisplayMode << " " << c.settings.baseFlag;
        EXPECT_EQ(sample.currentClock, 1200);
        EXPECT_EQ(sample.boardLabel, L"RTX 3080");
        // No performance levels: the core range from boost and base (3 x 1710 - 2 x 1515),
        // no memory range at all.
        EXPECT_EQ(sample.coreRange.top, 2100);
        EXPECT_EQ(sample.coreRange.bottom, 0);
        EXPECT_EQ(sample.coreRange.step, 21);
        EXPECT_EQ(sample.coreTarget, c.core / 21);
        EXPECT_EQ(sample.memoryRange.step, 0);
        EXPECT_EQ(sample.memoryTarget, 0);
    }
}

TEST(MonitorSample, GaugeRangesFromThePerformanceLevels) {
    SimDriver sim;
    ASSERT_TRUE(sim.ok());
    // Levels 0 and 1 (pstate count 2: last level 1, low level 0).
    ASSERT_EQ(sim.UseText(std::string(kBoard) +
                          "perf_level = 0, 0, 300000, 300000, 200000, 900000\n"
                          "perf_level = 0, 4, 405000, 405000, 405000, 810000\n"
                          "perf_level = 1, 0, 1500000, 1500000, 1000000, 1900000\n"
                          "perf_level = 1, 4, 7000000, 7000000, 5000000, 7500000\n"),
              1);
    SelectedBoard = 0;
    const MonitorSample sample = TakeMonitorSample(Settings(kClockDisplayBase, true));
    // Memory: the low level's minimum to the last level's maximum, in 100 steps.
    EXPECT_EQ(sample.memoryRange.bottom, 405);
    EXPECT_EQ(sample.memoryRange.top, 7500);
    EXPECT_EQ(sample.memoryRange.step, 70);
    EXPECT_EQ(sample.memoryTarget, (7000 - 405) / 70);
    // Core: top 3 x max(1900, 1710) - 2 x 1515, bottom min(200, 1515).
    EXPECT_EQ(sample.coreRange.top, 2670);
    EXPECT_EQ(sample.coreRange.bottom, 200);
    EXPECT_EQ(sample.coreRange.step, 24);
    EXPECT_EQ(sample.coreTarget, (1515 - 200) / 24);
}

TEST(MonitorSample, UnitsFanAndFallbacks) {
    SimDriver sim;
    ASSERT_TRUE(sim.ok());
    ASSERT_EQ(sim.UseText(kBoard), 1);
    SelectedBoard = 0;
    EXPECT_EQ(TakeMonitorSample(Settings(kClockDisplayBase, false, 1)).temperature, 149);
    EXPECT_EQ(TakeMonitorSample(Settings(kClockDisplayBase, false, 0)).temperature, 65);
    EXPECT_EQ(TakeMonitorSample(Settings(kClockDisplayBase)).fanDuty, 42);
    const std::uint32_t fullSpeed = feature::FanFullSpeedControl | feature::FanFullSpeedOn;
    EXPECT_EQ(TakeMonitorSample(Settings(kClockDisplayBase, false, 0, fullSpeed)).fanDuty, 100);
    EXPECT_EQ(TakeMonitorSample(Settings(kClockDisplayBase, false, 0, feature::FanFullSpeedOn)).fanDuty, 42);

    // No current clock: the current pstate's nominal clocks, and no current-clock value.
    std::string quiet = kBoard;
    quiet.replace(quiet.find("clock_current_0 = 1200000\n"), 26, "");
    quiet.replace(quiet.find("clock_current_4 = 6800000\n"), 26, "");
    quiet.replace(quiet.find("name = NVIDIA GeForce RTX 3080"), 30, "name = Quadro RTX 4000");
    ASSERT_EQ(sim.UseText(quiet), 1);
    const MonitorSample sample = TakeMonitorSample(Settings(kClockDisplayCurrent));
    EXPECT_EQ(sample.coreClock, GpuGetPstateFrequency(GpuGetCurrentPstate(), kGraphicsDomain));
    EXPECT_EQ(sample.memoryClock, GpuGetPstateFrequency(GpuGetCurrentPstate(), kMemoryDomain));
    EXPECT_GT(sample.coreClock, 0);
    EXPECT_GT(sample.memoryClock, 0);
    EXPECT_EQ(sample.currentClock, 0);
    EXPECT_EQ(sample.boardLabel, L"Quadro RTX 4000");
}

TEST(MonitorSample, NoDriverGivesZeros) {
    SimDriver sim;
    ASSERT_TRUE(sim.ok());
    sim.Use("nodriver");
    SelectedBoard = 0;
    for (int mode : {kClockDisplayBase, kClockDisplayCurrent, kClockDisplayBoost}) {
        const MonitorSample sample = TakeMonitorSample(Settings(mode, false, 1));
        EXPECT_EQ(sample.temperature, DisplayedTemperature(0, 1));
        EXPECT_EQ(sample.fanDuty, 0);
        EXPECT_EQ(sample.coreClock, 0);
        EXPECT_EQ(sample.memoryClock, 0);
        EXPECT_EQ(sample.currentClock, 0);
        EXPECT_EQ(sample.boardLabel, L"");
        EXPECT_EQ(sample.coreTarget, 0);
        EXPECT_EQ(sample.memoryTarget, 0);
    }
}
