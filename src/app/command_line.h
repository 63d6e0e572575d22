// Zorvane's command-line switches.
#pragma once

enum class StartupCommand { RunWindow, Install, Uninstall };

struct CommandLineSwitches {
    bool autostart = false;                           // "/A": started at logon, start hidden
    int selectedBoard = 0;                            // "/G2" ... "/G20": board index N - 1
    StartupCommand command = StartupCommand::RunWindow;  // "/INSTALL" wins over "/UNINSTALL"
};

// Evaluates the argument text (without the program path). Switches are found as
// substrings of the text, case-insensitively; only the first 259 characters count.
CommandLineSwitches ParseCommandLine(const wchar_t* arguments);
