#include "power_thermal.h"

#include "gpu/board_list.h"
#include "gpu/driver_structs.h"
#include "gpu/status.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kPowerInfoVersions[] = {kPowerPoliciesInfoV2, kPowerPoliciesInfoV1};
constexpr std::uint32_t kThermalInfoVersions[] = {kThermalPoliciesInfoV3, kThermalPoliciesInfoV2,
                                                  kThermalPoliciesInfoV1};

// One power policy entry as read, whatever the version.
struct PowerPolicy {
    std::uint32_t id, notUsed, min, def, max;
};

// Reads the power policies information; the supported byte and a count of at least 1
// are required. Fills the entries in order; returns how many, 0 on failure.
int ReadPowerPolicies(NvPhysicalGpuHandle gpu, const std::uint32_t* versions, int versionCount, PowerPolicy (&out)[4]) {
    PowerPoliciesInfoAnyVersion info{};
    const auto result = nvapi::CallVersioned(&info, versions, versionCount, [gpu](void* block) {
        return nvapi::Call(NvId_GetPowerPoliciesInfo, gpu, block);
    });
    if (GpuCheckStatus(result.status)) return 0;
    const bool v1 = result.version == kPowerPoliciesInfoV1;
    const std::uint8_t supported = v1 ? info.v1.supported : info.v2.supported;
    const std::uint32_t count = ClampCount(v1 ? info.v1.count : info.v2.count, 4);
    if (!supported || count == 0) return 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (v1) {
            const auto& e = info.v1.entries[i];
            out[i] = {e.policyId, e.notUsed, e.min_pcm, e.default_pcm, e.max_pcm};
        } else {
            const auto& e = info.v2.entries[i];
            out[i] = {e.policyId, e.notUsed, e.min_pcm, e.default_pcm, e.max_pcm};
        }
    }
    return static_cast<int>(count);
}

// One thermal policy entry as read, whatever the version.
struct ThermalPolicy {
    std::uint32_t controller;
    std::int32_t min, def, max;
};

int ReadThermalPolicies(NvPhysicalGpuHandle gpu, const std::uint32_t* versions, int versionCount,
                        ThermalPolicy (&out)[4]) {
    ThermalPoliciesInfoAnyVersion info{};
    const auto result = nvapi::CallVersioned(&info, versions, versionCount, [gpu](void* block) {
        return nvapi::Call(NvId_GetThermalPoliciesInfo, gpu, block);
    });
    if (GpuCheckStatus(result.status)) return 0;
    // The header is the same in every version; the entries differ in size.
    if (!(info.v3.flags & 1) || info.v3.count == 0) return 0;
    const std::uint32_t count = ClampCount(info.v3.count, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (result.version == kThermalPoliciesInfoV3) {
            const auto& e = info.v3.entries[i];
            out[i] = {e.controller, e.min_256, e.default_256, e.max_256};
        } else if (result.version == kThermalPoliciesInfoV2) {
            const auto& e = info.v2.entries[i];
            out[i] = {e.controller, e.min_256, e.default_256, e.max_256};
        } else {
            const auto& e = info.v1.entries[i];
            out[i] = {e.controller, e.min_256, e.default_256, 0};
        }
    }
    return static_cast<int>(count);
}

// The thermal status with the information's controllers copied in; count 0 on failure.
int ReadThermalStatus(NvPhysicalGpuHandle gpu, ThermalPoliciesStatus& status) {
    ThermalPolicy policies[4];
    const int count = ReadThermalPolicies(gpu, kThermalInfoVersions, 3, policies);
    if (count == 0) return 0;
    status = {};
    status.version = kThermalPoliciesStatusV3;
    status.count = static_cast<std::uint8_t>(count);
    for (int i = 0; i < count; ++i) status.entries[i].controller = policies[i].controller;
    if (GpuCheckStatus(nvapi::Call(NvId_GetThermalPoliciesStatus, gpu, static_cast<void*>(&status)))) return 0;
    return count;
}

const ThermalPoliciesStatus::Entry* LastGpuController(const ThermalPoliciesStatus& status, int count) {
    const ThermalPoliciesStatus::Entry* found = nullptr;
    for (int i = 0; i < count; ++i) {
        if (status.entries[i].controller == kGpuThermalController) found = &status.entries[i];
    }
    return found;
}

const ThermalPolicy* FirstGpuController(const ThermalPolicy (&policies)[4], int count) {
    for (int i = 0; i < count; ++i) {
        if (policies[i].controller == kGpuThermalController) return &policies[i];
    }
    return nullptr;
}

}  // namespace

int GpuGetPowerLimitInfo(int board, int field) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    PowerPolicy policies[4];
    const int count = ReadPowerPolicies(gpu, kPowerInfoVersions, 2, policies);
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (policies[i].id != 0 || policies[i].notUsed != 0) continue;
        switch (field) {
        case 1: value = static_cast<int>(policies[i].def / 1000); break;
        case 2: value = static_cast<int>((policies[i].min + 999) / 1000); break;
        case 3: value = static_cast<int>(policies[i].max / 1000); break;
        default: value = 0; break;
        }
    }
    return value;
}

