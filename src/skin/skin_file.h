// The skin file (element rectangles and image lists) and the language file (texts),
// both INI files in the UI directory, read through the private-profile reader.
#pragma once

#include <windows.h>

// One image path of an image list.
using SkinPath = wchar_t[MAX_PATH];

constexpr int kStateImageSlots = 8;  // N, H, D, (N), TN, TH, TD, (TN)
constexpr int kMaxFrames = 20;

// Reads a skin element of `section`: its rectangle (when `rect` is given; (0, 0, 1, 1)
// when absent) and its images (when `images` is given, at most `capacity` slots): the
// state form when key + "N" exists, else the frame sequence key + "0", "1", ...
// Slots the skin does not name keep what the caller put there.
void ReadSkinElement(const wchar_t* section, const wchar_t* key, RECT* rect, SkinPath* images, int capacity);

// Left, top, right, bottom from a value such as "10, 20 110\t60"; missing numbers default
// to 0, 0, left + 1, top + 1.
RECT ParseSkinRectangle(const wchar_t* text);

// A check box's rectangle at the display's density: it grows to the left by its whole
// extra width and up by `rise` of its extra height (half: equally up and down).
RECT ScaleCheckRectangle(const RECT& rect, int pixelsPerInch, double rise = 0.5);

// A text of the language file, or its built-in default, into a 260-character buffer.
void ReadLanguageText(const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                      wchar_t (&text)[MAX_PATH]);
