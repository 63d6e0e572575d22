// LED controllers over I2C, the driver's illumination zones and the frame rate
// target, checked byte by byte against the simulated driver's transfer log.
#include "gpu/board_list.h"
#include "gpu/driver_structs.h"
#include "gpu/frame_rate.h"
#include "gpu/i2c.h"
#include "gpu/led.h"
#include "gpu/pause.h"
#include "sim_driver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Led : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.ok());
        SkipGpuPausesForTesting(true);
    }
    void TearDown() override { SkipGpuPausesForTesting(false); }

    // Loads a scenario, detects the controller and forgets the detection's transfers.
    int Detect(const char* scenario) {
        if (sim.Use(scenario) != 1) return -999;
        const int kind = LedDetectController(0);
        sim.resetCounters();
        return kind;
    }
    std::string Log() const { return sim.I2cLog(); }

    SimDriver sim;
};

TEST_F(Led, ControllerKinds) {
    struct Case {
        const char* scenario;
        int kind;
    };
    const Case cases[] = {
        {"ledlegacy", 1},
        {"ledlocked", 2},
        {"ledrgb", 1202},
        {"ledmono", 1001},
        {"ledzones", 10},  // zones but no second-generation controller
        {"[board]\nzone = 1\nled_second = 1, 2, 0, 2\ni2c_fail = 0x92, 0xF3\n", 10},  // a read fails
        {"[board]\nzone = 1\nled_second = 1, 2, 0, 2, 0\n", 10},                     // no brand tag
        {"[board]\nled_first = 0, 0\n", 0},
        {"[board]\nled_first = 7, 0\n", -1},                      // unknown firmware
        {"[board]\nled_first = 1, 0\ni2c_fail = 0x10, 5\n", -1},  // a failing read
        {"[board]\nled_first = 1, 1\ni2c_fail = 0x10, 4\n", -1},  // the unlock cannot be written
        {"[board]\npstate20_clock = 0, 0, 1, -1000, 1000, 500000, 900000\n", -1},  // nothing at all
    };
    for (const Case& c : cases) {
        const std::string text = c.scenario;
        ASSERT_EQ(text[0] == '[' ? sim.UseText(text) : sim.Use(c.scenario), 1) << c.scenario;
        EXPECT_EQ(LedDetectController(0), c.kind) << c.scenario;
        EXPECT_EQ(LedControllerKind(0), c.kind) << c.scenario;
    }
}

TEST_F(Led, ALockedControllerIsUnlockedByThePattern) {
    ASSERT_EQ(sim.Use("ledlocked"), 1);
    EXPECT_EQ(LedDetectController(0), 2);
    const std::string log = Log();
    EXPECT_NE(log.find("R 10 07 00\n"), std::string::npos) << "the tag is hidden first";
    EXPECT_NE(log.find("W 10 00 7F 7F 7F 00\nW 10 04 FF 00 FF 5A\nW 10 08 41 4E 54 48\n"), std::string::npos) << log;
    EXPECT_NE(log.rfind("R 10 07 5A\n"), std::string::npos) << "the tag shows after the unlock";
}

TEST_F(Led, KindClasses) {
    struct Case {
        int kind;
        bool legacy, zones, mono, plain, rgb, effects;
    };
    const Case cases[] = {
        {-1, false, false, false, false, false, true},  {0, true, false, false, false, false, false},
        {2, true, false, false, false, false, false},   {10, false, true, false, false, false, false},
        {1000, false, false, false, true, false, false}, {1001, false, false, true, false, false, false},
        {1202, false, false, false, false, true, true},  {1102, false, false, false, false, false, true},
        {2003, false, false, false, false, true, true},  {2007, false, false, false, false, true, true},
        {1003, false, false, false, false, false, true},  {2101, false, false, true, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsLegacyLedController(c.kind), c.legacy) << c.kind;
        EXPECT_EQ(IsDriverZones(c.kind), c.zones) << c.kind;
        EXPECT_EQ(IsMonoLedController(c.kind), c.mono) << c.kind;
        EXPECT_EQ(IsPlainLedController(c.kind), c.plain) << c.kind;
        EXPECT_EQ(IsRgbLedController(c.kind), c.rgb) << c.kind;
        EXPECT_EQ(TakesLedEffects(c.kind), c.effects) << c.kind;
    }
}

TEST_F(Led, StillColourPerKind) {
    struct Case {
        const char* scenario;
        std::uint32_t colour;
        const char* log;
    };
    const Case cases[] = {
        {"ledmono", 0x00C845, "W 92 60 01\nW 92 6C C8\nW 92 6D C8\nW 92 6E C8\nW 92 6F 64\n"},
        {"ledrgb", 0x123456, "W 92 E0 00\nW 92 60 01\nW 92 6C 56\nW 92 6D 34\nW 92 6E 12\nW 92 6F 64\n"},
        {"ledlegacy", 0x0000FF, "W 10 03 FF 00 00 FF\n"},
        {"ledzones", 0x0000FF, ""},  // the driver zones, no transfer
    };
    for (const Case& c : cases) {
        ASSERT_GE(Detect(c.scenario), 0) << c.scenario;
        LedSetStill(0, c.colour);
        EXPECT_EQ(Log(), c.log) << c.scenario;
    }
}

