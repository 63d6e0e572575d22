// Where the skin lives: the UI directory beside the executable, the skin and
// language files in it, and the background picture of every dialog.
#pragma once

#include <windows.h>

enum DialogBackground {
    BackgroundMain,
    BackgroundSetting,
    BackgroundStatus,
    BackgroundOverClock,
    BackgroundInfo,
    BackgroundOverClock2,
    BackgroundFanCtrl,
    BackgroundFanCtrl2,
    BackgroundLedCtrl,
    DialogBackgroundCount
};

struct SkinPaths {
    wchar_t uiDirectory[MAX_PATH];   // "<exe directory>\UI\"
    wchar_t skinFile[MAX_PATH];      // "<UI directory>Zorvane.cfg"
    wchar_t languageFile[MAX_PATH];  // "<UI directory>Zorvane.loc"
    wchar_t background[DialogBackgroundCount][MAX_PATH];
};

// The process-wide paths, computed once at start-up.
extern SkinPaths g_skinPaths;

// Fills the UI directory and the skin and language file paths from the executable's path.
void BuildSkinPaths(const wchar_t* executablePath, SkinPaths& paths);

// Reads section "DIALOG" of the skin file into the background paths (defaults when absent).
void ReadDialogBackgrounds(SkinPaths& paths);

// The key and default picture of one background.
const wchar_t* DialogBackgroundKey(DialogBackground which);
const wchar_t* DialogBackgroundDefault(DialogBackground which);
