// Where the running program is: its executable's full path and its directory.
// Header-only: nothing to link.
#pragma once

#include <windows.h>

#include <string>

inline void GetExecutablePath(wchar_t (&path)[MAX_PATH]) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    path[length < MAX_PATH ? length : MAX_PATH - 1] = L'\0';
}

inline std::wstring ExecutablePath() {
    wchar_t path[MAX_PATH];
    GetExecutablePath(path);
    return path;
}

// The executable's directory with its trailing backslash.
inline std::wstring ExecutableDirectory() {
    std::wstring directory = ExecutablePath();
    directory.erase(directory.find_last_of(L'\\') + 1);
    return directory;
}
