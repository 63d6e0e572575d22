#include "profiles/builtin_modes.h"

void RestoreAtStart(ModeHost&, int) {}

void ApplyFanModes(ModeHost&, bool) {}

void ApplyLedSettings(ModeHost&, bool) {}
