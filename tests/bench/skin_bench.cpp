// Window shapes and image loading: the fast shape against its definition on an
// 800 × 600 background, the time to load every picture of a front panel, and the
// worst first hover of the staged front panel (the hover picture is decoded then).
#include "bench.h"
#include "png_fixture.h"
#include "shape_reference.h"
#include "skin/image.h"
#include "skin/shape.h"
#include "skin/skin_catalog.h"
#include "skin/skin_file.h"
#include "skin/skin_paths.h"

#include <algorithm>
#include <string>

int main() {
    GdiplusSession gdiplus;
    TempDirectory files(L"zorvane-skin-bench");
    const std::wstring background = files.File(L"background.png");
    // Rounded corners of radius 40 and a few holes, cut with the key colour.
    WritePng(background, 800, 600, [](int x, int y) -> Gdiplus::ARGB {
        const int cx = x < 40 ? 40 - x : (x > 759 ? x - 759 : 0);
        const int cy = y < 40 ? 40 - y : (y > 559 ? y - 559 : 0);
        const bool corner = cx * cx + cy * cy > 1600;
        const bool hole = (x / 50 + y / 50) % 7 == 0 && x % 50 < 10 && y % 50 < 10;
        return corner || hole ? 0 : 0xFF202833;
    });
    const gdi::Bitmap bitmap = LoadSkinBitmap(background.c_str());
    if (!bitmap) {
        std::printf("cannot load the background\n");
        return 1;
    }
    const double fast = MedianMicroseconds(5, [&] { ShapeRegionFromBitmap(bitmap.get()); });
    const double reference = MedianMicroseconds(3, [&] { gdi::Region(ReferenceShape(bitmap.get())); });
    Report("shape of an 800 x 600 background (fast)", "ms", fast / 1000);
    Report("shape of an 800 x 600 background (by definition)", "ms", reference / 1000);
    Report("shape: definition time / fast time", "x", reference / fast);

    // A front panel's pictures: background, 35 buttons in three states, 10 digits,
    // four gauges of 20 frames.
    const std::wstring panel = files.File(L"panel.png");
    WritePng(panel, 800, 450, [](int x, int y) { return Gdiplus::ARGB(0xFF000000 | ((x * 7 + y) & 0xFFFFFF)); });
    const std::wstring button = files.File(L"button.png");
    WritePng(button, 72, 28, [](int x, int) { return x < 4 ? Gdiplus::ARGB(0) : Gdiplus::ARGB(0xFF3A4450); });
    const std::wstring frame = files.File(L"frame.png");
    WritePng(frame, 120, 120, [](int x, int y) { return (x - 60) * (x - 60) + (y - 60) * (y - 60) < 3600 ? Gdiplus::ARGB(0xFF29C7F5) : Gdiplus::ARGB(0); });
    const int pictures = 1 + 35 * 3 + 10 + 4 * 20;
    const double load = MedianMicroseconds(3, [&] {
        LoadSkinBitmap(panel.c_str());
        for (int i = 0; i < 35 * 3 + 10; ++i) LoadSkinBitmap(button.c_str());
        for (int i = 0; i < 4 * 20; ++i) LoadSkinBitmap(frame.c_str());
    });
    Report("load every picture of a front panel (196 files)", "ms", load / 1000);
    Report("load one picture, average", "ms", load / 1000 / pictures);

    // The staged skin: each front-panel button's hover pictures, as a first hover decodes them.
    wchar_t stage[MAX_PATH] = {};
    if (!::GetEnvironmentVariableW(L"ZORVANE_STAGE_DIR", stage, MAX_PATH)) {
        ::GetModuleFileNameW(nullptr, stage, MAX_PATH);
        std::wstring path = stage;
        path.resize(path.find_last_of(L'\\'));
        path.resize(path.find_last_of(L'\\') + 1);
        wcscpy(stage, (path + L"stage").c_str());
    }
    BuildSkinPaths((std::wstring(stage) + L"\\Zorvane.exe").c_str(), g_skinPaths);
    double worst = 0;
    const WindowSkin* main = FindWindowSkin(L"Main");
    for (std::size_t e = 0; main && e < main->elementCount; ++e) {
        const SkinElement& element = main->elements[e];
        if (element.control != ControlKind::Button) continue;
        SkinPath slots[kStateImageSlots] = {};
        ReadSkinElement(element.section, element.key, nullptr, slots, kStateImageSlots);
        for (int slot : {1, 5}) {
            if (!slots[slot][0]) continue;
            worst = std::max(worst, MedianMicroseconds(3, [&] { LoadSkinBitmap(slots[slot]); }));
        }
    }
    Report("worst first hover of a front-panel button (its decode)", "ms", worst / 1000);
    return 0;
}
