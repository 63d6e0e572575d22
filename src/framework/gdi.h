// Owners of GDI objects: each releases what it holds exactly once, in the order GDI
// needs (a bitmap goes back out of its context before either is deleted). Move-only.
#pragma once

#include "platform/unique_handle.h"

#include <windows.h>

#include <utility>

namespace gdi {

inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }

// A GDI object deleted with DeleteObject: bitmap, font, pen, brush, region.
template <class Handle>
using GdiObject = UniqueHandle<Handle, &DeleteGdiObject>;

using Bitmap = GdiObject<HBITMAP>;
using Font = GdiObject<HFONT>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Region = GdiObject<HRGN>;

// Selects an object into a context for a scope and puts the displaced one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_displaced(dc && object ? ::SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() {
        if (m_displaced) ::SelectObject(m_dc, m_displaced);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_displaced;
};

// A memory context (CreateCompatibleDC), deleted with DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith = nullptr) : m_dc(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (m_dc) ::DeleteDC(m_dc);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc;
};

// A window's or the screen's context (GetDC), given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    ~WindowDC() {
        if (m_dc) ::ReleaseDC(m_window, m_dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// A picture kept in a memory context: the context owns the selected bitmap until the
// picture is reset, when the displaced bitmap goes back, then the context and the
// bitmap are deleted.
class MemoryPicture {
public:
    MemoryPicture() = default;
    ~MemoryPicture() { Reset(); }
    MemoryPicture(MemoryPicture&& other) noexcept
        : m_dc(std::exchange(other.m_dc, nullptr)),
          m_bitmap(std::move(other.m_bitmap)),
          m_displaced(std::exchange(other.m_displaced, nullptr)) {}
    MemoryPicture& operator=(MemoryPicture&& other) noexcept {
        if (this != &other) {
            Reset();
            m_dc = std::exchange(other.m_dc, nullptr);
            m_bitmap = std::move(other.m_bitmap);
            m_displaced = std::exchange(other.m_displaced, nullptr);
        }
        return *this;
    }
    MemoryPicture(const MemoryPicture&) = delete;
    MemoryPicture& operator=(const MemoryPicture&) = delete;

    // Takes `bitmap` into a new context compatible with `compatibleWith`; false (and
    // empty) when either is missing.
    bool Take(Bitmap bitmap, HDC compatibleWith = nullptr) {
        Reset();
        if (!bitmap) return false;
        m_dc = ::CreateCompatibleDC(compatibleWith);
        if (!m_dc) return false;
        m_bitmap = std::move(bitmap);
        m_displaced = ::SelectObject(m_dc, m_bitmap.get());
        return true;
    }
    // A new bitmap of `width` × `height` compatible with `compatibleWith`.
    bool Create(HDC compatibleWith, int width, int height) {
        return Take(Bitmap(::CreateCompatibleBitmap(compatibleWith, width, height)), compatibleWith);
    }
    void Reset() {
        if (m_dc) {
            ::SelectObject(m_dc, m_displaced);
            ::DeleteDC(m_dc);
        }
        m_dc = nullptr;
        m_displaced = nullptr;
        m_bitmap.Reset();
    }

    HDC dc() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc = nullptr;
    Bitmap m_bitmap;
    HGDIOBJ m_displaced = nullptr;
};

}  // namespace gdi
