// Voltage, power and thermal limits, fans, sensors and board information against
// the simulated driver.
#include "gpu/board_list.h"
#include "gpu/clocks.h"
#include "gpu/driver_calls.h"
#include "gpu/driver_structs.h"
#include "gpu/fans.h"
#include "gpu/pause.h"
#include "gpu/power_thermal.h"
#include "gpu/sensors.h"
#include "gpu/voltage.h"
#include "sim_driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

class Board : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.ok());
        SelectedBoard = 0;
        SkipGpuPausesForTesting(true);
    }
    void TearDown() override { SkipGpuPausesForTesting(false); }
    SimDriver sim;
};

// ---------------------------------------------------------------- voltage

TEST_F(Board, VoltageBoostOrMinusOne) {
    ASSERT_EQ(sim.Use("curve"), 1);
    EXPECT_EQ(GpuGetVoltageBoost(0), 0);
    EXPECT_EQ(GpuSetVoltageBoost(0, 60), 60);
    EXPECT_EQ(GpuSetVoltageBoost(0, 150), -1);  // refused by the driver
    ASSERT_EQ(sim.Use("voltage"), 1);             // a driver without the boost read
    EXPECT_EQ(GpuGetVoltageBoost(0), -1);
    EXPECT_EQ(GpuSetVoltageBoost(0, 10), -1);
}

TEST_F(Board, BaseVoltageDeltaLooksAtTheFirstP0EntryOnly) {
    ASSERT_EQ(sim.Use("voltage"), 1);
    EXPECT_EQ(GpuGetBaseVoltageDelta(0, 0), 0);
    EXPECT_EQ(GpuGetBaseVoltageDelta(0, 1), 1000);
    EXPECT_EQ(GpuGetBaseVoltageDelta(0, 2), -50);
    EXPECT_EQ(GpuGetBaseVoltageDelta(0, 3), 100);
    EXPECT_EQ(GpuSetBaseVoltageDelta(0, 25), 25);
    EXPECT_EQ(GpuSetBaseVoltageDelta(0, 500), 0);  // outside the range
    EXPECT_EQ(GpuGetBaseVoltageDelta(0, 0), 25);
    ASSERT_EQ(sim.Use("curve"), 1);  // no base voltages
    EXPECT_EQ(GpuGetBaseVoltageDelta(0, 3), 0);
}

TEST_F(Board, OverVoltageRoundsDownToTheDriversStep) {
    struct Case {
        const char* scenario;
        int mv;
        int expected;
    };
    const Case cases[] = {
        {"curve", 50, 50},    // 6250 uV step: divisor 6, k = 8, 50000 uV
        {"curve", 49, 50},    // k = 8 as well
        {"curve", 25, 25},    // k = 4, 25000 uV
        {"voltage", 25, 25},  // 12500 uV step: divisor 12, k = 2
        {"voltage", 30, 25},
        {"voltage", 80, 75},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(sim.Use(c.scenario), 1);
        EXPECT_EQ(GpuSetOverVoltage(0, c.mv), c.expected) << c.scenario << " " << c.mv << " mV";
    }
    ASSERT_EQ(sim.Use("curve"), 1);
    sim.injectFault(NvId_GetVoltageStep, NvError, 1);  // unreadable step: 6250 uV
    EXPECT_EQ(GpuSetOverVoltage(0, 13), 12);
    EXPECT_EQ(GpuGetOverVoltage(0, 1), 0);
    EXPECT_EQ(GpuGetOverVoltage(0, 3), 100);
}

TEST_F(Board, PstateVoltageAndItsVersionOneFallback) {
    ASSERT_EQ(sim.Use("voltage"), 1);
    EXPECT_EQ(GpuGetPstateVoltage(0, 8), 800);
    EXPECT_EQ(GpuSetPstateVoltage(8, 850), 850);
    EXPECT_EQ(GpuGetPstateVoltage(0, 0), 1100);
    // A driver that answers only version 1 has no voltage entries: 0, never other bytes.
    sim.injectFault(NvId_GetPstatesInfo, NvIncompatibleStructVersion, 2);
    EXPECT_EQ(GpuGetPstateVoltage(0, 8), 0);
    EXPECT_EQ(sim.Versions(NvId_GetPstatesInfo).back(), kPstatesInfoV1);
}

