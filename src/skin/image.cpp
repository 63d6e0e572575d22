#include "image.h"

#include <gdiplus.h>

#include <cstdint>
#include <cstring>

namespace {

// The size a PNG file declares in its header, read before anything is decoded; false
// for a file that is not a PNG.
bool PngHeaderSize(const wchar_t* path, std::uint32_t& width, std::uint32_t& height) {
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    unsigned char header[24] = {};
    DWORD read = 0;
    const BOOL ok = ::ReadFile(file, header, sizeof(header), &read, nullptr);
    ::CloseHandle(file);
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (!ok || read != sizeof(header) || std::memcmp(header, kSignature, 8) != 0 ||
        std::memcmp(header + 12, "IHDR", 4) != 0) {
        return false;
    }
    auto big = [&](int at) {
        return (std::uint32_t(header[at]) << 24) | (std::uint32_t(header[at + 1]) << 16) |
               (std::uint32_t(header[at + 2]) << 8) | header[at + 3];
    };
    width = big(16);
    height = big(20);
    return true;
}

}  // namespace

gdi::Bitmap LoadSkinBitmap(const wchar_t* path, int* width, int* height) {
    if (width) *width = 0;
    if (height) *height = 0;
    std::uint32_t declaredWidth = 0, declaredHeight = 0;
    if (!path || !PngHeaderSize(path, declaredWidth, declaredHeight)) return {};
    if (declaredWidth == 0 || declaredHeight == 0 || declaredWidth > kMaxImageSide || declaredHeight > kMaxImageSide) {
        return {};
    }
    Gdiplus::Bitmap image(path, FALSE);
    if (image.GetLastStatus() != Gdiplus::Ok || image.GetWidth() == 0 || image.GetHeight() == 0) return {};
    const INT w = static_cast<INT>(image.GetWidth()), h = static_cast<INT>(image.GetHeight());
    // Compose over the key colour by drawing, which blends every pixel format the same
    // way (straight or premultiplied alpha, palettes with transparency), pixel for pixel.
    const Gdiplus::Color key(255, GetRValue(kKeyColour), GetGValue(kKeyColour), GetBValue(kKeyColour));
    Gdiplus::Bitmap composed(w, h, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&composed);
        graphics.Clear(key);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        if (graphics.DrawImage(&image, Gdiplus::Rect(0, 0, w, h), 0, 0, w, h, Gdiplus::UnitPixel) != Gdiplus::Ok) {
            return {};
        }
    }
    HBITMAP bitmap = nullptr;
    if (composed.GetHBITMAP(key, &bitmap) != Gdiplus::Ok) return {};
    if (width) *width = static_cast<int>(image.GetWidth());
    if (height) *height = static_cast<int>(image.GetHeight());
    ++g_skinPicturesDecoded;
    return gdi::Bitmap(bitmap);
}

GdiplusSession::GdiplusSession() {
    const Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
}

GdiplusSession::~GdiplusSession() {
    if (m_token) Gdiplus::GdiplusShutdown(m_token);
}

gdi::Bitmap CopyBitmap(HBITMAP bitmap) {
    return gdi::Bitmap(bitmap ? static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)) : nullptr);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}
