// CMorvikDlg: Zorvane's main window, the front panel. It builds its buttons, digit
// read-outs, gauges and labels from the skin, shows the selected board live and owns
// the notification-area icon and the tooltips.
#pragma once

#include "dialogs/fan_ctrl_dlg.h"
#include "dialogs/info_dlg.h"
#include "dialogs/led_ctrl_dlg.h"
#include "dialogs/overclock_dlg.h"
#include "dialogs/status_dlg.h"
#include "mainwnd/setting_dlg.h"
#include "mainwnd/system_tray.h"
#include "profiles/mode_host.h"
#include "resources/resource.h"
#include "skin/control_button.h"
#include "skin/skin_dialog.h"
#include "skin/slider_control.h"
#include "skin/text_labels.h"
#include "tooltip/pp_tooltip.h"

#include <memory>


class CMorvikDlg : public CSkinDialog, public ModeHost, public OverclockHost {
public:
    // `startHidden`: started at logon, the first paint leaves only the icon.
    explicit CMorvikDlg(bool startHidden = false, CWnd* parent = nullptr);
    ~CMorvikDlg() override;

    bool PreTranslateMessage(MSG* msg) override;

    // Reads the buttons' tooltip texts afresh (none unless "ToolTips" is 1).
    void LoadToolTips();

    // One monitoring sample of the selected board, and the read-outs and gauges from it.
    void TakeSample();
    void RefreshDisplay();
    // How many samples were taken since the window was made.
    unsigned SamplesTaken() const { return m_samplesTaken; }

    // ModeHost
    void LightModeButton(int slot) override;
    void ReloadFanDialog() override;
    void ReloadLedDialog() override;
    void SetFansAutomatic() override;
    void SetLedTemperatureEffect() override;
    void RefreshReadouts() override;
    int FanCurveLevel(int board, int selector, int temperature) override;

    // How the quit question is asked: the quit dialog unless a test replaced it.
    using QuitQuestion = int (*)(CWnd& owner);
    static QuitQuestion s_askQuit;
    // The quit flow of a close: restore the defaults (as "QuitState" or the answer
    // says) or hand curve-mode fans back to the driver.
    void PrepareQuit();

    // OverclockHost
    bool ShowsFahrenheit() override;
    void OverclockApplied() override;

    // The fan control dialog, made (hidden) on first use; null before.
    CFanCtrlDlg* FanDialogIfMade() { return m_fanDialog.get(); }
    CLedCtrlDlg* LedDialogIfMade() { return m_ledDialog.get(); }
    COverClkDlg* OverclockDialogIfMade() { return m_overclockDialog.get(); }
    CStatusDlg* StatusDialogIfMade() { return m_statusDialog.get(); }
    CInfoDlg* InfoDialogIfMade() { return m_infoDialog.get(); }
    CSettingDlg* SettingDialogIfMade() { return m_settingDialog.get(); }
    // The display settings the status and information dialogs follow.
    PanelSettings CurrentPanelSettings() const;
    // Whether the button with this identifier shows toggled.
    bool IsButtonToggled(UINT id) { return Button(id) && Button(id)->IsToggled(); }
    // The fan slider's range and position when the fan is manual; else the slider hides.
    void UpdateFanControls();

    static constexpr int kButtonCount = 35;
    // GPU #1 … GPU #8.
    static constexpr UINT kBoardButtonIds[8] = {IDC_BUTTON_GPU1, IDC_BUTTON_GPU2, IDC_BUTTON_GPU3, IDC_BUTTON_GPU4,
                                                IDC_BUTTON_GPU5, IDC_BUTTON_GPU6, IDC_BUTTON_GPU7, IDC_BUTTON_GPU8};
    static constexpr int kReadoutCount = 14;
    static constexpr int kGaugeCount = 4;

protected:
    BOOL OnInitDialog() override;

    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    LRESULT OnSysCommand(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnTrayNotify(WPARAM, LPARAM);
    LRESULT OnHScroll(WPARAM, LPARAM);
    LRESULT OnShowWindow(WPARAM, LPARAM);
    void OnMinimize();
    void OnOpenFanDialog();
    void OnFansToAutomatic();
    void OnOpenLedDialog();
    void OnOpenOverclockDialog();
    void OnOpenStatusDialog();
    void OnOpenInfoDialog();
    void OnOpenSettingDialog();
    void OnSelectBoard(UINT id);
    void OnTemperatureUnit();
    void OnBiosTool();
    void OnControlPanel();
    void OnWebPage();
    void OnTrayOpen();
    void OnQuitCommand();
    LRESULT OnQueryEndSession(WPARAM, LPARAM);
    LRESULT OnPowerBroadcast(WPARAM, LPARAM);
    // After the settings dialog's OK: tooltips, clock display mode and companion again.
    void ReadSettingsAgain();
    void OnModeSlot(UINT id);
    void OnBuiltInMode(UINT id);
    void OnRestoreDefaults();
    void StartRestoreGuarded();

    DECLARE_MESSAGE_MAP()

private:
    void SetUpWindowStyles();
    void CreateControls();
    void CreateLabels();
    void StartBoardWork();
    void AnimateGauges();
    void TrayRetryStep();
    void ShowBuiltInModeButtons();
    void UpdateLedButton();
    void UpdateCompanion();
    CFanCtrlDlg& FanDialog();
    CLedCtrlDlg& LedDialog();
    void SwitchFullSpeedOff();
    void DestroyChildDialogs();

    // The button with this identifier; null for none (nothing stands in for it).
    CControlButton* Button(UINT id);
    void ShowButton(UINT id, bool show);
    void SetButtonToggled(UINT id, int on);

    HICON m_hIcon;
    CControlButton m_buttons[kButtonCount];
    CControlStatic m_readouts[kReadoutCount];
    CControlStatic m_gauges[kGaugeCount];  // memory, core, temperature, fan; absent when disabled
    CSliderControl m_fanSlider;
    CTransparentStatic m_currentClockLabel;
    CTransparentStatic m_boardNameLabel;
    gdi::Font m_labelFont;
    wchar_t m_currentCaption[MAX_PATH] = L"";
    CSystemTray m_tray;
    CPPToolTip m_toolTip;
    std::unique_ptr<CFanCtrlDlg> m_fanDialog;
    std::unique_ptr<CLedCtrlDlg> m_ledDialog;
    std::unique_ptr<COverClkDlg> m_overclockDialog;
    std::unique_ptr<CStatusDlg> m_statusDialog;
    std::unique_ptr<CInfoDlg> m_infoDialog;
    std::unique_ptr<CSettingDlg> m_settingDialog;

    // Monitor values.
    int m_temperature = 0;
    int m_fanDuty = 0;
    int m_coreClock = 0;
    int m_memoryClock = 0;
    int m_currentClock = 0;
    int m_memoryGauge = 0;
    int m_memoryTarget = 0;
    int m_coreGauge = 0;
    int m_coreTarget = 0;

    unsigned m_samplesTaken = 0;
    int m_trayRetry = 0;
    bool m_restorePending = false;  // a start-up restore has not run 60 s yet
    int m_trayRetryCount = 0;
    bool m_animationResting = false;  // hidden: the animation timer is stopped
};
