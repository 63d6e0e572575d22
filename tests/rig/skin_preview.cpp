// Shows a window of the staged default skin built from its catalogued elements alone:
// every button (some toggled), digit, gauge, label and slider at its place, so the
// skin can be judged before the window itself exists.
//   skin_preview WINDOW      (Main, ...)
#include "framework/dialog.h"
#include "skin/image.h"
#include "skin/control_button.h"
#include "skin/histogram_ctrl.h"
#include "skin/shape.h"
#include "skin/skin_catalog.h"
#include "skin/skin_dialog.h"
#include "skin/skin_file.h"
#include "skin/skin_paths.h"
#include "skin/slider_control.h"
#include "skin/text_labels.h"

#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>

#include <cwchar>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

// What a label shows in the preview: sample texts in the windows' own formats, by
// "section/key" (the same key can name labels of two windows in different sections).
std::wstring SampleText(const std::wstring& section, const std::wstring& key) {
    static const std::pair<const wchar_t*, const wchar_t*> kSamples[] = {
        {L"Static/StaticGPUName", L"RTX 2080"},
        {L"Static/StaticCoreCurrent", L"Current 1515"},
        {L"Setting/TextItemBoost3DCLK", L"Boost clock"},
        {L"Histogram/TextDataCCLK", L"Core Clock : 1515 MHz      Base : 1515 MHz   Boost : 1710 MHz"},
        {L"Histogram/TextDataMCLK", L"Memory Clock : 7000 MHz      Base : 7000 MHz   Boost : 7000 MHz"},
        {L"Histogram/TextDataTemp", L"Core Tempature : 61 'C"},
        {L"Histogram/TextDataFanSpeed", L"Fan Speed : 42 % / 1260 rpm"},
        {L"Histogram/TextDataCVolt", L"Core Voltage : 1.043 V"},
        {L"Histogram/TextDataPower", L"Power Usage : 63 %"},
        {L"Histogram/TextDataCoreUsage", L"Core Usage : 57 %"},
        {L"Histogram/TextDataMemoryUsage", L"Memory Usage : 34 %"},
        {L"Slider/TextItemCCLK", L"GPU Clock Offset"},       {L"Slider/TextDataCCLK", L"+150"},
        {L"Slider/TextUnitCCLK", L"MHz"},                    {L"Slider/TextItemMCLK", L"Memory Clock Offset"},
        {L"Slider/TextDataMCLK", L"+500"},                   {L"Slider/TextUnitMCLK", L"MHz"},
        {L"Slider/TextItemCVolt", L"GPU Over Voltage"},      {L"Slider/TextDataCVOLT", L"0"},
        {L"Slider/TextUnitCVolt", L"%"},                     {L"Slider/TextItemPower", L"Power Target"},
        {L"Slider/TextDataPower", L"110"},                   {L"Slider/TextUnitPower", L"%"},
        {L"Slider/TextItemTemp", L"GPU Temp. Target"},       {L"Slider/TextDataTemp", L"86"},
        {L"Slider/TextUnitTemp", L"'C"},                     {L"Slider/TextItemVoltMax", L"GPU Max. Voltage"},
        {L"Slider/TextDataVoltMax", L"+0.025"},              {L"Slider/TextUnitVoltMax", L"V"},
        {L"Slider/TextItemFrame", L"Frame Rate Target"},     {L"Slider/TextDataFrame", L"MAX"},
        {L"Slider/TextUnitFrame", L"FPS"},                   {L"Slider/TextItemFanCtrl", L"Fan Speed"},
        {L"Slider/TextDataFanCtrl", L"60"},                  {L"Slider/TextUnitFanCtrl", L"%"},
        {L"Slider/TextAutoFanCtrl", L"Default fan curve"},   {L"Slider/TextFixedFanCtrl", L"Fixed Fan Speed"},
        {L"Slider/TextPolycurveFanCtrl", L"User defined fan curve"}, {L"Slider/TextItemFan2Ctrl", L"Fan Speed"},
        {L"Slider/TextDataFan2Ctrl", L"45"},                 {L"Slider/TextUnitFan2Ctrl", L"%"},
        {L"Slider/TextAutoFan2Ctrl", L"Default fan curve"},  {L"Slider/TextFixedFan2Ctrl", L"Fixed Fan Speed"},
        {L"Slider/TextPolycurveFan2Ctrl", L"User defined fan curve"},
        {L"Slider/TextLedOffLedCtrl", L"Off"},               {L"Slider/TextGPUTempLedCtrl", L"GPU Temperature"},
        {L"Slider/TextStillLedCtrl", L"Still"},              {L"Slider/TextRainbowLedCtrl", L"Rainbow"},
        {L"Slider/TextPowerOnLedCtrl", L"Power-on default"}, {L"Slider/TextNvCtrlLedCtrl", L"By NVIDIA Control"},
        {L"Slider/TextBreathLedCtrl", L"Breath"},            {L"Slider/TextCycleLedCtrl", L"Cycle"},
        {L"Slider/TextStrobeLedCtrl", L"Strobe"},            {L"Slider/TextBreathBrightLedCtrl", L"Brightness"},
        {L"Slider/TextBreathSpeedLedCtrl", L"Speed"},        {L"Slider/TextCycleSpeedLedCtrl", L"Speed"},
        {L"Slider/TextCycleDirectionLedCtrl", L"Direction"}, {L"Slider/TextStrobeSpeedLedCtrl", L"Speed"},
        {L"Slider/TextStrobeDirectionLedCtrl", L"Direction"}, {L"Slider/TextLedCtrlVersion", L"1202"},                   {L"Slider/TextTempPrioritize", L"Prioritize"},
        {L"Slider/TextTempLink", L"Linked"},                 {L"Slider/TextVoltMaxEnable", L"Overvoltaged"},
    };
    const std::wstring name = section + L"/" + key;
    for (const auto& [sample, text] : kSamples) {
        if (name == sample) return text;
    }
    return key;
}

