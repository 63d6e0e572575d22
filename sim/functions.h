// The simulated driver's entry points, one per interface identifier.
#pragma once

#include "model.h"

namespace sim {

int __cdecl Initialize();
int __cdecl EnumPhysicalGPUs(void** handles, std::uint32_t* count);
int __cdecl EnumTCCPhysicalGPUs(void** handles, std::uint32_t* count);
int __cdecl GetPstates20(void* gpu, void* block);
int __cdecl SetPstates20(void* gpu, void* block);
int __cdecl GetClockDomainsInfo(void* gpu, void* block);
int __cdecl GetVfPointsMask(void* gpu, void* block);
int __cdecl GetVfPointsControl(void* gpu, void* block);
int __cdecl SetVfPointsControl(void* gpu, void* block);
int __cdecl GetPerfClocks(void* gpu, std::uint32_t level, void* block);
int __cdecl SetPerfClocks(void* gpu, std::uint32_t level, void* block);
int __cdecl GetPstatesInfo(void* gpu, void* block);
int __cdecl GetPstatesInfoEx(void* gpu, void* block, std::uint32_t flags);

// A newly loaded scenario starts before NvAPI_Initialize.
void ResetInitialized();

}  // namespace sim
