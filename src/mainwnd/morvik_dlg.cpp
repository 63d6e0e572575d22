#include "mainwnd/morvik_dlg.h"

#include "framework/text.h"
#include "gpu/board_list.h"
#include "gpu/fans.h"
#include "gpu/led.h"
#include "mainwnd/monitor_sample.h"
#include "profiles/board_features.h"
#include "profiles/builtin_modes.h"
#include "profiles/settings_store.h"
#include "resources/resource.h"
#include "skin/shape.h"
#include "skin/skin_file.h"
#include "skin/skin_paths.h"

#include <commctrl.h>

#include <iterator>

namespace {

enum class Start { Shown, Hidden };

struct PanelButton {
    const wchar_t* key;
    bool toggle;  // section "TButton" (else "PButton")
    const wchar_t* text;
    UINT id;
    Start start;
};

// In creation order.
constexpr PanelButton kButtons[CMorvikDlg::kButtonCount] = {
    {L"ButtonLogo", false, L"LOGO", IDC_BUTTON_LOGO, Start::Shown},
    {L"ButtonMinimize", false, L"MINIMIZE", IDC_BUTTON_MINIMIZE, Start::Shown},
    {L"ButtonClose", false, L"CLOSE", IDC_BUTTON_CLOSE, Start::Shown},
    {L"ButtonLEDCtrl", false, L"LEDCTRL", IDC_BUTTON_LEDCTRL, Start::Hidden},
    {L"ButtonFanDutyInc", false, L"FANDUTYINC", IDC_BUTTON_FANDUTYINC, Start::Shown},
    {L"ButtonFanDutyDec", false, L"FANDUTYDEC", IDC_BUTTON_FANDUTYDEC, Start::Shown},
    {L"ButtonSetting", false, L"SETTING", IDC_BUTTON_SETTING, Start::Shown},
    {L"ButtonStatus", false, L"STATUS", IDC_BUTTON_STATUS, Start::Shown},
    {L"ButtonApply", false, L"APPLY", IDC_BUTTON_APPLY, Start::Shown},
    {L"ButtonRestore", false, L"RESTORE", IDC_BUTTON_RESTORE, Start::Shown},
    {L"ButtonInfo", false, L"INFO", IDC_BUTTON_INFO, Start::Shown},
    {L"ButtonNVPanel", false, L"NVPANEL", IDC_BUTTON_NVPANEL, Start::Shown},
    {L"ButtonOC", false, L"OC", IDC_BUTTON_OC, Start::Shown},
    {L"ButtonTempUnit", true, L"TEMPUNIT", IDC_BUTTON_TEMPUNIT, Start::Shown},
    {L"ButtonUserMode1", true, L"USERMODE1", IDC_BUTTON_USERMODE1, Start::Shown},
    {L"ButtonUserMode2", true, L"USERMODE2", IDC_BUTTON_USERMODE2, Start::Shown},
    {L"ButtonUserMode3", true, L"USERMODE3", IDC_BUTTON_USERMODE3, Start::Shown},
    {L"ButtonUserMode4", true, L"USERMODE4", IDC_BUTTON_USERMODE4, Start::Shown},
    {L"ButtonUserMode5", true, L"USERMODE5", IDC_BUTTON_USERMODE5, Start::Shown},
    {L"ButtonUserMode6", true, L"USERMODE6", IDC_BUTTON_USERMODE6, Start::Hidden},
    {L"ButtonUserMode7", true, L"USERMODE7", IDC_BUTTON_USERMODE7, Start::Hidden},
    {L"ButtonUserMode8", true, L"USERMODE8", IDC_BUTTON_USERMODE8, Start::Hidden},
    {L"ButtonOCMode", true, L"", IDC_BUTTON_OCMODE, Start::Hidden},
    {L"ButtonGamingMode", true, L"GAMINGMODE", IDC_BUTTON_GAMINGMODE, Start::Hidden},
    {L"ButtonSilenceMode", true, L"SILENCEMODE", IDC_BUTTON_SILENCEMODE, Start::Hidden},
    {L"ButtonOC2Mode", true, L"", IDC_BUTTON_OC2MODE, Start::Hidden},
    {L"ButtonSave", true, L"SAVE", IDC_BUTTON_SAVE, Start::Shown},
    {L"ButtonGPU1", true, L"GPU1", IDC_BUTTON_GPU1, Start::Hidden},
    {L"ButtonGPU2", true, L"GPU #2", IDC_BUTTON_GPU2, Start::Hidden},
    {L"ButtonGPU3", true, L"GPU #3", IDC_BUTTON_GPU3, Start::Hidden},
    {L"ButtonGPU4", true, L"GPU #4", IDC_BUTTON_GPU4, Start::Hidden},
    {L"ButtonGPU5", true, L"GPU #5", IDC_BUTTON_GPU5, Start::Hidden},
    {L"ButtonGPU6", true, L"GPU #6", IDC_BUTTON_GPU6, Start::Hidden},
    {L"ButtonGPU7", true, L"GPU #7", IDC_BUTTON_GPU7, Start::Hidden},
    {L"ButtonGPU8", true, L"GPU #8", IDC_BUTTON_GPU8, Start::Hidden},
};

constexpr UINT kBoardButtons[] = {IDC_BUTTON_GPU1, IDC_BUTTON_GPU2, IDC_BUTTON_GPU3, IDC_BUTTON_GPU4,
                                  IDC_BUTTON_GPU5, IDC_BUTTON_GPU6, IDC_BUTTON_GPU7, IDC_BUTTON_GPU8};
constexpr unsigned kMaxBoardButtons = std::size(kBoardButtons);

struct Readout {
    const wchar_t* key;
    const wchar_t* text;
    UINT id;
};

// Fan duty, temperature, core clock, memory clock; the ones digit first in each group.
constexpr Readout kReadouts[CMorvikDlg::kReadoutCount] = {
    {L"StaticFanDuty1", L"FANDUTY1", IDC_STATIC_FANDUTY1}, {L"StaticFanDuty2", L"FANDUTY2", IDC_STATIC_FANDUTY2},
    {L"StaticFanDuty3", L"FANDUTY3", IDC_STATIC_FANDUTY3}, {L"StaticTemp1", L"TEMP1", IDC_STATIC_TEMP1},
    {L"StaticTemp2", L"TEMP2", IDC_STATIC_TEMP2},          {L"StaticTemp3", L"TEMP3", IDC_STATIC_TEMP3},
    {L"StaticCore1", L"CORE1", IDC_STATIC_CORE1},          {L"StaticCore2", L"CORE2", IDC_STATIC_CORE2},
    {L"StaticCore3", L"CORE3", IDC_STATIC_CORE3},          {L"StaticCore4", L"CORE4", IDC_STATIC_CORE4},
    {L"StaticMemory1", L"MEMORY1", IDC_STATIC_MEMORY1},    {L"StaticMemory2", L"MEMORY2", IDC_STATIC_MEMORY2},
    {L"StaticMemory3", L"MEMORY3", IDC_STATIC_MEMORY3},    {L"StaticMemory4", L"MEMORY4", IDC_STATIC_MEMORY4},
};

struct Gauge {
    const wchar_t* key;
    const wchar_t* text;
    UINT id;
    int disableBit;
    unsigned frames;
    const wchar_t* defaultFrame;  // in the UI directory, "%02d" or "%05d" of the frame number
};

constexpr Gauge kGauges[CMorvikDlg::kGaugeCount] = {
    {L"MemMeter", L"MEMORY_METER", IDC_METER_MEMORY, 1, 20, L"mem_meter\\zanth_UI_517x517_01_%05d.png"},
    {L"CoreMeter", L"CORE_METER", IDC_METER_CORE, 2, 20, L"core_meter\\zanth_UI_517x517_02_%05d.png"},
    {L"TempMeter", L"TEMP_METER", IDC_METER_TEMP, 4, 17,
     L"Master-QUARNIX-gauge-assets\\GPU CoreMeter QUARNIX UI\\GPU-meter-quarnix-ui-%02d.png"},
    {L"FanMeter", L"FAN_METER", IDC_METER_FAN, 8, 17,
     L"Master-QUARNIX-gauge-assets\\Fan Duty CoreMeter QUARNIX UI\\Fan-duty-meter-quarnix-ui-%02d.png"},
};

struct Label {
    const wchar_t* key;
    const wchar_t* text;  // at creation; emptied right after
    UINT id;
};

// The current-clock label, then the board-name label.
constexpr Label kLabels[] = {
    {L"StaticCoreCurrent", L"", IDC_STATIC_CORECURRENT},
    {L"StaticGPUName", L"GPU Name", IDC_STATIC_GPUNAME},
};

constexpr UINT kTrayIconId = IDI_TRAY;
constexpr int kLabelFontHeight = 16;
constexpr COLORREF kLabelColour = RGB(255, 255, 255);
constexpr UINT kAnimationPeriod = 100;
constexpr UINT kFanModesPeriod = 5000;
constexpr UINT kLedSettingsPeriod = 200;

}  // namespace

