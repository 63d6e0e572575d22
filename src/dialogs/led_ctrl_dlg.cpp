#include "led_ctrl_dlg.h"

#include "framework/text.h"
#include "gpu/board_list.h"
#include "gpu/led.h"
#include "profiles/led_effects.h"
#include "profiles/settings_store.h"
#include "resources/resource.h"
#include "skin/skin_builder.h"
#include "skin/skin_paths.h"

#include <commdlg.h>

#include <iterator>

namespace {

constexpr COLORREF kLabelColour = RGB(255, 255, 255);
constexpr const wchar_t* kSection = L"LedControl";

struct Box {
    UINT id;
    LedEffect effect;  // the power-on box has none of its own
};
constexpr Box kBoxes[9] = {
    {IDC_LED_OFF, kLedOff},         {IDC_LED_GPUTEMP, kLedTemperature}, {IDC_LED_STILL, kLedStill},
    {IDC_LED_RAINBOW, kLedRainbow}, {IDC_LED_POWERON, kLedTemperature}, {IDC_LED_NVCTRL, kLedNvControl},
    {IDC_LED_BREATH, kLedBreath},   {IDC_LED_CYCLE, kLedCycle},          {IDC_LED_STROBE, kLedStrobe},
};
constexpr int kPowerOnBox = 4;

struct Label {
    UINT id;
    const wchar_t* key;
    const wchar_t* text;
};
// The options' labels have keys of their own, so a language file can name each.
constexpr Label kLabels[15] = {
    {IDC_LED_OFF_LABEL, L"LedOff", L"Off"},
    {IDC_LED_GPUTEMP_LABEL, L"GpuTemp", L"GPU Temperature"},
    {IDC_LED_STILL_LABEL, L"Still", L"Still"},
    {IDC_LED_RAINBOW_LABEL, L"Rainbow", L"Rainbow"},
    {IDC_LED_POWERON_LABEL, L"PowerOn", L"Set to power-on default color"},
    {IDC_LED_NVCTRL_LABEL, L"NVCtrl", L"By NVIDIA Control"},
    {IDC_LED_BREATH_LABEL, L"Breath", L"Breath"},
    {IDC_LED_CYCLE_LABEL, L"Cycle", L"Cycle"},
    {IDC_LED_STROBE_LABEL, L"Strobe", L"Strobe"},
    {IDC_LED_BREATH_BRIGHTNESS_LABEL, L"BreathBrightness", L"Brightness"},
    {IDC_LED_BREATH_SPEED_LABEL, L"BreathSpeed", L"Speed"},
    {IDC_LED_CYCLE_SPEED_LABEL, L"CycleSpeed", L"Speed"},
    {IDC_LED_CYCLE_DIRECTION_LABEL, L"CycleDirection", L"Direction"},
    {IDC_LED_STROBE_SPEED_LABEL, L"StrobeSpeed", L"Speed"},
    {IDC_LED_STROBE_DIRECTION_LABEL, L"StrobeDirection", L"Direction"},
};

constexpr UINT kSwatches[5] = {IDC_LED_STILL_COLOUR, IDC_LED_NV_COLOUR, IDC_LED_BREATH_COLOUR,
                               IDC_LED_BREATH_COLOUR_B, IDC_LED_STROBE_COLOUR};

struct SliderRange {
    UINT id;
    int minimum, maximum, start;
};
constexpr SliderRange kSliders[7] = {
    {IDC_LED_STILL_BRIGHTNESS, 0, 255, 127}, {IDC_LED_BREATH_BRIGHTNESS, 0, 255, 127},
    {IDC_LED_BREATH_SPEED, 10, 4900, 2800},  {IDC_LED_CYCLE_SPEED, 0, 15, 4},
    {IDC_LED_CYCLE_DIRECTION, 0, 1, 0},      {IDC_LED_STROBE_SPEED, 0, 7, 4},
    {IDC_LED_STROBE_DIRECTION, 0, 1, 0},
};

bool SystemColourDialog(std::uint32_t& colour) {
    static COLORREF custom[16] = {};
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.rgbResult = colour;
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!::ChooseColorW(&choose)) return false;
    colour = choose.rgbResult;
    return true;
}