TEST_F(Led, StillColourOnDriverZonesKeepsZonesBeyondTheSecond) {
    ASSERT_EQ(Detect("ledzones"), 10);
    LedSetStill(0, 0x00332211);
    IllumZonesControl zones;
    ASSERT_EQ(GpuGetIllumZones(0, &zones, 0), 0);
    ASSERT_EQ(zones.count, 3u);
    EXPECT_EQ(zones.zones[0].ctrlMode, 0u);
    EXPECT_EQ(zones.zones[0].data.rgb.r, 0x11);
    EXPECT_EQ(zones.zones[0].data.rgb.g, 0x22);
    EXPECT_EQ(zones.zones[0].data.rgb.b, 0x33);
    EXPECT_EQ(zones.zones[0].data.rgb.brightness, 100);
    EXPECT_EQ(zones.zones[1].data.rgbw.r, 0xFF);  // zone 1 takes the value 255
    EXPECT_EQ(zones.zones[1].data.rgbw.w, 0);
    EXPECT_EQ(zones.zones[1].data.rgbw.brightness, 100);
    EXPECT_EQ(zones.zones[2].data.single.brightness, 0);  // untouched

    const std::uint32_t colours[] = {0, 0, 0xFF};
    ASSERT_EQ(GpuSetIllumZoneColors(0, 0, colours, 3), 0);
    ASSERT_EQ(GpuGetIllumZones(0, &zones, 0), 0);
    EXPECT_EQ(zones.zones[2].data.single.brightness, 0x7F);  // low byte & 0x7F
}

TEST_F(Led, EffectsByteForByte) {
    ASSERT_EQ(Detect("ledrgb"), 1202);
    LedSetCycle(0, 1, 0, 4);
    EXPECT_EQ(Log(), "W 92 E0 01 00 04 1F\n");
    sim.resetCounters();
    LedSetCycle(0, 0, 0, 0);
    EXPECT_EQ(Log(), "W 92 E0 00\nW 92 60 00\n");
    sim.resetCounters();
    LedSetStrobe(0, 1, 0x1234, 0x00FF8000);
    EXPECT_EQ(Log(), "W 92 E0 02 01 34 00 00 80 FF 64 05\n");
    sim.resetCounters();
    LedSetNvColorIndex(0, 2);  // no kind check: it goes to the first-generation address, absent here
    EXPECT_EQ(Log(), "");

    ASSERT_EQ(Detect("ledlegacy"), 1);
    LedSetNvColorIndex(0, 2);
    EXPECT_EQ(Log(), "W 10 03 00 00 00 FD\n");
    sim.resetCounters();
    LedSetCycle(0, 1, 0, 4);  // no effects on this kind
    LedSetStrobe(0, 0, 4, 0xFF);
    EXPECT_EQ(Log(), "");
}

