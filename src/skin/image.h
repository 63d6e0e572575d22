// Skin images: PNG files turned into device bitmaps composed over the key colour.
#pragma once

#include "framework/gdi.h"

#include <windows.h>

// The key colour: transparent parts of the artwork, cut out of shapes and left out of
// keyed copies. Visible artwork never uses it.
constexpr COLORREF kKeyColour = RGB(0, 0, 12);

// Larger pictures are refused before decoding (a skin has no need for them).
constexpr int kMaxImageSide = 4096;

// Loads a PNG as a device bitmap with every transparent or partly transparent pixel
// composed over the key colour. Null (and 0 × 0) for a missing, damaged, non-PNG,
// empty or oversized file.
// How many pictures were decoded so far (tests and benchmarks count them).
inline unsigned long g_skinPicturesDecoded = 0;

gdi::Bitmap LoadSkinBitmap(const wchar_t* path, int* width = nullptr, int* height = nullptr);

// GDI+ for the lifetime of the object: the image loader decodes through it.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR m_token = 0;
};

// A copy of a device bitmap (a picture that stands in for a missing one); empty for null.
gdi::Bitmap CopyBitmap(HBITMAP bitmap);

// A device bitmap's size; 0 × 0 for null.
SIZE BitmapSize(HBITMAP bitmap);
