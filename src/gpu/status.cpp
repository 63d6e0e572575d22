#include "status.h"

#include "gpu/nvapi.h"

int DebugModeWarningArmed = 1;

namespace {
DebugModeNotice g_notice = nullptr;
}

void SetDebugModeNotice(DebugModeNotice notice) { g_notice = notice; }

int GpuCheckStatus(int status) { return status == NvOk ? 0 : 1; }

int GpuCheckDebugMode(int status) {
    if (status != NvGpuInDebugMode) return 0;
    if (DebugModeWarningArmed == 1) {
        if (g_notice) g_notice();
        DebugModeWarningArmed = 0;
    }
    return 1;
}
