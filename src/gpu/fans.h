// Fans, in percent, through the per-fan interface or the older per-board one, and
// the driver's on/off controls (fan full speed, memory over-voltage).
#pragma once

// Fan selectors: the user interface's first fan, its second fan, the generic first cooler.
constexpr int kFanFirst = 2;
constexpr int kFanSecond = 1;
constexpr int kFanGeneric = 0;

// what: 0 current level, 2 minimum, 3 maximum, 10 number of coolers. 0 on failure.
int GpuGetFan(int board, int selector, int what);
// mode 1: manual at `level`; anything else: automatic. Returns the level read back, 0 on failure.
int GpuSetFan(int board, int mode, int selector, int level);
// what 10: number of control entries; 1: default policy (older interface); else 1 when manual.
int GpuGetFanMode(int board, int selector, int what);

// Driver controls.
constexpr unsigned kControlFanFullSpeed = 11;   // 0: full speed on, 1: normal
constexpr unsigned kControlMemoryOverVoltage = 24;
constexpr unsigned kControlMemoryOverVoltageOld = 20;

int GpuGetDriverControl(int board, unsigned control, unsigned& value);
int GpuSetDriverControl(int board, unsigned control, unsigned value);
// The memory over-voltage control this board has: 24, else 20.
unsigned GpuMemoryOverVoltageControl(int board);
