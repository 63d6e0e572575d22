// The frame rate target: the driver's frame rate limiter in its global (base) profile.
#pragma once

constexpr unsigned kFrameRateLimiterSetting = 0x10835002;

// Sets the target (0 removes it) and saves the driver's settings. 0 on success.
int GpuSetFrameRateTarget(int fps);
// The target in frames per second; 0 when none is set or anything fails.
int GpuGetFrameRateTarget();