TEST_F(Board, VoltageMechanismPerBoard) {
    struct Case {
        const char* scenario;
        VoltageMechanism mechanism;
        int minimum, maximum, current;
    };
    const Case cases[] = {
        {"curve", VoltageMechanism::Boost, 0, 100, 0},
        {"voltage", VoltageMechanism::BaseDelta, -50, 100, 0},
        {"perflevels", VoltageMechanism::PstateVoltage, 100, 1200, 0},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(sim.Use(c.scenario), 1);
        const VoltageSetting s = GpuGetVoltageSetting(0, 2);
        EXPECT_EQ(s.mechanism, c.mechanism) << c.scenario;
        EXPECT_EQ(s.minimum, c.minimum) << c.scenario;
        EXPECT_EQ(s.maximum, c.maximum) << c.scenario;
        EXPECT_EQ(s.current, c.current) << c.scenario;
    }
    ASSERT_EQ(sim.UseText("[board]\nvoltage_boost = 120\n"), 1);  // above 100: the range reaches it
    EXPECT_EQ(GpuGetVoltageSetting(0, 0).maximum, 120);
}

// ---------------------------------------------------------------- power and thermal

TEST_F(Board, PowerPercentRounding) {
    ASSERT_EQ(sim.UseText("[board]\npower = 50500, 100000, 112999, 100000\n"), 1);
    EXPECT_EQ(GpuGetPowerLimitInfo(0, 2), 51);
    EXPECT_EQ(GpuGetPowerLimitInfo(0, 1), 100);
    EXPECT_EQ(GpuGetPowerLimitInfo(0, 3), 112);
    EXPECT_EQ(GpuGetPowerLimitInfo(0, 0), 0);
    EXPECT_EQ(GpuGetPowerTarget(0), 100);
    EXPECT_EQ(GpuSetPowerTarget(0, 110), 110);
    EXPECT_EQ(GpuSetPowerTarget(0, 130), 0);
    EXPECT_EQ(GpuGetPowerTarget(0), 110);
    // Version 1 of the information, with its shorter entries, gives the same answers.
    sim.injectFault(NvId_GetPowerPoliciesInfo, NvIncompatibleStructVersion, 1);
    EXPECT_EQ(GpuGetPowerLimitInfo(0, 3), 112);
    EXPECT_EQ(sim.Versions(NvId_GetPowerPoliciesInfo).back(), kPowerPoliciesInfoV1);
}

