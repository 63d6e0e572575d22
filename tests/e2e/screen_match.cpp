#include "screen_match.h"

#include <gdiplus.h>

#include <cstdlib>

Picture LoadPicture(const std::wstring& path) {
    Picture picture;
    Gdiplus::Bitmap bitmap(path.c_str());
    if (bitmap.GetLastStatus() != Gdiplus::Ok) return picture;
    const int width = static_cast<int>(bitmap.GetWidth()), height = static_cast<int>(bitmap.GetHeight());
    Gdiplus::Rect rect(0, 0, width, height);
    Gdiplus::BitmapData data{};
    if (bitmap.LockBits(&rect, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return picture;
    picture.width = width;
    picture.height = height;
    picture.argb.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
        std::copy(row, row + width, picture.argb.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    bitmap.UnlockBits(&data);
    return picture;
}

Picture CaptureScreen(const RECT& area) {
    Picture picture;
    picture.width = area.right - area.left;
    picture.height = area.bottom - area.top;
    if (picture.width <= 0 || picture.height <= 0) return Picture{};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, picture.width, picture.height, screen, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    picture.argb.assign(pixels, pixels + static_cast<std::size_t>(picture.width) * picture.height);
    for (auto& pixel : picture.argb) pixel |= 0xFF000000u;
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return picture;
}

double PictureDistance(const Picture& screen, int x, int y, const Picture& image) {
    long long total = 0, count = 0;
    for (int iy = 0; iy < image.height; ++iy) {
        for (int ix = 0; ix < image.width; ++ix) {
            const std::uint32_t want = image.at(ix, iy);
            if ((want >> 24) != 0xFF) continue;
            const int sx = x + ix, sy = y + iy;
            if (sx < 0 || sy < 0 || sx >= screen.width || sy >= screen.height) return 255.0;
            const std::uint32_t got = screen.at(sx, sy);
            for (int shift = 0; shift < 24; shift += 8) {
                total += std::abs(static_cast<int>((want >> shift) & 0xFF) - static_cast<int>((got >> shift) & 0xFF));
            }
            count += 3;
        }
    }
    return count ? static_cast<double>(total) / static_cast<double>(count) : 255.0;
}

int ClosestPicture(const Picture& screen, int x, int y, const std::vector<Picture>& candidates, double tolerance) {
    int best = -1;
    double bestDistance = tolerance;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const double distance = PictureDistance(screen, x, y, candidates[i]);
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}
