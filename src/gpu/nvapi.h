// The driver's programming interface: status codes, interface identifiers and the
// binding that resolves them through nvapi_QueryInterface. Calls go through the typed
// table in gpu/driver_calls.h.
#pragma once

#include <cstddef>
#include <cstdint>

using NvPhysicalGpuHandle = struct NvPhysicalGpu*;

// Driver status codes the program looks at.
enum NvStatus : int {
    NvOk = 0,
    NvError = -1,
    NvLibraryNotFound = -2,
    NvNoImplementation = -3,
    NvInvalidArgument = -5,
    NvDeviceNotFound = -6,
    NvInvalidHandle = -8,
    NvIncompatibleStructVersion = -9,
    NvNotSupported = -104,
    NvSettingNotFound = -160,
    NvGpuInDebugMode = -217,
};

// Interface identifiers, passed to nvapi_QueryInterface.
enum NvInterface : std::uint32_t {
    NvId_Initialize = 0x0150E828,
    NvId_EnumPhysicalGPUs = 0xE5AC921F,
    NvId_EnumTCCPhysicalGPUs = 0xD9930B07,
    NvId_GetPstates20 = 0x6FF81213,
    NvId_SetPstates20 = 0x0F4DAE6B,
    NvId_GetPerfClocks = 0x1EA54A3B,
    NvId_SetPerfClocks = 0x07BCF4AC,
    NvId_GetClockDomainsInfo = 0x64B43A6A,
    NvId_GetVfPointsMask = 0x507B4B59,
    NvId_GetVfPointsControl = 0x23F1B133,
    NvId_SetVfPointsControl = 0x0733E009,
    NvId_GetPstatesInfo = 0xBA94C56E,
    NvId_SetPstatesInfo = 0xCDF27911,
    NvId_GetPstatesInfoEx = 0x843C0256,
    NvId_GetVoltageStep = 0x28766157,
    NvId_GetVoltageBoost = 0x9DF23CA1,
    NvId_SetVoltageBoost = 0xB9306D9B,
    NvId_GetPowerPoliciesInfo = 0x34206D86,
    NvId_GetPowerPoliciesStatus = 0x70916171,
    NvId_SetPowerPoliciesStatus = 0xAD95F5ED,
    NvId_GetThermalPoliciesInfo = 0x0D258BB5,
    NvId_GetThermalPoliciesStatus = 0xE9C425A1,
    NvId_SetThermalPoliciesStatus = 0x34C0B13D,
    NvId_GetDriverControlInfo = 0xFAB69565,
    NvId_GetDriverControl = 0xF5E10439,
    NvId_SetDriverControl = 0xF3B11E68,
    NvId_GetCoolerSettings = 0xDA141340,
    NvId_SetCoolerLevels = 0x891FA0AE,
    NvId_RestoreCoolerSettings = 0x8F6ED0FB,
    NvId_GetFanCoolersInfo = 0xFB85B01E,
    NvId_GetFanCoolersStatus = 0x35AED5E8,
    NvId_GetFanCoolersControl = 0x814B209F,
    NvId_SetFanCoolersControl = 0xA58971A5,
    NvId_GetThermalSettings = 0xE3640A56,
    NvId_GetAllClockFrequencies = 0xDCB616C3,
    NvId_GetCurrentPstate = 0x927DA4F6,
    NvId_GetDynamicPstatesInfoEx = 0x60DED2ED,
    NvId_GetTachReading = 0x5F608315,
    NvId_GetCoreVoltageStatus = 0x465F9BCF,
    NvId_GetVoltageDomainsStatus = 0xC16C7E2C,
    NvId_GetPowerTopologyInfo = 0xA4DFD3F2,
    NvId_GetPowerTopologyStatus = 0xEDCF624E,
    NvId_GetFullName = 0xCEEE8E9F,
    NvId_GetPCIIdentifiers = 0x2DDFB66E,
    NvId_GetBusType = 0x1BB18724,
    NvId_GetIRQ = 0xE4715417,
    NvId_GetVbiosRevision = 0xACC3DA0A,
    NvId_GetVbiosOEMRevision = 0x2D43FB31,
    NvId_GetCurrentPCIEDownstreamWidth = 0xD048C3B1,
    NvId_GetPhysicalFrameBufferSize = 0x46FBEB03,
    NvId_GetRamType = 0x57F7CAAC,
    NvId_GetShaderPipeCount = 0x63E2F56F,
    NvId_GetShaderSubPipeCount = 0x0BE17923,
    NvId_GetPartitionCount = 0x86F05D7A,
    NvId_GetGpuCoreCount = 0xC7026A87,
    NvId_GetDriverAndBranchVersion = 0x2926AAAD,
    NvId_I2cWriteEx = 0x283AC65A,
    NvId_I2cReadEx = 0x4D7B0709,
    NvId_GetIllumZonesControl = 0x3DBF5764,
    NvId_SetIllumZonesControl = 0x197D065E,
    NvId_DrsCreateSession = 0x0694D52E,
    NvId_DrsDestroySession = 0xDAD9CFF8,
    NvId_DrsLoadSettings = 0x375DBD6B,
    NvId_DrsSaveSettings = 0xFCBC7E14,
    NvId_DrsGetBaseProfile = 0xDA8466A0,
    NvId_DrsSetSetting = 0x577DD202,
    NvId_DrsGetSetting = 0x73BF8338,
    NvId_DrsDeleteProfileSetting = 0xE4A26362,
};

