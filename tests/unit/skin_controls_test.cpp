// The skinned frame and controls on real windows, checked by the pixels on the screen.
#include "framework/dialog.h"
#include "png_fixture.h"
#include "skin/control_button.h"
#include "skin/histogram_ctrl.h"
#include "skin/image.h"
#include "resources/resource.h"
#include "skin/shape.h"
#include "skin/skin_builder.h"
#include "skin/skin_dialog.h"
#include "skin/slider_control.h"
#include "skin/text_labels.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>
#include <string>

namespace {

GdiplusSession gdiplus;

constexpr UINT kTemplate = 300;
constexpr UINT kButtonId = 2000;
constexpr Gdiplus::ARGB kBackground = 0xFF2040C0;  // the dialog's picture: a blue
constexpr COLORREF kBackgroundColour = RGB(0x20, 0x40, 0xC0);

void Pump(int milliseconds = 50) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (::GetTickCount64() < end);
}

// What the screen shows at a point of a window's client area.
COLORREF ScreenPixel(HWND window, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(window, &p);
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, p.x, p.y);
    ::ReleaseDC(nullptr, screen);
    return colour;
}

class TestDialog : public CSkinDialog {
public:
    explicit TestDialog(const wchar_t* background) : CSkinDialog(kTemplate, background) {}
    int clicks = 0;
    bool toggledAtClick = false;
    CControlButton* button = nullptr;
    std::function<void(TestDialog&)> onInit;  // controls made before the first paint

protected:
    BOOL OnInitDialog() override {
        CSkinDialog::OnInitDialog();
        FrameSetUp();
        if (onInit) onInit(*this);
        return TRUE;
    }
    void OnButton() {
        ++clicks;
        toggledAtClick = button && button->IsToggled();
    }
    DECLARE_MESSAGE_MAP()
};

