#include "fans.h"

#include "gpu/board_list.h"
#include "gpu/driver_calls.h"
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
    const int status = nvapi::CallFresh<NvId_GetFanCoolersInfo>(gpu, info, kFanCoolersInfoV1);
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
        return !GpuCheckStatus(nvapi::Call<NvId_GetCoolerSettings>(gpu, kAllCoolers, &settings));
    };
    if (read(kCoolerSettingsV4) && settings.count > 0 && settings.upper1 != 0) return true;
    return read(kCoolerSettingsV3) && settings.count > 0;
}

// Position of the entry for cooler `id` among the first `count` entries, or -1.
template <class Entry, std::size_t N>
int EntryFor(const Entry (&entries)[N], std::uint32_t count, std::uint32_t id) {
    const std::uint32_t n = ClampCount(count, N);
    for (std::uint32_t i = 0; i < n; ++i) {
        if (entries[i].coolerId == id) return static_cast<int>(i);
    }
    return -1;
}

// Position of the selector's cooler in the information entries, or -1. The generic
// selector is the first cooler the driver reports; the others look for identifier 1,
// or 2 for the first fan of a board with more than one cooler.
int CoolerIndex(const FanCoolersInfo& info, int selector) {
    const std::uint32_t count = ClampCount(info.count, 32);
    if (selector == kFanGeneric) return count > 0 ? 0 : -1;
    const std::uint32_t id = selector == kFanFirst && count > 1 ? 2 : 1;
    return EntryFor(info.entries, count, id);
}

bool ReadStatusAndControl(NvPhysicalGpuHandle gpu, FanCoolersStatus& status, FanCoolersControl& control) {
    status = {};
    status.version = kFanCoolersStatusV1;
    control = {};
    control.version = kFanCoolersControlV1;
    return !GpuCheckStatus(nvapi::Call<NvId_GetFanCoolersStatus>(gpu, &status)) &&
           !GpuCheckStatus(nvapi::Call<NvId_GetFanCoolersControl>(gpu, &control));
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
    // The cooler by the identifier the driver reports, in every block.
    const std::uint32_t id = info.entries[std::max(CoolerIndex(info, selector), 0)].coolerId;
    const int inStatus = std::max(EntryFor(status.entries, status.count, id), 0);
    const int inControl = EntryFor(control.entries, control.count, id);
    switch (what) {
    case 2: return static_cast<int>(status.entries[inStatus].minLevel);
    case 3: return static_cast<int>(status.entries[inStatus].maxLevel);
    case 10: return static_cast<int>(ClampCount(info.count, 32));
    default:
        if (inControl >= 0 && (control.entries[inControl].flags & 1)) {
            return static_cast<int>(control.entries[inControl].level);
        }
        return static_cast<int>(status.entries[inStatus].level);
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
            nvapi::Call<NvId_RestoreCoolerSettings>(gpu, static_cast<const std::uint32_t*>(nullptr), 0u);
            return GpuGetFan(board, selector, 0);
        }
        CoolerLevels levels{};
        levels.version = kCoolerLevelsV1;
        levels.entries[0].level = static_cast<std::uint32_t>(level);
        levels.entries[0].policy = 1;
        nvapi::Call<NvId_SetCoolerLevels>(gpu, kAllCoolers, &levels);
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
    if (mode != 1 && Interface(gpu, info) != FanInterface::PerFan) return 0;
    const int index = CoolerIndex(info, selector);
    if (index < 0) return 0;
    // The control block as the driver returns it, with only this cooler's entry changed:
    // manual at the level (level 0 hands the fan back), or automatic.
    FanCoolersControl control;
    if (GpuCheckStatus(nvapi::CallFresh<NvId_GetFanCoolersControl>(gpu, control, kFanCoolersControlV1))) return 0;
    const int entry = EntryFor(control.entries, control.count, info.entries[index].coolerId);
    if (entry < 0) return 0;
    auto& target = control.entries[entry];
    if (mode == 1) {
        target.level = static_cast<std::uint32_t>(level);
        target.flags = level != 0 ? (target.flags | 1u) : (target.flags & ~1u);
    } else {
        control.flags &= ~1u;
        target.level = 0;
        target.flags &= ~1u;
    }
    if (GpuCheckStatus(nvapi::Call<NvId_SetFanCoolersControl>(gpu, &control))) return 0;
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
    if (what == 1 || info.count == 0) return 0;
    const std::uint32_t id = info.entries[std::max(CoolerIndex(info, selector), 0)].coolerId;
    const int entry = EntryFor(control.entries, control.count, id);
    return entry >= 0 && (control.entries[entry].flags & 1) ? 1 : 0;
}

int GpuGetDriverControl(int board, unsigned control, unsigned& value) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    DriverControlInfo info;
    if (GpuCheckStatus(nvapi::CallFresh<NvId_GetDriverControlInfo>(gpu, info, kDriverControlInfoV1))) return 0;
    DriverControlValue read{};
    read.version = kDriverControlValueV1;
    read.control = control;
    if (GpuCheckStatus(nvapi::Call<NvId_GetDriverControl>(gpu, &read))) return 0;
    value = read.value;
    return 1;
}

int GpuSetDriverControl(int board, unsigned control, unsigned value) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    DriverControlInfo info;
    if (GpuCheckStatus(nvapi::CallFresh<NvId_GetDriverControlInfo>(gpu, info, kDriverControlInfoV1))) return 0;
    DriverControlValue write{};
    write.version = kDriverControlValueV1;
    write.control = control;
    write.value = value;
    write.flags = 1;
    return GpuCheckStatus(nvapi::Call<NvId_SetDriverControl>(gpu, &write)) ? 0 : 1;
}

unsigned GpuMemoryOverVoltageControl(int board) {
    unsigned value = 0;
    return GpuGetDriverControl(board, kControlMemoryOverVoltage, value) ? kControlMemoryOverVoltage
                                                                        : kControlMemoryOverVoltageOld;
}
