#include "pause.h"

#include <windows.h>

namespace {
bool g_skip = false;
}

void GpuPause(unsigned milliseconds) {
    if (!g_skip) ::Sleep(milliseconds);
}

void SkipGpuPausesForTesting(bool skip) { g_skip = skip; }
