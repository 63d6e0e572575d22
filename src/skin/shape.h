// Window shapes from artwork: the picture's area minus every key-colour pixel.
#pragma once

#include "framework/gdi.h"

#include <windows.h>

// The shape of a bitmap: the rectangle (0, 0)–(W − 1, H − 1), so the last column and
// row lie outside, minus every pixel of the key colour. Null for an empty bitmap.
gdi::Region ShapeRegionFromBitmap(HBITMAP bitmap);

// Gives the window the shape of a bitmap (the window owns the region afterwards); a
// bitmap that is missing gives the window no visible area. The bitmap must not be
// selected into a device context (its pixels are read with GetDIBits).
void ShapeFromBitmap(HWND window, HBITMAP bitmap);

// Loads the PNG at `path` and shapes the window with it.
void ShapeFromImage(HWND window, const wchar_t* path);
