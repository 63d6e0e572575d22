// NVIDIA display devices, disabled while the flashing utility runs.
#include "biosbackup/devices.h"

#include <cstdlib>
#include <cstring>
#include <devguid.h>

int MatchHardwareIdList(const char* list, const char* text) {
    if (list == nullptr || list[0] == '\0') return -1;
    if (std::strcmp(list, text) == 0) return 0;
    return std::strstr(list, text) != nullptr ? 1 : -1;
}

int MatchHardwareId(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD property, const char* text) {
    DWORD size = 0;
    SetupDiGetDeviceRegistryPropertyA(set, device, property, nullptr, nullptr, 0, &size);
    for (int attempt = 0; attempt < 8 && size > 0; ++attempt) {
        // Two extra zero characters end the list even if the value lacks them.
        char* buffer = static_cast<char*>(std::calloc(size + 2, 1));
        if (buffer == nullptr) return -1;
        DWORD needed = 0;
        if (SetupDiGetDeviceRegistryPropertyA(set, device, property, nullptr, reinterpret_cast<BYTE*>(buffer), size,
                                              &needed)) {
            const int match = MatchHardwareIdList(buffer, text);
            std::free(buffer);
            return match;
        }
        std::free(buffer);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= size) return -1;
        size = needed;
    }
    return -1;
}

bool ChangeDeviceState(HDEVINFO set, SP_DEVINFO_DATA* device, DWORD state) {
    SP_PROPCHANGE_PARAMS params{};
    params.ClassInstallHeader.cbSize = sizeof(SP_CLASSINSTALL_HEADER);
    params.ClassInstallHeader.InstallFunction = DIF_PROPERTYCHANGE;
    params.StateChange = state;
    params.Scope = DICS_FLAG_GLOBAL;
    params.HwProfile = 0;
    if (!SetupDiSetClassInstallParamsA(set, device, &params.ClassInstallHeader, sizeof params) ||
        !SetupDiCallClassInstaller(DIF_PROPERTYCHANGE, set, device)) {
        return false;
    }
    // A device that only changes after a restart has not changed now.
    SP_DEVINSTALL_PARAMS_A install{};
    install.cbSize = sizeof install;
    return SetupDiGetDeviceInstallParamsA(set, device, &install) &&
           (install.Flags & (DI_NEEDREBOOT | DI_NEEDRESTART)) == 0;
}

DeviceChange ChangeNvidiaDisplayDevices(DWORD state) {
    DeviceChange change;
    HDEVINFO set = SetupDiGetClassDevsA(&GUID_DEVCLASS_DISPLAY, "PCI", nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) return change;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; SetupDiEnumDeviceInfo(set, index, &device); ++index) {
        if (MatchHardwareId(set, &device, SPDRP_HARDWAREID, kNvidiaHardwarePrefix) == 1) {
            ++change.matched;
            if (!ChangeDeviceState(set, &device, state)) ++change.failed;
        }
    }
    SetupDiDestroyDeviceInfoList(set);
    return change;
}
