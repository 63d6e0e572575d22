// A registry key handle that closes itself; move-only.
#pragma once

#include <windows.h>

#include <utility>

class RegistryKey {
public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : m_key(key) {}
    ~RegistryKey() { Reset(); }
    RegistryKey(RegistryKey&& other) noexcept : m_key(other.Release()) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens `name` under `parent`, creating what is missing, with full access in the
    // 32-bit view (the view every key of the program lives in); empty on failure.
    static RegistryKey Create(HKEY parent, const wchar_t* name) {
        HKEY key = nullptr;
        if (::RegCreateKeyExW(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr) !=
            ERROR_SUCCESS) {
            return {};
        }
        return RegistryKey(key);
    }
    // Opens an existing key the same way; empty when it does not exist.
    static RegistryKey Open(HKEY parent, const wchar_t* name) {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(parent, name, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return {};
        return RegistryKey(key);
    }

    HKEY get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }
    HKEY Release() { return std::exchange(m_key, nullptr); }
    void Reset(HKEY key = nullptr) {
        if (m_key) ::RegCloseKey(m_key);
        m_key = key;
    }

private:
    HKEY m_key = nullptr;
};