int GpuGetPowerTarget(int board) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    PowerPolicy policies[4];
    const int count = ReadPowerPolicies(gpu, kPowerInfoVersions, 2, policies);
    if (count == 0) return 0;
    PowerPoliciesStatus status{};
    status.version = kPowerPoliciesStatusV2;
    status.count = static_cast<std::uint8_t>(count);
    for (int i = 0; i < count; ++i) status.entries[i].policyId = policies[i].id;
    if (GpuCheckStatus(nvapi::Call(NvId_GetPowerPoliciesStatus, gpu, static_cast<void*>(&status)))) return 0;
    int value = 0;
    const std::uint32_t answered = ClampCount(status.count, 4);
    for (std::uint32_t i = 0; i < answered; ++i) {
        if (status.entries[i].policyId == 0) value = static_cast<int>(status.entries[i].target_pcm / 1000);
    }
    return value;
}

int GpuSetPowerTarget(int board, int percent) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    PowerPoliciesStatus status{};
    status.version = kPowerPoliciesStatusV2;
    status.count = 1;
    status.entries[0].policyId = 0;
    status.entries[0].flags &= ~1u;
    status.entries[0].target_pcm = static_cast<std::uint32_t>(percent * 1000);
    if (GpuCheckStatus(nvapi::Call(NvId_SetPowerPoliciesStatus, gpu, static_cast<void*>(&status)))) return 0;
    return GpuGetPowerTarget(board);
}

bool GpuGetTempTargetLimits(int board, TempTargetLimits& limits) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return false;
    ThermalPolicy policies[4];
    const ThermalPolicy* gpuPolicy = FirstGpuController(policies, ReadThermalPolicies(gpu, kThermalInfoVersions, 3, policies));
    if (!gpuPolicy) return false;
    limits = {gpuPolicy->min / 256, gpuPolicy->def / 256, gpuPolicy->max / 256};
    return true;
}

int GpuGetTempTarget(int board) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    ThermalPoliciesStatus status;
    const auto* entry = LastGpuController(status, ReadThermalStatus(gpu, status));
    return entry ? entry->target_256 / 256 : 0;
}

int GpuGetTempPriority(int board) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    ThermalPoliciesStatus status;
    const auto* entry = LastGpuController(status, ReadThermalStatus(gpu, status));
    return entry ? entry->flags & 1 : 0;
}

int GpuSetTempTarget(int board, double degrees) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    ThermalPolicy policies[4];
    const ThermalPolicy* gpuPolicy =
        FirstGpuController(policies, ReadThermalPolicies(gpu, &kThermalPoliciesInfoV3, 1, policies));
    if (!gpuPolicy) return 0;
    const auto target = static_cast<std::int32_t>(degrees * 256);
    if (target > gpuPolicy->max || target < gpuPolicy->min) return 0;

    ThermalPoliciesStatus status{};
    status.version = kThermalPoliciesStatusV3;
    status.count = 1;
    status.entries[0].controller = kGpuThermalController;
    status.entries[0].target_256 = target;
    if (GpuCheckStatus(nvapi::Call(NvId_SetThermalPoliciesStatus, gpu, static_cast<void*>(&status)))) return 0;
    return GpuGetTempTarget(board);
}

int GpuSetTempPriority(int board, int flag) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu || (flag != 0 && flag != 1)) return 0;
    ThermalPolicy policies[4];
    const int count = ReadThermalPolicies(gpu, &kThermalPoliciesInfoV3, 1, policies);
    if (!FirstGpuController(policies, count)) return 0;
    // Ask for the entries the information lists, so the target comes back as it is
    // and is written back unchanged.
    ThermalPoliciesStatus status{};
    status.version = kThermalPoliciesStatusV3;
    status.count = static_cast<std::uint8_t>(count);
    for (int i = 0; i < count; ++i) status.entries[i].controller = policies[i].controller;
    if (GpuCheckStatus(nvapi::Call(NvId_GetThermalPoliciesStatus, gpu, static_cast<void*>(&status)))) return 0;
    const ThermalPoliciesStatus::Entry* read = LastGpuController(status, count);
    if (!read) return 0;
    const ThermalPoliciesStatus::Entry entry = *read;
    status.count = 1;
    status.entries[0] = entry;
    status.entries[0].flags = static_cast<std::uint8_t>((entry.flags & ~1u) | static_cast<unsigned>(flag));
    return GpuCheckStatus(nvapi::Call(NvId_SetThermalPoliciesStatus, gpu, static_cast<void*>(&status))) ? 0 : 1;
}

int GpuLinkedTempTarget(int board, double percent, double& degrees) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    PowerPolicy power[4];
    const int powerCount = ReadPowerPolicies(gpu, &kPowerPoliciesInfoV2, 1, power);
    const PowerPolicy* policy = nullptr;
    for (int i = 0; i < powerCount && !policy; ++i) {
        if (power[i].id == 0) policy = &power[i];
    }
    if (!policy) return 0;
    const double p = percent * 1000;
    const double pMin = policy->min, pDef = policy->def, pMax = policy->max;
    if (p > pMax || p < pMin) return 0;

    ThermalPolicy thermal[4];
    const ThermalPolicy* gpuPolicy =
        FirstGpuController(thermal, ReadThermalPolicies(gpu, &kThermalPoliciesInfoV3, 1, thermal));
    if (!gpuPolicy) return 0;
    const double tMin = gpuPolicy->min / 256.0, tDef = gpuPolicy->def / 256.0, tMax = gpuPolicy->max / 256.0;
    if (p > pDef) {
        degrees = std::min(tMax, tDef + (p - pDef) / (pMax - pDef) * (tMax - tDef));
    } else {
        // At the default itself the result is the default temperature (no division by a zero range).
        degrees = p == pDef ? tDef : std::max(tMin, tDef - (pDef - p) / (pDef - pMin) * (tDef - tMin));
    }
    return 1;
}