// The simulated driver answers the older blocks in the layouts the public references
// give, read here at raw byte offsets rather than through the program's structures.
TEST_F(Board, OlderPolicyBlocksAnswerInThePublicLayouts) {
    ASSERT_EQ(sim.Use("voltage"), 1);  // power 50 / 100 / 120 %, target 100; thermal 65 / 83 / 90 degC, target 83
    struct Field {
        std::size_t offset;
        std::int32_t expected;
    };
    struct Case {
        const char* what;
        unsigned id;
        unsigned version;
        std::vector<std::pair<std::size_t, std::uint32_t>> input;  // 32-bit words set before the call
        std::vector<Field> fields;
    };
    const Case cases[] = {
        // Count byte at 5; 44-byte entries from 8 with minimum +12, default +24, maximum +36.
        {"power information v1", NvId_GetPowerPoliciesInfo, kPowerPoliciesInfoV1, {},
         {{4, 0x0101}, {8 + 12, 50000}, {8 + 24, 100000}, {8 + 36, 120000}}},
        // Count byte at 4; 24-byte entries from 8: controller, ?, minimum, default, maximum.
        {"thermal information v2", NvId_GetThermalPoliciesInfo, kThermalPoliciesInfoV2, {},
         {{4, 1}, {8, 1}, {8 + 8, 16640}, {8 + 12, 21248}, {8 + 16, 23040}}},
        // 16-byte entries from 8, the target at +8.
        {"power status v1", NvId_GetPowerPoliciesStatus, kPowerPoliciesStatusV1, {{4, 1}}, {{8 + 8, 100000}}},
        // 12-byte entries from 8: controller, target, flags.
        {"thermal status v2", NvId_GetThermalPoliciesStatus, kThermalPoliciesStatusV2, {{4, 1}, {8, 1}},
         {{8 + 4, 21248}}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> block(c.version & 0xFFFF);
        std::memcpy(block.data(), &c.version, 4);
        for (const auto& [offset, word] : c.input) std::memcpy(&block[offset], &word, 4);
        ASSERT_EQ(RawDriverCall(c.id, BoardHandle(0), static_cast<void*>(block.data())), NvOk) << c.what;
        for (const Field& f : c.fields) {
            std::int32_t value = 0;
            std::memcpy(&value, &block[f.offset], 4);
            EXPECT_EQ(value, f.expected) << c.what << " at " << f.offset;
        }
    }
}

TEST_F(Board, LimitsAreSetOnADriverWithOnlyTheOlderBlocks) {
    ASSERT_EQ(sim.UseText("max_version = 0x34206D86, 1\nmax_version = 0x70916171, 1\nmax_version = 0xAD95F5ED, 1\n"
                          "max_version = 0x0D258BB5, 2\nmax_version = 0xE9C425A1, 2\nmax_version = 0x34C0B13D, 2\n"
                          "[board]\npower = 50000, 100000, 120000, 100000\nthermal = 16640, 21248, 23040, 21248\n"),
              1);
    EXPECT_EQ(GpuGetPowerTarget(0), 100);
    EXPECT_EQ(GpuSetPowerTarget(0, 110), 110);
    EXPECT_EQ(GpuGetTempTarget(0), 83);
    EXPECT_EQ(GpuSetTempTarget(0, 87.0), 87);
    EXPECT_EQ(GpuSetTempPriority(0, 1), 1);
    EXPECT_EQ(GpuGetTempPriority(0), 1);
    EXPECT_EQ(GpuGetTempTarget(0), 87);  // the priority write kept the target
    double degrees = 0;
    EXPECT_EQ(GpuLinkedTempTarget(0, 110, degrees), 1);
    EXPECT_DOUBLE_EQ(degrees, 86.5);
    EXPECT_EQ(sim.Versions(NvId_SetThermalPoliciesStatus).back(), kThermalPoliciesStatusV2);
    EXPECT_EQ(sim.Versions(NvId_SetPowerPoliciesStatus).back(), kPowerPoliciesStatusV1);
}

TEST_F(Board, TemperatureTargetWithinTheDriversRange) {
    ASSERT_EQ(sim.Use("voltage"), 1);  // 65 to 90 degC, default 83
    TempTargetLimits limits{};
    ASSERT_TRUE(GpuGetTempTargetLimits(0, limits));
    EXPECT_EQ(limits.minimum, 65);
    EXPECT_EQ(limits.defaultTarget, 83);
    EXPECT_EQ(limits.maximum, 90);
    EXPECT_EQ(GpuSetTempTarget(0, 83.0), 83);
    EXPECT_EQ(sim.Versions(NvId_SetThermalPoliciesStatus).size(), 1u);
    sim.resetCounters();
    EXPECT_EQ(GpuSetTempTarget(0, 91.0), 0);
    EXPECT_EQ(GpuSetTempTarget(0, 64.5), 0);
    EXPECT_EQ(sim.callCount(NvId_SetThermalPoliciesStatus), 0u);
    EXPECT_EQ(GpuSetTempTarget(0, 87.9), 87);
    EXPECT_EQ(GpuGetTempTarget(0), 87);
}

TEST_F(Board, TemperatureTargetIsWrittenAs256ths) {
    ASSERT_EQ(sim.Use("voltage"), 1);
    GpuSetTempTarget(0, 83.0);
    // The value the driver received: 83 x 256.
    ThermalPoliciesStatusAnyVersion status{};
    status.v3.version = kThermalPoliciesStatusV3;
    status.v3.count = 1;
    status.v3.entries[0].controller = kGpuThermalController;
    ASSERT_EQ(nvapi::Call<NvId_GetThermalPoliciesStatus>(BoardHandle(0), &status), NvOk);
    EXPECT_EQ(status.v3.entries[0].target_256, 21248);
}

TEST_F(Board, TemperaturePriority) {
    ASSERT_EQ(sim.Use("voltage"), 1);
    EXPECT_EQ(GpuGetTempPriority(0), 0);
    EXPECT_EQ(GpuSetTempPriority(0, 1), 1);
    EXPECT_EQ(GpuGetTempPriority(0), 1);
    EXPECT_EQ(GpuGetTempTarget(0), 83);  // the rest of the status as read
    sim.resetCounters();
    EXPECT_EQ(GpuSetTempPriority(0, 2), 0);
    EXPECT_EQ(sim.callCount(0), 0u);
}

TEST_F(Board, LinkedTemperatureTarget) {
    ASSERT_EQ(sim.UseText("[board]\npower = 50000, 100000, 120000, 100000\n"
                          "thermal = 16640, 21248, 23040, 21248\n"),
              1);
    struct Case {
        double percent;
        int result;
        double degrees;
    };
    const Case cases[] = {{110, 1, 86.5}, {100, 1, 83}, {75, 1, 74}, {120, 1, 90}, {50, 1, 65}, {121, 0, 0}, {49, 0, 0}};
    for (const Case& c : cases) {
        double degrees = -1;
        EXPECT_EQ(GpuLinkedTempTarget(0, c.percent, degrees), c.result) << c.percent;
        if (c.result) {
            EXPECT_DOUBLE_EQ(degrees, c.degrees) << c.percent;
        }
    }
}

// ---------------------------------------------------------------- fans

TEST_F(Board, FanSelectorsWithOneAndTwoCoolers) {
    ASSERT_EQ(sim.Use("curve"), 1);  // one cooler, identifier 1
    for (int selector : {kFanGeneric, kFanSecond, kFanFirst}) {
        EXPECT_EQ(GpuGetFan(0, selector, 3), 100) << selector;
        EXPECT_EQ(GpuGetFan(0, selector, 2), 30) << selector;
    }
    EXPECT_EQ(GpuGetFan(0, kFanGeneric, 10), 1);
    EXPECT_EQ(GpuSetFan(0, 1, kFanFirst, 70), 70);
    EXPECT_EQ(GpuGetFan(0, kFanSecond, 0), 70);  // the same cooler
    EXPECT_EQ(GpuGetFanMode(0, kFanGeneric, 0), 1);

    ASSERT_EQ(sim.Use("fans2"), 1);  // coolers 1 and 2: the first fan is cooler 2
    EXPECT_EQ(GpuGetFan(0, kFanGeneric, 10), 2);
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 3), 95);
    EXPECT_EQ(GpuGetFan(0, kFanSecond, 3), 100);
    EXPECT_EQ(GpuGetFan(0, kFanGeneric, 3), 100);  // no cooler 0: entry 0
    EXPECT_EQ(GpuSetFan(0, 1, kFanFirst, 60), 60);
    EXPECT_EQ(GpuGetFan(0, kFanSecond, 0), 40);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 1);
    EXPECT_EQ(GpuGetFanMode(0, kFanSecond, 0), 0);
    EXPECT_EQ(GpuGetFanMode(0, kFanGeneric, 10), 2);
    // The generic selector is the first cooler the driver reports (identifier 1 here),
    // never a cooler with identifier 0; the other cooler keeps its setting.
    EXPECT_EQ(GpuSetFan(0, 1, kFanGeneric, 50), 50);
    EXPECT_EQ(GpuGetFan(0, kFanSecond, 0), 50);
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 0), 60);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 1);
    GpuSetFan(0, 0, kFanGeneric, 0);
    EXPECT_EQ(GpuGetFanMode(0, kFanGeneric, 0), 0);
    EXPECT_EQ(GpuGetFanMode(0, kFanSecond, 0), 0);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 1);
}