namespace nvapi {

// The driver function for `id`, loading the driver library on first use. On failure
// returns null with *status -2 (library missing), -1 (no query export) or -3 (no such
// function). Found pointers are cached per identifier.
void* Query(std::uint32_t id, int* status);

// The result of a call made with the first structure version the driver accepts.
struct VersionedResult {
    int status;
    std::uint32_t version;  // the version word the answer belongs to; 0 when none was accepted
};

// Calls `invoke(version)` with the version words in order, newest first, while the
// driver answers -9. For blocks whose layout differs between versions: the caller
// builds each version's block itself.
template <class Invoke>
VersionedResult CallEachVersion(const std::uint32_t* versions, int count, Invoke invoke) {
    for (int i = 0; i < count; ++i) {
        const int status = invoke(versions[i]);
        if (status != NvIncompatibleStructVersion) return {status, versions[i]};
    }
    return {NvIncompatibleStructVersion, 0};
}

template <std::size_t N, class Invoke>
VersionedResult CallEachVersion(const std::uint32_t (&versions)[N], Invoke invoke) {
    return CallEachVersion(versions, static_cast<int>(N), invoke);
}

// Calls `invoke(&block)` with the version words in order, newest first: on -9 the next
// older word is put into the block's first 32 bits and nothing else changes.
template <class Block, class Invoke>
VersionedResult CallVersioned(Block& block, const std::uint32_t* versions, int count, Invoke invoke) {
    return CallEachVersion(versions, count, [&](std::uint32_t version) {
        *reinterpret_cast<std::uint32_t*>(&block) = version;
        return invoke(&block);
    });
}

template <class Block, std::size_t N, class Invoke>
VersionedResult CallVersioned(Block& block, const std::uint32_t (&versions)[N], Invoke invoke) {
    return CallVersioned(block, versions, static_cast<int>(N), invoke);
}

}  // namespace nvapi

// The system's LoadLibraryExW; tests replace it to play a system without the
// search-path update.
struct HINSTANCE__;
using DriverLibraryLoader = HINSTANCE__*(__stdcall*)(const wchar_t* name, void* file, unsigned long flags);
DriverLibraryLoader SetDriverLibraryLoaderForTesting(DriverLibraryLoader loader);

// Tests only: binds another library name (null restores "nvapi64.dll") and forgets
// the loaded library and every cached pointer.
void RebindDriverLibraryForTesting(const wchar_t* libraryName);