CMorvikDlg::CMorvikDlg(bool startHidden, CWnd* parent)
    : CSkinDialog(IDD_MORVIK_DIALOG, g_skinPaths.background[BackgroundMain], parent),
      m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {
    m_startHidden = startHidden;
}

CMorvikDlg::~CMorvikDlg() = default;

const MessageMap* CMorvikDlg::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_CLOSE, &CMorvikDlg::OnClose),
        msgmap::Message(WM_DESTROY, &CMorvikDlg::OnDestroy),
        msgmap::Message(WM_QUERYDRAGICON, &CMorvikDlg::OnQueryDragIcon),
        msgmap::Message(WM_SYSCOMMAND, &CMorvikDlg::OnSysCommand),
        msgmap::Message(WM_TIMER, &CMorvikDlg::OnTimer),
        msgmap::Message(WM_TRAY_NOTIFY, &CMorvikDlg::OnTrayNotify),
        msgmap::Command(IDC_BUTTON_MINIMIZE, &CMorvikDlg::OnMinimize),
    };
    static const MessageMap map{CSkinDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

std::vector<CMorvikDlg::SkinKey> CMorvikDlg::SkinElementsRead() {
    std::vector<SkinKey> keys{{L"Slider", L"SliderFanCtrl"}};
    for (const PanelButton& button : kButtons) keys.push_back({button.toggle ? L"TButton" : L"PButton", button.key});
    keys.push_back({L"Static", L"Static"});
    for (const Readout& readout : kReadouts) keys.push_back({L"Static", readout.key});
    for (const Gauge& gauge : kGauges) keys.push_back({L"Meter", gauge.key});
    for (const Label& label : kLabels) keys.push_back({L"Static", label.key});
    return keys;
}

CControlButton& CMorvikDlg::Button(UINT id) {
    for (int i = 0; i < kButtonCount; ++i) {
        if (kButtons[i].id == id) return m_buttons[i];
    }
    return m_buttons[0];  // every caller names a button of the table
}

BOOL CMorvikDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    wchar_t about[MAX_PATH] = L"";
    ::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, MAX_PATH);
    if (HMENU systemMenu = ::GetSystemMenu(m_hWnd, FALSE); systemMenu && about[0]) {
        ::AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    // Invisible until the first paint has shaped it.
    ShowWindow(SW_SHOWMINIMIZED);
    ShowWindow(SW_HIDE);
    SetUpWindowStyles();

    CreateFanSlider();
    CreateButtons();
    CreateReadouts();
    CreateGauges();

    if (!m_tray.Create(this, WM_TRAY_NOTIFY, L"Zorvane", m_hIcon, kTrayIconId)) m_trayRetry = 1;

    RefreshDisplay();

    MonitoringInterval = MonitoringIntervalSeconds();
    const int unit = ReadProductInt(setting::TemperatureUnit);
    DisplaySettings.temperatureUnit = unit > 0 ? unit : 0;
    Button(IDC_BUTTON_TEMPUNIT).SetToggled(unit > 0 ? 1 : 0);

    if (GpuInitialize() > 0) {
        StartBoardWork();
    } else if (m_trayRetry) {
        // No board, but the icon is the way back to a window started hidden: keep
        // offering it.
        SetTimer(IDT_ANIMATION, kAnimationPeriod);
    }

    CreateLabels();
    m_toolTip.Create(this);
    LoadToolTips();

    ReadClockDisplayMode(DisplaySettings);
    RefreshBoardFeatures();
    TakeSample();
    RefreshDisplay();
    UpdateCompanion();
    return TRUE;
}

