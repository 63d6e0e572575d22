#include "profiles/builtin_modes.h"

void RestoreAtStart(CWnd*, int) {}

void ApplyFanModes(CWnd*, bool) {}

void ApplyLedSettings(CWnd*, bool) {}
