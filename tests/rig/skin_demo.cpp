// A small dialog built only from skin elements, with every control kind, so the
// skin engine's look can be judged in a screenshot. It draws its own artwork into a
// temporary UI directory (removed at the end) and reads it back through the skin file.
#include "framework/dialog.h"
#include "skin/control_button.h"
#include "skin/histogram_ctrl.h"
#include "skin/image.h"
#include "skin/shape.h"
#include "skin/skin_dialog.h"
#include "skin/skin_file.h"
#include "skin/skin_paths.h"
#include "skin/slider_control.h"
#include "skin/text_labels.h"

#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <cstdio>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace Gdiplus;

std::vector<std::wstring> g_files;

CLSID PngEncoder() {
    UINT count = 0, size = 0;
    GetImageEncodersSize(&count, &size);
    std::vector<BYTE> buffer(size);
    auto* encoders = reinterpret_cast<ImageCodecInfo*>(buffer.data());
    GetImageEncoders(count, size, encoders);
    for (UINT i = 0; i < count; ++i) {
        if (std::wcscmp(encoders[i].MimeType, L"image/png") == 0) return encoders[i].Clsid;
    }
    return CLSID{};
}

void Save(const std::wstring& name, int width, int height, const std::function<void(Graphics&)>& draw) {
    Bitmap image(width, height, PixelFormat32bppARGB);
    Graphics graphics(&image);
    graphics.SetSmoothingMode(SmoothingModeAntiAlias);
    graphics.SetTextRenderingHint(TextRenderingHintAntiAlias);
    graphics.Clear(Color(0, 0, 0, 0));
    draw(graphics);
    const std::wstring path = std::wstring(g_skinPaths.uiDirectory) + name;
    const CLSID png = PngEncoder();
    image.Save(path.c_str(), &png, nullptr);
    g_files.push_back(path);
}

void RoundedRectangle(GraphicsPath& path, REAL x, REAL y, REAL w, REAL h, REAL r) {
    path.AddArc(x, y, 2 * r, 2 * r, 180, 90);
    path.AddArc(x + w - 2 * r, y, 2 * r, 2 * r, 270, 90);
    path.AddArc(x + w - 2 * r, y + h - 2 * r, 2 * r, 2 * r, 0, 90);
    path.AddArc(x, y + h - 2 * r, 2 * r, 2 * r, 90, 90);
    path.CloseFigure();
}

// A rounded button with a glyph: a tick, or a ring.
void Button(const std::wstring& name, Color fill, Color edge, bool tick) {
    Save(name, 96, 30, [&](Graphics& g) {
        GraphicsPath path;
        RoundedRectangle(path, 0.5f, 0.5f, 94, 28, 8);
        SolidBrush brush(fill);
        g.FillPath(&brush, &path);
        Pen pen(edge, 1.5f);
        g.DrawPath(&pen, &path);
        Pen ink(Color(255, 235, 242, 248), 2.5f);
        if (tick) {
            const PointF points[3] = {PointF(38, 15), PointF(45, 21), PointF(58, 9)};
            g.DrawLines(&ink, points, 3);
        } else {
            g.DrawEllipse(&ink, 40, 7, 15, 15);
        }
    });
}

// A digit of a seven-segment display.
void Digit(Graphics& g, int digit, const Color& colour) {
    static const unsigned char kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const RectF segments[7] = {RectF(5, 2, 12, 3),  RectF(17, 5, 3, 11),  RectF(17, 18, 3, 11), RectF(5, 29, 12, 3),
                               RectF(2, 18, 3, 11), RectF(2, 5, 3, 11),   RectF(5, 15.5f, 12, 3)};
    SolidBrush on(colour);
    SolidBrush off(Color(255, 34, 40, 50));
    for (int s = 0; s < 7; ++s) g.FillRectangle((kSegments[digit] >> s) & 1 ? &on : &off, segments[s]);
}

