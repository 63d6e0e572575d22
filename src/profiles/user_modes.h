// User modes: a board's tuning kept in its registry key under a slot number (1 to 8;
// the built-in modes use 97, 98 and 99), saved from the selected board and applied to
// any board.
#pragma once

#include "profiles/mode_host.h"

// Stores SelectedBoard's fans, clocks, voltage, power and temperature targets,
// over-voltage, switch word, fan curves and LED effect into `slot`, and makes it the
// active slot.
void SaveUserMode(int slot);

// Applies what `slot` holds to `board` (absent values are skipped), makes it the active
// slot, pushes the fan modes and the LED settings, and refreshes the read-outs.
void ApplyMode(ModeHost& host, int board, int slot);

// Slot button `slot` (1 to 8) on SelectedBoard, its toggle already flipped: with Save
// armed it saves, else a button now checked applies, and one unchecked only records that
// no mode is active. Returns the slot whose button is to be lit, 0 for none.
int PressSlotButton(ModeHost& host, int slot, bool saveArmed, bool nowChecked);

// The top performance level L of a board (the pstate count less one, 0 below one) and
// whether the level L - step (step 0 to 3) counts: L always, L-1 when L > 1, L-2 when
// L > 2, L-3 when L > 0 (saved as 0 while that level does not exist).
int ModeTopLevel(int board);
bool ModeLevelKept(int step, int top);

// The slot's name for a field: "UserMode<slot><field>", `field` perhaps with a "%d"
// that takes `point`.
const wchar_t* SlotValueName(int slot, const wchar_t* field, wchar_t (&name)[48], int point = 0);
