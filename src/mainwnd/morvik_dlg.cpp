#include "mainwnd/morvik_dlg.h"

#include "framework/text.h"
#include "gpu/board_list.h"
#include "gpu/clocks.h"
#include "gpu/fans.h"
#include "gpu/sensors.h"
#include "gpu/led.h"
#include "mainwnd/monitor_sample.h"
#include "dialogs/companions.h"
#include "profiles/board_features.h"
#include "profiles/builtin_modes.h"
#include "profiles/settings_store.h"
#include "profiles/user_modes.h"
#include "resources/resource.h"
#include "skin/skin_builder.h"
#include "skin/skin_file.h"
#include "skin/skin_paths.h"

#include <commctrl.h>
#include <algorithm>

#include <iterator>

namespace {

constexpr const wchar_t* kSkinWindow = L"Main";

constexpr unsigned kMaxBoardButtons = std::size(CMorvikDlg::kBoardButtonIds);

// The user mode slots 1 to 8, and the slots of the built-in modes.
constexpr UINT kModeButtons[] = {IDC_BUTTON_USERMODE1, IDC_BUTTON_USERMODE2, IDC_BUTTON_USERMODE3,
                                 IDC_BUTTON_USERMODE4, IDC_BUTTON_USERMODE5, IDC_BUTTON_USERMODE6,
                                 IDC_BUTTON_USERMODE7, IDC_BUTTON_USERMODE8};

// Fan duty, temperature, core clock, memory clock; the ones digit first in each group.
constexpr UINT kReadouts[CMorvikDlg::kReadoutCount] = {
    IDC_STATIC_FANDUTY1, IDC_STATIC_FANDUTY2, IDC_STATIC_FANDUTY3, IDC_STATIC_TEMP1,   IDC_STATIC_TEMP2,
    IDC_STATIC_TEMP3,    IDC_STATIC_CORE1,    IDC_STATIC_CORE2,    IDC_STATIC_CORE3,   IDC_STATIC_CORE4,
    IDC_STATIC_MEMORY1,  IDC_STATIC_MEMORY2,  IDC_STATIC_MEMORY3,  IDC_STATIC_MEMORY4,
};

// Memory, core, temperature, fan; "DisableMeter" leaves out a gauge by its bit.
struct Gauge {
    UINT id;
    int disableBit;
};
constexpr Gauge kGauges[CMorvikDlg::kGaugeCount] = {
    {IDC_METER_MEMORY, 1}, {IDC_METER_CORE, 2}, {IDC_METER_TEMP, 4}, {IDC_METER_FAN, 8}};

constexpr UINT kTrayIconId = IDI_TRAY;
constexpr int kLabelFontHeight = 16;
constexpr COLORREF kLabelColour = RGB(255, 255, 255);
constexpr UINT kAnimationPeriod = 100;
constexpr UINT kRestoreSettledAfter = 60000;
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
        msgmap::Message(WM_HSCROLL, &CMorvikDlg::OnHScroll),
        msgmap::Message(WM_SHOWWINDOW, &CMorvikDlg::OnShowWindow),
        msgmap::Command(IDC_BUTTON_MINIMIZE, &CMorvikDlg::OnMinimize),
        msgmap::Command(IDC_BUTTON_FANDUTYDEC, &CMorvikDlg::OnOpenFanDialog),
        msgmap::Command(IDC_BUTTON_FANDUTYINC, &CMorvikDlg::OnFansToAutomatic),
        msgmap::Command(IDC_BUTTON_LEDCTRL, &CMorvikDlg::OnOpenLedDialog),
        msgmap::Command(IDC_BUTTON_OC, &CMorvikDlg::OnOpenOverclockDialog),
        msgmap::Command(IDC_BUTTON_STATUS, &CMorvikDlg::OnOpenStatusDialog),
        msgmap::Command(IDC_BUTTON_INFO, &CMorvikDlg::OnOpenInfoDialog),
        msgmap::Command(IDC_BUTTON_SETTING, &CMorvikDlg::OnOpenSettingDialog),
        msgmap::CommandRange(IDC_BUTTON_GPU1, IDC_BUTTON_GPU4, &CMorvikDlg::OnSelectBoard),
        msgmap::CommandRange(IDC_BUTTON_GPU5, IDC_BUTTON_GPU8, &CMorvikDlg::OnSelectBoard),
        msgmap::Command(IDC_BUTTON_TEMPUNIT, &CMorvikDlg::OnTemperatureUnit),
        msgmap::Command(IDC_BUTTON_APPLY, &CMorvikDlg::OnBiosTool),
        msgmap::Command(IDC_BUTTON_NVPANEL, &CMorvikDlg::OnControlPanel),
        msgmap::Command(IDC_BUTTON_LOGO, &CMorvikDlg::OnWebPage),
        msgmap::Command(ID_TRAY_OPEN, &CMorvikDlg::OnTrayOpen),
        msgmap::Command(ID_TRAY_EXIT, &CMorvikDlg::OnQuitCommand),
        msgmap::Command(IDC_BUTTON_CLOSE, &CMorvikDlg::OnQuitCommand),
        msgmap::Message(WM_QUERYENDSESSION, &CMorvikDlg::OnQueryEndSession),
        msgmap::Message(WM_POWERBROADCAST, &CMorvikDlg::OnPowerBroadcast),
        msgmap::CommandRange(IDC_BUTTON_USERMODE1, IDC_BUTTON_USERMODE3, &CMorvikDlg::OnModeSlot),
        msgmap::CommandRange(IDC_BUTTON_USERMODE4, IDC_BUTTON_USERMODE8, &CMorvikDlg::OnModeSlot),
        msgmap::CommandRange(IDC_BUTTON_OCMODE, IDC_BUTTON_OC2MODE, &CMorvikDlg::OnBuiltInMode),
        msgmap::Command(IDC_BUTTON_RESTORE, &CMorvikDlg::OnRestoreDefaults),
    };
    static const MessageMap map{CSkinDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

CControlButton* CMorvikDlg::Button(UINT id) {
    for (CControlButton& button : m_buttons) {
        if (button.m_hWnd && static_cast<UINT>(::GetDlgCtrlID(button.m_hWnd)) == id) return &button;
    }
    return nullptr;
}

// The main window's side of the mode code.
void CMorvikDlg::LightModeButton(int slot) {
    for (int mode = 1; mode <= 8; ++mode) SetButtonToggled(kModeButtons[mode - 1], mode == slot);
    SetButtonToggled(IDC_BUTTON_OCMODE, slot == kSlotOc);
    SetButtonToggled(IDC_BUTTON_OC2MODE, slot == kSlotOc);
    SetButtonToggled(IDC_BUTTON_GAMINGMODE, slot == kSlotGaming);
    SetButtonToggled(IDC_BUTTON_SILENCEMODE, slot == kSlotSilence);
}

void CMorvikDlg::OnModeSlot(UINT id) {
    const auto button = std::find(std::begin(kModeButtons), std::end(kModeButtons), id);
    const CControlButton* pressed = Button(id);
    const CControlButton* save = Button(IDC_BUTTON_SAVE);
    if (button == std::end(kModeButtons) || !pressed) return;
    const bool saveArmed = save && save->IsToggled();
    const int slot = static_cast<int>(button - std::begin(kModeButtons)) + 1;
    const int lit = PressSlotButton(*this, slot, saveArmed, pressed->IsToggled());
    if (saveArmed) SetButtonToggled(IDC_BUTTON_SAVE, 0);
    LightModeButton(lit);
}

void CMorvikDlg::OnBuiltInMode(UINT id) {
    const int slot = id == IDC_BUTTON_GAMINGMODE ? kSlotGaming : id == IDC_BUTTON_SILENCEMODE ? kSlotSilence : kSlotOc;
    SetButtonToggled(IDC_BUTTON_SAVE, 0);
    PressBuiltInModeButton(*this, slot);
}

void CMorvikDlg::ReloadFanDialog() { FanDialog().LoadFanSettings(); }

void CMorvikDlg::ReloadLedDialog() { LedDialog().LoadSettings(); }

// The LED control dialog: made hidden on first use.
CLedCtrlDlg& CMorvikDlg::LedDialog() {
    if (!m_ledDialog) {
        m_ledDialog = std::make_unique<CLedCtrlDlg>();
        m_ledDialog->Create();
    }
    return *m_ledDialog;
}

// Showing it re-detects the controllers and applies the stored effect again.
void CMorvikDlg::OnOpenLedDialog() { LedDialog().ShowWindow(SW_SHOW); }

// The overclock dialog: made on first use, then shown and reloaded at the highest
// performance level on every request.
void CMorvikDlg::OnOpenOverclockDialog() {
    RefreshBoardFeatures();
    if (!m_overclockDialog) {
        m_overclockDialog = std::make_unique<COverClkDlg>(*this);
        m_overclockDialog->Create();
    }
    m_overclockDialog->ShowWindow(SW_SHOW);
    const int count = GpuGetPstateCount(SelectedBoard);
    m_overclockDialog->LoadSettings(count > 0 ? count - 1 : 0);
}

PanelSettings CMorvikDlg::CurrentPanelSettings() const {
    return {MonitoringInterval, DisplaySettings.temperatureUnit == 1, DisplaySettings.baseFlag,
            DisplaySettings.boostFlag};
}

// The status and information dialogs: made hidden on first use, then only shown.
void CMorvikDlg::OnOpenStatusDialog() {
    if (!m_statusDialog) {
        m_statusDialog = std::make_unique<CStatusDlg>([this] { return CurrentPanelSettings(); });
        m_statusDialog->Create();
    }
    m_statusDialog->ShowWindow(SW_SHOW);
}

void CMorvikDlg::OnOpenInfoDialog() {
    if (!m_infoDialog) {
        m_infoDialog = std::make_unique<CInfoDlg>([this] { return CurrentPanelSettings(); });
        m_infoDialog->Create();
    }
    m_infoDialog->ShowWindow(SW_SHOW);
}

void CMorvikDlg::OnOpenSettingDialog() {
    if (!m_settingDialog) {
        m_settingDialog = std::make_unique<CSettingDlg>([this] { ReadSettingsAgain(); });
        m_settingDialog->Create();
    }
    m_settingDialog->ShowWindow(SW_SHOW);
}

void CMorvikDlg::ReadSettingsAgain() {
    LoadToolTips();
    ReadClockDisplayMode(DisplaySettings);
    UpdateCompanion();
}

bool CMorvikDlg::ShowsFahrenheit() { return CurrentPanelSettings().fahrenheit; }

void CMorvikDlg::OverclockApplied() {
    UpdateFanControls();
    LightModeButton(0);
}

int CMorvikDlg::FanCurveLevel(int board, int selector, int temperature) {
    return FanDialog().EvaluateFanCurve(board, selector, temperature);
}

// The fan control dialog: made hidden on first use, for the board selected then.
CFanCtrlDlg& CMorvikDlg::FanDialog() {
    if (!m_fanDialog) {
        m_fanDialog = std::make_unique<CFanCtrlDlg>(GpuGetFanMode(SelectedBoard, kFanGeneric, 10) > 1);
        m_fanDialog->Create();
    }
    return *m_fanDialog;
}

void CMorvikDlg::OnOpenFanDialog() {
    CFanCtrlDlg& dialog = FanDialog();
    dialog.RefreshFromDriver();
    dialog.ShowWindow(SW_SHOW);
}

// Manual fan work first switches the driver's full speed off where it is on.
void CMorvikDlg::SwitchFullSpeedOff() {
    const std::uint32_t fullSpeed = feature::FanFullSpeedControl | feature::FanFullSpeedOn;
    if ((BoardFeatures & fullSpeed) == fullSpeed && GpuSetDriverControl(SelectedBoard, kControlFanFullSpeed, 1)) {
        RefreshBoardFeatures();
    }
}

void CMorvikDlg::OnFansToAutomatic() {
    SetFansAutomatic();
    RefreshDisplay();
}

void CMorvikDlg::SetFansAutomatic() {
    SwitchFullSpeedOff();
    CFanCtrlDlg& dialog = FanDialog();
    dialog.RefreshFromDriver();
    dialog.SelectMode(0, kFanAutomatic);
    dialog.SelectMode(1, kFanAutomatic);
    dialog.ApplyFanSettings();
    m_fanDuty = GpuSetFan(SelectedBoard, 0, kFanGeneric, GpuGetFan(SelectedBoard, kFanGeneric, 2));
    UpdateFanControls();
}

void CMorvikDlg::SetLedTemperatureEffect() { LedDialog().SelectEffect(kLedTemperature); }

void CMorvikDlg::OnRestoreDefaults() {
    RestoreDefaults(*this);
    RefreshDisplay();
}

LRESULT CMorvikDlg::OnHScroll(WPARAM, LPARAM lParam) {
    if (reinterpret_cast<HWND>(lParam) != m_fanSlider.m_hWnd) return Default();
    SwitchFullSpeedOff();
    m_fanDuty = m_fanSlider.GetPos();
    GpuSetFan(SelectedBoard, 1, kFanFirst, m_fanDuty);
    GpuSetFan(SelectedBoard, 1, kFanSecond, m_fanDuty);
    RefreshDisplay();
    return Default();
}

void CMorvikDlg::UpdateFanControls() {
    const int board = SelectedBoard;
    if (GpuGetFanMode(board, kFanGeneric, 0) == 1) {
        m_fanSlider.SetRange(GpuGetFan(board, kFanGeneric, 2), GpuGetFan(board, kFanGeneric, 3));
        m_fanDuty = GpuGetFan(board, kFanGeneric, 0);
        m_fanSlider.SetPos(m_fanDuty);
    } else {
        m_fanSlider.ShowWindow(SW_HIDE);
        ShowButton(IDC_BUTTON_FANDUTYDEC, true);
    }
}

// The child dialogs go in the order information, status, fan control, LED control,
// overclock, settings; those not made yet are skipped.
void CMorvikDlg::DestroyChildDialogs() {
    auto destroy = [](auto& slot) {
        if (!slot) return;
        if (slot->m_hWnd) slot->DestroyWindow();
        slot.reset();
    };
    destroy(m_infoDialog);
    destroy(m_statusDialog);
    destroy(m_fanDialog);
    destroy(m_ledDialog);
    destroy(m_overclockDialog);
    destroy(m_settingDialog);
}

void CMorvikDlg::RefreshReadouts() {
    TakeSample();
    RefreshDisplay();
}

void CMorvikDlg::ShowButton(UINT id, bool show) {
    if (CControlButton* button = Button(id)) button->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CMorvikDlg::SetButtonToggled(UINT id, int on) {
    if (CControlButton* button = Button(id)) button->SetToggled(on);
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

    CreateControls();

    if (!m_tray.Create(this, WM_TRAY_NOTIFY, L"Zorvane", m_hIcon, kTrayIconId)) m_trayRetry = 1;

    RefreshDisplay();

    MonitoringInterval = MonitoringIntervalSeconds();
    const int unit = ReadProductInt(setting::TemperatureUnit);
    DisplaySettings.temperatureUnit = unit > 0 ? unit : 0;
    SetButtonToggled(IDC_BUTTON_TEMPUNIT, unit > 0 ? 1 : 0);

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

// The fan slider, the buttons, the read-outs and the gauges, in that order.
void CMorvikDlg::CreateControls() {
    SkinBuilder builder(*this, kSkinWindow);
    builder.Bind(IDC_SLIDER_FANCTRL, m_fanSlider).BindButtons(m_buttons);
    for (int i = 0; i < kReadoutCount; ++i) builder.Bind(kReadouts[i], m_readouts[i]);
    const int disabled = ReadProductInt(setting::DisableMeter);
    for (int i = 0; i < kGaugeCount; ++i) {
        if (!(disabled & kGauges[i].disableBit)) builder.Bind(kGauges[i].id, m_gauges[i]);
    }
    builder.Build();

    m_fanSlider.SetRange(GpuGetFan(SelectedBoard, kFanGeneric, 2), GpuGetFan(SelectedBoard, kFanGeneric, 3));
    m_fanSlider.SetPos(GpuGetFan(SelectedBoard, kFanGeneric, 0));
    m_fanSlider.ShowWindow(SW_HIDE);
    if (CControlButton* apply = Button(IDC_BUTTON_APPLY)) apply->SetShield(true);
}

// The current-clock and board-name labels, emptied once made.
void CMorvikDlg::CreateLabels() {
    m_labelFont = CreateSkinFont(kLabelFontHeight, FW_BOLD);
    SkinBuilder builder(*this, kSkinWindow);
    builder.Bind(IDC_STATIC_CORECURRENT, m_currentClockLabel, m_labelFont.get(), kLabelColour)
        .Bind(IDC_STATIC_GPUNAME, m_boardNameLabel, m_labelFont.get(), kLabelColour)
        .Build();
    m_currentClockLabel.SetWindowText(L"");
    m_boardNameLabel.SetWindowText(L"");
    ReadLanguageText(L"Main", L"Current", L"Current", m_currentCaption);
}

void CMorvikDlg::LoadToolTips() {
    m_toolTip.RemoveAllTools();
    if (ReadProductInt(setting::ToolTips) != 1) return;
    const WindowSkin* skin = FindWindowSkin(kSkinWindow);
    for (std::size_t i = 0; skin && i < skin->elementCount; ++i) {
        const SkinElement& element = skin->elements[i];
        if (element.control != ControlKind::Button || element.id == IDC_BUTTON_LEDCTRL) continue;
        wchar_t key[MAX_PATH], text[MAX_PATH];
        FormatText(key, L"%sTip", element.key);
        ReadLanguageText(L"Button", key, L"", text);
        if (CControlButton* button = Button(element.id)) m_toolTip.AddTool(button->m_hWnd, text);
    }
}

// The start-up restore; one skipped because the last one ended the program is told
// once from the tray icon.
void CMorvikDlg::StartRestoreGuarded() {
    switch (RestoreAtStartGuarded(*this, static_cast<int>(BoardCount))) {
    case StartRestore::Applied:
        m_restorePending = true;
        SetTimer(IDT_RESTORE_SETTLED, kRestoreSettledAfter);
        break;
    case StartRestore::Skipped: {
        wchar_t text[MAX_PATH];
        ReadLanguageText(L"Main", L"RestoreSkipped",
                         L"Your last settings were not applied at start: Zorvane ended unexpectedly after it last "
                         L"applied them. Apply a mode again when you are ready.",
                         text);
        m_tray.ShowBalloon(L"Zorvane", text);
        break;
    }
    case StartRestore::NothingToApply: break;
    }
}

// Everything that needs a board: modes, board buttons, the timers, fans and LEDs.
void CMorvikDlg::StartBoardWork() {
    StartRestoreGuarded();
    if (BoardCount >= 2 && BoardCount <= kMaxBoardButtons) {
        for (unsigned b = 0; b < BoardCount; ++b) ShowButton(kBoardButtonIds[b], true);
    }
    SetButtonToggled(IDC_BUTTON_GPU1, 1);
    SetTimer(IDT_ANIMATION, kAnimationPeriod);
    SetTimer(IDT_MONITOR, static_cast<UINT>(MonitoringInterval) * 1000);
    ApplyFanModes(*this, true);
    SetTimer(IDT_FAN_MODES, kFanModesPeriod);
    UpdateLedButton();
    ApplyLedSettings(*this, true);
    SetTimer(IDT_LED_SETTINGS, kLedSettingsPeriod);
}

// The LED button shows when the selected board has a controller the LED dialog can drive.
void CMorvikDlg::UpdateLedButton() {
    LedDialog();
    for (unsigned b = 0; b < BoardCount; ++b) LedDetectController(static_cast<int>(b));
    ShowButton(IDC_BUTTON_LEDCTRL, IsUsableLedController(LedControllerKind(SelectedBoard)));
}

// The display-panel companion runs exactly while "TELLIX" is 1.
void CMorvikDlg::UpdateCompanion() { UpdatePanelCompanion(g_skinPaths.uiDirectory, ReadProductInt(setting::Tellix) == 1); }

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
        // Hidden in the tray the gauges have nothing to show: the timer rests until the
        // window is shown again (the tray retry keeps it while the icon is missing).
        if (!IsWindowVisible() && !m_trayRetry) {
            KillTimer(IDT_ANIMATION);
            m_animationResting = true;
            break;
        }
        AnimateGauges();
        break;
    case IDT_MONITOR:
        TakeSample();
        RefreshDisplay();
        break;
    case IDT_FAN_MODES:
        ApplyFanModes(*this, false);
        break;
    case IDT_LED_SETTINGS:
        ApplyLedSettings(*this, false);
        break;
    case IDT_RESTORE_SETTLED:
        KillTimer(IDT_RESTORE_SETTLED);
        m_restorePending = false;
        RestoreSettled();
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

LRESULT CMorvikDlg::OnShowWindow(WPARAM shown, LPARAM lParam) {
    if (shown && m_animationResting) {
        m_animationResting = false;
        SetTimer(IDT_ANIMATION, kAnimationPeriod);
    }
    return CSkinDialog::OnShowWindow(shown, lParam);
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

LRESULT CMorvikDlg::OnDestroy(WPARAM wParam, LPARAM lParam) {
    for (UINT timer : {IDT_ANIMATION, IDT_MONITOR, IDT_FAN_MODES, IDT_LED_SETTINGS, IDT_RESTORE_SETTLED}) KillTimer(timer);
    // A normal end is not the end the restore guard watches for.
    if (m_restorePending) RestoreSettled();
    m_tray.RemoveIcon();
    const LRESULT result = CSkinDialog::OnDestroy(wParam, lParam);
    DestroyChildDialogs();
    return result;
}
