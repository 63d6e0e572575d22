// Small PNG files made by the tests themselves, pixel by pixel, with GDI+.
#pragma once

#include "skin/image.h"  // GdiplusSession

#include <windows.h>
#include <gdiplus.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

// A fresh directory under the temporary directory, removed with its files at the end.
class TempDirectory {
public:
    explicit TempDirectory(const wchar_t* name) {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + name + L"\\";
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TempDirectory() {
        for (const std::wstring& file : m_files) ::DeleteFileW(file.c_str());
        ::RemoveDirectoryW(m_path.c_str());
    }
    const std::wstring& path() const { return m_path; }
    std::wstring File(const std::wstring& name) {
        m_files.push_back(m_path + name);
        return m_path + name;
    }
    std::wstring WriteBytes(const std::wstring& name, const std::string& bytes) {
        const std::wstring file = File(name);
        HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(handle);
        return file;
    }

private:
    std::wstring m_path;
    std::vector<std::wstring> m_files;
};

inline bool PngEncoder(CLSID* clsid) {
    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    if (size == 0) return false;
    std::vector<BYTE> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, encoders);
    for (UINT i = 0; i < count; ++i) {
        if (std::wcscmp(encoders[i].MimeType, L"image/png") == 0) {
            *clsid = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

// Writes a PNG whose pixel (x, y) is pixel(x, y) as 0xAARRGGBB.
inline bool WritePng(const std::wstring& path, int width, int height,
                     const std::function<Gdiplus::ARGB(int, int)>& pixel) {
    Gdiplus::Bitmap image(width, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) image.SetPixel(x, y, Gdiplus::Color(pixel(x, y)));
    }
    CLSID png;
    return PngEncoder(&png) && image.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

constexpr Gdiplus::ARGB kOpaqueKey = 0xFF00000C;
