#include "voltage.h"

#include "gpu/board_list.h"
#include "gpu/clocks.h"
#include "gpu/driver_calls.h"
#include "gpu/driver_structs.h"
#include "gpu/pstates_info.h"
#include "gpu/status.h"

namespace {

constexpr std::uint32_t kCoreDomain = 0;
constexpr std::uint32_t kDefaultVoltageStep_uV = 6250;
constexpr std::uint32_t kPstates20BaseVoltageVersions[] = {kPstates20V3, kPstates20V1};
constexpr std::uint32_t kPstates20OverVoltageVersions[] = {kPstates20V3, kPstates20V2, kPstates20V1};
constexpr std::uint32_t kPstatesInfoVersions[] = {kPstatesInfoV3, kPstatesInfoV2, kPstatesInfoV1};

bool ReadVoltageBoost(NvPhysicalGpuHandle gpu, VoltageBoost& boost) {
    return !GpuCheckStatus(nvapi::CallFresh<NvId_GetVoltageBoost>(gpu, boost, kVoltageBoostV1));
}

// Reads pstates 2.0 with a fallback list; returns the accepted version word, 0 on failure.
template <std::size_t N>
std::uint32_t ReadPstates20(NvPhysicalGpuHandle gpu, Pstates20Info& info, const std::uint32_t (&versions)[N]) {
    info = {};
    const auto result = nvapi::CallVersioned(info, versions, [gpu](auto* block) {
        return nvapi::Call<NvId_GetPstates20>(gpu, block);
    });
    return GpuCheckStatus(result.status) ? 0 : result.version;
}

int DeltaField(const Pstates20Voltage& entry, int field) {
    switch (field) {
    case 0: return entry.voltDelta_uV.value / 1000;
    case 1: return static_cast<int>(entry.volt_uV / 1000);
    case 2: return entry.voltDelta_uV.min / 1000;
    case 3: return entry.voltDelta_uV.max / 1000;
    default: return 0;
    }
}

std::uint32_t VoltageStep(NvPhysicalGpuHandle gpu) {
    VoltageDomainList step;
    if (GpuCheckStatus(nvapi::CallFresh<NvId_GetVoltageStep>(gpu, step, kVoltageDomainListV1))) {
        return kDefaultVoltageStep_uV;
    }
    const std::uint32_t count = ClampCount(step.count, 16);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (step.entries[i].domain == kCoreDomain) return step.entries[i].value_uV;
    }
    return kDefaultVoltageStep_uV;
}

}  // namespace

int GpuGetVoltageBoost(int board) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    VoltageBoost boost;
    if (!gpu || !ReadVoltageBoost(gpu, boost)) return -1;
    return boost.percent;
}

int GpuSetVoltageBoost(int board, int percent) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return -1;
    VoltageBoost boost{};
    boost.version = kVoltageBoostV1;
    boost.percent = static_cast<std::uint8_t>(percent);
    if (GpuCheckStatus(nvapi::Call<NvId_SetVoltageBoost>(gpu, &boost))) return -1;
    return GpuGetVoltageBoost(board);
}

int GpuGetBaseVoltageDelta(int board, int field) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    Pstates20Info info;
    if (!ReadPstates20(gpu, info, kPstates20BaseVoltageVersions)) return 0;
    if (info.numPstates == 0 || info.numBaseVoltages == 0) return 0;
    const std::uint32_t pstates = ClampCount(info.numPstates, 16);
    const std::uint32_t voltages = ClampCount(info.numBaseVoltages, 4);
    for (std::uint32_t p = 0; p < pstates; ++p) {
        if (info.pstates[p].pstateId != 0) continue;
        // Only the first P0 entry counts.
        for (std::uint32_t v = 0; v < voltages; ++v) {
            if (info.pstates[p].baseVoltages[v].domainId == kCoreDomain) {
                return DeltaField(info.pstates[p].baseVoltages[v], field);
            }
        }
        return 0;
    }
    return 0;
}

int GpuSetBaseVoltageDelta(int board, int mv) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    Pstates20Info info{};
    info.version = kPstates20V1;
    info.numPstates = 1;
    info.numBaseVoltages = 1;
    info.pstates[0].baseVoltages[0].domainId = kCoreDomain;
    info.pstates[0].baseVoltages[0].voltDelta_uV.value = mv * 1000;
    const int status = nvapi::Call<NvId_SetPstates20>(gpu, &info);
    if (GpuCheckDebugMode(status) || GpuCheckStatus(status)) return 0;
    return GpuGetBaseVoltageDelta(board, 0);
}

