// The product key as a user (or a broken installation) leaves it: values written as
// text in the 32-bit view, and the whole key removed between tests.
#pragma once

#include <windows.h>

#include <cwchar>
#include <string>

constexpr const wchar_t* kProductKeyPath = L"Software\\Drelmont\\Zorvane";

// A value of the product key or of one of its subkeys ("10DE1E8712340001\\0").
inline bool SetProductValueAt(const std::wstring& subkey, const wchar_t* name, const wchar_t* text) {
    const std::wstring path = subkey.empty() ? std::wstring(kProductKeyPath) : std::wstring(kProductKeyPath) + L"\\" + subkey;
    HKEY key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG status = ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                         static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

inline bool SetProductValue(const wchar_t* name, const wchar_t* text) { return SetProductValueAt(L"", name, text); }

// A value of a key under HKEY_CURRENT_USER (32-bit view) as text, or "(no key)" /
// "(no value)".
inline std::wstring StoredValue(const std::wstring& path, const wchar_t* name) {
    HKEY key;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
        return L"(no key)";
    }
    wchar_t text[300] = {};
    DWORD bytes = sizeof(text) - sizeof(wchar_t);
    const LONG status = ::RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &bytes);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::wstring(text) : std::wstring(L"(no value)");
}

inline void ClearProductKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, kProductKeyPath); }