const MessageMap* TestDialog::ThisMessageMap() {
    static const MessageEntry entries[] = {msgmap::Command(kButtonId, &TestDialog::OnButton)};
    static const MessageMap map{CSkinDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

class SkinWindows : public testing::Test {
protected:
    SkinWindows() : files(L"zorvane-skin-windows") {}

    void SetUp() override {
        background = files.File(L"background.png");
        // 400 × 300, key-colour corners of 4 × 4 and a 20 × 20 hole in the middle.
        ASSERT_TRUE(WritePng(background, 400, 300, [](int x, int y) -> Gdiplus::ARGB {
            const bool corner = (x < 4 || x > 395) && (y < 4 || y > 295);
            const bool hole = x >= 190 && x < 210 && y >= 140 && y < 160;
            return corner || hole ? 0 : kBackground;
        }));
        dialog = std::make_unique<TestDialog>(background.c_str());
        ASSERT_TRUE(dialog->Create());
        dialog->ShowWindow(SW_SHOW);
        Pump(200);
    }
    void TearDown() override {
        if (dialog) dialog->DestroyWindow();
        dialog.reset();
    }
    // A picture 64 × 32: left half `left`, right half `right`.
    std::wstring TwoHalves(const wchar_t* name, Gdiplus::ARGB left, Gdiplus::ARGB right) {
        const std::wstring file = files.File(name);
        WritePng(file, 64, 32, [=](int x, int) { return x < 32 ? left : right; });
        return file;
    }

    TempDirectory files;
    std::wstring background;
    std::unique_ptr<TestDialog> dialog;
};

TEST_F(SkinWindows, ControlsMadeBeforeTheFirstPaintLetThePictureShowThrough) {
    dialog->DestroyWindow();
    const std::wstring ring = files.File(L"ring.png");
    ASSERT_TRUE(WritePng(ring, 40, 40, [](int x, int y) -> Gdiplus::ARGB {
        const int dx = x - 20, dy = y - 20;
        return dx * dx + dy * dy < 100 ? 0xFFFF0000 : 0;  // a red disc, transparent around it
    }));
    CControlStatic disc;
    dialog = std::make_unique<TestDialog>(background.c_str());
    dialog->onInit = [&](TestDialog& d) {
        SkinPath slots[1] = {};
        wcscpy(slots[0], ring.c_str());
        disc.Create(L"", WS_CHILD | WS_VISIBLE, RECT{300, 40, 340, 80}, &d, 2100);
        disc.m_frameCount = 1;
        disc.LoadFrames(slots);
    };
    // Run modally, as every dialog does: the modal loop shows the window when idle.
    static COLORREF disc_centre, disc_corner;
    static TestDialog* running;
    running = dialog.get();
    ::SetTimer(nullptr, 0, 600, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        disc_centre = ScreenPixel(running->m_hWnd, 320, 60);
        disc_corner = ScreenPixel(running->m_hWnd, 302, 42);
        running->EndDialog(IDOK);
    });
    dialog->DoModal();
    EXPECT_EQ(disc_centre, RGB(255, 0, 0));
    EXPECT_EQ(disc_corner, kBackgroundColour) << "the corner of the disc's square shows the picture";
}

TEST_F(SkinWindows, FrameTakesThePicturesSizeShapeAndPlace) {
    RECT window;
    ::GetWindowRect(dialog->m_hWnd, &window);
    EXPECT_EQ(window.right - window.left, 400);
    EXPECT_EQ(window.bottom - window.top, 300);
    EXPECT_EQ(window.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - 200);
    EXPECT_EQ(window.top, ::GetSystemMetrics(SM_CYSCREEN) / 2 - 150);
    EXPECT_EQ(::GetWindowLongW(dialog->m_hWnd, GWL_STYLE) & WS_CAPTION, 0);

    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(dialog->m_hWnd, shape), ERROR);
    EXPECT_FALSE(::PtInRegion(shape, 1, 1));      // a cut corner
    EXPECT_FALSE(::PtInRegion(shape, 200, 150));  // the hole
    EXPECT_FALSE(::PtInRegion(shape, 399, 100));  // the last column
    EXPECT_TRUE(::PtInRegion(shape, 100, 100));
    ::DeleteObject(shape);

    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 100, 100), kBackgroundColour);
    // Covered and uncovered: repainted from the kept picture, the file is no longer needed.
    ::DeleteFileW(background.c_str());
    ::InvalidateRect(dialog->m_hWnd, nullptr, TRUE);
    Pump(100);
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 50, 250), kBackgroundColour);
}

// Sized and shaped as it shows, not at its first paint: no unshaped frame flashes up,
// and it is not hidden and shown again after the user saw it.
TEST_F(SkinWindows, ShowsAtThePicturesSizeAndShapeFromItsFirstAppearance) {
    dialog->DestroyWindow();
    dialog = std::make_unique<TestDialog>(background.c_str());
    ASSERT_TRUE(dialog->Create());
    ASSERT_FALSE(dialog->IsWindowVisible());
    dialog->ShowWindow(SW_SHOW);
    RECT window;
    ::GetWindowRect(dialog->m_hWnd, &window);
    EXPECT_EQ(window.right - window.left, 400);
    EXPECT_EQ(window.bottom - window.top, 300);
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(::GetWindowRgn(dialog->m_hWnd, shape), ERROR);
    ::DeleteObject(shape);
    Pump(200);
    EXPECT_TRUE(dialog->IsWindowVisible());
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 100, 100), kBackgroundColour);
}

