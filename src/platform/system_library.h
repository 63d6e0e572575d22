// Loading code into an elevated process only from the system directory, for both
// programs and Kelvor's extractor. Header-only: nothing to link.
#pragma once

#include <windows.h>

#include <cwchar>

// Every later LoadLibrary of this process searches the system directory only, never
// the program's own or the current directory, where an unelevated program could
// plant a DLL. Systems without the search-path update still drop the current directory.
inline void RestrictDllSearchToSystem() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (restrict && restrict(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
    ::SetDllDirectoryW(L"");
}

using LibraryLoader = HMODULE(WINAPI*)(LPCWSTR name, HANDLE file, DWORD flags);

// Loads `name` from the system directory. Where the system refuses the search flag as an
// invalid parameter (Windows 7 without the search-path update), the same file by its
// full path, its own dependencies searched beside it.
inline HMODULE LoadSystemLibrary(const wchar_t* name, LibraryLoader load = &::LoadLibraryExW) {
    HMODULE module = load(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || ::GetLastError() != ERROR_INVALID_PARAMETER) return module;
    wchar_t path[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + 1 + std::wcslen(name) >= MAX_PATH) return nullptr;
    std::wcscat(path, L"\\");
    std::wcscat(path, name);
    return load(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
