// Messages that a lower-integrity process may send to a window of this (elevated)
// program. Windows drops them otherwise: Explorer's "TaskbarCreated" broadcast and
// the notification icon's callbacks never arrive at an elevated window by default.
#pragma once

#include <windows.h>

// Lets `message` from any process reach `window`; false when the system refused.
bool AllowMessageFromShell(HWND window, UINT message);

// The system call behind it (ChangeWindowMessageFilterEx); tests replace it to record.
using MessageFilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
MessageFilterFunction SetMessageFilterFunction(MessageFilterFunction function);
