// What the LED dialog offers for a controller kind, and the small conversions of its
// settings. Pure functions.
#pragma once

#include <cstdint>

enum LedEffect {
    kLedTemperature = 0,
    kLedStill = 1,
    kLedRainbow = 2,
    kLedNvControl = 3,
    kLedBreath = 4,
    kLedCycle = 5,
    kLedStrobe = 6,
    kLedOff = 9,
};
// A stored effect code; unknown codes are the GPU temperature effect.
LedEffect LedEffectOf(int code);

// The rows a controller kind keeps.
struct LedRows {
    bool nvControl = true;        // by NVIDIA control: box, label, swatch
    bool powerOn = true;          // power-on default: box, label
    bool stillBrightness = false; // one-channel controllers: a brightness instead of a colour
    bool rainbow = true;
    bool breathColourB = true;
    bool breath = true;           // breath row, swatches and sliders
    bool cycleStrobe = true;      // cycle and strobe boxes, labels, sliders, the strobe swatch
};
LedRows LedRowsFor(int kind);

// The driver-control colour index as stored: masked to 1–7, 0 meaning 2.
int NormaliseNvIndex(unsigned long stored);
// The next index after a click: 7 wraps to 1.
int NextNvIndex(int index);
// The colour of an index: bit 0 red, bit 1 green, bit 2 blue (0x00BBGGRR).
std::uint32_t NvIndexColour(int index);

// Speed sliders show the value reversed within their range.
int InvertedSlider(int minimum, int maximum, int value);
// A grey level's colour.
constexpr std::uint32_t Grey(int level) { return static_cast<std::uint32_t>(level) * 0x010101u; }
