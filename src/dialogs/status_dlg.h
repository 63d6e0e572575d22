// CStatusDlg: eight scrolling charts of the selected board (clocks, temperature, fan,
// voltage, power, loads), each under a line with its current value. The main window
// makes it on first use; from then on it samples every monitoring interval, shown or
// hidden, until the main window ends.
#pragma once

#include "dialogs/status_page.h"
#include "skin/control_button.h"
#include "skin/histogram_ctrl.h"
#include "skin/skin_dialog.h"
#include "skin/text_labels.h"

class CStatusDlg : public CSkinDialog {
public:
    explicit CStatusDlg(PanelSettingsSource settings);

    // The window, modeless and hidden, from template 135 without an owner.
    bool Create();

    // One sample of everything: the charts get their values, the lines what changed.
    void Sample();
    // The lines of the last sample again (the temperature unit changed).
    void RefreshLines();

    CHistogramCtrl& Chart(StatusChart chart) { return m_charts[chart]; }
    CTransparentStatic& Line(StatusChart chart) { return m_lines[chart]; }
    bool ChartRunning(StatusChart chart) const { return m_running[chart]; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    void ShowLines(const StatusSample& sample);

    PanelSettingsSource m_settings;
    StatusTexts m_texts;
    CHistogramCtrl m_charts[kStatusCharts];
    CTransparentStatic m_lines[kStatusCharts];
    bool m_running[kStatusCharts] = {};
    CControlButton m_close;
    gdi::Font m_font;
    int m_maximumPower = 0;
    StatusSample m_last;
};
