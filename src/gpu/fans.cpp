#include "fans.h"

#include "gpu/board_list.h"
#include "gpu/driver_structs.h"
#include "gpu/pause.h"
#include "gpu/status.h"

#include <algorithm>

namespace {

constexpr int kPollAttempts = 19;
constexpr unsigned kPollPause = 101;

enum class FanInterface { PerFan, Older, None };

// Which interface the board has; the information read is kept for the per-fan one.
FanInterface Interface(NvPhysicalGpuHandle gpu, FanCoolersInfo& info) {
    const int status = nvapi::CallFresh(NvId_GetFanCoolersInfo, gpu, info, kFanCoolersInfoV1);
    if (status == NvNotSupported) return FanInterface::Older;
    if (GpuCheckStatus(status) || !(info.flags & 1)) return FanInterface::None;
    return FanInterface::PerFan;
}

// Cooler settings of the older interface: version 4, and version 3 when version 4
// fails, reports no cooler or a zero upper bound. False without a cooler.
bool ReadCoolerSettings(NvPhysicalGpuHandle gpu, CoolerSettings& settings) {
    auto read = [&](std::uint32_t version) {
        settings = {};
        settings.version = version;
        return !GpuCheckStatus(nvapi::Call(NvId_GetCoolerSettings, gpu, kAllCoolers, static_cast<void*>(&settings)));
    };
    if (read(kCoolerSettingsV4) && settings.count > 0 && settings.upper1 != 0) return true;
    return read(kCoolerSettingsV3) && settings.count > 0;
}

std::uint32_t CoolerIdFor(int selector, std::uint32_t coolerCount) {
    switch (selector) {
    case kFanGeneric: return 0;
    case kFanFirst: return coolerCount > 1 ? 2 : 1;
    default: return 1;
    }
}

// Position of the selector's cooler in the information entries, or -1.
int CoolerIndex(const FanCoolersInfo& info, int selector) {
    const std::uint32_t count = ClampCount(info.count, 32);
    const std::uint32_t id = CoolerIdFor(selector, count);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (info.entries[i].coolerId == id) return static_cast<int>(i);
    }
    return -1;
}

bool ReadStatusAndControl(NvPhysicalGpuHandle gpu, FanCoolersStatus& status, FanCoolersControl& control) {
    status = {};
    status.version = kFanCoolersStatusV1;
    control = {};
    control.version = kFanCoolersControlV1;
    return !GpuCheckStatus(nvapi::Call(NvId_GetFanCoolersStatus, gpu, static_cast<void*>(&status))) &&
           !GpuCheckStatus(nvapi::Call(NvId_GetFanCoolersControl, gpu, static_cast<void*>(&control)));
}

}  // namespace

int GpuGetFan(int board, int selector, int what) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    FanCoolersInfo info;
    switch (Interface(gpu, info)) {
    case FanInterface::None:
        return 0;
    case FanInterface::Older: {
        CoolerSettings settings;
        if (!ReadCoolerSettings(gpu, settings)) return 0;
        switch (what) {
        case 2: return static_cast<int>(std::max(settings.lower1, settings.lower2));
        case 3: return static_cast<int>(std::min(settings.upper1, settings.upper2));
        case 10: return 0;
        default: return static_cast<int>(settings.level);
        }
    }
    case FanInterface::PerFan:
        break;
    }
    FanCoolersStatus status;
    FanCoolersControl control;
    if (!ReadStatusAndControl(gpu, status, control) || info.count == 0) return 0;
    const int index = std::max(CoolerIndex(info, selector), 0);
    switch (what) {
    case 2: return static_cast<int>(status.entries[index].minLevel);
    case 3: return static_cast<int>(status.entries[index].maxLevel);
    case 10: return static_cast<int>(ClampCount(info.count, 32));
    default:
        if (control.count >= 1 && (control.entries[index].flags & 1)) return static_cast<int>(control.entries[index].level);
        return static_cast<int>(status.entries[index].level);
    }
}