int SliderIndex(UINT id) {
    for (int i = 0; i < 7; ++i) {
        if (kSliders[i].id == id) return i;
    }
    return 0;
}

}  // namespace

CLedCtrlDlg::ColourChooser CLedCtrlDlg::s_chooseColour = &SystemColourDialog;

CLedCtrlDlg::CLedCtrlDlg() : CSkinDialog(IDD_LEDCTRL, g_skinPaths.background[BackgroundLedCtrl]) {
    for (int i = 0; i < 5; ++i) m_swatches[i].id = kSwatches[i];
    m_eraseHandled = false;
}

const MessageMap* CLedCtrlDlg::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_SHOWWINDOW, &CLedCtrlDlg::OnShowWindow),
        msgmap::Message(WM_HSCROLL, &CLedCtrlDlg::OnHScroll),
        msgmap::Command(IDC_LED_CLOSE, &CLedCtrlDlg::OnClose),
        msgmap::CommandRange(IDC_LED_GPUTEMP, IDC_LED_RAINBOW, &CLedCtrlDlg::OnEffectBox),
        msgmap::CommandRange(IDC_LED_OFF, IDC_LED_OFF, &CLedCtrlDlg::OnEffectBox),
        msgmap::CommandRange(IDC_LED_NVCTRL, IDC_LED_NVCTRL, &CLedCtrlDlg::OnEffectBox),
        msgmap::CommandRange(IDC_LED_BREATH, IDC_LED_BREATH, &CLedCtrlDlg::OnEffectBox),
        msgmap::CommandRange(IDC_LED_CYCLE, IDC_LED_CYCLE, &CLedCtrlDlg::OnEffectBox),
        msgmap::CommandRange(IDC_LED_STROBE, IDC_LED_STROBE, &CLedCtrlDlg::OnEffectBox),
    };
    static const MessageMap map{CSkinDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

bool CLedCtrlDlg::Create() { return CSkinDialog::Create(IDD_LEDCTRL, nullptr); }

BOOL CLedCtrlDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    FrameSetUp();
    m_font = CreateSkinFont(13);
    m_kindFont = gdi::Font(::CreateFontW(8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Shell Dlg 2"));
    SkinBuilder builder(*this, L"LedCtrl");
    for (int i = 0; i < 9; ++i) builder.Bind(kBoxes[i].id, m_boxes[i]);
    for (int i = 0; i < 15; ++i) builder.Bind(kLabels[i].id, m_labels[i], m_font.get(), kLabelColour, SS_LEFT);
    for (Swatch& swatch : m_swatches) builder.Bind(swatch.id, swatch.label, m_font.get(), kLabelColour, SS_LEFT);
    for (int i = 0; i < 7; ++i) builder.Bind(kSliders[i].id, m_sliders[i]);
    builder.Bind(IDC_LED_KIND, m_kindLabel, m_kindFont.get(), RGB(0, 0, 0), SS_RIGHT).Bind(IDC_LED_CLOSE, m_close).Build();

    wchar_t text[MAX_PATH];
    for (int i = 0; i < 15; ++i) {
        ReadLanguageText(kSection, kLabels[i].key, kLabels[i].text, text);
        m_labels[i].SetWindowText(text);
    }
    for (Swatch& swatch : m_swatches) swatch.label.SetTransparent(false);
    for (int i = 0; i < 7; ++i) {
        m_sliders[i].SetRange(kSliders[i].minimum, kSliders[i].maximum, true);
        m_sliders[i].SetPos(kSliders[i].start);
    }
    Show(IDC_LED_STILL_BRIGHTNESS, false);
    ::EnableWindow(Slider(IDC_LED_STILL_BRIGHTNESS).m_hWnd, FALSE);
    PaintSwatch(IDC_LED_STILL_COLOUR, 0x00FF00);
    PaintSwatch(IDC_LED_NV_COLOUR, 0x00FF00);
    PaintSwatch(IDC_LED_BREATH_COLOUR, 51269);
    PaintSwatch(IDC_LED_BREATH_COLOUR_B, 0);
    PaintSwatch(IDC_LED_STROBE_COLOUR, 51269);
    return TRUE;
}

CSliderControl& CLedCtrlDlg::Slider(UINT id) { return m_sliders[SliderIndex(id)]; }

CWnd& CLedCtrlDlg::Control(UINT id) {
    for (int i = 0; i < 9; ++i) {
        if (kBoxes[i].id == id) return m_boxes[i];
    }
    for (int i = 0; i < 15; ++i) {
        if (kLabels[i].id == id) return m_labels[i];
    }
    for (Swatch& swatch : m_swatches) {
        if (swatch.id == id) return swatch.label;
    }
    if (id == IDC_LED_KIND) return m_kindLabel;
    return Slider(id);
}

void CLedCtrlDlg::OnCancel() { ShowWindow(SW_HIDE); }
void CLedCtrlDlg::OnClose() { ShowWindow(SW_HIDE); }

LRESULT CLedCtrlDlg::OnShowWindow(WPARAM shown, LPARAM lParam) {
    // A change of visibility, once: a changed picture's hide and show are not the user's.
    const int state = shown ? 1 : 0;
    if (state != m_shownState) {
        m_shownState = state;
        RefreshLedDialog();
    }
    return CSkinDialog::OnShowWindow(shown, lParam);
}

int CLedCtrlDlg::Kind() const { return LedControllerKind(SelectedBoard); }

void CLedCtrlDlg::LoadSettings() {
    const int board = SelectedBoard;
    m_settings = LedSettings::Load(board);
    m_settings.nvColour = static_cast<unsigned long>(
        ReadBoardInt(board, setting::LedCtrlNvColor, static_cast<int>(m_settings.colour & 0xFF)));
    m_nvIndex = NormaliseNvIndex(m_settings.nvColour);
}

void CLedCtrlDlg::PaintSwatch(UINT id, std::uint32_t colour) {
    for (Swatch& swatch : m_swatches) {
        if (swatch.id == id) swatch.label.SetBackgroundColour(colour);
    }
}

void CLedCtrlDlg::PaintSwatches() {
    PaintSwatch(IDC_LED_STILL_COLOUR, m_settings.colour);
    PaintSwatch(IDC_LED_NV_COLOUR, NvIndexColour(m_nvIndex));
    PaintSwatch(IDC_LED_BREATH_COLOUR, m_settings.breathColour);
    PaintSwatch(IDC_LED_BREATH_COLOUR_B, m_settings.breathColourB);
    PaintSwatch(IDC_LED_STROBE_COLOUR, m_settings.strobeColour);
}

void CLedCtrlDlg::Show(UINT id, bool shown) {
    CWnd& control = Control(id);
    if (control.m_hWnd) control.ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

void CLedCtrlDlg::RefreshLedDialog() {
    LoadSettings();
    PaintSwatches();
    Slider(IDC_LED_STILL_BRIGHTNESS).SetPos(static_cast<int>((m_settings.colour >> 8) & 0xFF));
    Slider(IDC_LED_BREATH_BRIGHTNESS).SetPos(static_cast<int>((m_settings.breathColour >> 8) & 0xFF));
    Slider(IDC_LED_BREATH_SPEED).SetPos(InvertedSlider(10, 4900, static_cast<int>(m_settings.breathSpeed)));
    Slider(IDC_LED_CYCLE_SPEED).SetPos(InvertedSlider(0, 15, static_cast<int>(m_settings.cycleSpeed)));
    Slider(IDC_LED_STROBE_SPEED).SetPos(InvertedSlider(0, 7, static_cast<int>(m_settings.strobeSpeed)));
    Slider(IDC_LED_CYCLE_DIRECTION).SetPos(static_cast<int>(m_settings.cycleDirection));
    Slider(IDC_LED_STROBE_DIRECTION).SetPos(static_cast<int>(m_settings.strobeDirection));
    for (unsigned b = 0; b < BoardCount; ++b) LedDetectController(static_cast<int>(b));
    wchar_t text[16];
    FormatText(text, L"%d", Kind());
    m_kindLabel.SetWindowText(text);
    ApplyAvailability();
    SelectEffect(LedEffectOf(m_settings.mode));
}

void CLedCtrlDlg::ApplyAvailability() {
    m_rows = LedRowsFor(Kind());
    auto row = [this](std::initializer_list<UINT> ids, bool shown) {
        for (UINT id : ids) {
            Show(id, shown);
            ::EnableWindow(Control(id).m_hWnd, shown);
        }
    };
    if (!m_rows.nvControl) Control(IDC_LED_NVCTRL).SendMessage(BM_SETCHECK, BST_UNCHECKED);
    row({IDC_LED_NVCTRL, IDC_LED_NVCTRL_LABEL}, m_rows.nvControl);
    row({IDC_LED_RAINBOW, IDC_LED_RAINBOW_LABEL}, m_rows.rainbow);
    row({IDC_LED_BREATH, IDC_LED_BREATH_LABEL, IDC_LED_BREATH_COLOUR}, m_rows.breath);
    Show(IDC_LED_BREATH_COLOUR_B, m_rows.breath && m_rows.breathColourB);
    row({IDC_LED_CYCLE, IDC_LED_CYCLE_LABEL, IDC_LED_STROBE, IDC_LED_STROBE_LABEL, IDC_LED_STROBE_COLOUR},
        m_rows.cycleStrobe);
}

void CLedCtrlDlg::ShowEffectOptions(LedEffect effect) {
    const int k = Kind();
    const bool mono = IsMonoLedController(k), rgb = IsRgbLedController(k);
    const bool setOnce = effect == kLedOff || effect == kLedStill || effect == kLedNvControl;
    const bool powerOn = setOnce && k >= 0 && k <= 2 && m_rows.powerOn;
    CButton& powerOnBox = m_boxes[kPowerOnBox];
    powerOnBox.SetCheck(BST_UNCHECKED);
    Show(IDC_LED_POWERON, powerOn);
    Show(IDC_LED_POWERON_LABEL, powerOn);
    ::EnableWindow(powerOnBox.m_hWnd, powerOn);

    const bool stillBrightness = effect == kLedStill && mono;
    Show(IDC_LED_STILL_BRIGHTNESS, stillBrightness);
    ::EnableWindow(Slider(IDC_LED_STILL_BRIGHTNESS).m_hWnd, stillBrightness);
    Show(IDC_LED_NV_COLOUR, effect == kLedNvControl && m_rows.nvControl);
    const bool breath = effect == kLedBreath && m_rows.breath;
    for (UINT id : {IDC_LED_BREATH_SPEED, IDC_LED_BREATH_SPEED_LABEL}) Show(id, breath);
    for (UINT id : {IDC_LED_BREATH_BRIGHTNESS, IDC_LED_BREATH_BRIGHTNESS_LABEL}) Show(id, breath && mono);
    const bool cycle = effect == kLedCycle && rgb && m_rows.cycleStrobe;
    for (UINT id : {IDC_LED_CYCLE_SPEED, IDC_LED_CYCLE_SPEED_LABEL, IDC_LED_CYCLE_DIRECTION,
                    IDC_LED_CYCLE_DIRECTION_LABEL}) {
        Show(id, cycle);
    }
    const bool strobe = effect == kLedStrobe && rgb && m_rows.cycleStrobe;
    for (UINT id : {IDC_LED_STROBE_SPEED, IDC_LED_STROBE_SPEED_LABEL, IDC_LED_STROBE_DIRECTION,
                    IDC_LED_STROBE_DIRECTION_LABEL}) {
        Show(id, strobe);
    }
}

void CLedCtrlDlg::SelectEffect(LedEffect effect) {
    for (int i = 0; i < 9; ++i) {
        if (i == kPowerOnBox) continue;
        m_boxes[i].SetCheck(kBoxes[i].effect == effect ? BST_CHECKED : BST_UNCHECKED);
    }
    ShowEffectOptions(effect);
    ApplyLedSettings();
}

LedEffect CLedCtrlDlg::TickedEffect() const {
    // The priority of the saving order: off, still, rainbow, by NVIDIA control, breath, cycle, strobe.
    for (UINT id : {IDC_LED_OFF, IDC_LED_STILL, IDC_LED_RAINBOW, IDC_LED_NVCTRL, IDC_LED_BREATH, IDC_LED_CYCLE,
                    IDC_LED_STROBE}) {
        for (int i = 0; i < 9; ++i) {
            if (kBoxes[i].id == id && m_boxes[i].GetCheck() == BST_CHECKED) return kBoxes[i].effect;
        }
    }
    return kLedTemperature;
}

void CLedCtrlDlg::OnEffectBox(UINT id) {
    for (const Box& box : kBoxes) {
        if (box.id == id) SelectEffect(box.effect);
    }
}

void CLedCtrlDlg::ApplyLedSettings() {
    const int board = SelectedBoard;
    const LedSettings& s = m_settings;
    const LedEffect effect = TickedEffect();
    wchar_t code[4];
    FormatText(code, L"%d", static_cast<int>(effect));
    WriteBoardString(board, setting::LedCtrlMode, code);
    switch (effect) {
    case kLedStill: WriteBoardUnsigned(board, setting::LedCtrlColor, s.colour); break;
    case kLedNvControl: WriteBoardUnsigned(board, setting::LedCtrlNvColor, static_cast<unsigned long>(m_nvIndex)); break;
    case kLedBreath:
        WriteBoardUnsigned(board, setting::LedCtrlBreathColor, s.breathColour);
        WriteBoardUnsigned(board, setting::LedCtrlBreathColorB, s.breathColourB);
        WriteBoardUnsigned(board, setting::LedCtrlBreathSpeed, s.breathSpeed);
        break;
    case kLedCycle:
        WriteBoardUnsigned(board, setting::LedCtrlCycleSpeed, s.cycleSpeed);
        WriteBoardUnsigned(board, setting::LedCtrlCycleDirection, s.cycleDirection);
        break;
    case kLedStrobe:
        WriteBoardUnsigned(board, setting::LedCtrlStrobeColor, s.strobeColour);
        WriteBoardUnsigned(board, setting::LedCtrlStrobeSpeed, s.strobeSpeed);
        WriteBoardUnsigned(board, setting::LedCtrlStrobeDirection, s.strobeDirection);
        break;
    default: break;
    }
    const bool powerOnDefault = m_boxes[kPowerOnBox].GetCheck() == BST_CHECKED;
    LoadSettings();
    switch (effect) {
    case kLedTemperature: ForgetTemperatureColour(board); break;
    case kLedStill: LedSetStill(board, m_settings.colour); break;
    case kLedRainbow: ResetRainbowPhase(); break;
    case kLedNvControl: LedSetNvColorIndex(board, m_nvIndex); break;
    case kLedBreath:
        LedSetBreath(board, m_settings.breathColour, m_settings.breathColourB, static_cast<int>(m_settings.breathSpeed));
        break;
    case kLedCycle:
        LedSetCycle(board, 1, static_cast<int>(m_settings.cycleDirection), static_cast<int>(m_settings.cycleSpeed));
        break;
    case kLedStrobe:
        LedSetStrobe(board, static_cast<int>(m_settings.strobeDirection), static_cast<int>(m_settings.strobeSpeed),
                     m_settings.strobeColour);
        break;
    case kLedOff: LedSetStill(board, 0); break;
    }
    const bool setOnce = effect == kLedStill || effect == kLedNvControl || effect == kLedOff;
    if (setOnce && powerOnDefault) LedStorePowerOnDefault(board);
}

LRESULT CLedCtrlDlg::OnHScroll(WPARAM, LPARAM lParam) {
    const HWND from = reinterpret_cast<HWND>(lParam);
    int index = -1;
    for (int i = 0; i < 7; ++i) {
        if (m_sliders[i].m_hWnd == from) index = i;
    }
    if (index < 0) return Default();
    const SliderRange& range = kSliders[index];
    const int position = m_sliders[index].GetPos();
    const unsigned long inverted = static_cast<unsigned long>(InvertedSlider(range.minimum, range.maximum, position));
    switch (range.id) {
    case IDC_LED_STILL_BRIGHTNESS:
        m_settings.colour = Grey(position);
        PaintSwatch(IDC_LED_STILL_COLOUR, m_settings.colour);
        break;
    case IDC_LED_BREATH_BRIGHTNESS:
        m_settings.breathColour = Grey(position);
        PaintSwatch(IDC_LED_BREATH_COLOUR, m_settings.breathColour);
        break;
    case IDC_LED_BREATH_SPEED: m_settings.breathSpeed = inverted; break;
    case IDC_LED_CYCLE_SPEED: m_settings.cycleSpeed = inverted; break;
    case IDC_LED_STROBE_SPEED: m_settings.strobeSpeed = inverted; break;
    case IDC_LED_CYCLE_DIRECTION: m_settings.cycleDirection = static_cast<unsigned long>(position); break;
    case IDC_LED_STROBE_DIRECTION: m_settings.strobeDirection = static_cast<unsigned long>(position); break;
    default: break;
    }
    ApplyLedSettings();
    return 0;
}

void CLedCtrlDlg::ChooseColour(UINT swatch) {
    const int k = Kind();
    unsigned long* colour = nullptr;
    bool dialog = !IsMonoLedController(k);
    switch (swatch) {
    case IDC_LED_STILL_COLOUR:
        SelectEffect(kLedStill);
        colour = &m_settings.colour;
        break;
    case IDC_LED_NV_COLOUR:
        m_nvIndex = NextNvIndex(m_nvIndex);
        PaintSwatch(IDC_LED_NV_COLOUR, NvIndexColour(m_nvIndex));
        ApplyLedSettings();
        return;
    case IDC_LED_BREATH_COLOUR:
    case IDC_LED_BREATH_COLOUR_B:
        SelectEffect(kLedBreath);
        colour = swatch == IDC_LED_BREATH_COLOUR ? &m_settings.breathColour : &m_settings.breathColourB;
        break;
    case IDC_LED_STROBE_COLOUR:
        SelectEffect(kLedStrobe);
        colour = &m_settings.strobeColour;
        dialog = (k > 10 && k < 1000) || !(IsLegacyLedController(k) || IsDriverZones(k) || IsPlainLedController(k) ||
                                           IsMonoLedController(k));
        break;
    default: return;
    }
    std::uint32_t chosen = static_cast<std::uint32_t>(*colour);
    if (!dialog || !s_chooseColour(chosen)) return;
    *colour = chosen;
    PaintSwatch(swatch, chosen);
    ApplyLedSettings();
}

bool CLedCtrlDlg::PressClickArea(POINT point) {
    for (Swatch& swatch : m_swatches) {
        HWND window = swatch.label.m_hWnd;
        if (!window || !(::GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT rect;
        ::GetWindowRect(window, &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
        if (!::PtInRect(&rect, point)) continue;
        ChooseColour(swatch.id);
        return true;
    }
    return false;
}
