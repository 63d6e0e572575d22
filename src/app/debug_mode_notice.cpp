#include "debug_mode_notice.h"

#include "framework/prompt.h"

void ShowDebugModeNotice() {
    ShowMessageBox(nullptr,
                   L"GPU is in \"Debug Mode\", overclock(OC) is NOT allowed.\n"
                   L"To exit the \"Debug Mode\", please uncheck the option in\n"
                   L"\n"
                   L" NVIDIA Control Panel -> Help -> Debug Mode\n",
                   L"NVIDIA Control Panel - Debug Mode", MB_ICONWARNING);
}
