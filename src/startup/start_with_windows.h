// Starting Zorvane when the user logs on: the Run value and the logon task, kept together.
#pragma once

#include <string>

// HKEY_CURRENT_USER key holding the Run value, and the value's name.
extern const wchar_t kRunKeyPath[];
extern const wchar_t kRunValueName[];

// What a registration did: nothing when the Run key could not be opened; else the
// value was written (or deleted) and `task` tells whether the logon task followed.
enum class StartRegistration { KeyNotOpened, TaskFailed, Done };

// Opens the Run key (32-bit view, full access); when that works, stores
// "\"<executablePath>\" /A" under "Zorvane" and registers the logon task.
StartRegistration RegisterStartWithWindows(const wchar_t* executablePath, const wchar_t* runKeyPath = kRunKeyPath);

// The Run value's text that starts `executablePath` at logon: "\"<path>\" /A".
std::wstring StartCommand(const wchar_t* executablePath);

// Whether the Run value is there (the key opens and the value reads); a value that is
// not this executable's command (a moved installation) is rewritten with it.
bool CheckStartWithWindows(const wchar_t* executablePath, const wchar_t* runKeyPath = kRunKeyPath);

// Opens the Run key the same way; when that works, deletes the value and the task.
StartRegistration UnregisterStartWithWindows(const wchar_t* runKeyPath = kRunKeyPath);

// The exit code of "/INSTALL" and "/UNINSTALL": 0 done, 1 the task failed, 2 the Run
// key could not be opened.
int RegistrationExitCode(StartRegistration result);
