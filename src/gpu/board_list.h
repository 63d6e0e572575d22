// The boards the driver lists, and the one the front panel shows.
#pragma once

#include "gpu/nvapi.h"

constexpr int kMaxBoards = 128;

// Ordinary boards first, then TCC boards, each group in the driver's order.
extern NvPhysicalGpuHandle BoardHandles[kMaxBoards];
// Filled entries of BoardHandles; 0 until GpuInitialize succeeds.
extern unsigned BoardCount;
// Board index the main window shows: set from the command line before any window
// exists, later changed only by the board buttons.
extern int SelectedBoard;

// Initialises the driver and lists the boards; returns BoardCount (0 without a driver).
int GpuInitialize();

// The handle of a listed board, or null for an index outside the list or an empty slot.
NvPhysicalGpuHandle BoardHandle(int board);
