// The front panel's display settings that the status and information pages follow,
// asked for afresh when they are needed (the unit button changes them at any time).
#pragma once

#include <functional>

struct PanelSettings {
    int intervalSeconds = 3;          // the monitoring interval
    bool fahrenheit = false;          // temperature unit
    bool baseAsDriverGives = false;   // "BaseMode" = 1: base clocks without the user's offset
    bool boostAsDriverGives = false;  // "BoostMode" = 1: boost clocks without it
};

using PanelSettingsSource = std::function<PanelSettings()>;

// (18 × C + 324) / 10 in integers.
inline int Fahrenheit(int celsius) { return (18 * celsius + 324) / 10; }