TEST_F(Board, ManualLevelZeroAndAutomaticHandTheFanBack) {
    ASSERT_EQ(sim.Use("fans2"), 1);
    GpuSetFan(0, 1, kFanSecond, 80);
    EXPECT_EQ(GpuGetFanMode(0, kFanSecond, 0), 1);
    GpuSetFan(0, 1, kFanSecond, 0);
    EXPECT_EQ(GpuGetFanMode(0, kFanSecond, 0), 0);
    GpuSetFan(0, 1, kFanFirst, 80);
    GpuSetFan(0, 0, kFanFirst, 55);  // automatic: the level is ignored
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 0);
}

TEST_F(Board, OlderCoolerInterface) {
    ASSERT_EQ(sim.Use("oldfan"), 1);
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 0), 40);
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 2), 35);   // larger lower bound
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 3), 95);   // smaller upper bound
    EXPECT_EQ(GpuGetFan(0, kFanGeneric, 10), 0);  // never a second fan
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 1), 32);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 0);
    EXPECT_EQ(GpuSetFan(0, 1, kFanFirst, 70), 70);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 1);
    GpuSetFan(0, 0, kFanFirst, 0);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 0);
    EXPECT_EQ(GpuGetFanRpm(0), 1800);  // the tachometer
}

TEST_F(Board, OlderCoolerIsPolledUntilItGetsThere) {
    ASSERT_EQ(sim.Use("oldfanlag"), 1);
    sim.resetCounters();
    EXPECT_EQ(GpuSetFan(0, 1, kFanFirst, 90), 90);
    EXPECT_EQ(sim.callCount(NvId_GetFanCoolersInfo), 1u + 6u);  // the sixth reading arrives
    // A fan that never arrives: 19 readings, then the last one is returned.
    sim.injectFault(NvId_SetCoolerLevels, NvOk, 1);  // the write is "accepted" but changes nothing
    sim.resetCounters();
    EXPECT_EQ(GpuSetFan(0, 1, kFanFirst, 50), 90);
    EXPECT_EQ(sim.callCount(NvId_GetFanCoolersInfo), 1u + 19u);
}

