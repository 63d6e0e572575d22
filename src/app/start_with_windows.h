// Starting Zorvane when the user logs on: the Run value and the logon task, kept together.
#pragma once

// HKEY_CURRENT_USER key holding the Run value, and the value's name.
extern const wchar_t kRunKeyPath[];
extern const wchar_t kRunValueName[];

// Opens the Run key (32-bit view, full access); when that works, stores
// "\"<executablePath>\" /A" under "Zorvane" and registers the logon task.
// Returns false, touching nothing, when the key cannot be opened.
bool RegisterStartWithWindows(const wchar_t* executablePath, const wchar_t* runKeyPath = kRunKeyPath);

// Opens the Run key the same way; when that works, deletes the value and the task.
bool UnregisterStartWithWindows(const wchar_t* runKeyPath = kRunKeyPath);
