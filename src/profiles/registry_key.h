// A registry key handle that closes itself; move-only.
#pragma once

#include "platform/unique_handle.h"

#include <windows.h>

inline void CloseRegistryKey(HKEY key) { ::RegCloseKey(key); }

// How many keys the program opened so far (benchmarks report it per operation).
inline unsigned long g_registryKeysOpened = 0;

class RegistryKey : public UniqueHandle<HKEY, &CloseRegistryKey> {
public:
    using UniqueHandle::UniqueHandle;

    // Opens `name` under `parent`, creating what is missing, with full access in the
    // 32-bit view (the view every key of the program lives in); empty on failure.
    static RegistryKey Create(HKEY parent, const wchar_t* name) {
        ++g_registryKeysOpened;
        HKEY key = nullptr;
        if (::RegCreateKeyExW(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr) !=
            ERROR_SUCCESS) {
            return {};
        }
        return RegistryKey(key);
    }
    // Opens an existing key the same way; empty when it does not exist.
    static RegistryKey Open(HKEY parent, const wchar_t* name) {
        ++g_registryKeysOpened;
        HKEY key = nullptr;
        if (::RegOpenKeyExW(parent, name, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return {};
        return RegistryKey(key);
    }
};
