// NVIDIA display devices, disabled while the flashing utility runs.
#pragma once

#include <windows.h>
#include <setupapi.h>

#include "biosbackup/backup_worker.h"

constexpr const char kNvidiaHardwarePrefix[] = "PCI\\VEN_10DE&DEV_";

// 0 when the first string of the hardware identifier list equals `text`, 1 when
// it contains it, -1 otherwise (also for an empty or missing list).
int MatchHardwareIdList(const char* list, const char* text);

// The same on a device's hardware identifier property; -1 when it cannot be read.
int MatchHardwareId(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property, const char* text);

// Enable (DICS_ENABLE) or disable (DICS_DISABLE) a device in all hardware
// profiles; false when the setup service refused or the change waits for a restart.
bool ChangeDeviceState(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD state);

// Applies `state` to every present NVIDIA display adapter on "PCI".
DeviceChange ChangeNvidiaDisplayDevices(DWORD state);