TEST_F(Board, NoFanInterfaceMakesEveryFanOperationZero) {
    ASSERT_EQ(sim.Use("nofan"), 1);
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 0), 0);
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 3), 0);
    EXPECT_EQ(GpuSetFan(0, 1, kFanFirst, 50), 0);
    EXPECT_EQ(GpuSetFan(0, 0, kFanFirst, 50), 0);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 0);
    EXPECT_EQ(GpuGetFanRpm(0), 0);
}

TEST_F(Board, DriverControlsAndTheMemoryOverVoltageRule) {
    ASSERT_EQ(sim.Use("curve"), 1);
    unsigned value = 9;
    EXPECT_EQ(GpuGetDriverControl(0, kControlFanFullSpeed, value), 1);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(GpuMemoryOverVoltageControl(0), kControlMemoryOverVoltage);
    EXPECT_EQ(GpuSetDriverControl(0, kControlMemoryOverVoltage, 1), 1);
    EXPECT_EQ(GpuGetDriverControl(0, kControlMemoryOverVoltage, value), 1);
    EXPECT_EQ(value, 1u);
    ASSERT_EQ(sim.Use("fans2"), 1);  // only control 20
    EXPECT_EQ(GpuMemoryOverVoltageControl(0), kControlMemoryOverVoltageOld);
    EXPECT_EQ(GpuGetDriverControl(0, kControlFanFullSpeed, value), 1);
    EXPECT_EQ(value, 0u);  // full speed on
    ASSERT_EQ(sim.Use("nofan"), 1);
    EXPECT_EQ(GpuGetDriverControl(0, kControlFanFullSpeed, value), 0);
    EXPECT_EQ(GpuSetDriverControl(0, kControlFanFullSpeed, 1), 0);
}

// ---------------------------------------------------------------- sensors and identity

TEST_F(Board, SensorReadings) {
    ASSERT_EQ(sim.Use("sensors"), 1);
    EXPECT_EQ(GpuGetTemperature(0, 0, 0), 65);
    EXPECT_EQ(GpuGetTemperature(0, 0, 2), 5);
    EXPECT_EQ(GpuGetTemperature(0, 0, 3), 105);
    EXPECT_EQ(GpuGetUsage(0, 0), 42);
    EXPECT_EQ(GpuGetUsage(0, 1), -1);  // not present: -1, not 0
    EXPECT_EQ(GpuGetPowerDraw(0), 87);  // channel 0, whatever its position
    EXPECT_EQ(GpuGetFanRpm(0), 1500);
    EXPECT_EQ(GpuGetMemorySizeMB(), 8192);  // 8388096 KB = 8191.5 MB, half up
    EXPECT_EQ(GpuGetCurrentPstate(), 8);
    EXPECT_EQ(GpuGetCoreVoltage(), 0);
    EXPECT_EQ(GpuGetRailVoltage(), 881);
    EXPECT_EQ(GpuGetDisplayCoreVoltage(), 881);
    EXPECT_STREQ(MemoryTypeName(GpuGetMemoryType(0)), L"-");
    wchar_t name[64];
    ASSERT_EQ(GpuGetFullName(name, 64), 1);
    EXPECT_STREQ(name, L"GeForce GTX 1080");
    std::uint32_t device = 0, subsystem = 0;
    ASSERT_TRUE(GpuGetPciIds(0, device, subsystem));
    EXPECT_EQ(device, 0x1B0610DEu);
    EXPECT_EQ(subsystem, 0x00011234u);

    ASSERT_EQ(sim.UseText("[board]\nmemory_kb = 8387584\n"), 1);
    EXPECT_EQ(GpuGetMemorySizeMB(), 8191);
}

