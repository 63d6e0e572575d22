// The one table of driver entry points: each interface identifier with the function
// type the driver exports for it. `nvapi::Call<Id>(args…)` converts the arguments to
// that type's parameters, so a call with the wrong block type does not compile, and an
// identifier without an entry has no call at all.
#pragma once

#include "gpu/driver_structs.h"
#include "gpu/nvapi.h"

#include <type_traits>

namespace nvapi {

template <class... Params>
struct Signature {
    using Function = int(__cdecl*)(Params...);
};

template <std::uint32_t Id>
struct Entry;

using H = NvPhysicalGpuHandle;
using U32 = std::uint32_t;

// clang-format off
template <> struct Entry<NvId_Initialize> : Signature<> {};
template <> struct Entry<NvId_EnumPhysicalGPUs> : Signature<H*, U32*> {};
template <> struct Entry<NvId_EnumTCCPhysicalGPUs> : Signature<H*, U32*> {};
template <> struct Entry<NvId_GetPstates20> : Signature<H, Pstates20Info*> {};
template <> struct Entry<NvId_SetPstates20> : Signature<H, Pstates20Info*> {};
template <> struct Entry<NvId_GetClockDomainsInfo> : Signature<H, ClockDomainsInfo*> {};
template <> struct Entry<NvId_GetVfPointsMask> : Signature<H, VfPointsMask*> {};
template <> struct Entry<NvId_GetVfPointsControl> : Signature<H, VfPointsControl*> {};
template <> struct Entry<NvId_SetVfPointsControl> : Signature<H, VfPointsControl*> {};
template <> struct Entry<NvId_GetPerfClocks> : Signature<H, U32 /* level */, PerfClocks*> {};
template <> struct Entry<NvId_SetPerfClocks> : Signature<H, U32 /* level */, PerfClocks*> {};
template <> struct Entry<NvId_GetPstatesInfo> : Signature<H, PstatesInfoAnyVersion*> {};
template <> struct Entry<NvId_GetPstatesInfoEx> : Signature<H, PstatesInfoAnyVersion*, U32 /* inputFlags */> {};
template <> struct Entry<NvId_SetPstatesInfo> : Signature<H, PstatesInfo*> {};
template <> struct Entry<NvId_GetVoltageStep> : Signature<H, VoltageDomainList*> {};
template <> struct Entry<NvId_GetVoltageBoost> : Signature<H, VoltageBoost*> {};
template <> struct Entry<NvId_SetVoltageBoost> : Signature<H, VoltageBoost*> {};
template <> struct Entry<NvId_GetPowerPoliciesInfo> : Signature<H, PowerPoliciesInfoAnyVersion*> {};
template <> struct Entry<NvId_GetPowerPoliciesStatus> : Signature<H, PowerPoliciesStatusAnyVersion*> {};
template <> struct Entry<NvId_SetPowerPoliciesStatus> : Signature<H, PowerPoliciesStatusAnyVersion*> {};
template <> struct Entry<NvId_GetThermalPoliciesInfo> : Signature<H, ThermalPoliciesInfoAnyVersion*> {};
template <> struct Entry<NvId_GetThermalPoliciesStatus> : Signature<H, ThermalPoliciesStatusAnyVersion*> {};
template <> struct Entry<NvId_SetThermalPoliciesStatus> : Signature<H, ThermalPoliciesStatusAnyVersion*> {};
template <> struct Entry<NvId_GetDriverControlInfo> : Signature<H, DriverControlInfo*> {};
template <> struct Entry<NvId_GetDriverControl> : Signature<H, DriverControlValue*> {};
template <> struct Entry<NvId_SetDriverControl> : Signature<H, DriverControlValue*> {};
template <> struct Entry<NvId_GetCoolerSettings> : Signature<H, U32 /* target */, CoolerSettings*> {};
template <> struct Entry<NvId_SetCoolerLevels> : Signature<H, U32 /* target */, CoolerLevels*> {};
template <> struct Entry<NvId_RestoreCoolerSettings> : Signature<H, const U32* /* list */, U32 /* count */> {};
template <> struct Entry<NvId_GetFanCoolersInfo> : Signature<H, FanCoolersInfo*> {};
template <> struct Entry<NvId_GetFanCoolersStatus> : Signature<H, FanCoolersStatus*> {};
template <> struct Entry<NvId_GetFanCoolersControl> : Signature<H, FanCoolersControl*> {};
template <> struct Entry<NvId_SetFanCoolersControl> : Signature<H, FanCoolersControl*> {};
template <> struct Entry<NvId_GetThermalSettings> : Signature<H, U32 /* sensor */, ThermalSettings*> {};
template <> struct Entry<NvId_GetAllClockFrequencies> : Signature<H, ClockFrequencies*> {};
template <> struct Entry<NvId_GetCurrentPstate> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetDynamicPstatesInfoEx> : Signature<H, DynamicPstatesInfo*> {};
template <> struct Entry<NvId_GetTachReading> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetCoreVoltageStatus> : Signature<H, CoreVoltageStatus*> {};
template <> struct Entry<NvId_GetVoltageDomainsStatus> : Signature<H, VoltageDomainList*> {};
template <> struct Entry<NvId_GetPowerTopologyInfo> : Signature<H, PowerTopologyInfo*> {};
template <> struct Entry<NvId_GetPowerTopologyStatus> : Signature<H, PowerTopologyStatus*> {};
template <> struct Entry<NvId_GetFullName> : Signature<H, char*> {};
template <> struct Entry<NvId_GetPCIIdentifiers> : Signature<H, U32* /* device */, U32* /* subsystem */, U32* /* revision */, U32* /* external */> {};
template <> struct Entry<NvId_GetBusType> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetIRQ> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetVbiosRevision> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetVbiosOEMRevision> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetCurrentPCIEDownstreamWidth> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetPhysicalFrameBufferSize> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetRamType> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetShaderPipeCount> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetShaderSubPipeCount> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetPartitionCount> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetGpuCoreCount> : Signature<H, U32*> {};
template <> struct Entry<NvId_GetDriverAndBranchVersion> : Signature<U32*, char* /* branch */> {};
template <> struct Entry<NvId_I2cReadEx> : Signature<H, I2cInfo*, U32* /* extra */> {};
template <> struct Entry<NvId_I2cWriteEx> : Signature<H, I2cInfo*, U32* /* extra */> {};
template <> struct Entry<NvId_GetIllumZonesControl> : Signature<H, IllumZonesControl*> {};
template <> struct Entry<NvId_SetIllumZonesControl> : Signature<H, IllumZonesControl*> {};
template <> struct Entry<NvId_DrsCreateSession> : Signature<NvDrsSessionHandle*> {};
template <> struct Entry<NvId_DrsDestroySession> : Signature<NvDrsSessionHandle> {};
template <> struct Entry<NvId_DrsLoadSettings> : Signature<NvDrsSessionHandle> {};
template <> struct Entry<NvId_DrsSaveSettings> : Signature<NvDrsSessionHandle> {};
template <> struct Entry<NvId_DrsGetBaseProfile> : Signature<NvDrsSessionHandle, NvDrsProfileHandle*> {};
template <> struct Entry<NvId_DrsSetSetting> : Signature<NvDrsSessionHandle, NvDrsProfileHandle, DrsSetting*> {};
template <> struct Entry<NvId_DrsGetSetting> : Signature<NvDrsSessionHandle, NvDrsProfileHandle, U32 /* id */, DrsSetting*> {};
template <> struct Entry<NvId_DrsDeleteProfileSetting> : Signature<NvDrsSessionHandle, NvDrsProfileHandle, U32 /* id */> {};
// clang-format on

// Calls the driver function of `Id` (cdecl) with the arguments converted to its parameters.
template <std::uint32_t Id, class... Args>
    requires std::is_invocable_r_v<int, typename Entry<Id>::Function, Args...>
int Call(Args... args) {
    using Function = typename Entry<Id>::Function;
    int status = NvOk;
    void* function = Query(Id, &status);
    if (!function) return status;
    return reinterpret_cast<Function>(function)(args...);
}

// Zeroes a driver structure, puts `version` into its first word and calls `Id` with
// (gpu, structure): the common form of a single-version read.
template <std::uint32_t Id, class Block>
int CallFresh(NvPhysicalGpuHandle gpu, Block& block, std::uint32_t version) {
    block = {};
    *reinterpret_cast<std::uint32_t*>(&block) = version;
    return Call<Id>(gpu, &block);
}

}  // namespace nvapi
