#include "clocks.h"

#include "gpu/board_list.h"
#include "gpu/driver_calls.h"
#include "gpu/driver_structs.h"
#include "gpu/pstates_info.h"
#include "gpu/status.h"

#include <cstring>

namespace {

constexpr std::uint32_t kPstates20ReadVersions[] = {kPstates20V3, kPstates20V1};
constexpr std::uint32_t kPerfClocksReadVersions[] = {kPerfClocksV2, kPerfClocksV1};
constexpr std::uint32_t kPstatesInfoVersions[] = {kPstatesInfoV3, kPstatesInfoV2, kPstatesInfoV1};
constexpr std::uint32_t kVfPointsControlVersions[] = {kVfPointsControlV2, kVfPointsControlV1};
constexpr std::uint32_t kAllLevels = 0xFFFFFFFFu;

// The boost information and the point mask, both of which must be read.
bool ReadCurveLayout(NvPhysicalGpuHandle gpu, ClockDomainsInfo& info, VfPointsMask& mask) {
    if (GpuCheckStatus(nvapi::CallFresh<NvId_GetClockDomainsInfo>(gpu, info, kClockDomainsInfoV1))) return false;
    return !GpuCheckStatus(nvapi::CallFresh<NvId_GetVfPointsMask>(gpu, mask, kVfPointsMaskV1));
}

bool DomainEntryValid(const ClockDomainsInfo& info, int i) {
    return ((info.mask >> i) & 1) && info.entries[i].notUsed == 0;
}

// A domain's points as the driver reports them, kept inside the point table.
int LastPoint(const ClockDomainsInfo::Entry& entry) {
    return entry.lastPoint < kVfPointCount ? entry.lastPoint : static_cast<int>(kVfPointCount) - 1;
}

// The point offsets of the selected points; the version that answered stays in the block.
bool ReadCurvePoints(NvPhysicalGpuHandle gpu, VfPointsControl& control) {
    const auto result = nvapi::CallVersioned(control, kVfPointsControlVersions, [gpu](auto* block) {
        return nvapi::Call<NvId_GetVfPointsControl>(gpu, block);
    });
    return !GpuCheckStatus(result.status);
}

bool ReadPstates20(NvPhysicalGpuHandle gpu, Pstates20Info& info) {
    info = {};
    const auto result = nvapi::CallVersioned(info, kPstates20ReadVersions, [gpu](auto* block) {
        return nvapi::Call<NvId_GetPstates20>(gpu, block);
    });
    return !GpuCheckStatus(result.status);
}

bool ReadPerfClocks(NvPhysicalGpuHandle gpu, PerfClocks& table, const std::uint32_t* versions, int count) {
    table = {};
    const auto result = nvapi::CallVersioned(table, versions, count, [gpu](auto* block) {
        return nvapi::Call<NvId_GetPerfClocks>(gpu, kAllLevels, block);
    });
    return !GpuCheckStatus(result.status);
}

}  // namespace

int GpuGetBoostRange(int board, int domain, int field) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    ClockDomainsInfo info;
    VfPointsMask mask;
    if (!ReadCurveLayout(gpu, info, mask)) return 0;
    int value = 0;
    for (int i = 0; i < 32; ++i) {
        const auto& entry = info.entries[i];
        if (!DomainEntryValid(info, i) || entry.domain != static_cast<std::uint32_t>(domain)) continue;
        switch (field) {
        case 2: value = entry.minOffset_kHz; break;
        case 3: value = entry.maxOffset_kHz; break;
        case 6: value = entry.firstPoint * 1000; break;
        case 7: value = entry.lastPoint * 1000; break;
        default: break;
        }
    }
    return value / 1000;
}

int GpuGetCurveOffset(int board, int point) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    ClockDomainsInfo info;
    VfPointsMask mask;
    if (!ReadCurveLayout(gpu, info, mask)) return 0;
    VfPointsControl control{};
    std::memcpy(control.select, mask.mask, sizeof(control.select));
    if (!ReadCurvePoints(gpu, control)) return 0;

    // Word 0 of a point entry marks the memory domain's points; which domain a point
    // belongs to comes from the boost information.
    int result = 0;
    for (int i = 0; i < 32; ++i) {
        if (!DomainEntryValid(info, i)) continue;
        for (int p = info.entries[i].firstPoint; p <= LastPoint(info.entries[i]); ++p) {
            if (p == point) result = control.entries[p].freqOffset_kHz / 1000;
        }
    }
    return result;
}

int GpuSetCurveOffset(int board, int point, int mhz) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 1;
    ClockDomainsInfo info;
    VfPointsMask mask;
    if (!ReadCurveLayout(gpu, info, mask)) return 1;
    if (point < 0 || point >= static_cast<int>(kVfPointCount) || !MaskBit(mask.mask, point)) return 1;
    VfPointsControl control{};
    control.select[point / 8] = static_cast<std::uint8_t>(1u << (point % 8));
    if (!ReadCurvePoints(gpu, control)) return 1;
    // Written back in the version that answered the read, everything else as read.
    control.entries[point].freqOffset_kHz = mhz * 1000;
    const int status = nvapi::Call<NvId_SetVfPointsControl>(gpu, &control);
    if (GpuCheckDebugMode(status) || GpuCheckStatus(status)) return 1;
    return 0;
}

