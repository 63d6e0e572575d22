// COverClkDlg: the selected board's clock offsets, voltage, power and temperature
// targets, maximum over-voltage and frame-rate target on sliders, written on OK. The
// main window keeps one; every show reloads it from the driver, OK, Cancel and close
// hide it. Boards with board-controller or driver switches also get master mode.
#pragma once

#include "dialogs/overclock_page.h"
#include "skin/control_button.h"
#include "skin/skin_dialog.h"
#include "skin/slider_control.h"
#include "skin/text_labels.h"

// What the dialog needs of the main window.
class OverclockHost {
public:
    virtual ~OverclockHost() = default;
    // The program's temperature unit is Fahrenheit.
    virtual bool ShowsFahrenheit() = 0;
    // After OK: the fan slider from the driver again, and no mode button lit.
    virtual void OverclockApplied() = 0;
};

class COverClkDlg : public CSkinDialog {
public:
    explicit COverClkDlg(OverclockHost& host);

    // The window, modeless and hidden, from template 133 without an owner.
    bool Create();

    // Ranges and positions from the driver, the switches from the board's key, for
    // performance level `level`.
    void LoadSettings(int level);
    void ApplyOverclockSettings();
    void UpdateValueTexts();
    // The temperature in the other unit, the sliders as the user left them.
    void SetFahrenheit(bool fahrenheit);
    // Starts the scanner unless one runs; then hides the dialog.
    void LaunchScanner();

    // Master mode is process-wide: normal at start, never stored.
    static bool MasterMode() { return s_masterMode; }
    void SelectMode(bool master);

    const OverclockPage& Page() const { return m_page; }
    const MasterSwitches& Switches() const { return m_switches; }
    CSliderControl& Slider(OverclockRow row) { return m_rows[row].slider; }
    CWnd& Control(UINT id);
    // The performance level the list stands at (the loaded one when the list is empty).
    int Level() const;

    // Where the scanner is started from; the program's directory unless a test sets it.
    static std::wstring s_scannerDirectory;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT OnHScroll(WPARAM, LPARAM);
    void OnLinked();
    void OnOvervoltaged();
    void OnScanner();
    void OnModeButton(UINT id);
    void OnSwitch(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    struct Row {
        CSliderControl slider;
        CTransparentStatic item, value, unit;
    };
    void FillLevelList();
    void ReadLabelTexts();
    void ShowPage(TextMoment moment);
    void ShowRow(OverclockRow row, TextMoment moment);
    void ShowBox(CButton& box, CTransparentStatic& label, bool shown, bool ticked);
    void ShowMode();
    void ReadPositions();
    void Show(CWnd& control, bool shown);

    OverclockHost& m_host;
    OverclockPage m_page;
    MasterSwitches m_switches;
    bool m_boostMode = false;
    int m_level = 0;
    Row m_rows[kOverclockRows];
    CButton m_prioritize, m_linked, m_overvoltaged;
    CTransparentStatic m_prioritizeLabel, m_linkedLabel, m_overvoltagedLabel;
    CControlButton m_ok, m_cancel, m_scanner, m_normalMode, m_masterMode;
    CControlButton m_switchButtons[kMasterSwitches];
    CTransparentStatic m_switchLabels[kMasterSwitches];
    gdi::Font m_font;

    static bool s_masterMode;
};