TEST_F(Board, MemoryTypeNames) {
    const std::pair<int, const wchar_t*> cases[] = {{0, L" "},       {1, L"SDRAM"}, {8, L"GDDR5"}, {10, L"GDDR5X"},
                                                    {14, L"GDDR6"},  {15, L"GDDR6X"}, {16, L"-"},  {255, L"-"},
                                                    {-1, L"-"}};
    for (const auto& [code, name] : cases) EXPECT_STREQ(MemoryTypeName(code), name) << code;
}

TEST_F(Board, ClockFrequenciesFallBackAndNeedThePresentBit) {
    ASSERT_EQ(sim.Use("sensors"), 1);
    sim.injectFault(NvId_GetAllClockFrequencies, NvIncompatibleStructVersion, 2);
    EXPECT_EQ(GpuGetClockFrequency(0, kClockCurrent), 1600);
    EXPECT_EQ(sim.Versions(NvId_GetAllClockFrequencies),
              (std::vector<unsigned>{kClockFrequenciesV3, kClockFrequenciesV2, kClockFrequenciesV1}));
    EXPECT_EQ(GpuGetClockFrequency(4, kClockCurrent), 0);  // memory current: not present
    EXPECT_EQ(GpuGetClockFrequency(0, kClockBase), 1607);
    // Version 1 has no clock type: it cannot give base or boost, so they read as unavailable.
    sim.injectFault(NvId_GetAllClockFrequencies, NvIncompatibleStructVersion, 2);
    EXPECT_EQ(GpuGetClockFrequency(0, kClockBase), 0);
}

TEST_F(Board, BaseAndBoostClocksWithTheOffset) {
    ASSERT_EQ(sim.Use("sensors"), 1);
    ASSERT_EQ(GpuSetClockOffset(0, 0, 100), 100);  // P0 offset: used while the curve says 0
    EXPECT_EQ(GpuGetClockWithOffset(0, kClockBase, true), 1607);
    EXPECT_EQ(GpuGetClockWithOffset(0, kClockBase, false), 1707);
    ASSERT_EQ(GpuSetCurveOffset(0, 79, 50), 0);  // the last graphics point wins once set
    EXPECT_EQ(GpuGetClockWithOffset(0, kClockBoost, false), 1783);
    ASSERT_EQ(GpuSetCurveOffset(0, 81, 200), 0);
    EXPECT_EQ(GpuGetClockWithOffset(4, kClockBase, false), 5205);
    EXPECT_EQ(GpuGetClockWithOffset(4, kClockBase, true), 5005);
}

TEST_F(Board, AFullMonitoringSetOnTheLiveBoard) {
    ASSERT_EQ(sim.Use("curve"), 1);
    EXPECT_GT(GpuGetTemperature(0, 0, 0), 0);
    EXPECT_GE(GpuGetUsage(0, 0), 0);
    EXPECT_GT(GpuGetClockFrequency(0, kClockCurrent), 0);
    EXPECT_GT(GpuGetFan(0, kFanGeneric, 0), 0);
    EXPECT_GT(GpuGetFanRpm(0), 0);
    EXPECT_GT(GpuGetPowerDraw(0), 0);
    EXPECT_EQ(GpuGetCoreVoltage(), 1043);
    EXPECT_EQ(GpuGetDriverVersion(), 47114u);
    int lanes = 0;
    EXPECT_EQ(GpuGetBusType(0, lanes), 3);
    EXPECT_EQ(lanes, 16);
    EXPECT_EQ(GpuGetMemoryBusWidth(0), 256);
    const CoreCounts counts = GpuGetCoreCounts(0);
    EXPECT_EQ(counts.cores, 2944);
    std::uint32_t revision = 0, oem = 0;
    ASSERT_TRUE(GpuGetVbiosVersion(0, revision, oem));
    EXPECT_EQ(revision, 0x90040000u);
    EXPECT_EQ(oem, 0x6Au);
}

