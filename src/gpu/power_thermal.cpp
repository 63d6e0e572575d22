#include "power_thermal.h"

#include "gpu/board_list.h"
#include "gpu/driver_calls.h"
#include "gpu/driver_structs.h"
#include "gpu/status.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kPowerInfoVersions[] = {kPowerPoliciesInfoV2, kPowerPoliciesInfoV1};
constexpr std::uint32_t kPowerStatusVersions[] = {kPowerPoliciesStatusV2, kPowerPoliciesStatusV1};
constexpr std::uint32_t kThermalInfoVersions[] = {kThermalPoliciesInfoV3, kThermalPoliciesInfoV2,
                                                  kThermalPoliciesInfoV1};
// The versions that carry a maximum, which a write is checked against.
constexpr std::uint32_t kThermalInfoWithMaximum[] = {kThermalPoliciesInfoV3, kThermalPoliciesInfoV2};
constexpr std::uint32_t kThermalStatusVersions[] = {kThermalPoliciesStatusV3, kThermalPoliciesStatusV2};

// The layout that answered, as the structure of that version.
template <class Visit>
decltype(auto) VisitVersion(PowerPoliciesInfoAnyVersion& block, Visit visit) {
    return block.version == kPowerPoliciesInfoV1 ? visit(block.v1) : visit(block.v2);
}
template <class Visit>
decltype(auto) VisitVersion(PowerPoliciesStatusAnyVersion& block, Visit visit) {
    return block.version == kPowerPoliciesStatusV1 ? visit(block.v1) : visit(block.v2);
}
template <class Visit>
decltype(auto) VisitVersion(ThermalPoliciesInfoAnyVersion& block, Visit visit) {
    if (block.version == kThermalPoliciesInfoV1) return visit(block.v1);
    return block.version == kThermalPoliciesInfoV2 ? visit(block.v2) : visit(block.v3);
}
template <class Visit>
decltype(auto) VisitVersion(ThermalPoliciesStatusAnyVersion& block, Visit visit) {
    return block.version == kThermalPoliciesStatusV2 ? visit(block.v2) : visit(block.v3);
}

// Zeroes the block, sets `version`, lets `fill` write that version's fields and calls `Id`.
template <std::uint32_t Id, class AnyVersion, class Fill>
int CallWithVersion(NvPhysicalGpuHandle gpu, AnyVersion& block, std::uint32_t version, Fill fill) {
    block = {};
    block.version = version;
    VisitVersion(block, fill);
    return nvapi::Call<Id>(gpu, &block);
}

// One power policy entry as read, whatever the version.
struct PowerPolicy {
    std::uint32_t id, notUsed, min, def, max;
};

// Reads the power policies information; the supported byte and a count of at least 1
// are required. Fills the entries in order; returns how many, 0 on failure.
int ReadPowerPolicies(NvPhysicalGpuHandle gpu, PowerPolicy (&out)[4]) {
    PowerPoliciesInfoAnyVersion info{};
    const auto result = nvapi::CallVersioned(info, kPowerInfoVersions, [gpu](auto* block) {
        return nvapi::Call<NvId_GetPowerPoliciesInfo>(gpu, block);
    });
    if (GpuCheckStatus(result.status)) return 0;
    return VisitVersion(info, [&out](const auto& v) {
        const std::uint32_t count = ClampCount(v.count, 4);
        if (!v.supported || count == 0) return 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            const auto& e = v.entries[i];
            std::uint32_t notUsed = 0;  // version 1 has no such mark
            if constexpr (requires { e.notUsed; }) notUsed = e.notUsed;
            out[i] = {e.policyId, notUsed, e.min_pcm, e.default_pcm, e.max_pcm};
        }
        return static_cast<int>(count);
    });
}

// One thermal policy entry as read, whatever the version.
struct ThermalPolicy {
    std::uint32_t controller;
    std::int32_t min, def, max;
};

template <class Info>
bool ThermalSupported(const Info& info) {
    if constexpr (requires { info.flags; }) return (info.flags & 1) && info.count > 0;
    return info.count > 0;  // version 2 has only the count
}

