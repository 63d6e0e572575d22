#include "led_rules.h"

#include "gpu/led.h"

LedEffect LedEffectOf(int code) {
    switch (code) {
    case kLedStill:
    case kLedRainbow:
    case kLedNvControl:
    case kLedBreath:
    case kLedCycle:
    case kLedStrobe:
    case kLedOff:
        return static_cast<LedEffect>(code);
    default:
        return kLedTemperature;
    }
}

LedRows LedRowsFor(int k) {
    LedRows rows;
    const bool legacyOrZones = IsLegacyLedController(k) || IsDriverZones(k);
    const bool mono = IsMonoLedController(k), plain = IsPlainLedController(k);
    rows.nvControl = !(k <= 1 || IsDriverZones(k) || plain || mono || IsRgbLedController(k));
    rows.powerOn = !(IsDriverZones(k) || mono || IsRgbLedController(k) || plain);
    rows.stillBrightness = mono;
    rows.rainbow = !mono;
    rows.breathColourB = !mono;
    rows.breath = !legacyOrZones;
    rows.cycleStrobe = !(legacyOrZones || plain || mono);
    return rows;
}

int NormaliseNvIndex(unsigned long stored) {
    const int index = static_cast<int>(stored & 7);
    return index == 0 ? 2 : index;
}

int NextNvIndex(int index) { return index >= 7 ? 1 : index + 1; }

std::uint32_t NvIndexColour(int index) {
    return ((index & 1) ? 0x0000FFu : 0) | ((index & 2) ? 0x00FF00u : 0) | ((index & 4) ? 0xFF0000u : 0);
}

int InvertedSlider(int minimum, int maximum, int value) { return minimum + maximum - value; }