void GpuSetDomainCurveOffset(int board, int domain, int mhz, CurvePoints which) {
    const int last = GpuGetBoostRange(board, domain, 7);
    for (int point = GpuGetBoostRange(board, domain, 6); point <= last; ++point) {
        if (which == CurvePoints::Every || GpuGetCurveOffset(board, point) != mhz) GpuSetCurveOffset(board, point, mhz);
    }
}

int GpuGetPstateClock(int board, int domain, int, int field) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    Pstates20Info info;
    if (!ReadPstates20(gpu, info)) return 0;
    if (!(info.flags & 1) || info.numPstates == 0) return 0;

    const std::uint32_t pstates = ClampCount(info.numPstates, 16);
    const std::uint32_t clocks = ClampCount(info.numClocks, 8);
    int value = 0;
    for (std::uint32_t p = 0; p < pstates; ++p) {
        if (info.pstates[p].pstateId != 0) continue;
        for (std::uint32_t c = 0; c < clocks; ++c) {
            const Pstates20Clock& clock = info.pstates[p].clocks[c];
            if (clock.domainId != static_cast<std::uint32_t>(domain)) continue;
            const bool single = clock.typeId == 0;
            switch (field) {
            case 0: value = clock.freqDelta_kHz.value; break;
            case 2: value = clock.freqDelta_kHz.min; break;
            case 3: value = clock.freqDelta_kHz.max; break;
            case 8: value = static_cast<int>(clock.freq_kHz); break;
            case 9: value = static_cast<int>(single ? clock.freq_kHz : clock.maxFreq_kHz); break;
            default: break;
            }
        }
    }
    return value / 1000;
}

int GpuSetClockOffset(int board, int domain, int mhz) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    Pstates20Info info{};
    info.version = kPstates20V1;
    info.numPstates = 1;
    info.numClocks = 1;
    info.pstates[0].pstateId = 0;
    info.pstates[0].clocks[0].domainId = static_cast<std::uint32_t>(domain);
    info.pstates[0].clocks[0].typeId = 0;
    info.pstates[0].clocks[0].freqDelta_kHz.value = mhz * 1000;
    const int status = nvapi::Call<NvId_SetPstates20>(gpu, &info);
    if (GpuCheckDebugMode(status) || GpuCheckStatus(status)) return 0;
    return GpuGetPstateClock(board, domain, 0, 0);
}

int GpuGetPerfLevelCount(int board) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    PerfClocks table;
    if (!ReadPerfClocks(gpu, table, kPerfClocksReadVersions, 2)) return 0;
    return static_cast<int>(ClampCount(table.numLevels, 12));
}

int GpuGetPerfLevelClock(int board, int domain, int level, int field) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    PerfClocks table;
    if (!ReadPerfClocks(gpu, table, kPerfClocksReadVersions, 2)) return 0;
    const std::uint32_t levels = ClampCount(table.numLevels, 12);
    if (level < 0 || levels <= static_cast<std::uint32_t>(level)) return 0;

    const std::uint32_t domains = ClampCount(table.numDomains, 32);
    for (std::uint32_t d = 0; d < domains; ++d) {
        const auto& entry = table.levels[level].domains[d];
        if (entry.domain != static_cast<std::uint32_t>(domain)) continue;
        std::uint32_t value = 0;
        switch (field) {
        case 0: value = entry.current_kHz; break;
        case 1: value = entry.default_kHz; break;
        case 2: value = entry.min_kHz; break;
        case 3: value = entry.max_kHz; break;
        default: break;
        }
        return static_cast<int>(value / 1000);
    }
    return 0;
}

int GpuSetPerfLevelClock(int board, int domain, int level, int mhz) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    PerfClocks table;
    if (!ReadPerfClocks(gpu, table, &kPerfClocksV2, 1) || table.numLevels == 0) return 0;

    PerfClocks write{};
    write.version = kPerfClocksV2;
    write.numDomains = 1;
    write.levels[0].level = static_cast<std::uint32_t>(level);
    write.levels[0].domains[0].domain = static_cast<std::uint32_t>(domain);
    write.levels[0].domains[0].current_kHz = static_cast<std::uint32_t>(mhz * 1000);
    write.levels[0].domains[0].flags = 1;
    if (GpuCheckStatus(nvapi::Call<NvId_SetPerfClocks>(gpu, 0u, &write))) return 0;
    return GpuGetPerfLevelClock(board, domain, level, 0);
}

int GpuPerfLevelPstate(int board, int position) {
    const int count = GpuGetPerfLevelCount(board);
    if (position < 0) position = 0;
    switch (count) {
    case 1: return 0;
    case 2: return position == 0 ? 12 : 0;
    case 3: return position == 0 ? 12 : position == 1 ? 8 : 0;
    case 4: return position == 0 ? 12 : position == 1 ? 8 : position == 2 ? 3 : 0;
    default: return position < 12 ? 12 - position : 0;
    }
}

int GpuGetPstateCount(int board) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    PstatesInfoAnyVersion info;
    const auto result = ReadPstatesInfo(gpu, info, kPstatesInfoVersions);
    if (GpuCheckStatus(result.status)) return 0;
    const std::uint32_t count = result.version == kPstatesInfoV1 ? info.v1.numPstates : info.v2.numPstates;
    return static_cast<int>(ClampCount(count, 16));
}