int ReadThermalPolicies(NvPhysicalGpuHandle gpu, const std::uint32_t* versions, int versionCount,
                        ThermalPolicy (&out)[4]) {
    ThermalPoliciesInfoAnyVersion info{};
    const auto result = nvapi::CallVersioned(info, versions, versionCount, [gpu](auto* block) {
        return nvapi::Call<NvId_GetThermalPoliciesInfo>(gpu, block);
    });
    if (GpuCheckStatus(result.status)) return 0;
    return VisitVersion(info, [&out](const auto& v) {
        if (!ThermalSupported(v)) return 0;
        const std::uint32_t count = ClampCount(v.count, 4);
        for (std::uint32_t i = 0; i < count; ++i) {
            const auto& e = v.entries[i];
            std::int32_t max = 0;  // version 1 ends before a maximum
            if constexpr (requires { e.max_256; }) max = e.max_256;
            out[i] = {e.controller, e.min_256, e.default_256, max};
        }
        return static_cast<int>(count);
    });
}

template <std::size_t N>
int ReadThermalPolicies(NvPhysicalGpuHandle gpu, const std::uint32_t (&versions)[N], ThermalPolicy (&out)[4]) {
    return ReadThermalPolicies(gpu, versions, static_cast<int>(N), out);
}

// One thermal status entry, whatever the version.
struct ThermalStatusEntry {
    std::int32_t target;
    std::uint32_t flags;
};

// The thermal status asked for with the controllers the information lists; false on failure.
bool ReadThermalStatus(NvPhysicalGpuHandle gpu, const ThermalPolicy (&policies)[4], int count,
                       ThermalPoliciesStatusAnyVersion& status) {
    if (count == 0) return false;
    const auto result = nvapi::CallEachVersion(kThermalStatusVersions, [&](std::uint32_t version) {
        return CallWithVersion<NvId_GetThermalPoliciesStatus>(gpu, status, version, [&](auto& v) {
            v.count = static_cast<std::uint8_t>(count);
            for (int i = 0; i < count; ++i) v.entries[i].controller = policies[i].controller;
        });
    });
    return !GpuCheckStatus(result.status);
}

// Position of the last entry of the GPU controller in a status as read, or -1.
template <class Status>
int LastGpuController(const Status& status) {
    int found = -1;
    const std::uint32_t entries = ClampCount(status.count, 4);
    for (std::uint32_t i = 0; i < entries; ++i) {
        if (status.entries[i].controller == kGpuThermalController) found = static_cast<int>(i);
    }
    return found;
}

bool ReadGpuThermalStatus(NvPhysicalGpuHandle gpu, ThermalStatusEntry& entry) {
    ThermalPolicy policies[4];
    ThermalPoliciesStatusAnyVersion status;
    if (!ReadThermalStatus(gpu, policies, ReadThermalPolicies(gpu, kThermalInfoVersions, policies), status)) return false;
    return VisitVersion(status, [&entry](const auto& v) {
        const int i = LastGpuController(v);
        if (i >= 0) entry = {v.entries[i].target_256, v.entries[i].flags};
        return i >= 0;
    });
}

// Writes one entry for the GPU controller with the target, flags clear.
bool WriteGpuThermalTarget(NvPhysicalGpuHandle gpu, std::int32_t target) {
    ThermalPoliciesStatusAnyVersion status;
    const auto result = nvapi::CallEachVersion(kThermalStatusVersions, [&](std::uint32_t version) {
        return CallWithVersion<NvId_SetThermalPoliciesStatus>(gpu, status, version, [&](auto& v) {
            v.count = 1;
            v.entries[0].controller = kGpuThermalController;
            v.entries[0].target_256 = target;
        });
    });
    return !GpuCheckStatus(result.status);
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
    const int count = ReadPowerPolicies(gpu, policies);
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
    const int count = ReadPowerPolicies(gpu, policies);
    if (count == 0) return 0;
    PowerPoliciesStatusAnyVersion status;
    const auto result = nvapi::CallEachVersion(kPowerStatusVersions, [&](std::uint32_t version) {
        return CallWithVersion<NvId_GetPowerPoliciesStatus>(gpu, status, version, [&](auto& v) {
            v.count = static_cast<std::uint8_t>(count);
            for (int i = 0; i < count; ++i) v.entries[i].policyId = policies[i].id;
        });
    });
    if (GpuCheckStatus(result.status)) return 0;
    return VisitVersion(status, [](const auto& v) {
        int value = 0;
        const std::uint32_t answered = ClampCount(v.count, 4);
        for (std::uint32_t i = 0; i < answered; ++i) {
            if (v.entries[i].policyId == 0) value = static_cast<int>(v.entries[i].target_pcm / 1000);
        }
        return value;
    });
}