TEST_F(SkinWindows, ButtonDrawsKeyedStatesAndSizesItselfToItsPicture) {
    SkinPath slots[8] = {};
    wcscpy(slots[0], TwoHalves(L"n.png", 0xFFFF0000, 0x00000000).c_str());  // red, then transparent
    wcscpy(slots[1], TwoHalves(L"h.png", 0xFF00FF00, 0xFF00FF00).c_str());  // green
    wcscpy(slots[2], L"no-such-file.png");                                   // down: takes the hover picture
    CControlButton button;
    ASSERT_TRUE(button.Create(L"APPLY", WS_CHILD | WS_VISIBLE, RECT{20, 20, 30, 30}, dialog.get(), kButtonId));
    ShapeFromImage(button.m_hWnd, slots[0]);  // the outline of the normal picture
    button.m_keyedDrawing = true;
    const unsigned long decoded = g_skinPicturesDecoded;
    button.LoadStateImages(slots);
    Pump(100);
    EXPECT_EQ(g_skinPicturesDecoded - decoded, 1u) << "only the normal picture before it is needed";
    RECT rect;
    ::GetWindowRect(button.m_hWnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 64);  // 10 × 10 in the skin, 64 × 32 picture
    EXPECT_EQ(rect.bottom - rect.top, 32);
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 30, 30), RGB(255, 0, 0));
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 70, 30), kBackgroundColour);  // keyed: the dialog shows through

    button.SendMessage(WM_MOUSEHOVER);
    Pump(100);
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 30, 30), RGB(0, 255, 0));
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 70, 30), kBackgroundColour);  // outside the normal picture's outline
    EXPECT_EQ(g_skinPicturesDecoded - decoded, 2u) << "the hover picture at the first hover";
    button.SendMessage(WM_MOUSELEAVE);
    Pump(100);
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 30, 30), RGB(255, 0, 0));
    button.SendMessage(WM_MOUSEHOVER);  // tracking re-armed: hover shows again
    Pump(100);
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 30, 30), RGB(0, 255, 0));
    button.SendMessage(WM_MOUSELEAVE);

    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));  // held down
    Pump(100);
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 30, 30), RGB(0, 255, 0));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump(100);
    EXPECT_EQ(dialog->clicks, 1);
}

TEST_F(SkinWindows, ToggleButtonFlipsBeforeTheHandlerAndOnReleaseOutside) {
    SkinPath slots[8] = {};
    wcscpy(slots[0], TwoHalves(L"tn0.png", 0xFFFF0000, 0xFFFF0000).c_str());
    wcscpy(slots[4], TwoHalves(L"tn4.png", 0xFFFFFF00, 0xFFFFFF00).c_str());
    CControlButton button;
    ASSERT_TRUE(button.Create(L"UNIT", WS_CHILD | WS_VISIBLE, RECT{20, 80, 30, 90}, dialog.get(), kButtonId));
    dialog->button = &button;
    button.m_keyedDrawing = true;
    button.m_toggleButton = true;
    button.LoadStateImages(slots);

    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Pump(100);
    EXPECT_EQ(dialog->clicks, 1);
    EXPECT_TRUE(dialog->toggledAtClick);  // the handler saw the new state
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 30, 90), RGB(255, 255, 0));

    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 200));  // released outside
    Pump(100);
    EXPECT_EQ(dialog->clicks, 1);
    EXPECT_FALSE(button.IsToggled());
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 30, 90), RGB(255, 0, 0));

    button.SetToggled(5);
    EXPECT_TRUE(button.IsToggled());
    button.SetToggled(0);
    EXPECT_FALSE(button.IsToggled());
}