void CMorvikDlg::SetUpWindowStyles() {
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, style);

    LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    if (ReadProductInt(setting::TaskIcon) == 1) {
        // No taskbar button: the notification-area icon is the only handle.
        exStyle &= ~static_cast<LONG_PTR>(WS_EX_APPWINDOW | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME);
        exStyle |= WS_EX_COMPOSITED | WS_EX_LAYERED | WS_EX_TOOLWINDOW;
    } else {
        exStyle &= ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME);
        exStyle |= WS_EX_COMPOSITED | WS_EX_LAYERED | WS_EX_APPWINDOW;
    }
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, exStyle);
    // A layered window shows nothing until it is given an opacity.
    ::SetLayeredWindowAttributes(m_hWnd, 0, 255, LWA_ALPHA);

    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    const int x = (::GetSystemMetrics(SM_CXSCREEN) + window.left - window.right) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) + window.top - window.bottom) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, window.right - window.left, window.bottom - window.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CMorvikDlg::CreateFanSlider() {
    RECT rect;
    ReadSkinElement(L"Slider", L"SliderFanCtrl", &rect, nullptr, 0);
    m_fanSlider.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_BOTH | TBS_NOTICKS, rect, this, IDC_SLIDER_FANCTRL);
    m_fanSlider.MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, true);
    m_fanSlider.SetRange(GpuGetFan(SelectedBoard, kFanGeneric, 2), GpuGetFan(SelectedBoard, kFanGeneric, 3));
    m_fanSlider.SetPos(GpuGetFan(SelectedBoard, kFanGeneric, 0));
    m_fanSlider.ShowWindow(SW_HIDE);
}