int GpuSetPowerTarget(int board, int percent) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    // One entry for policy 0, flags clear (the block is zeroed), the target.
    PowerPoliciesStatusAnyVersion status;
    const auto result = nvapi::CallEachVersion(kPowerStatusVersions, [&](std::uint32_t version) {
        return CallWithVersion<NvId_SetPowerPoliciesStatus>(gpu, status, version, [&](auto& v) {
            v.count = 1;
            v.entries[0].policyId = 0;
            v.entries[0].target_pcm = static_cast<std::uint32_t>(percent * 1000);
        });
    });
    if (GpuCheckStatus(result.status)) return 0;
    return GpuGetPowerTarget(board);
}

bool GpuGetTempTargetLimits(int board, TempTargetLimits& limits) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return false;
    ThermalPolicy policies[4];
    const ThermalPolicy* gpuPolicy = FirstGpuController(policies, ReadThermalPolicies(gpu, kThermalInfoVersions, policies));
    if (!gpuPolicy) return false;
    limits = {gpuPolicy->min / 256, gpuPolicy->def / 256, gpuPolicy->max / 256};
    return true;
}

int GpuGetTempTarget(int board) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    ThermalStatusEntry entry{};
    return gpu && ReadGpuThermalStatus(gpu, entry) ? entry.target / 256 : 0;
}

int GpuGetTempPriority(int board) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    ThermalStatusEntry entry{};
    return gpu && ReadGpuThermalStatus(gpu, entry) ? static_cast<int>(entry.flags & 1) : 0;
}

int GpuSetTempTarget(int board, double degrees) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    ThermalPolicy policies[4];
    const ThermalPolicy* gpuPolicy =
        FirstGpuController(policies, ReadThermalPolicies(gpu, kThermalInfoWithMaximum, policies));
    if (!gpuPolicy) return 0;
    const auto target = static_cast<std::int32_t>(degrees * 256);
    if (target > gpuPolicy->max || target < gpuPolicy->min) return 0;
    if (!WriteGpuThermalTarget(gpu, target)) return 0;
    return GpuGetTempTarget(board);
}

int GpuSetTempPriority(int board, int flag) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu || (flag != 0 && flag != 1)) return 0;
    ThermalPolicy policies[4];
    const int count = ReadThermalPolicies(gpu, kThermalInfoWithMaximum, policies);
    if (!FirstGpuController(policies, count)) return 0;
    // The GPU controller's entry as read, written back in the version that answered
    // with only the priority bit replaced.
    ThermalPoliciesStatusAnyVersion status;
    if (!ReadThermalStatus(gpu, policies, count, status)) return 0;
    const bool found = VisitVersion(status, [flag](auto& v) {
        const int i = LastGpuController(v);
        if (i < 0) return false;
        const auto entry = v.entries[i];
        v.count = 1;
        v.entries[0] = entry;
        v.entries[0].flags = static_cast<decltype(entry.flags)>((entry.flags & ~1u) | static_cast<unsigned>(flag));
        return true;
    });
    if (!found) return 0;
    return GpuCheckStatus(nvapi::Call<NvId_SetThermalPoliciesStatus>(gpu, &status)) ? 0 : 1;
}

int GpuLinkedTempTarget(int board, double percent, double& degrees) {
    NvPhysicalGpuHandle gpu = BoardHandle(board);
    if (!gpu) return 0;
    PowerPolicy power[4];
    const int powerCount = ReadPowerPolicies(gpu, power);
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
        FirstGpuController(thermal, ReadThermalPolicies(gpu, kThermalInfoWithMaximum, thermal));
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
