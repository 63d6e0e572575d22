// The overclock dialog's page as data: what a load reads from the driver and the
// board's key, the value texts, and what OK writes (only what differs from the
// driver). The dialog shows a page and reads its sliders back into it; tests drive
// these functions without a window.
#pragma once

#include "dialogs/panel_settings.h"
#include "gpu/clock_mechanism.h"

#include <cstdint>
#include <string>

enum OverclockRow {
    kRowCore,
    kRowMemory,
    kRowVoltage,
    kRowPower,
    kRowTemperature,
    kRowMaxVoltage,
    kRowFrameRate,
    kOverclockRows
};

// A slider in whole units of its quantity; `shown` covers its item, value and unit labels.
struct OverclockSlider {
    int minimum = 0;
    int maximum = 0;
    int position = 0;
    bool shown = true;
    bool enabled = true;
};

enum class VoltageMode {
    Boost,     // percent
    Offset,    // base-voltage offset in mV within the driver's range
    Absolute,  // the voltage of the level's pstate in mV (no driver range: shown nowhere)
};

struct OverclockPage {
    OverclockSlider rows[kOverclockRows];
    ClockMechanism clocks[2] = {ClockMechanism::PerfLevels, ClockMechanism::PerfLevels};  // graphics, memory
    VoltageMode voltage = VoltageMode::Boost;
    int voltagePstate = 0;             // Absolute: the pstate the level stands for
    bool fahrenheit = false;
    bool powerAvailable = false;       // the board has a default power limit
    bool temperatureAvailable = false; // the thermal limits read and a target is set
    bool prioritize = false, prioritizeShown = false;
    bool linked = false, linkedShown = false;
    bool overvoltaged = false, overvoltagedShown = false;
    bool frameTargetSet = false;       // loaded with a target: its number shows, even 255
    bool maxVoltageShift = false;      // the board controller's core over-voltage adds 25 mV to what shows
};

// ---- number formats
// A clock offset ("+%d" from 0 up) or a level's absolute clock ("%d").
std::wstring ClockText(int mhz, ClockMechanism mechanism);
// "+1.050" / "-0.025": millivolts as volts with the sign.
std::wstring MillivoltText(int mv);

enum class TextMoment { Load, Movement };
// The value text of one row from the page's positions. At a load a set frame-rate
// target shows as its number; after a movement 255 shows "MAX".
std::wstring ValueText(const OverclockPage& page, OverclockRow row, TextMoment moment);

// Reads ranges and positions of `board`'s rows for performance level `level`.
// `boostMode`: the voltage row carries the boost percent (decided once per dialog).
OverclockPage LoadOverclockPage(int board, int level, bool boostMode, bool fahrenheit);

// With Linked ticked and a temperature target set, the temperature slider takes the
// target that goes with the power slider (its minimum when there is none).
void FollowPowerTarget(int board, OverclockPage& page);

// The driver and registry writes of OK for the page's positions, each only when it
// differs from what the driver reports then (a level's clocks always). The
// temperature and maximum-voltage positions may move as written.
void ApplyOverclockPage(int board, int level, OverclockPage& page);

// ---- master mode: the board controller's and the driver's switches
enum MasterSwitch { kCoreOverVoltage, kMemoryOverVoltage, kFanFullSpeed, kOverCurrent, kMasterSwitches };

struct MasterSwitches {
    bool shown[kMasterSwitches] = {};
    bool on[kMasterSwitches] = {};
};

// Master mode is offered only to boards with one of the switches.
bool OffersMasterMode(std::uint32_t features);
// The switches' states: the board controller's from the feature word, the driver's
// controls read now.
MasterSwitches LoadMasterSwitches(int board, std::uint32_t features);
// The core over-voltage switch moved: the power slider to the maximum limit (on, with
// the board controller) or back to the target; on boards whose over-voltage is the
// switch, Overvoltaged and the maximum-voltage slider follow.
void ToggleCoreOverVoltage(int board, std::uint32_t features, bool on, OverclockPage& page);
// OK's master-mode writes: the board controller's registers, the memory over-voltage
// and fan full-speed controls (both fans at 100 % by hand when the latter is missing).
void ApplyMasterSwitches(int board, std::uint32_t features, const MasterSwitches& switches, OverclockPage& page);