void CMorvikDlg::CreateButtons() {
    for (int i = 0; i < kButtonCount; ++i) {
        const PanelButton& entry = kButtons[i];
        CControlButton& button = m_buttons[i];
        SkinPath slots[kStateImageSlots] = {};
        RECT rect;
        ReadSkinElement(entry.toggle ? L"TButton" : L"PButton", entry.key, &rect, slots, kStateImageSlots);
        const DWORD visible = entry.start == Start::Shown ? WS_VISIBLE : 0;
        button.Create(entry.text, WS_CHILD | visible, rect, this, entry.id);
        button.m_keyedDrawing = true;
        button.m_toggleButton = entry.toggle;
        button.LoadStateImages(slots);
        // Shaped from its normal picture, as loaded.
        ShapeFromBitmap(button.m_hWnd, button.NormalPicture());
    }
    Button(IDC_BUTTON_APPLY).SetShield(true);
}

void CMorvikDlg::CreateReadouts() {
    SkinPath digits[kMaxFrames] = {};
    for (int d = 0; d < 10; ++d) FormatText(digits[d], L"%sdigi_num\\%d.png", g_skinPaths.uiDirectory, d);
    ReadSkinElement(L"Static", L"Static", nullptr, digits, 10);
    for (int i = 0; i < kReadoutCount; ++i) {
        RECT rect;
        ReadSkinElement(L"Static", kReadouts[i].key, &rect, nullptr, 0);
        m_readouts[i].Create(kReadouts[i].text, WS_CHILD | WS_VISIBLE, rect, this, kReadouts[i].id);
        m_readouts[i].m_frameCount = 10;
        // One decoded frame list, copied to the others.
        if (i == 0) {
            m_readouts[i].LoadFrames(digits);
        } else {
            m_readouts[i].CopyFrames(m_readouts[0]);
        }
    }
}

void CMorvikDlg::CreateGauges() {
    const int disabled = ReadProductInt(setting::DisableMeter);
    for (int i = 0; i < kGaugeCount; ++i) {
        const Gauge& gauge = kGauges[i];
        if (disabled & gauge.disableBit) continue;
        SkinPath frames[kMaxFrames] = {};
        for (unsigned f = 0; f < gauge.frames; ++f) {
            wchar_t name[MAX_PATH];
            FormatText(name, gauge.defaultFrame, f);
            FormatText(frames[f], L"%s%s", g_skinPaths.uiDirectory, name);
        }
        RECT rect;
        ReadSkinElement(L"Meter", gauge.key, &rect, frames, static_cast<int>(gauge.frames));
        m_gauges[i].Create(gauge.text, WS_CHILD | WS_VISIBLE, rect, this, gauge.id);
        m_gauges[i].m_frameCount = gauge.frames;
        m_gauges[i].LoadFrames(frames);
        m_gauges[i].m_frameIndex = 0;
    }
}

void CMorvikDlg::CreateLabels() {
    m_labelFont = CreateSkinFont(kLabelFontHeight, FW_BOLD);
    CTransparentStatic* const labels[] = {&m_currentClockLabel, &m_boardNameLabel};
    for (std::size_t i = 0; i < std::size(kLabels); ++i) {
        RECT rect;
        ReadSkinElement(L"Static", kLabels[i].key, &rect, nullptr, 0);
        CTransparentStatic& label = *labels[i];
        label.Create(kLabels[i].text, WS_CHILD | WS_VISIBLE | SS_CENTER, rect, this, kLabels[i].id);
        label.SetTextColour(kLabelColour);
        label.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_labelFont.get()), TRUE);
        label.SetWindowText(L"");
    }
    ReadLanguageText(L"Main", L"Current", L"Current", m_currentCaption);
}

