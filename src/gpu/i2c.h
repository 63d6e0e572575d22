// Transfers on the board's I2C bus (port 1) and the driver's illumination zones.
#pragma once

#include <cstdint>

// One byte from `reg` of `device` (8-bit address form). 1 on success.
int GpuI2cRead(int board, std::uint8_t* out, std::uint8_t device, std::uint8_t reg);
// `count` bytes to `device` starting at `reg`. 1 on success.
int GpuI2cWrite(int board, const std::uint8_t* data, std::uint8_t device, std::uint8_t reg, int ignored, int count);

struct IllumZonesControl;

// Reads the zone controls (current, or the defaults when `defaults`) into `zones`
// or a scratch buffer; returns the driver status.
int GpuGetIllumZones(int board, IllumZonesControl* zones, int defaults);
// Sets zone i to manual with colours[i] (i < count); zones beyond keep their settings.
int GpuSetIllumZoneColors(int board, int ignored, const std::uint32_t* colours, int count);
// One RGB zone breathing between colourA and colourB.
int GpuSetIllumZones(int board, std::uint32_t colourA, std::uint32_t colourB, int fallMs, int riseMs);
