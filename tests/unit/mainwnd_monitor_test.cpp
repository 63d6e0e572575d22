// The front panel's arithmetic: read-outs, gauge frames, ranges, targets,
// catch-up and animation, board names.
#include "mainwnd/monitor_values.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// The read-out as the user sees it: blank digits as spaces, highest first.
std::string Shown(int value, int readouts) {
    const ReadoutDigits digits = SplitDigits(value);
    std::string text;
    for (int i = readouts - 1; i >= 0; --i) text += digits.shown[i] ? static_cast<char>('0' + digits.digit[i]) : ' ';
    return text;
}

}  // namespace

TEST(Readouts, TemperatureFanAndClockDigits) {
    const struct {
        int value, readouts;
        const char* shown;
    } cases[] = {
        {DisplayedTemperature(65, 1), 3, "149"}, {DisplayedTemperature(65, 0), 3, " 65"},
        {DisplayedTemperature(0, 1), 3, " 32"},  {DisplayedTemperature(100, 1), 3, "212"},
        {100, 3, "100"}, {7, 3, "  7"}, {40, 3, " 40"}, {0, 3, "  0"}, {5, 3, "  5"},
        {975, 4, " 975"}, {1005, 4, "1005"}, {1000, 4, "1000"}, {0, 4, "   0"},
        // A temperature of 1000 or more shows all three read-outs.
        {1004, 3, "004"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shown(c.value, c.readouts), c.shown) << c.value;
}

TEST(Readouts, GaugeFrames) {
    EXPECT_EQ(TemperatureGaugeFrame(DisplayedTemperature(65, 1), 1), 10);
    EXPECT_EQ(TemperatureGaugeFrame(DisplayedTemperature(65, 0), 0), 10);
    EXPECT_EQ(TemperatureGaugeFrame(101, 0), 16);
    EXPECT_EQ(FanGaugeFrame(100), 16);
    EXPECT_EQ(FanGaugeFrame(7), 1);
    EXPECT_EQ(LoadGaugeFrame(99), 19);
    EXPECT_EQ(LoadGaugeFrame(4), 0);
}

TEST(Gauges, CatchUpThenAnimate) {
    const struct {
        int value, target;
        std::vector<int> sequence;  // after the sample, then after each tick
    } cases[] = {
        {0, 23, {8, 13, 18, 23, 23}},
        {40, 23, {31, 26, 21, 21}},
        {50, 50, {50, 50}},
        {97, 120, {99, 99}},
        {3, 0, {0, 0}},
        {10, 0, {4, 0, 0}},
    };
    for (const auto& c : cases) {
        int value = CatchUpGauge(c.value, c.target);
        EXPECT_EQ(value, c.sequence[0]) << c.value << " -> " << c.target;
        for (std::size_t tick = 1; tick < c.sequence.size(); ++tick) {
            value = AnimateGauge(value, c.target);
            EXPECT_EQ(value, c.sequence[tick]) << c.value << " -> " << c.target << " tick " << tick;
        }
    }
    EXPECT_EQ(LoadGaugeFrame(21), 4);
}

TEST(Gauges, RangesAndTargets) {
    const GaugeRange memory = MemoryGaugeRange(405, 7001);
    EXPECT_EQ(memory.step, 65);
    EXPECT_EQ(GaugeTarget(7001, memory), 101);  // not clamped here
    EXPECT_EQ(GaugeTarget(405, memory), 0);
    EXPECT_EQ(GaugeTarget(300, memory), 0);
    EXPECT_EQ(GaugeTarget(2000, MemoryGaugeRange(810, 810)), 0) << "step 0 gives target 0";
    EXPECT_EQ(GaugeTarget(2000, MemoryGaugeRange(810, 860)), 0) << "a range under 100 MHz";

    const GaugeRange core = CoreGaugeRange(300, 1950, 1710, 1515);
    EXPECT_EQ(core.top, 3 * 1950 - 2 * 1515);
    EXPECT_EQ(core.bottom, 300);
    EXPECT_EQ(core.step, (2820 - 300) / 100);
    const GaugeRange failed = CoreGaugeRange(0, 0, 0, 0);
    EXPECT_EQ(failed.top, 9999);
    EXPECT_EQ(failed.bottom, 1);
    EXPECT_EQ(failed.step, 99);
    const GaugeRange absurd = CoreGaugeRange(0, INT_MAX, INT_MAX, 0);
    EXPECT_EQ(absurd.top, INT_MAX);
    EXPECT_GE(GaugeTarget(INT_MAX, absurd), 0);
}

TEST(Labels, BoardNames) {
    EXPECT_EQ(BoardLabel(L"NVIDIA GeForce RTX 3080"), L"RTX 3080");
    EXPECT_EQ(BoardLabel(L"Quadro RTX 4000"), L"Quadro RTX 4000");
    EXPECT_EQ(BoardLabel(L"GeForce GeForce GTX"), L"GeForce GTX");
    EXPECT_EQ(BoardLabel(L"GeForce"), L"GeForce");
    EXPECT_EQ(BoardLabel(L""), L"");
}