TEST_F(SkinWindows, FrameDisplaysClampTheirIndexAndDrawNothingWhenBlank) {
    SkinPath slots[kMaxFrames] = {};
    const Gdiplus::ARGB colours[3] = {0xFFFF0000, 0xFF00FF00, 0xFFFFFFFF};
    for (int i = 0; i < 20; ++i) {
        const std::wstring file = files.File(L"frame" + std::to_wstring(i) + L".png");
        WritePng(file, 12, 12, [&](int, int) { return i == 19 ? colours[2] : colours[i % 2]; });
        wcscpy(slots[i], file.c_str());
    }
    CControlStatic gauge;
    ASSERT_TRUE(gauge.Create(L"", WS_CHILD | WS_VISIBLE, RECT{100, 100, 101, 101}, dialog.get(), 2001));
    gauge.m_frameCount = 20;
    const unsigned long decoded = g_skinPicturesDecoded;
    gauge.LoadFrames(slots);
    EXPECT_EQ(g_skinPicturesDecoded - decoded, 1u) << "the first frame only";
    struct Case {
        int index;
        bool blank;
        COLORREF shown;
    };
    const Case cases[] = {{20, false, RGB(255, 255, 255)},
                          {-3, false, RGB(255, 0, 0)},
                          {1, false, RGB(0, 255, 0)},
                          {1, true, kBackgroundColour}};
    for (const Case& c : cases) {
        gauge.m_frameIndex = c.index;
        gauge.m_blank = c.blank;
        // The owner repaints the area of a blanked frame itself.
        ::InvalidateRect(dialog->m_hWnd, nullptr, TRUE);
        Pump(100);
        EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 105, 105), c.shown) << c.index << (c.blank ? " blank" : "");
    }
}

TEST_F(SkinWindows, TransparentLabelLeavesNoTraceOfOldText) {
    CTransparentStatic label;
    ASSERT_TRUE(label.Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, RECT{40, 200, 200, 240}, dialog.get(), 2002));
    HFONT font = ::CreateFontW(36, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    label.SetTextColour(RGB(255, 255, 255));
    label.SetWindowText(L"8888");
    Pump(100);
    int white = 0;
    for (int x = 40; x < 200; ++x) white += ScreenPixel(dialog->m_hWnd, x, 218) == RGB(255, 255, 255);
    EXPECT_GT(white, 10) << "the text is drawn";
    label.SetWindowText(L"1");
    Pump(100);
    int traces = 0;
    for (int x = 80; x < 200; ++x) traces += ScreenPixel(dialog->m_hWnd, x, 218) != kBackgroundColour;
    EXPECT_EQ(traces, 0) << "old digits stay on the picture";

    label.SetTransparent(false);
    label.SetBackgroundColour(RGB(0, 255, 0));
    Pump(100);
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 190, 235), RGB(0, 255, 0));  // a green box
    ::DeleteObject(font);
}

TEST_F(SkinWindows, SliderChannelShowsThePictureUnderIt) {
    CSliderControl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS, RECT{40, 260, 240, 290}, dialog.get(), 2003));
    slider.SetRange(0, 100);
    slider.SetPos(50);
    slider.m_thumbColour = RGB(255, 0, 255);
    slider.RefreshBackground();
    Pump(150);
    EXPECT_EQ(ScreenPixel(dialog->m_hWnd, 45, 262), kBackgroundColour);  // the snapshot of the picture
    RECT thumb;
    slider.GetThumbRect(&thumb);
    EXPECT_EQ(ScreenPixel(slider.m_hWnd, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2),
              RGB(255, 0, 255));
}

// ---------------------------------------------------------------- histogram

class Chart : public SkinWindows {
protected:
    void SetUp() override {
        SkinWindows::SetUp();
        ASSERT_TRUE(chart.Create(RECT{10, 10, 110, 258}, dialog.get(), 2004));  // 248 pixels high
        chart.SetOwnerPeriod(0);  // the test ticks by hand
    }
    void TearDown() override {
        chart.DestroyWindow();
        SkinWindows::TearDown();
    }
    CHistogramCtrl chart;
};

TEST_F(Chart, LevelsFromTheAverageOfEachTick) {
    chart.AddSample(50);
    chart.Tick();
    EXPECT_EQ(chart.CurrentLevel(), 124);
    EXPECT_EQ(::GetPixel(chart.Picture(), 100 - 14, 124), RGB(0, 255, 0));  // a flat first segment
    EXPECT_EQ(::GetPixel(chart.Picture(), 100 - 12, 124), RGB(0, 255, 0));

    chart.AddSample(40);
    chart.AddSample(60);
    chart.Tick();
    EXPECT_EQ(chart.CurrentLevel(), 124);  // the average of 40 and 60
    chart.AddSample(100);
    chart.Tick();
    EXPECT_EQ(chart.CurrentLevel(), 0);
    chart.Tick();  // nothing queued: the level repeats
    EXPECT_EQ(chart.CurrentLevel(), 0);
    chart.m_valueOffset = 20;
    chart.AddSample(20);  // equal to the offset: the level repeats too
    chart.Tick();
    EXPECT_EQ(chart.CurrentLevel(), 0);
}