void CMorvikDlg::LoadToolTips() {
    m_toolTip.RemoveAllTools();
    if (ReadProductInt(setting::ToolTips) != 1) return;
    for (int i = 0; i < kButtonCount; ++i) {
        if (kButtons[i].id == IDC_BUTTON_LEDCTRL) continue;
        wchar_t key[MAX_PATH], text[MAX_PATH];
        FormatText(key, L"%sTip", kButtons[i].key);
        ReadLanguageText(L"Button", key, L"", text);
        m_toolTip.AddTool(m_buttons[i].m_hWnd, text);
    }
}

// Everything that needs a board: modes, board buttons, the timers, fans and LEDs.
void CMorvikDlg::StartBoardWork() {
    RestoreAtStart(this, static_cast<int>(BoardCount));
    if (BoardCount >= 2 && BoardCount <= kMaxBoardButtons) {
        for (unsigned b = 0; b < BoardCount; ++b) Button(kBoardButtons[b]).ShowWindow(SW_SHOW);
    }
    Button(IDC_BUTTON_GPU1).SetToggled(1);
    SetTimer(IDT_ANIMATION, kAnimationPeriod);
    SetTimer(IDT_MONITOR, static_cast<UINT>(MonitoringInterval) * 1000);
    ApplyFanModes(this, true);
    SetTimer(IDT_FAN_MODES, kFanModesPeriod);
    UpdateLedButton();
    ApplyLedSettings(this, true);
    SetTimer(IDT_LED_SETTINGS, kLedSettingsPeriod);
}

// The LED button shows when the selected board has a controller the LED dialog can drive.
void CMorvikDlg::UpdateLedButton() {
    for (unsigned b = 0; b < BoardCount; ++b) LedDetectController(static_cast<int>(b));
    const int kind = LedControllerKind(SelectedBoard);
    const bool usable = !(kind < 0 || (kind >= 11 && kind <= 999));
    Button(IDC_BUTTON_LEDCTRL).ShowWindow(usable ? SW_SHOW : SW_HIDE);
}

// The display-panel companion is not offered yet: nothing to start or stop.
void CMorvikDlg::UpdateCompanion() {}

bool CMorvikDlg::PreTranslateMessage(MSG* msg) {
    m_toolTip.RelayEvent(msg);
    // Neither Enter nor Escape closes the front panel.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return true;
    return CSkinDialog::PreTranslateMessage(msg);
}

LRESULT CMorvikDlg::OnTimer(WPARAM id, LPARAM) {
    switch (id) {
    case IDT_ANIMATION:
        TrayRetryStep();
        AnimateGauges();
        break;
    case IDT_MONITOR:
        TakeSample();
        RefreshDisplay();
        break;
    case IDT_FAN_MODES:
        ApplyFanModes(this, false);
        break;
    case IDT_LED_SETTINGS:
        ApplyLedSettings(this, false);
        break;
    default:
        return Default();
    }
    return 0;
}

// An icon the shell refused is offered again about every 5 s.
void CMorvikDlg::TrayRetryStep() {
    if (!m_trayRetry) return;
    if (++m_trayRetryCount <= 50) return;
    m_trayRetryCount = 0;
    if (!m_tray.ShowIcon()) return;
    m_trayRetry = 0;
    if (BoardCount == 0) KillTimer(IDT_ANIMATION);  // it ran for the icon alone
}

LRESULT CMorvikDlg::OnTrayNotify(WPARAM wParam, LPARAM lParam) { return m_tray.OnTrayNotification(wParam, lParam); }

LRESULT CMorvikDlg::OnSysCommand(WPARAM wParam, LPARAM) {
    if ((wParam & 0xFFF0) != IDM_ABOUTBOX) return Default();
    CDialogEx about(IDD_ABOUTBOX, this);
    about.DoModal();
    return 0;
}

LRESULT CMorvikDlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hIcon); }

void CMorvikDlg::OnMinimize() {
    ShowWindow(SW_HIDE);
    m_tray.ShowIcon();
}

LRESULT CMorvikDlg::OnClose(WPARAM, LPARAM) {
    EndDialog(IDCANCEL);
    return 0;
}

LRESULT CMorvikDlg::OnDestroy(WPARAM wParam, LPARAM lParam) {
    for (UINT timer : {IDT_ANIMATION, IDT_MONITOR, IDT_FAN_MODES, IDT_LED_SETTINGS}) KillTimer(timer);
    m_tray.RemoveIcon();
    return CSkinDialog::OnDestroy(wParam, lParam);
}
