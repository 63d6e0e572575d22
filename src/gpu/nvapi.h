// The driver's programming interface: status codes, interface identifiers and the
// binding that resolves them through nvapi_QueryInterface.
#pragma once

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
};

namespace nvapi {

// The driver function for `id`, loading the driver library on first use. On failure
// returns null with *status -2 (library missing), -1 (no query export) or -3 (no such
// function). Found pointers are cached per identifier.
void* Query(std::uint32_t id, int* status);

// Calls the driver function `id` with exactly these argument types (cdecl).
template <class... Args>
int Call(std::uint32_t id, Args... args) {
    int status = NvOk;
    void* function = Query(id, &status);
    if (!function) return status;
    using Function = int(__cdecl*)(Args...);
    return reinterpret_cast<Function>(function)(args...);
}

// The result of a call made with the first structure version the driver accepts.
struct VersionedResult {
    int status;
    std::uint32_t version;  // the version word the answer belongs to; 0 when none was accepted
};

// Calls `invoke(block)` with the version words in order, newest first: on -9 the next
// older word is put into the block's first 32 bits and nothing else changes.
template <class Invoke>
VersionedResult CallVersioned(void* block, const std::uint32_t* versions, int count, Invoke invoke) {
    for (int i = 0; i < count; ++i) {
        *static_cast<std::uint32_t*>(block) = versions[i];
        const int status = invoke(block);
        if (status != NvIncompatibleStructVersion) return {status, versions[i]};
    }
    return {NvIncompatibleStructVersion, 0};
}

template <std::size_t N, class Invoke>
VersionedResult CallVersioned(void* block, const std::uint32_t (&versions)[N], Invoke invoke) {
    return CallVersioned(block, versions, static_cast<int>(N), invoke);
}

}  // namespace nvapi

// Tests only: binds another library name (null restores "nvapi64.dll") and forgets
// the loaded library and every cached pointer.
void RebindDriverLibraryForTesting(const wchar_t* libraryName);
