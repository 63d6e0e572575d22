// CSettingDlg: the options page — start with Windows, tooltips, which clock the panel's
// read-outs show, the monitoring interval — written on OK, which also registers or
// removes the start with Windows and makes the main window read them again. Made on
// first use and then only hidden; its boxes keep what the user left in them.
#pragma once

#include "skin/control_button.h"
#include "skin/skin_dialog.h"
#include "skin/text_labels.h"

#include <functional>
#include <string>

// The monitoring interval an entered text gives: 0 → 1, 1–99 as they are, anything
// larger or negative → 99.
int ParseMonitoringInterval(const wchar_t* text);

class CSettingDlg : public CSkinDialog {
public:
    // `applied` runs after OK has stored everything: the main window reads it again.
    explicit CSettingDlg(std::function<void()> applied);

    // The window, modeless and hidden, from template 134 without an owner.
    bool Create();

    CButton& Box(UINT id);
    CWnd& IntervalEdit() { return m_interval; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnClockBox(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    std::function<void()> m_applied;
    CButton m_startup, m_toolTips, m_companion, m_current, m_base, m_boost;
    CTransparentStatic m_labels[8];
    CWnd m_interval, m_spin;
    CControlButton m_apply, m_cancel;
    gdi::Font m_font;
};
