// The warning shown when the driver refuses an overclock because the board is in Debug Mode.
#pragma once

void ShowDebugModeNotice();
