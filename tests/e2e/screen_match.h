// Reading what a window shows: parts of the screen compared with the skin's pictures.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // rows top down

    bool empty() const { return argb.empty(); }
    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
};

// A PNG file; empty when it cannot be read. Needs GDI+ running.
Picture LoadPicture(const std::wstring& path);

// The screen's pixels inside `area`.
Picture CaptureScreen(const RECT& area);

// Mean colour distance (0–255) between `image` and `screen` at (x, y), over the image's
// opaque pixels only: the parts the window draws over its own background.
double PictureDistance(const Picture& screen, int x, int y, const Picture& image);

// The index of the candidate closest to the screen at (x, y), or -1 when none is
// within `tolerance`.
int ClosestPicture(const Picture& screen, int x, int y, const std::vector<Picture>& candidates, double tolerance);
