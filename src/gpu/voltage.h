// Core voltage: boost percent, P0 base-voltage offset, pstate voltage, over-voltage.
// Voltages in mV.
#pragma once

// Percent (0–100), or -1 when the board has no voltage boost.
int GpuGetVoltageBoost(int board);
// Returns the boost read back (0–255), or -1 when the write fails.
int GpuSetVoltageBoost(int board, int percent);

// P0 base-voltage entry of domain 0. Fields: 0 offset, 1 voltage, 2 offset minimum, 3 offset maximum.
int GpuGetBaseVoltageDelta(int board, int field);
// Returns the offset read back, 0 on failure.
int GpuSetBaseVoltageDelta(int board, int mv);

// Over-voltage entry of domain 0. Fields: 0 offset, 2 minimum, 3 maximum (1 is always 0).
int GpuGetOverVoltage(int board, int field);
// Rounds down to the driver's voltage step; returns the offset read back, 0 on failure.
int GpuSetOverVoltage(int board, int mv);

// The voltage of a pstate in mV from the pstate information, 0 when none.
int GpuGetPstateVoltage(int board, int pstate);
// Sets every core voltage entry of `pstate` on the selected board; returns the value read back.
int GpuSetPstateVoltage(int pstate, int mv);

// Which voltage control a board gets, with its range and current value (mV or percent).
enum class VoltageMechanism {
    Boost,          // core voltage boost in percent
    BaseDelta,      // P0 base-voltage offset
    PstateVoltage,  // absolute voltage of the pstate that a performance level stands for
};

struct VoltageSetting {
    VoltageMechanism mechanism;
    int minimum;
    int maximum;
    int current;
    int pstate;  // PstateVoltage only: the pstate of `level`
};

VoltageSetting GpuGetVoltageSetting(int board, int level);