class CPreviewDialog : public CSkinDialog {
public:
    explicit CPreviewDialog(const WindowSkin& skin)
        : CSkinDialog(100, g_skinPaths.background[skin.background]), m_skin(skin) {}

protected:
    BOOL OnInitDialog() override {
        CSkinDialog::OnInitDialog();
        SetWindowText((std::wstring(L"Skin preview - ") + m_skin.name).c_str());
        FrameSetUp();
        m_font = CreateSkinFont(16, FW_BOLD);
        m_itemFont = CreateSkinFont(13);
        SkinPath digits[kMaxFrames] = {};
        UINT id = 3000;
        int digitValue = 0;
        for (std::size_t i = 0; i < m_skin.elementCount; ++i) {
            const SkinElement& e = m_skin.elements[i];
            SkinPath slots[kMaxFrames] = {};
            RECT rect;
            const std::wstring key = e.key;
            switch (e.kind) {
            case ElementKind::PushButton:
            case ElementKind::ToggleButton: {
                ReadSkinElement(e.section, e.key, &rect, slots, kMaxFrames);
                auto button = std::make_unique<CControlButton>();
                button->Create(e.key, WS_CHILD | WS_VISIBLE, rect, this, id++);
                ShapeFromImage(button->m_hWnd, slots[0]);
                button->m_keyedDrawing = true;
                button->m_toggleButton = e.kind == ElementKind::ToggleButton;
                button->LoadStateImages(slots);
                // A few toggled, as the running program shows them.
                if (key == L"ButtonUserMode1" || key == L"ButtonGPU1" || key == L"ButtonGamingMode") {
                    button->SetToggled(1);
                }
                m_windows.push_back(std::move(button));
                break;
            }
            case ElementKind::FrameList:
                ReadSkinElement(e.section, e.key, nullptr, digits, e.frames);
                break;
            case ElementKind::Frames: {
                ReadSkinElement(e.section, e.key, &rect, slots, e.frames);
                auto gauge = std::make_unique<CControlStatic>();
                gauge->Create(L"", WS_CHILD | WS_VISIBLE, rect, this, id++);
                gauge->m_frameCount = static_cast<unsigned>(e.frames);
                gauge->LoadFrames(slots);
                gauge->m_frameIndex = e.frames * 2 / 3;
                m_windows.push_back(std::move(gauge));
                break;
            }
            case ElementKind::Number:
            case ElementKind::Rectangle:
                ReadSkinElement(e.section, e.key, &rect, nullptr, 0);
                if (std::wstring(e.section) == L"Information") {
                    m_paintsRows = true;  // the information page paints its rows itself
                } else if (std::wstring(e.section) == L"Polycurve") {
                    // The curve editor draws itself; its place shows in the picture.
                } else if (key.rfind(L"Check", 0) == 0) {
                    HDC screen = ::GetDC(nullptr);
                    const RECT placed = ScaleCheckRectangle(rect, ::GetDeviceCaps(screen, LOGPIXELSX));
                    ::ReleaseDC(nullptr, screen);
                    auto check = std::make_unique<CButton>();
                    check->Create(L"", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, placed, this, id++);
                    if (key != L"CheckBase3DCLK") check->SetCheck(BST_CHECKED);
                    if (key == L"CheckTellix") check->ShowWindow(SW_HIDE);  // the dialog hides it
                    m_windows.push_back(std::move(check));
                } else if (key.rfind(L"Histogram", 0) == 0) {
                    auto chart = std::make_unique<CHistogramCtrl>();
                    chart->Create(rect, this, id++);
                    chart->SetOwnerPeriod(0);
                    chart->SetGridColour(RGB(0xFF, 0x10, 0x20));
                    chart->SetBackgroundColour(RGB(0x87, 0, 0));
                    chart->SetTracePen(gdi::Pen(::CreatePen(PS_SOLID, 2, RGB(255, 255, 255))));
                    for (int t = 0; t < 110; ++t) {
                        chart->AddSample(static_cast<std::uint32_t>(45 + 30 * ((t * 7 + key.back()) % 11) / 11));
                        chart->Tick();
                    }
                    m_windows.push_back(std::move(chart));
                } else if (key.rfind(L"Slider", 0) == 0) {
                    auto slider = std::make_unique<CSliderControl>();
                    slider->Create(WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_NOTICKS, rect, this, id++);
                    slider->SetRange(0, 100);
                    slider->SetPos(60);
                    m_windows.push_back(std::move(slider));
                } else if (key.rfind(L"Static", 0) == 0 && iswdigit(key.back())) {
                    auto digit = std::make_unique<CControlStatic>();
                    digit->Create(L"", WS_CHILD | WS_VISIBLE, rect, this, id++);
                    digit->m_frameCount = 10;
                    digit->LoadFrames(digits);
                    digit->m_frameIndex = (7 + 3 * digitValue++) % 10;
                    m_windows.push_back(std::move(digit));
                } else {
                    const bool item = key.rfind(L"Text", 0) == 0;
                    const bool centred = !item || (std::wstring(e.section) == L"Slider" && key.rfind(L"TextItem", 0) == 0);
                    auto label = std::make_unique<CTransparentStatic>();
                    label->Create(L"", WS_CHILD | WS_VISIBLE | (centred ? SS_CENTER : SS_LEFT), rect, this, id++);
                    label->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(item ? m_itemFont.get() : m_font.get()), TRUE);
                    label->SetTextColour(RGB(255, 255, 255));
                    label->SetWindowText(SampleText(e.section, key).c_str());
                    // As the settings dialog does: only the boost clock's label stays visible.
                    if (std::wstring(e.section) == L"Setting" && key != L"TextItemBoost3DCLK") label->ShowWindow(SW_HIDE);
                    if (key.find(L"Color") != std::wstring::npos) {  // a colour swatch
                        label->SetWindowText(L"");
                        label->SetTransparent(false);
                        label->SetBackgroundColour(key.find(L"ColorB") != std::wstring::npos ? RGB(255, 40, 160)
                                                                                                : RGB(69, 200, 0));
                    }
                    m_windows.push_back(std::move(label));
                }
                break;
            }
        }
        return TRUE;
    }
    // The information page's rows, as it paints them: names and sample values.
    void PaintOverlay(HDC dc) override {
        if (!m_paintsRows) return;
        RECT height, item, data;
        ReadSkinElement(L"Information", L"TextHeight", &height, nullptr, 0);
        ReadSkinElement(L"Information", L"TextItem", &item, nullptr, 0);
        ReadSkinElement(L"Information", L"TextData", &data, nullptr, 0);
        static const wchar_t* const kValues[] = {
            L": 1.4", L": Microsoft Windows 10 ", L": GeForce RTX 2080", L": 10DE - 1E87", L": 1234 - 0001",
            L": 471.14", L": 2944", L": 1515 MHz", L": 1710 MHz", L": 7000 MHz (14000 MHz data rate)",
            L": 7000 MHz (14000 MHz data rate)", L": 256-bit", L": 8192 MB GDDR6", L": 1.050 V",
            L": 90.04.00.00.6A", L": 16", L": PCI Express x16"};
        const gdi::Font font = CreateSkinFont(11);
        const gdi::ScopedSelect selected(dc, font.get());
        ::SetTextColor(dc, RGB(255, 255, 255));
        for (std::size_t row = 0; row < m_skin.textCount && row < std::size(kValues); ++row) {
            ::DrawTextW(dc, m_skin.texts[row].defaultText, -1, &item, DT_LEFT | DT_TOP);
            ::DrawTextW(dc, kValues[row], -1, &data, DT_LEFT | DT_TOP);
            ::OffsetRect(&item, 0, height.left);
            ::OffsetRect(&data, 0, height.left);
        }
    }
    LRESULT OnDestroyPreview(WPARAM wParam, LPARAM lParam) {
        m_windows.clear();
        m_font.Reset();
        m_itemFont.Reset();
        return OnDestroy(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()

private:
    const WindowSkin& m_skin;
    std::vector<std::unique_ptr<CWnd>> m_windows;
    gdi::Font m_font;
    gdi::Font m_itemFont;
    bool m_paintsRows = false;
};

const MessageMap* CPreviewDialog::ThisMessageMap() {
    static const MessageEntry entries[] = {msgmap::Message(WM_DESTROY, &CPreviewDialog::OnDestroyPreview)};
    static const MessageMap map{CSkinDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

std::wstring StageExecutable() {
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory = path;
    directory.resize(directory.find_last_of(L'\\'));
    directory.resize(directory.find_last_of(L'\\') + 1);
    return directory + L"stage\\Zorvane.exe";
}

void RegisterFonts(bool add) {
    const wchar_t* const files[] = {L"Orbitron-Regular.ttf", L"Orbitron-Medium.ttf", L"Orbitron-Bold.ttf",
                                    L"Orbitron-Black.ttf"};
    for (const wchar_t* file : files) {
        const std::wstring path = std::wstring(g_skinPaths.uiDirectory) + L"Collected Fonts\\Orbitron\\" + file;
        if (add) {
            ::AddFontResourceExW(path.c_str(), FR_PRIVATE, nullptr);
        } else {
            ::RemoveFontResourceExW(path.c_str(), FR_PRIVATE, nullptr);
        }
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    BuildSkinPaths(StageExecutable().c_str(), g_skinPaths);
    ReadDialogBackgrounds(g_skinPaths);
    RegisterFonts(true);

    std::size_t count = 0;
    const WindowSkin* windows = WindowSkins(&count);
    const std::wstring wanted = commandLine && *commandLine ? commandLine : L"Main";
    int result = 1;
    for (std::size_t i = 0; i < count; ++i) {
        if (wanted != windows[i].name) continue;
        CPreviewDialog dialog(windows[i]);
        dialog.DoModal();
        result = 0;
    }
    RegisterFonts(false);
    return result;
}