int GpuGetOverVoltage(int board, int field) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu || field == 1) return 0;
    Pstates20Info info;
    const std::uint32_t version = ReadPstates20(gpu, info, kPstates20OverVoltageVersions);
    // Version 1 has no over-voltage section.
    if (version == 0 || version == kPstates20V1 || info.numOverVoltages == 0) return 0;
    const std::uint32_t count = ClampCount(info.numOverVoltages, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (info.overVoltages[i].domainId == kCoreDomain) return DeltaField(info.overVoltages[i], field);
    }
    return 0;
}

int GpuSetOverVoltage(int board, int mv) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    const std::uint32_t step = VoltageStep(gpu);
    const std::uint32_t divisor = step / 1000;
    const std::uint32_t k = divisor ? static_cast<std::uint32_t>(mv) / divisor : 0;
    Pstates20Info info{};
    info.version = kPstates20V2;
    info.numOverVoltages = 1;
    info.overVoltages[0].domainId = kCoreDomain;
    info.overVoltages[0].voltDelta_uV.value = static_cast<std::int32_t>(k * step);
    const int status = nvapi::Call<NvId_SetPstates20>(gpu, &info);
    if (GpuCheckDebugMode(status) || GpuCheckStatus(status)) return 0;
    return GpuGetOverVoltage(board, 0);
}

int GpuGetPstateVoltage(int board, int pstate) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    PstatesInfoAnyVersion info;
    const auto result = ReadPstatesInfo(gpu, info, kPstatesInfoVersions);
    // Version 1 carries no voltage entries.
    if (GpuCheckStatus(result.status) || result.version == kPstatesInfoV1) return 0;
    const std::uint32_t pstates = ClampCount(info.v2.numPstates, 16);
    const std::uint32_t voltages = ClampCount(info.v2.numVoltages, 16);
    for (std::uint32_t p = 0; p < pstates; ++p) {
        if (info.v2.pstates[p].pstateId != static_cast<std::uint32_t>(pstate)) continue;
        for (std::uint32_t v = 0; v < voltages; ++v) {
            if (info.v2.pstates[p].voltages[v].domainId == kCoreDomain) {
                return static_cast<int>(info.v2.pstates[p].voltages[v].mvolt);
            }
        }
    }
    return 0;
}

int GpuSetPstateVoltage(int pstate, int mv) {
    NvPhysicalGpuHandle gpu = BoardHandle(SelectedBoard);
    if (!gpu) return 0;
    PstatesInfoAnyVersion read;
    if (GpuCheckStatus(ReadPstatesInfo(gpu, read, &kPstatesInfoV3, 1).status)) return 0;
    PstatesInfo& info = read.v2;
    const std::uint32_t pstates = ClampCount(info.numPstates, 16);
    const std::uint32_t voltages = ClampCount(info.numVoltages, 16);
    for (std::uint32_t p = 0; p < pstates; ++p) {
        if (info.pstates[p].pstateId != static_cast<std::uint32_t>(pstate)) continue;
        for (std::uint32_t v = 0; v < voltages; ++v) {
            if (info.pstates[p].voltages[v].domainId == kCoreDomain) {
                info.pstates[p].voltages[v].mvolt = static_cast<std::uint32_t>(mv);
            }
        }
    }
    if (GpuCheckStatus(nvapi::Call<NvId_SetPstatesInfo>(gpu, &info))) return 0;
    return GpuGetPstateVoltage(SelectedBoard, pstate);
}

VoltageSetting GpuGetVoltageSetting(int board, int level) {
    const int boost = GpuGetVoltageBoost(board);
    if (boost >= 0) return {VoltageMechanism::Boost, 0, boost > 100 ? boost : 100, boost, 0};
    const int deltaMax = GpuGetBaseVoltageDelta(board, 3);
    const int deltaMin = GpuGetBaseVoltageDelta(board, 2);
    if (deltaMax != 0 && deltaMin != 0) {
        return {VoltageMechanism::BaseDelta, deltaMin, deltaMax, GpuGetBaseVoltageDelta(board, 0), 0};
    }
    const int pstate = GpuPerfLevelPstate(board, level);
    return {VoltageMechanism::PstateVoltage, 100, 1200, GpuGetPstateVoltage(board, pstate), pstate};
}
