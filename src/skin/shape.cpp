#include "shape.h"

#include "skin/image.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::uint32_t kKeyPixel = 0x0000000C;  // blue 12 in a 32-bit DIB pixel (B, G, R, A)

}  // namespace

gdi::Region ShapeRegionFromBitmap(HBITMAP bitmap) {
    const SIZE size = BitmapSize(bitmap);
    if (size.cx <= 0 || size.cy <= 0) return {};
    const int width = size.cx, height = size.cy;

    // All pixel rows at once, top-down, 32 bits a pixel.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    const gdi::WindowDC screen(nullptr);
    const int rows = ::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    if (rows != height) return {};

    // One rectangle per run of shape pixels inside (0, 0)–(W − 1, H − 1).
    std::vector<RECT> runs;
    for (int y = 0; y < height - 1; ++y) {
        const std::uint32_t* row = &pixels[static_cast<std::size_t>(y) * width];
        for (int x = 0; x < width - 1;) {
            if ((row[x] & 0x00FFFFFF) == kKeyPixel) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width - 1 && (row[x] & 0x00FFFFFF) != kKeyPixel) ++x;
            runs.push_back(RECT{start, y, x, y + 1});
        }
    }
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(runs.size());
    region->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    region->rdh.rcBound = RECT{0, 0, width - 1, height - 1};
    if (!runs.empty()) std::memcpy(region->Buffer, runs.data(), runs.size() * sizeof(RECT));
    return gdi::Region(::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region));
}

void ShapeFromBitmap(HWND window, HBITMAP bitmap) {
    // No picture: no visible area. A picture whose pixels cannot be read leaves the
    // window as it is rather than making it invisible.
    gdi::Region region = bitmap ? ShapeRegionFromBitmap(bitmap) : gdi::Region(::CreateRectRgn(0, 0, 0, 0));
    // The window owns the region once it took it.
    if (region && ::SetWindowRgn(window, region.get(), TRUE)) region.Release();
}

void ShapeFromImage(HWND window, const wchar_t* path) {
    ShapeFromBitmap(window, LoadSkinBitmap(path).get());
}
