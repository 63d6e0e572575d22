// Every message box goes through one replaceable function, so tests never block on one.
#pragma once

#include <windows.h>

using MessageBoxFunction = int (WINAPI*)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// Shows a message box through the current function (MessageBoxW unless replaced).
int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

// Replaces the function; returns the previous one. Null restores MessageBoxW.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);