void MakeArtwork() {
    const Color accent(255, 41, 199, 245);
    Save(L"demo.png", 420, 260, [&](Graphics& g) {
        GraphicsPath path;
        RoundedRectangle(path, 0.5f, 0.5f, 418, 258, 22);
        LinearGradientBrush brush(Point(0, 0), Point(0, 260), Color(255, 40, 46, 58), Color(255, 14, 16, 22));
        g.FillPath(&brush, &path);
        Pen edge(Color(255, 62, 70, 86), 2);
        g.DrawPath(&edge, &path);
    });
    Button(L"push_n.png", Color(255, 48, 56, 70), Color(255, 80, 90, 108), true);
    Button(L"push_h.png", Color(255, 60, 72, 90), accent, true);
    Button(L"push_d.png", Color(255, 20, 120, 150), accent, true);
    Button(L"unit_n.png", Color(255, 48, 56, 70), Color(255, 80, 90, 108), false);
    Button(L"unit_tn.png", Color(255, 20, 120, 150), accent, false);
    for (int d = 0; d < 10; ++d) {
        Save(L"digit" + std::to_wstring(d) + L".png", 22, 34, [&](Graphics& g) { Digit(g, d, accent); });
    }
    for (int f = 0; f < 20; ++f) {
        Save(L"gauge" + std::to_wstring(f) + L".png", 96, 96, [&](Graphics& g) {
            Pen track(Color(255, 62, 70, 86), 9);
            g.DrawArc(&track, 8, 8, 80, 80, 135, 270);
            Pen lit(accent, 9);
            g.DrawArc(&lit, 8, 8, 80, 80, 135, 270.0f * f / 19);
        });
    }
}

void WriteSkinFile() {
    const char text[] =
        "[DIALOG]\nDemo=demo.png\n"
        "[PButton]\nButtonApply=24 200 120 230\nButtonApplyN=push_n.png\nButtonApplyH=push_h.png\nButtonApplyD=push_d.png\n"
        "[TButton]\nButtonUnit=136 200 232 230\nButtonUnitN=unit_n.png\nButtonUnitTN=unit_tn.png\n"
        "[Static]\nStatic0=digit0.png\nStatic1=digit1.png\nStatic2=digit2.png\nStatic3=digit3.png\n"
        "Static4=digit4.png\nStatic5=digit5.png\nStatic6=digit6.png\nStatic7=digit7.png\nStatic8=digit8.png\n"
        "Static9=digit9.png\nStaticCore1=40 60 62 94\nStaticCore2=62 60 84 94\nStaticCore3=84 60 106 94\n"
        "StaticCore4=106 60 128 94\n"
        "[Meter]\nCoreMeter=150 30 246 126\n"
        "CoreMeter0=gauge0.png\nCoreMeter1=gauge1.png\nCoreMeter2=gauge2.png\nCoreMeter3=gauge3.png\n"
        "CoreMeter4=gauge4.png\nCoreMeter5=gauge5.png\nCoreMeter6=gauge6.png\nCoreMeter7=gauge7.png\n"
        "CoreMeter8=gauge8.png\nCoreMeter9=gauge9.png\nCoreMeter10=gauge10.png\nCoreMeter11=gauge11.png\n"
        "CoreMeter12=gauge12.png\nCoreMeter13=gauge13.png\nCoreMeter14=gauge14.png\nCoreMeter15=gauge15.png\n"
        "CoreMeter16=gauge16.png\nCoreMeter17=gauge17.png\nCoreMeter18=gauge18.png\nCoreMeter19=gauge19.png\n"
        "[Slider]\nSliderCCLK=24 150 240 176\nTextCCLK=40 108 240 126\n"
        "[Histogram]\nHistogram1=262 40 396 160\n";
    HANDLE file = ::CreateFileW(g_skinPaths.skinFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, text, sizeof(text) - 1, &written, nullptr);
    ::CloseHandle(file);
    g_files.push_back(g_skinPaths.skinFile);
}

