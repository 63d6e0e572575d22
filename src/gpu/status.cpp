#include "status.h"

#include "framework/prompt.h"
#include "gpu/nvapi.h"

int DebugModeWarningArmed = 1;

int GpuCheckStatus(int status) { return status == NvOk ? 0 : 1; }

int GpuCheckDebugMode(int status) {
    if (status != NvGpuInDebugMode) return 0;
    if (DebugModeWarningArmed == 1) {
        ShowMessageBox(nullptr,
                       L"GPU is in \"Debug Mode\", overclock(OC) is NOT allowed.\n"
                       L"To exit the \"Debug Mode\", please uncheck the option in\n"
                       L"\n"
                       L" NVIDIA Control Panel -> Help -> Debug Mode\n",
                       L"NVIDIA Control Panel - Debug Mode", MB_ICONWARNING);
        DebugModeWarningArmed = 0;
    }
    return 1;
}
