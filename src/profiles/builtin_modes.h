// The board-level work around modes that the main window starts: re-applying every
// board's last mode at start, and the periodic application of fan curves and LED
// effects. `host` is the main window, whose mode buttons and dialogs they use.
#pragma once

#include "profiles/mode_host.h"

// Re-applies the active mode of boards 0 … count − 1 and lights the selected board's
// mode button. No mode is stored yet, so there is nothing to re-apply.
void RestoreAtStart(ModeHost& host, int count);

// One pass of the fan-curve follower: every board's fan group in curve mode gets the
// curve's level at the board's temperature, manually; a group whose board gives no
// temperature goes back to the driver's automatic control for this pass. `full` first
// reloads the fan dialog's settings.
void ApplyFanModes(ModeHost& host, bool full);

// Every board's stored LED effect: the temperature colours (sent only when they change)
// and the rainbow on every pass; with `full` the LED dialog's settings are reloaded
// first and the effects that are set once are sent too. The rainbow moves on after each pass.
void ApplyLedSettings(ModeHost& host, bool full);
