// The simulated driver's voltage, power, thermal, fan, sensor and identity calls.
#pragma once

#include <cstdint>

namespace sim {

int __cdecl GetVoltageBoost(void* gpu, void* block);
int __cdecl SetVoltageBoost(void* gpu, void* block);
int __cdecl GetVoltageStep(void* gpu, void* block);
int __cdecl SetPstatesInfo(void* gpu, void* block);
int __cdecl GetPowerPoliciesInfo(void* gpu, void* block);
int __cdecl GetPowerPoliciesStatus(void* gpu, void* block);
int __cdecl SetPowerPoliciesStatus(void* gpu, void* block);
int __cdecl GetThermalPoliciesInfo(void* gpu, void* block);
int __cdecl GetThermalPoliciesStatus(void* gpu, void* block);
int __cdecl SetThermalPoliciesStatus(void* gpu, void* block);
int __cdecl GetFanCoolersInfo(void* gpu, void* block);
int __cdecl GetFanCoolersStatus(void* gpu, void* block);
int __cdecl GetFanCoolersControl(void* gpu, void* block);
int __cdecl SetFanCoolersControl(void* gpu, void* block);
int __cdecl GetCoolerSettings(void* gpu, std::uint32_t, void* block);
int __cdecl SetCoolerLevels(void* gpu, std::uint32_t, void* block);
int __cdecl RestoreCoolerSettings(void* gpu, const std::uint32_t*, std::uint32_t);
int __cdecl GetDriverControlInfo(void* gpu, void* block);
int __cdecl GetDriverControl(void* gpu, void* block);
int __cdecl SetDriverControl(void* gpu, void* block);
int __cdecl GetThermalSettings(void* gpu, std::uint32_t, void* block);
int __cdecl GetAllClockFrequencies(void* gpu, void* block);
int __cdecl GetCurrentPstate(void* gpu, std::uint32_t* pstate);
int __cdecl GetDynamicPstatesInfoEx(void* gpu, void* block);
int __cdecl GetTachReading(void* gpu, std::uint32_t* rpm);
int __cdecl GetCoreVoltageStatus(void* gpu, void* block);
int __cdecl GetVoltageDomainsStatus(void* gpu, void* block);
int __cdecl GetPowerTopologyInfo(void* gpu, void* block);
int __cdecl GetPowerTopologyStatus(void* gpu, void* block);
int __cdecl GetFullName(void* gpu, char* name);
int __cdecl GetPCIIdentifiers(void* gpu, std::uint32_t* device, std::uint32_t* subsystem, std::uint32_t* revision,
                              std::uint32_t* external);
int __cdecl GetBusType(void* gpu, std::uint32_t* v);
int __cdecl GetIRQ(void* gpu, std::uint32_t* v);
int __cdecl GetVbiosRevision(void* gpu, std::uint32_t* v);
int __cdecl GetVbiosOEMRevision(void* gpu, std::uint32_t* v);
int __cdecl GetPCIEWidth(void* gpu, std::uint32_t* v);
int __cdecl GetFrameBufferSize(void* gpu, std::uint32_t* v);
int __cdecl GetRamType(void* gpu, std::uint32_t* v);
int __cdecl GetShaderPipeCount(void* gpu, std::uint32_t* v);
int __cdecl GetShaderSubPipeCount(void* gpu, std::uint32_t* v);
int __cdecl GetPartitionCount(void* gpu, std::uint32_t* v);
int __cdecl GetGpuCoreCount(void* gpu, std::uint32_t* v);
int __cdecl GetDriverAndBranchVersion(std::uint32_t* version, char* branch);

}  // namespace sim
