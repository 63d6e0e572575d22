// The window shape of a bitmap computed the slow way, by its definition, to check
// (and measure) the fast one against.
#pragma once

#include "skin/image.h"

#include <windows.h>

// The shape by its definition: pixel by pixel, runs of key colour subtracted row by row.
inline HRGN ReferenceShape(HBITMAP bitmap) {
    const SIZE size = BitmapSize(bitmap);
    HRGN region = ::CreateRectRgn(0, 0, size.cx - 1, size.cy - 1);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    auto isKey = [&](int x, int y) { return x < size.cx && y < size.cy && ::GetPixel(dc, x, y) == kKeyColour; };
    for (int y = 0; y <= size.cy; ++y) {
        for (int x = 0; x <= size.cx; ++x) {
            if (!isKey(x, y)) continue;
            const int start = x;
            while (isKey(x, y)) ++x;
            HRGN run = ::CreateRectRgn(start, y, x, y + 1);
            ::CombineRgn(region, region, run, RGN_DIFF);
            ::DeleteObject(run);
        }
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return region;
}
