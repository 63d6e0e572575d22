// Power target (percent of the default limit) and temperature target (°C).
#pragma once

// Fields: 1 default, 2 minimum (rounded up), 3 maximum, in percent; 0 when unknown.
int GpuGetPowerLimitInfo(int board, int field);
int GpuGetPowerTarget(int board);
// Returns the target read back, 0 on failure.
int GpuSetPowerTarget(int board, int percent);

struct TempTargetLimits {
    int minimum;
    int defaultTarget;
    int maximum;
};
// The GPU controller's range in whole °C; false when the board has none.
bool GpuGetTempTargetLimits(int board, TempTargetLimits& limits);
int GpuGetTempTarget(int board);
int GpuGetTempPriority(int board);
// Returns the new target in whole °C, 0 when refused (outside the range) or failed.
int GpuSetTempTarget(int board, double degrees);
// 1 on success, 0 on failure; `flag` must be 0 or 1.
int GpuSetTempPriority(int board, int flag);

// The temperature target that goes with a power target when the two are linked.
// Returns 1 with `degrees` set, 0 when the power target is outside the range.
int GpuLinkedTempTarget(int board, double percent, double& degrees);
