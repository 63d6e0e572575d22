// The board-level work around modes that the main window starts: re-applying every
// board's last mode at start, and the periodic application of fan curves and LED
// effects. `host` is the main window, whose mode buttons and dialogs they use.
#pragma once

#include "profiles/mode_host.h"

// Re-applies the active mode of boards 0 … count − 1 and lights the selected board's
// mode button. No mode is stored yet, so there is nothing to re-apply.
void RestoreAtStart(ModeHost& host, int count);

// Fan curves of boards in curve mode; `full` also reloads the fan settings.
// Curve mode cannot be chosen yet, so no board needs it.
void ApplyFanModes(ModeHost& host, bool full);

// LED effects of every board; `full` also reloads the LED settings and runs the
// effects that are set once. No effect can be chosen yet, so the boards keep theirs.
void ApplyLedSettings(ModeHost& host, bool full);