TEST_F(Led, BreathingAndItsStopOnTheFirstFailingWrite) {
    ASSERT_EQ(Detect("ledrgb"), 1202);
    LedSetBreath(0, 0x000000FF, 0x00FF0000, 0x0203);
    std::string expected = "W 92 E0 00\nW 92 60 00\n";
    const int bytes[22] = {0x22, 0x01, 0x03, 0x02, 0x03, 0x02, 0x64, 0x00, 0x64, 0x00, 0x00,
                           0x00, 0xFF, 0x00, 0x00, 0x64, 0x00, 0x00, 0xFF, 0x64, 0x00, 0x00};
    for (int i = 0; i < 22; ++i) {
        char line[16];
        std::snprintf(line, sizeof line, "W 92 %02X %02X\n", 0x60 + i, bytes[i]);
        expected += line;
    }
    EXPECT_EQ(Log(), expected);

    IllumZonesControl zones;
    ASSERT_EQ(GpuGetIllumZones(0, &zones, 0), 0);
    const auto& zone = zones.zones[0];
    EXPECT_EQ(zone.ctrlMode, 1u);
    EXPECT_EQ(zone.data.rgbPiecewise.a[0], 0xFF);
    EXPECT_EQ(zone.data.rgbPiecewise.a[3], 100);
    EXPECT_EQ(zone.data.rgbPiecewise.b[2], 0xFF);
    EXPECT_EQ(zone.data.rgbPiecewise.params.cycleType, 2u);
    EXPECT_EQ(zone.data.rgbPiecewise.params.groupCount, 1);
    EXPECT_EQ(zone.data.rgbPiecewise.params.riseMs, 0x0203);
    EXPECT_EQ(zone.data.rgbPiecewise.params.fallMs, 0x0203);
    EXPECT_EQ(zone.data.rgbPiecewise.params.aHoldMs, 100);
    EXPECT_EQ(zone.data.rgbPiecewise.params.bHoldMs, 100);

    ASSERT_EQ(sim.UseText("[board]\nzone = 1\nled_second = 1, 2, 0, 2\ni2c_fail = 0x92, 0x65\n"), 1);
    ASSERT_EQ(LedDetectController(0), 1202);
    sim.resetCounters();
    LedSetBreath(0, 0xFF, 0xFF0000, 10);
    const std::string log = Log();
    EXPECT_NE(log.find("W 92 64 0A\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("W 92 66"), std::string::npos) << "writes go on after the failure";
}

TEST_F(Led, PowerOnDefaultSequence) {
    ASSERT_EQ(Detect("ledlegacy"), 1);
    LedStorePowerOnDefault(0);
    const std::string log = Log();
    const std::string tail =
        "R 10 0C 32\nR 10 0D 2E\nR 10 0E 30\nR 10 0F 00\n"
        "W 10 0C 32 2E 30 55\nW 10 0C 32 2E 30 AA\nW 10 0C 32 2E 30 55\nW 10 0C 32 2E 30 AA\n";
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
    long long stored = 0;
    EXPECT_TRUE(sim.stateValue("b0.led10.poweron", &stored));
    EXPECT_EQ(stored, 1);

    ASSERT_EQ(Detect("ledzones"), 10);  // runs only on a kind of 0 or more: 10 passes, no 0x10 device
    LedStorePowerOnDefault(0);
    ASSERT_EQ(sim.UseText("[board]\nled_first = 7, 0\n"), 1);  // kind -1: nothing at all
    sim.resetCounters();
    LedStorePowerOnDefault(0);
    EXPECT_EQ(Log().find('W'), std::string::npos);
}

TEST_F(Led, BoardControllerTransfers) {
    ASSERT_EQ(sim.Use("ledrgb"), 1);
    std::uint8_t value = 0;
    ASSERT_EQ(GpuI2cRead(0, &value, kBoardController, 0x99), 1);
    EXPECT_EQ(value, 0x41);
    const std::uint8_t on = 4;
    EXPECT_EQ(GpuI2cWrite(0, &on, kBoardController, 0xDD, 0, 1), 1);
    ASSERT_EQ(GpuI2cRead(0, &value, kBoardController, 0xDD), 1);
    EXPECT_EQ(value, 4);
    EXPECT_EQ(GpuI2cRead(0, &value, 0x50, 0x00), 0);  // nobody at that address
}

// ---------------------------------------------------------------- frame rate target

TEST_F(Led, FrameRateTargetIsKeptByTheDriver) {
    wchar_t directory[MAX_PATH], file[MAX_PATH];
    ::GetTempPathW(MAX_PATH, directory);
    ::GetTempFileNameW(directory, L"drs", 0, file);
    sim.setStatePath(file);
    ASSERT_EQ(sim.Use("curve"), 1);
    EXPECT_EQ(GpuGetFrameRateTarget(), 0);
    EXPECT_EQ(GpuSetFrameRateTarget(60), 0);
    EXPECT_EQ(GpuGetFrameRateTarget(), 60);
    EXPECT_EQ(sim.callCount(NvId_DrsSaveSettings), 1u);

    ASSERT_EQ(sim.Use("curve"), 1);  // as another process would see it
    EXPECT_EQ(GpuGetFrameRateTarget(), 60);
    EXPECT_EQ(GpuSetFrameRateTarget(255), 0);  // the value the restore of defaults writes
    EXPECT_EQ(GpuGetFrameRateTarget(), 255);
    EXPECT_EQ(GpuSetFrameRateTarget(0), 0);  // removes the setting
    EXPECT_EQ(GpuGetFrameRateTarget(), 0);
    long long value;
    EXPECT_FALSE(sim.stateValue("drs.276058114", &value));
    EXPECT_EQ(GpuSetFrameRateTarget(0), 0);  // removing what is not there is no failure
    EXPECT_EQ(sim.callCount(NvId_DrsCreateSession), sim.callCount(NvId_DrsDestroySession));

    sim.setStatePath(nullptr);
    ::DeleteFileW(file);
}

TEST_F(Led, FrameRateTargetFailuresAreReportedAndSessionsClosed) {
    struct Case {
        unsigned failing;
        unsigned sessionsDestroyed;
    };
    const Case cases[] = {
        {NvId_DrsCreateSession, 0}, {NvId_DrsLoadSettings, 1}, {NvId_DrsGetBaseProfile, 1},
        {NvId_DrsSetSetting, 1},    {NvId_DrsSaveSettings, 1},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(sim.Use("curve"), 1);
        sim.injectFault(c.failing, NvError, 1);
        EXPECT_NE(GpuSetFrameRateTarget(60), 0) << std::hex << c.failing;
        EXPECT_EQ(sim.callCount(NvId_DrsDestroySession), c.sessionsDestroyed) << std::hex << c.failing;
        if (c.failing == NvId_DrsSetSetting) {
            EXPECT_EQ(sim.callCount(NvId_DrsSaveSettings), 0u);
        }
        EXPECT_EQ(GpuGetFrameRateTarget(), 0) << std::hex << c.failing;
    }
}

}  // namespace
