// The boards the driver lists and the one the front panel shows.
#pragma once

// Board index the main window shows: set from the command line before any window
// exists, later changed only by the board buttons.
extern int SelectedBoard;
