// How driver results are judged, and the one refusal the user is told about.
#pragma once

// 1 while the Debug Mode warning may be shown; showing it clears it. Every apply
// sequence (overclock apply, applying a mode, restoring defaults) sets it back to 1.
extern int DebugModeWarningArmed;

// 0 for a successful driver status, 1 for any other.
int GpuCheckStatus(int status);

// 1 when the driver refused a write because the board is in Debug Mode (-217), after
// warning the user once per apply sequence; 0 for any other status.
int GpuCheckDebugMode(int status);

// How the user is warned: the application installs it (the driver layer shows nothing
// itself). Null installs none.
using DebugModeNotice = void (*)();
void SetDebugModeNotice(DebugModeNotice notice);