class CDemoDialog : public CSkinDialog {
public:
    CDemoDialog(const wchar_t* background) : CSkinDialog(100, background) {}

protected:
    BOOL OnInitDialog() override {
        CSkinDialog::OnInitDialog();
        FrameSetUp();
        SkinPath slots[kMaxFrames] = {};
        RECT rect;
        ReadSkinElement(L"PButton", L"ButtonApply", &rect, slots, kStateImageSlots);
        m_apply.Create(L"APPLY", WS_CHILD | WS_VISIBLE, rect, this, 2001);
        ShapeButton(m_apply, slots, false);
        ReadSkinElement(L"TButton", L"ButtonUnit", &rect, slots, kStateImageSlots);
        m_unit.Create(L"UNIT", WS_CHILD | WS_VISIBLE, rect, this, 2002);
        ShapeButton(m_unit, slots, true);
        m_unit.SetToggled(1);

        SkinPath digits[kMaxFrames] = {};
        ReadSkinElement(L"Static", L"Static", nullptr, digits, kMaxFrames);
        const wchar_t* keys[4] = {L"StaticCore1", L"StaticCore2", L"StaticCore3", L"StaticCore4"};
        const int value[4] = {1, 9, 1, 5};
        for (int i = 0; i < 4; ++i) {
            ReadSkinElement(L"Static", keys[i], &rect, nullptr, 0);
            m_digits[i].Create(L"", WS_CHILD | WS_VISIBLE, rect, this, 2010 + i);
            m_digits[i].m_frameCount = 10;
            m_digits[i].LoadFrames(digits);
            m_digits[i].m_frameIndex = value[i];
        }
        SkinPath frames[kMaxFrames] = {};
        ReadSkinElement(L"Meter", L"CoreMeter", &rect, frames, kMaxFrames);
        m_gauge.Create(L"", WS_CHILD | WS_VISIBLE, rect, this, 2020);
        m_gauge.m_frameCount = 20;
        m_gauge.LoadFrames(frames);
        m_gauge.m_frameIndex = 14;

        ReadSkinElement(L"Slider", L"SliderCCLK", &rect, nullptr, 0);
        m_slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS, rect, this, 2030);
        m_slider.SetRange(-200, 1000);
        m_slider.SetPos(150);
        m_slider.m_thumbColour = RGB(41, 199, 245);
        // The snapshot under the slider is taken once the dialog shows its picture.
        SetTimer(1, 300);

        ReadSkinElement(L"Slider", L"TextCCLK", &rect, nullptr, 0);
        m_label.SubclassDlgItem(1001, this);
        m_label.MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        m_font = CreateSkinFont(13);
        m_label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
        m_label.SetTextColour(RGB(200, 210, 220));
        m_label.SetWindowText(L"CORE CLOCK +150 MHz");

        ReadSkinElement(L"Histogram", L"Histogram1", &rect, nullptr, 0);
        m_chart.Create(rect, this, 2040);
        m_chart.SetBackgroundColour(RGB(10, 12, 16));
        m_chart.SetGridColour(RGB(40, 48, 60));
        m_chart.SetTracePen(gdi::Pen(::CreatePen(PS_SOLID, 2, RGB(41, 199, 245))));
        m_chart.SetOwnerPeriod(0);
        for (int t = 0; t < 40; ++t) {
            m_chart.AddSample(static_cast<std::uint32_t>(50 + 35 * ((t * 37) % 17) / 17));
            m_chart.Tick();
        }
        return TRUE;
    }
    void ShapeButton(CControlButton& button, const SkinPath* slots, bool toggle) {
        ShapeFromImage(button.m_hWnd, slots[0]);
        button.m_keyedDrawing = true;
        button.m_toggleButton = toggle;
        button.LoadStateImages(slots);
    }
    LRESULT OnShown(WPARAM, LPARAM) {
        KillTimer(1);
        m_slider.RefreshBackground();
        return 0;
    }
    LRESULT OnDestroyDemo(WPARAM wParam, LPARAM lParam) {
        return OnDestroy(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()

private:
    CControlButton m_apply, m_unit;
    CControlStatic m_digits[4];
    CControlStatic m_gauge;
    CSliderControl m_slider;
    CTransparentStatic m_label;
    CHistogramCtrl m_chart;
    gdi::Font m_font;
};

const MessageMap* CDemoDialog::ThisMessageMap() {
    static const MessageEntry entries[] = {msgmap::Message(WM_DESTROY, &CDemoDialog::OnDestroyDemo),
                                           msgmap::Message(WM_TIMER, &CDemoDialog::OnShown)};
    static const MessageMap map{CSkinDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const GdiplusSession imaging;

    wchar_t temp[MAX_PATH], exe[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring root = std::wstring(temp) + L"zorvane-skin-demo\\";
    ::CreateDirectoryW(root.c_str(), nullptr);
    ::CreateDirectoryW((root + L"UI").c_str(), nullptr);
    std::swprintf(exe, MAX_PATH, L"%lsdemo.exe", root.c_str());
    BuildSkinPaths(exe, g_skinPaths);
    MakeArtwork();
    WriteSkinFile();

    wchar_t background[MAX_PATH];
    ::GetPrivateProfileStringW(L"DIALOG", L"Demo", L"demo.png", background, MAX_PATH, g_skinPaths.skinFile);
    const std::wstring path = std::wstring(g_skinPaths.uiDirectory) + background;
    {
        CDemoDialog dialog(path.c_str());
        dialog.DoModal();
    }
    for (const std::wstring& file : g_files) ::DeleteFileW(file.c_str());
    ::RemoveDirectoryW((root + L"UI").c_str());
    ::RemoveDirectoryW(root.c_str());
    return 0;
}
