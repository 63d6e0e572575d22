// Skin and language files, skin images and window shapes.
#include "png_fixture.h"
#include "shape_reference.h"
#include "skin/image.h"
#include "skin/shape.h"
#include "skin/skin_file.h"
#include "skin/skin_paths.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

// RECT lives in the global namespace: so must its operators, for the assertions to find them.
bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

GdiplusSession gdiplus;

// A UI directory of our own with a skin file, made the process-wide one.
class Skin : public testing::Test {
protected:
    Skin() : directory(L"zorvane-skin") {
        ::CreateDirectoryW((directory.path() + L"UI").c_str(), nullptr);
        BuildSkinPaths((directory.path() + L"Zorvane.exe").c_str(), g_skinPaths);
        directory.File(L"UI\\Zorvane.cfg");
        directory.File(L"UI\\Zorvane.loc");
    }
    ~Skin() override { ::RemoveDirectoryW((directory.path() + L"UI").c_str()); }

    void WriteSkin(const std::string& text) {
        HANDLE file = ::CreateFileW(g_skinPaths.skinFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    std::wstring Ui(const wchar_t* name) const { return std::wstring(g_skinPaths.uiDirectory) + name; }

    TempDirectory directory;
};

// ---------------------------------------------------------------- rectangles

TEST(SkinRectangle, Grammar) {
    struct Case {
        const wchar_t* text;
        RECT expected;
    };
    const Case cases[] = {
        {L"10 20 110 60", {10, 20, 110, 60}},
        {L"10 20,,110\t60", {10, 20, 110, 60}},
        {L" ,\t10,20, 110 ,60 ", {10, 20, 110, 60}},
        {L"10 20", {10, 20, 11, 21}},
        {L"", {0, 0, 1, 1}},
        {L"abc -5 9x 40", {0, -5, 9, 40}},
        {L"+7 -0 8 9 10 11", {7, 0, 8, 9}},
        {L"99999999999 -99999999999 1 2", {INT_MAX, INT_MIN, 1, 2}},
        {L"2147483647", {INT_MAX, 0, INT_MAX, 1}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseSkinRectangle(c.text), c.expected) << static_cast<const void*>(c.text);
}

TEST(SkinRectangle, CheckBoxesGrowWithTheDisplayDensity) {
    struct Case {
        int dpi;
        RECT expected;
    };
    const RECT rect{100, 50, 116, 60};
    const Case cases[] = {{96, {100, 50, 116, 60}}, {72, {100, 50, 116, 60}}, {144, {92, 48, 116, 63}},
                          {192, {84, 45, 116, 65}}};
    for (const Case& c : cases) EXPECT_EQ(ScaleCheckRectangle(rect, c.dpi), c.expected) << c.dpi;
    // The overclock dialog's boxes rise by their whole extra height.
    EXPECT_EQ(ScaleCheckRectangle(rect, 192, 1.0), (RECT{84, 40, 116, 60}));
}

// ---------------------------------------------------------------- elements

TEST_F(Skin, RectangleAndStateImages) {
    WriteSkin("[PButton]\nButtonApply = 10, 20, 110, 60\nButtonApplyN = apply_n.png\n"
              "[TButton]\nButtonUnit = 1 2 3 4\nButtonUnitN = u_n.png\nButtonUnitH = u_h.png\nButtonUnitD = u_d.png\n"
              "ButtonUnitTN = u_tn.png\nButtonUnitTH = u_th.png\nButtonUnitTD = u_td.png\n");
    SkinPath slots[8];
    for (auto& slot : slots) wcscpy(slot, L"caller");
    RECT rect{};
    ReadSkinElement(L"PButton", L"ButtonApply", &rect, slots, 8);
    EXPECT_EQ(rect, (RECT{10, 20, 110, 60}));
    EXPECT_EQ(std::wstring(slots[0]), Ui(L"apply_n.png"));
    EXPECT_EQ(std::wstring(slots[1]), Ui(L""));  // no H: the bare UI directory
    EXPECT_EQ(std::wstring(slots[2]), Ui(L""));
    EXPECT_EQ(std::wstring(slots[3]), Ui(L"apply_n.png"));
    for (int i = 4; i < 8; ++i) EXPECT_STREQ(slots[i], L"caller") << i;  // no TN: left alone

    ReadSkinElement(L"tbutton", L"buttonunit", nullptr, slots, 8);  // names match without case
    const wchar_t* expected[8] = {L"u_n.png", L"u_h.png", L"u_d.png", L"u_n.png",
                                  L"u_tn.png", L"u_th.png", L"u_td.png", L"u_tn.png"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(std::wstring(slots[i]), Ui(expected[i])) << i;

    ReadSkinElement(L"PButton", L"ButtonMissing", &rect, nullptr, 0);
    EXPECT_EQ(rect, (RECT{0, 0, 1, 1}));
}

TEST_F(Skin, FrameSequences) {
    WriteSkin("[Static]\nStatic0=d0.png\nStatic1=d1.png\nStatic2=d2.png\nStatic3=d3.png\nStatic4=d4.png\n"
              "Static6=d6.png\n"
              "[Meter]\nMemMeter=1 1 2 2\nMemMeter0=m0.png\nMemMeter1=m1.png\nMemMeter2=m2.png\n"
              "[Both]\nStatic0=x0.png\nStaticN=n.png\n");
    SkinPath slots[20];
    for (int i = 0; i < 20; ++i) swprintf(slots[i], MAX_PATH, L"default%d", i);
    ReadSkinElement(L"Static", L"Static", nullptr, slots, 20);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(std::wstring(slots[i]), Ui((L"d" + std::to_wstring(i) + L".png").c_str()));
    EXPECT_STREQ(slots[5], L"default5");  // 5 is missing: 6 is never read
    EXPECT_STREQ(slots[6], L"default6");

    SkinPath three[3] = {L"a", L"b", L"c"};
    ReadSkinElement(L"Meter", L"MemMeter", nullptr, three, 2);  // never beyond the caller's list
    EXPECT_EQ(std::wstring(three[1]), Ui(L"m1.png"));
    EXPECT_STREQ(three[2], L"c");

    for (int i = 0; i < 20; ++i) swprintf(slots[i], MAX_PATH, L"default%d", i);
    ReadSkinElement(L"Both", L"Static", nullptr, slots, 20);  // an N key switches to the state form
    EXPECT_EQ(std::wstring(slots[0]), Ui(L"n.png"));
    for (int i = 4; i < 10; ++i) EXPECT_EQ(std::wstring(slots[i]), L"default" + std::to_wstring(i));
}

TEST_F(Skin, DamagedAndMissingSkinFiles) {
    SkinPath slots[8];
    for (auto& slot : slots) wcscpy(slot, L"caller");
    RECT rect{};
    ReadSkinElement(L"PButton", L"ButtonApply", &rect, slots, 8);  // no file at all
    EXPECT_EQ(rect, (RECT{0, 0, 1, 1}));
    EXPECT_STREQ(slots[0], L"caller");

    const std::string longName(400, 'x');
    WriteSkin("[PButton]\nButtonA = 1 2 3 4\nButtonB = " + std::string(600, '7') + "\nButtonAN = " + longName +
              ".png\n\x01\x02\xff garbage line\n[PButton]\nButtonA = 9 9 9 9\n");
    ReadSkinElement(L"PButton", L"ButtonA", &rect, slots, 8);
    EXPECT_EQ(rect.left, 1);  // the first of repeated sections
    EXPECT_EQ(wcslen(slots[0]), static_cast<size_t>(MAX_PATH - 1));  // UI directory + 259 characters, cut
    ReadSkinElement(L"PButton", L"ButtonB", &rect, nullptr, 0);
    EXPECT_EQ(rect.left, INT_MAX);  // a huge number is cut to the value's 259 characters, then clamped
}

TEST_F(Skin, UiDirectoryNearTheLimitCutsPathsNeverOverruns) {
    struct Guarded {
        SkinPath slots[8];
        wchar_t guard[8];
    } g{};
    std::fill_n(g.guard, 8, L'#');
    SkinPaths saved = g_skinPaths;
    const std::wstring deep = L"C:\\" + std::wstring(252, L'd') + L"\\Zorvane.exe";
    BuildSkinPaths(deep.c_str(), g_skinPaths);
    wcscpy(g_skinPaths.skinFile, saved.skinFile);  // read our file through the long UI directory
    WriteSkin("[PButton]\nButtonAN = long_name_of_a_picture.png\nButtonATN = t.png\n");
    ReadSkinElement(L"PButton", L"ButtonA", nullptr, g.slots, 8);
    for (auto& slot : g.slots) EXPECT_EQ(wcslen(slot), static_cast<size_t>(MAX_PATH - 1));
    EXPECT_EQ(std::wstring(g.guard, 8), std::wstring(8, L'#'));
    g_skinPaths = saved;
}

TEST_F(Skin, LanguageTextsWithDefaults) {
    wchar_t text[MAX_PATH];
    ReadLanguageText(L"Main", L"Current", L"Current", text);
    EXPECT_STREQ(text, L"Current");
    HANDLE file = ::CreateFileW(g_skinPaths.languageFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const char content[] = "[Main]\nCurrent = Now\n";
    DWORD written = 0;
    ::WriteFile(file, content, sizeof(content) - 1, &written, nullptr);
    ::CloseHandle(file);
    ReadLanguageText(L"main", L"current", L"Current", text);
    EXPECT_STREQ(text, L"Now");
}

// ---------------------------------------------------------------- images

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const COLORREF colour = ::GetPixel(dc, x, y);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return colour;
}

TEST_F(Skin, ImagesAreComposedOverTheKeyColour) {
    const std::wstring file = directory.File(L"compose.png");
    ASSERT_TRUE(WritePng(file, 4, 3, [](int x, int) -> Gdiplus::ARGB {
        switch (x) {
        case 0: return 0xFFFF0000;  // opaque red
        case 1: return 0x00FFFFFF;  // fully transparent
        case 2: return 0x80FFFFFF;  // half-transparent white
        default: return 0xFF00FF00;
        }
    }));
    int width = 0, height = 0;
    const gdi::Bitmap bitmap = LoadSkinBitmap(file.c_str(), &width, &height);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 3);
    EXPECT_EQ(PixelOf(bitmap.get(), 0, 1), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(bitmap.get(), 1, 1), kKeyColour);
    const COLORREF half = PixelOf(bitmap.get(), 2, 1);
    EXPECT_NEAR(GetRValue(half), 128, 2);
    EXPECT_NEAR(GetBValue(half), 12 + (255 - 12) / 2, 3);
    EXPECT_EQ(PixelOf(bitmap.get(), 3, 2), RGB(0, 255, 0));
}

TEST_F(Skin, UnusableImagesGiveNothing) {
    const std::wstring good = directory.File(L"good.png");
    ASSERT_TRUE(WritePng(good, 8, 8, [](int, int) { return Gdiplus::ARGB(0xFF336699); }));
    std::string bytes;
    {
        HANDLE file = ::CreateFileW(good.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        char buffer[4096];
        DWORD read = 0;
        ::ReadFile(file, buffer, sizeof(buffer), &read, nullptr);
        ::CloseHandle(file);
        bytes.assign(buffer, read);
    }
    auto withSize = [&](std::uint32_t w, std::uint32_t h) {
        std::string patched = bytes;
        for (int i = 0; i < 4; ++i) {
            patched[16 + i] = static_cast<char>(w >> (24 - 8 * i));
            patched[20 + i] = static_cast<char>(h >> (24 - 8 * i));
        }
        return patched;
    };
    struct Case {
        const char* what;
        std::wstring path;
    };
    const Case cases[] = {
        {"missing", directory.path() + L"nothing.png"},
        {"the UI directory itself", directory.path()},
        {"empty", directory.WriteBytes(L"empty.png", "")},
        {"truncated", directory.WriteBytes(L"truncated.png", bytes.substr(0, 40))},
        {"not a PNG", directory.WriteBytes(L"text.png", "BM this is not a picture at all, just text")},
        {"zero width", directory.WriteBytes(L"zero.png", withSize(0, 8))},
        {"absurdly large", directory.WriteBytes(L"huge.png", withSize(100000, 100000))},
        {"large", directory.WriteBytes(L"large.png", withSize(5000, 10))},
    };
    for (const Case& c : cases) {
        int width = -1, height = -1;
        const gdi::Bitmap bitmap = LoadSkinBitmap(c.path.c_str(), &width, &height);
        EXPECT_FALSE(bitmap) << c.what;
        EXPECT_EQ(width, 0) << c.what;
        EXPECT_EQ(height, 0) << c.what;
    }
    EXPECT_FALSE(LoadSkinBitmap(nullptr));
    EXPECT_TRUE(LoadSkinBitmap(good.c_str()));
}

// ---------------------------------------------------------------- shapes

TEST_F(Skin, ShapeCutsKeyCornersAndHolesAndLeavesOutTheLastRowAndColumn) {
    const std::wstring file = directory.File(L"shape.png");
    ASSERT_TRUE(WritePng(file, 40, 30, [](int x, int y) -> Gdiplus::ARGB {
        const bool corner = (x < 3 || x > 36) && (y < 3 || y > 26);
        const bool hole = x >= 18 && x < 23 && y >= 12 && y < 17;
        return corner || hole ? 0x00000000 : 0xFF8090A0;
    }));
    const gdi::Bitmap bitmap = LoadSkinBitmap(file.c_str());
    ASSERT_TRUE(bitmap);
    const gdi::Region shape = ShapeRegionFromBitmap(bitmap.get());
    ASSERT_TRUE(shape);
    struct Point {
        int x, y;
        bool inside;
    };
    const Point points[] = {{0, 0, false},  {2, 2, false},   {3, 0, true},   {10, 10, true},  {20, 14, false},
                            {17, 14, true}, {23, 14, true},  {38, 15, true}, {39, 15, false}, {20, 28, true},
                            {20, 29, false}, {38, 28, false}, {36, 28, true}};
    for (const Point& p : points) EXPECT_EQ(::PtInRegion(shape.get(), p.x, p.y) != 0, p.inside) << p.x << "," << p.y;
    const gdi::Region reference(ReferenceShape(bitmap.get()));
    EXPECT_TRUE(::EqualRgn(shape.get(), reference.get()));
}

TEST_F(Skin, FastShapeEqualsTheDefinition) {
    struct Case {
        const char* what;
        int width, height;
        std::function<Gdiplus::ARGB(int, int)> pixel;
    };
    const Case cases[] = {
        {"all key", 7, 5, [](int, int) { return kOpaqueKey; }},
        {"no key", 7, 5, [](int, int) { return Gdiplus::ARGB(0xFFFFFFFF); }},
        {"stripes", 33, 17, [](int x, int y) { return (x + y) % 3 ? kOpaqueKey : Gdiplus::ARGB(0xFF102030); }},
        {"ragged", 64, 48,
         [](int x, int y) {
             const unsigned h = static_cast<unsigned>(x * 7919 + y * 104729) % 97;
             return h < 40 ? Gdiplus::ARGB(0x00000000) : Gdiplus::ARGB(0xFF445566);
         }},
        {"one pixel", 1, 1, [](int, int) { return Gdiplus::ARGB(0xFF00FF00); }},
    };
    for (const Case& c : cases) {
        const std::wstring file = directory.File(std::wstring(L"case") + std::to_wstring(c.width) + L".png");
        ASSERT_TRUE(WritePng(file, c.width, c.height, c.pixel)) << c.what;
        const gdi::Bitmap bitmap = LoadSkinBitmap(file.c_str());
        ASSERT_TRUE(bitmap) << c.what;
        const gdi::Region fast = ShapeRegionFromBitmap(bitmap.get());
        const gdi::Region reference(ReferenceShape(bitmap.get()));
        ASSERT_TRUE(fast) << c.what;
        EXPECT_TRUE(::EqualRgn(fast.get(), reference.get())) << c.what;
    }
    EXPECT_FALSE(ShapeRegionFromBitmap(nullptr));
}

TEST_F(Skin, AWindowIsMadeInvisibleOnlyByAMissingPicture) {
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    // A picture whose pixels cannot be read leaves the window unshaped, not empty.
    HBITMAP unreadable = ::CreateBitmap(8, 8, 1, 32, nullptr);
    ::DeleteObject(unreadable);
    ShapeFromBitmap(window, unreadable);
    EXPECT_EQ(::GetWindowRgn(window, shape), ERROR);
    ShapeFromBitmap(window, nullptr);
    EXPECT_EQ(::GetWindowRgn(window, shape), NULLREGION);
    ::DeleteObject(shape);
    ::DestroyWindow(window);
}

}  // namespace