int GpuSetFan(int board, int mode, int selector, int level) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    FanCoolersInfo info;
    switch (Interface(gpu, info)) {
    case FanInterface::None:
        return 0;
    case FanInterface::Older: {
        CoolerSettings settings;
        if (!ReadCoolerSettings(gpu, settings)) return 0;
        if (mode != 1) {
            nvapi::Call(NvId_RestoreCoolerSettings, gpu, static_cast<const std::uint32_t*>(nullptr), 0u);
            return GpuGetFan(board, selector, 0);
        }
        CoolerLevels levels{};
        levels.version = kCoolerLevelsV1;
        levels.entries[0].level = static_cast<std::uint32_t>(level);
        levels.entries[0].policy = 1;
        nvapi::Call(NvId_SetCoolerLevels, gpu, kAllCoolers, static_cast<void*>(&levels));
        // The fan takes a while to get there: poll, blocking, about two seconds at most.
        int reading = 0;
        for (int attempt = 0; attempt < kPollAttempts; ++attempt) {
            reading = GpuGetFan(board, selector, 0);
            if (reading == level) break;
            GpuPause(kPollPause);
        }
        return reading;
    }
    case FanInterface::PerFan:
        break;
    }
    FanCoolersControl control{};
    control.version = kFanCoolersControlV1;
    control.count = 1;
    if (mode == 1) {
        const int index = CoolerIndex(info, selector);
        if (index < 0) return 0;
        control.entries[0].coolerId = info.entries[index].coolerId;
        control.entries[0].level = static_cast<std::uint32_t>(level);
        control.entries[0].flags = level != 0 ? 1 : 0;
    } else {
        if (Interface(gpu, info) != FanInterface::PerFan) return 0;
        control.flags &= ~1u;
        control.entries[0].coolerId = CoolerIdFor(selector, ClampCount(info.count, 32));
    }
    if (GpuCheckStatus(nvapi::Call(NvId_SetFanCoolersControl, gpu, static_cast<void*>(&control)))) return 0;
    return GpuGetFan(board, selector, 0);
}

int GpuGetFanMode(int board, int selector, int what) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    FanCoolersInfo info;
    switch (Interface(gpu, info)) {
    case FanInterface::None:
        return 0;
    case FanInterface::Older: {
        CoolerSettings settings;
        if (!ReadCoolerSettings(gpu, settings)) return 0;
        if (what == 1) return static_cast<int>(settings.defaultPolicy);
        if (what == 10) return 0;
        return settings.currentPolicy != settings.defaultPolicy ? static_cast<int>(settings.currentPolicy) : 0;
    }
    case FanInterface::PerFan:
        break;
    }
    FanCoolersStatus status;
    FanCoolersControl control;
    if (!ReadStatusAndControl(gpu, status, control)) return 0;
    if (what == 10) return static_cast<int>(ClampCount(control.count, 32));
    if (what == 1) return 0;
    const int index = std::max(CoolerIndex(info, selector), 0);
    return control.entries[index].flags & 1 ? 1 : 0;
}

int GpuGetDriverControl(int board, unsigned control, unsigned& value) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    DriverControlInfo info;
    if (GpuCheckStatus(nvapi::CallFresh(NvId_GetDriverControlInfo, gpu, info, kDriverControlInfoV1))) return 0;
    DriverControlValue read{};
    read.version = kDriverControlValueV1;
    read.control = control;
    if (GpuCheckStatus(nvapi::Call(NvId_GetDriverControl, gpu, static_cast<void*>(&read)))) return 0;
    value = read.value;
    return 1;
}

int GpuSetDriverControl(int board, unsigned control, unsigned value) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    DriverControlInfo info;
    if (GpuCheckStatus(nvapi::CallFresh(NvId_GetDriverControlInfo, gpu, info, kDriverControlInfoV1))) return 0;
    DriverControlValue write{};
    write.version = kDriverControlValueV1;
    write.control = control;
    write.value = value;
    write.flags = 1;
    return GpuCheckStatus(nvapi::Call(NvId_SetDriverControl, gpu, static_cast<void*>(&write))) ? 0 : 1;
}

unsigned GpuMemoryOverVoltageControl(int board) {
    unsigned value = 0;
    return GpuGetDriverControl(board, kControlMemoryOverVoltage, value) ? kControlMemoryOverVoltage
                                                                        : kControlMemoryOverVoltageOld;
}
