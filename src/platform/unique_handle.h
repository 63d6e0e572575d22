// One owner for a system handle that must be given back exactly once: move-only,
// released through `Close` when it goes.
#pragma once

#include <utility>

template <class Handle, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    // Gives the handle up: the caller (or whoever took it) owns it now.
    Handle Release() { return std::exchange(m_handle, nullptr); }
    void Reset(Handle handle = nullptr) {
        if (m_handle) Close(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};
