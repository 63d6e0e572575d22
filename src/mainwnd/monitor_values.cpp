// The front panel's arithmetic.
#include "mainwnd/monitor_values.h"

#include <algorithm>
#include <climits>

int DisplayedTemperature(int celsius, int temperatureUnit) {
    return temperatureUnit == 1 ? (18 * celsius + 324) / 10 : celsius;
}

ReadoutDigits SplitDigits(int value) {
    ReadoutDigits digits{};
    digits.digit[0] = value % 10;
    digits.digit[1] = value % 100 / 10;
    digits.digit[2] = value % 1000 / 100;
    digits.digit[3] = value % 10000 / 1000;
    bool significant = false;
    for (int i = 3; i >= 0; --i) {
        significant = significant || digits.digit[i] != 0 || i == 0;
        digits.shown[i] = significant;
    }
    return digits;
}

GaugeRange MemoryGaugeRange(int bottom, int top) {
    GaugeRange range{bottom, top, 0};
    if (top != bottom) range.step = static_cast<int>((static_cast<long long>(top) - bottom) / 100);
    return range;
}

GaugeRange CoreGaugeRange(int b0, int t0, int boostClock, int baseClock) {
    GaugeRange range;
    // In 64 bits: a driver reporting absurd clocks must not overflow.
    const long long top = 3LL * std::max(t0, boostClock) - 2LL * baseClock;
    range.top = static_cast<int>(std::clamp<long long>(top, INT_MIN, INT_MAX));
    range.bottom = std::min(b0, baseClock);
    if (range.bottom >= range.top) {
        range.top = 9999;
        range.bottom = 1;
    }
    range.step = static_cast<int>((static_cast<long long>(range.top) - range.bottom) / 100);
    return range;
}

int GaugeTarget(int clock, const GaugeRange& range) {
    const long long above = static_cast<long long>(clock) - range.bottom;
    if (above <= 0 || range.step == 0) return 0;
    return static_cast<int>(std::clamp<long long>(above / range.step, INT_MIN, INT_MAX));
}

int CatchUpGauge(int value, int target) {
    const int remainder = target % 5;
    if (value < target) value = std::min(value + 5 + remainder, 99);
    if (value > target) value = std::max(value - remainder - 6, 0);
    return value;
}

int AnimateGauge(int value, int target) {
    if (value < target) {
        value += 5;
        if (value > target) value -= 5;
    } else if (value > target) {
        value -= 5;
    }
    return std::clamp(value, 0, 99);
}

int LoadGaugeFrame(int gaugeValue) {
    return gaugeValue / 5;
}

int TemperatureGaugeFrame(int displayedTemperature, int temperatureUnit) {
    return temperatureUnit == 1 ? (10 * displayedTemperature - 315) / 108 : displayedTemperature / 6;
}

int FanGaugeFrame(int fanDuty) {
    return fanDuty / 6;
}

std::wstring BoardLabel(const std::wstring& fullName) {
    const std::wstring prefix = L"GeForce ";
    const std::size_t at = fullName.find(prefix);
    return at == std::wstring::npos ? fullName : fullName.substr(at + prefix.size());
}
