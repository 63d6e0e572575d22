#include "i2c.h"

#include "gpu/board_list.h"
#include "gpu/colour.h"
#include "gpu/driver_calls.h"
#include "gpu/driver_structs.h"
#include "gpu/status.h"

namespace {

constexpr std::uint8_t kPort = 1;

// The information structure for one transfer, filled as every transfer needs it.
I2cInfo Transfer(std::uint8_t device, std::uint8_t* reg, std::uint8_t* data, int count) {
    I2cInfo info{};
    info.version = kI2cInfoV3;
    info.displayMask = 0;
    info.isDdcPort = 0;
    info.deviceAddress = device;
    info.registerAddress = reg;
    info.registerAddressSize = 1;
    info.data = data;
    info.size = static_cast<std::uint32_t>(count);
    info.speed = 0xFFFF;
    info.speedKhz = 0;
    info.portId = kPort;
    info.isPortIdSet = 1;
    return info;
}

}  // namespace

int GpuI2cRead(int board, std::uint8_t* out, std::uint8_t device, std::uint8_t reg) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu || !out) return 0;
    std::uint8_t registerByte = reg;
    I2cInfo info = Transfer(device, &registerByte, out, 1);
    std::uint32_t extra = 1;
    return GpuCheckStatus(nvapi::Call<NvId_I2cReadEx>(gpu, &info, &extra)) ? 0 : 1;
}

int GpuI2cWrite(int board, const std::uint8_t* data, std::uint8_t device, std::uint8_t reg, int, int count) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu || !data || count <= 0) return 0;
    std::uint8_t registerByte = reg;
    I2cInfo info = Transfer(device, &registerByte, const_cast<std::uint8_t*>(data), count);
    std::uint32_t extra = 1;
    return GpuCheckStatus(nvapi::Call<NvId_I2cWriteEx>(gpu, &info, &extra)) ? 0 : 1;
}

int GpuGetIllumZones(int board, IllumZonesControl* zones, int defaults) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return NvInvalidHandle;
    IllumZonesControl scratch;
    IllumZonesControl& control = zones ? *zones : scratch;
    control = {};
    control.version = kIllumZonesControlV1;
    control.flags = defaults ? 1 : 0;
    return nvapi::Call<NvId_GetIllumZonesControl>(gpu, &control);
}

int GpuSetIllumZoneColors(int board, int, const std::uint32_t* colours, int count) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return NvInvalidHandle;
    IllumZonesControl control;
    const int status = GpuGetIllumZones(board, &control, 0);
    if (status != NvOk) return status;
    const std::uint32_t zones = ClampCount(control.count, 32);
    for (std::uint32_t i = 0; i < zones && static_cast<int>(i) < count; ++i) {
        IllumZone& zone = control.zones[i];
        const std::uint32_t colour = colours[i];
        zone.ctrlMode = 0;
        switch (zone.type) {
        case kIllumZoneRgb:
            zone.data.rgb = {ColourRed(colour), ColourGreen(colour), ColourBlue(colour), 100};
            break;
        case kIllumZoneRgbw:
            zone.data.rgbw = {ColourRed(colour), ColourGreen(colour), ColourBlue(colour), static_cast<std::uint8_t>(colour >> 24), 100};
            break;
        case kIllumZoneSingleColor:
            zone.data.single.brightness = static_cast<std::uint8_t>(colour & 0x7F);
            break;
        default:
            break;
        }
    }
    return nvapi::Call<NvId_SetIllumZonesControl>(gpu, &control);
}

int GpuSetIllumZones(int board, std::uint32_t colourA, std::uint32_t colourB, int fallMs, int riseMs) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return NvInvalidHandle;
    IllumZonesControl control{};
    control.version = kIllumZonesControlV1;
    control.flags = 0;
    control.count = 1;
    IllumZone& zone = control.zones[0];
    zone.type = kIllumZoneRgb;
    zone.ctrlMode = 1;
    auto& piecewise = zone.data.rgbPiecewise;
    const std::uint8_t brightnessA = colourA ? 100 : 0, brightnessB = colourB ? 100 : 0;
    piecewise.a[0] = ColourRed(colourA), piecewise.a[1] = ColourGreen(colourA), piecewise.a[2] = ColourBlue(colourA);
    piecewise.a[3] = brightnessA;
    piecewise.b[0] = ColourRed(colourB), piecewise.b[1] = ColourGreen(colourB), piecewise.b[2] = ColourBlue(colourB);
    piecewise.b[3] = brightnessB;
    piecewise.params.cycleType = 2;
    piecewise.params.groupCount = 1;
    piecewise.params.riseMs = static_cast<std::uint16_t>(riseMs);
    piecewise.params.fallMs = static_cast<std::uint16_t>(fallMs);
    piecewise.params.aHoldMs = 100;
    piecewise.params.bHoldMs = 100;
    return nvapi::Call<NvId_SetIllumZonesControl>(gpu, &control);
}