TEST_F(Board, EveryMultiVersionReadFallsBackAndReadsTheOlderLayout) {
    struct Case {
        const char* what;
        const char* scenario;
        unsigned id;
        int refusals;  // -9 answers before the driver accepts
        std::function<int()> read;
        int expected;
        unsigned acceptedVersion;
    };
    auto maximum = [] {
        TempTargetLimits limits{};
        return GpuGetTempTargetLimits(0, limits) ? limits.maximum * 1000 + limits.defaultTarget : -1;
    };
    const Case cases[] = {
        {"thermal information v2", "voltage", NvId_GetThermalPoliciesInfo, 1, maximum, 90083, kThermalPoliciesInfoV2},
        // Version 1 entries end before a maximum.
        {"thermal information v1", "voltage", NvId_GetThermalPoliciesInfo, 2, maximum, 83, kThermalPoliciesInfoV1},
        {"cooler settings v3", "oldfan", NvId_GetCoolerSettings, 1, [] { return GpuGetFan(0, kFanFirst, 3); }, 95,
         kCoolerSettingsV3},
        {"thermal settings v1", "sensors", NvId_GetThermalSettings, 1, [] { return GpuGetTemperature(0, 0, 0); }, 65,
         kThermalSettingsV1},
        {"over-voltage v2", "curve", NvId_GetPstates20, 1, [] { return GpuGetOverVoltage(0, 3); }, 100, kPstates20V2},
        // Version 1 of pstates 2.0 has no over-voltage section.
        {"over-voltage v1", "curve", NvId_GetPstates20, 2, [] { return GpuGetOverVoltage(0, 3); }, 0, kPstates20V1},
        {"base voltage v1", "voltage", NvId_GetPstates20, 1, [] { return GpuGetBaseVoltageDelta(0, 3); }, 100,
         kPstates20V1},
        {"power status v1", "voltage", NvId_GetPowerPoliciesStatus, 1, [] { return GpuGetPowerTarget(0); }, 100,
         kPowerPoliciesStatusV1},
        {"thermal status v2", "voltage", NvId_GetThermalPoliciesStatus, 1, [] { return GpuGetTempTarget(0); }, 83,
         kThermalPoliciesStatusV2},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(sim.Use(c.scenario), 1);
        sim.injectFault(c.id, NvIncompatibleStructVersion, c.refusals);
        EXPECT_EQ(c.read(), c.expected) << c.what;
        const std::vector<unsigned> versions = sim.Versions(c.id);
        ASSERT_EQ(versions.size(), static_cast<std::size_t>(c.refusals + 1)) << c.what;
        EXPECT_EQ(versions.back(), c.acceptedVersion) << c.what;
    }
}

TEST_F(Board, OversizedCountsStayInsideTheStructures) {
    ASSERT_EQ(sim.Use("oversize"), 1);
    EXPECT_EQ(GpuGetBaseVoltageDelta(0, 3), 100);
    EXPECT_EQ(GpuGetOverVoltage(0, 3), 100);
    EXPECT_EQ(GpuSetOverVoltage(0, 25), 25);
    EXPECT_EQ(GpuGetPstateVoltage(0, 0), 1000);
    EXPECT_EQ(GpuGetRailVoltage(), 0);  // the last of 16 entries, not one past the table
    EXPECT_EQ(GpuGetPowerLimitInfo(0, 3), 0);  // the zeroed entries past the real one count last
    EXPECT_EQ(GpuGetPowerTarget(0), 100);
    TempTargetLimits limits{};
    EXPECT_TRUE(GpuGetTempTargetLimits(0, limits));
    EXPECT_EQ(limits.maximum, 90);
    EXPECT_EQ(GpuGetTempTarget(0), 83);
    EXPECT_EQ(GpuGetFan(0, kFanGeneric, 10), 32);
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 3), 100);
    EXPECT_EQ(GpuGetFanMode(0, kFanGeneric, 10), 32);
    EXPECT_EQ(GpuGetPowerDraw(0), 60);
}

}  // namespace
