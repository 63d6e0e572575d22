// The simulated driver's I2C, illumination-zone and driver-settings calls.
#pragma once

#include <cstdint>

namespace sim {

int __cdecl I2cReadEx(void* gpu, void* block, std::uint32_t* extra);
int __cdecl I2cWriteEx(void* gpu, void* block, std::uint32_t* extra);
int __cdecl GetIllumZonesControl(void* gpu, void* block);
int __cdecl SetIllumZonesControl(void* gpu, void* block);
int __cdecl DrsCreateSession(void** session);
int __cdecl DrsDestroySession(void* session);
int __cdecl DrsLoadSettings(void* session);
int __cdecl DrsSaveSettings(void* session);
int __cdecl DrsGetBaseProfile(void* session, void** profile);
int __cdecl DrsSetSetting(void* session, void* profile, void* block);
int __cdecl DrsGetSetting(void* session, void* profile, std::uint32_t id, void* block);
int __cdecl DrsDeleteProfileSetting(void* session, void* profile, std::uint32_t id);

}  // namespace sim
