// The product key as a user (or a broken installation) leaves it: values written as
// text in the 32-bit view, and the whole key removed between tests.
#pragma once

#include <windows.h>

#include <cwchar>

constexpr const wchar_t* kProductKeyPath = L"Software\\Drelmont\\Zorvane";

inline bool SetProductValue(const wchar_t* name, const wchar_t* text) {
    HKEY key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kProductKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                          &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG status = ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                         static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

inline void ClearProductKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kProductKeyPath); }
