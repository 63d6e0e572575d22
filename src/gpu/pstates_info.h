// The performance-states information, read through whichever entry point the driver has.
#pragma once

#include "gpu/driver_structs.h"
#include "gpu/nvapi.h"

// Reads the pstate information with `versions`, newest first, through 0xBA94C56E, or
// through the published NvAPI_GPU_GetPstatesInfoEx (current values) where the driver
// has no 0xBA94C56E. The result's version tells which member of `info` is valid.
nvapi::VersionedResult ReadPstatesInfo(NvPhysicalGpuHandle gpu, PstatesInfoAnyVersion& info,
                                       const std::uint32_t* versions, int count);

template <std::size_t N>
nvapi::VersionedResult ReadPstatesInfo(NvPhysicalGpuHandle gpu, PstatesInfoAnyVersion& info,
                                       const std::uint32_t (&versions)[N]) {
    return ReadPstatesInfo(gpu, info, versions, static_cast<int>(N));
}
