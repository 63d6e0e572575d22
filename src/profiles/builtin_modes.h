// The board-level work around modes that the main window starts: re-applying every
// board's last mode at start, and the periodic application of fan curves and LED
// effects. `host` is the main window, whose mode buttons and dialogs they use.
#pragma once

#include "profiles/mode_host.h"

// Slots of the built-in modes.
constexpr int kSlotSilence = 97, kSlotGaming = 98, kSlotOc = 99;

// Re-applies the active mode of boards 0 … count − 1 (at start the board count; 0 on a
// board switch) and lights the selected board's mode button.
void RestoreAtStart(ModeHost& host, int count);

// The start-up restore, guarded against one that ends the program (an unstable
// overclock would otherwise come back at every logon): "RestorePending" is 1 from
// before the first write until RestoreSettled. A start that finds it still 1 lights the
// buttons only and clears it.
enum class StartRestore { Applied, Skipped, NothingToApply };
StartRestore RestoreAtStartGuarded(ModeHost& host, int count);
// The program has run long enough after the restore (or ended normally).
void RestoreSettled();

// Writes the built-in values of the selected board's variant into slot 97, 98 or 99:
// fans automatic, the graphics curve offset and the power target. Nothing on a board
// that is not a variant with built-in modes.
void PrepareBuiltInMode(int slot);

// A built-in mode button: prepares its slot, lights the button and applies the slot.
void PressBuiltInModeButton(ModeHost& host, int slot);

// One pass of the fan-curve follower: every board's fan group in curve mode gets the
// curve's level at the board's temperature, manually; a group whose board gives no
// temperature goes back to the driver's automatic control for this pass. A group the
// curve held that is now stored as automatic but still under manual control (the driver
// refused the switch) is handed back again, pass after pass. `full` first reloads the fan
// dialog's settings.
void ApplyFanModes(ModeHost& host, bool full);

// Every board's stored LED effect: the temperature colours (sent only when they change)
// and the rainbow on every pass; with `full` the LED dialog's settings are reloaded
// first and the effects that are set once are sent too. The rainbow moves on after each pass.
void ApplyLedSettings(ModeHost& host, bool full);

// Every board's fan groups in curve mode back to the driver's automatic control: once
// the program ends nothing follows the curve. So are groups stored as automatic that the
// driver still holds under manual control (a switch to automatic it refused, which would
// otherwise leave the fan at the curve's last level). Fixed speeds and the stored modes stay.
void ReleaseCurveFans();

// The selected board back to its defaults: no active mode, fans automatic, the
// temperature LED effect, clocks, voltage, power and temperature targets, over-voltage,
// frame-rate target, the board controller's registers and memory over-voltage.
void RestoreDefaults(ModeHost& host);