TEST_F(Chart, GridMovesThreeSpacingsInThirteenTicks) {
    const COLORREF grid = RGB(0x00, 0x82, 0x42);
    auto gridColumns = [&] {
        std::string columns;
        for (int x = 0; x < 80; ++x) columns += ::GetPixel(chart.Picture(), x, 5) == grid ? '|' : '.';
        return columns;
    };
    const std::string empty = gridColumns();
    EXPECT_EQ(empty.substr(0, 27), "............|............|.");  // x = 12, 25, ... (left - 1 + 13k)
    chart.Tick();
    EXPECT_NE(gridColumns(), empty);  // one tick: moved 3 pixels
    for (int i = 1; i < 13; ++i) chart.Tick();
    EXPECT_EQ(gridColumns(), empty);  // 13 ticks: 39 pixels, exactly three spacings
}

TEST_F(Chart, ColourChangeClearsTheHistory) {
    chart.AddSample(50);
    chart.Tick();
    chart.Tick();
    EXPECT_TRUE(chart.SetBackgroundColour(RGB(0, 0, 255)));
    EXPECT_EQ(chart.CurrentLevel(), 249);  // bottom + 1: no level yet
    EXPECT_EQ(::GetPixel(chart.Picture(), 100 - 13, 124), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(chart.Picture(), 12, 5), RGB(0x00, 0x82, 0x42));  // the grid anew
}

// ---------------------------------------------------------------- the builder

TEST(Builder, MakesOnlyWhatItCanPlaceAndRefusesTheRest) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, L"STATIC", L"", WS_POPUP, RECT{0, 0, 200, 100}, nullptr, 0));
    struct Case {
        const char* what;
        std::function<void(SkinBuilder&, CControlButton&, CControlStatic&)> bind;
    };
    const Case refused[] = {
        {"an identifier the window does not have", [](SkinBuilder& b, CControlButton& button, CControlStatic&) {
             b.Bind(4242, button);
         }},
        {"a member of another kind", [](SkinBuilder& b, CControlButton&, CControlStatic& display) {
             b.Bind(IDC_BUTTON_LOGO, display);
         }},
        {"one identifier twice", [](SkinBuilder& b, CControlButton& button, CControlStatic&) {
             static CControlButton other;
             b.Bind(IDC_BUTTON_LOGO, button).Bind(IDC_BUTTON_LOGO, other);
         }},
    };
    for (const Case& c : refused) {
        CControlButton button;
        CControlStatic display;
        SkinBuilder builder(parent, L"Main");
        c.bind(builder, button, display);
        EXPECT_FALSE(builder.Build()) << c.what;
        EXPECT_FALSE(builder.Problems().empty()) << c.what;
        EXPECT_EQ(button.m_hWnd, nullptr) << c.what << ": nothing is made";
    }
    CControlButton button;
    SkinBuilder unknown(parent, L"NoSuchWindow");
    EXPECT_FALSE(unknown.Bind(IDC_BUTTON_LOGO, button).Build());

    SkinBuilder builder(parent, L"Main");
    ASSERT_TRUE(builder.Bind(IDC_BUTTON_LOGO, button).Build());
    EXPECT_EQ(::GetDlgItem(parent.m_hWnd, IDC_BUTTON_LOGO), button.m_hWnd);
    EXPECT_EQ(::GetDlgItem(parent.m_hWnd, IDC_BUTTON_CLOSE), nullptr) << "an unbound element is left alone";
    parent.DestroyWindow();
}

}  // namespace
