// The front panel's arithmetic: temperatures, digit read-outs, gauge ranges,
// targets, catch-up and animation. Pure functions; the window only wires them.
#pragma once

#include <string>

// Temperature unit 1 shows Fahrenheit, anything else Celsius.
int DisplayedTemperature(int celsius, int temperatureUnit);

// Digit frames of a read-out group, ones first, and which digits are shown.
struct ReadoutDigits {
    int digit[4];   // ones, tens, hundreds, thousands
    bool shown[4];  // leading zeros above the first non-zero digit are blank
};
ReadoutDigits SplitDigits(int value);

// A gauge's clock range: the target of a clock is (clock - bottom) / step.
struct GaugeRange {
    int bottom = 0;
    int top = 0;
    int step = 0;
};
GaugeRange MemoryGaugeRange(int bottom, int top);
// b0/t0: the graphics range of the low and the last performance level.
GaugeRange CoreGaugeRange(int b0, int t0, int boostClock, int baseClock);
// 0 when the clock is not above the bottom or the step is 0.
int GaugeTarget(int clock, const GaugeRange& range);

// The sample's catch-up of a gauge value towards its target (0-99 scale).
int CatchUpGauge(int value, int target);
// One 100 ms animation step: 5 towards the target, never passing it from below.
int AnimateGauge(int value, int target);

// Frames of the four gauges.
int LoadGaugeFrame(int gaugeValue);
int TemperatureGaugeFrame(int displayedTemperature, int temperatureUnit);
int FanGaugeFrame(int fanDuty);

// The board-name label: the text after the first "GeForce ", or the whole name.
std::wstring BoardLabel(const std::wstring& fullName);
