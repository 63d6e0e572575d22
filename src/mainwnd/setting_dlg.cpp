#include "mainwnd/setting_dlg.h"

#include "framework/text.h"
#include "mainwnd/monitor_sample.h"
#include "platform/executable_path.h"
#include "profiles/registry_key.h"
#include "profiles/settings_store.h"
#include "resources/resource.h"
#include "skin/skin_builder.h"
#include "skin/skin_file.h"
#include "skin/skin_paths.h"
#include "startup/start_with_windows.h"

#include <commctrl.h>

#include <cwchar>
#include <iterator>

namespace {

constexpr const wchar_t* kSection = L"Setting";
constexpr COLORREF kLabelColour = RGB(0xFF, 0xFF, 0xFF);
constexpr int kFontHeight = 13;

struct Label {
    UINT id;
    const wchar_t* key;  // null: the label keeps its own text
    const wchar_t* text;
};
constexpr Label kLabels[8] = {
    {IDC_SET_STARTUP_LABEL, L"Autorun", L"Run at Windows startup"},
    {IDC_SET_TOOLTIPS_LABEL, L"ToolTips", L"Enable ToolTips"},
    {IDC_SET_COMPANION_LABEL, nullptr, nullptr},
    {IDC_SET_METER_LABEL, L"MeterMode", L"Meter Display"},
    {IDC_SET_CURRENT_LABEL, L"CurrentCLK", L"Current clock"},
    {IDC_SET_BASE_LABEL, L"Base3DCLK", L"Base clock"},
    {IDC_SET_BOOST_LABEL, L"Boost3DCLK", L"Boost clock"},
    {IDC_SET_INTERVAL_LABEL, L"Interval", L"Update interval (s)"},
};

const wchar_t* Flag(bool on) { return on ? L"1" : L"0"; }

}  // namespace

int ParseMonitoringInterval(const wchar_t* text) {
    const int n = ParseSettingText(text);
    if (n == 0) return 1;
    return n > 0 && n < 100 ? n : 99;
}

CSettingDlg::CSettingDlg(std::function<void()> applied)
    : CSkinDialog(IDD_SETTING, g_skinPaths.background[BackgroundSetting]), m_applied(std::move(applied)) {}

const MessageMap* CSettingDlg::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::CommandRange(IDC_SET_CURRENT, IDC_SET_BASE, &CSettingDlg::OnClockBox),
        msgmap::CommandRange(IDC_SET_BOOST, IDC_SET_BOOST, &CSettingDlg::OnClockBox),
    };
    static const MessageMap map{CSkinDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

bool CSettingDlg::Create() { return CSkinDialog::Create(IDD_SETTING, nullptr); }

BOOL CSettingDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    ShowWindow(SW_HIDE);
    FrameSetUp();
    m_font = CreateSkinFont(kFontHeight);
    SkinBuilder builder(*this, L"Setting");
    builder.Bind(IDC_SET_STARTUP, m_startup)
        .Bind(IDC_SET_TOOLTIPS, m_toolTips)
        .Bind(IDC_SET_COMPANION, m_companion)
        .Bind(IDC_SET_CURRENT, m_current)
        .Bind(IDC_SET_BASE, m_base)
        .Bind(IDC_SET_BOOST, m_boost);
    for (int i = 0; i < 8; ++i) builder.Bind(kLabels[i].id, m_labels[i], m_font.get(), kLabelColour, SS_LEFT);
    builder.Bind(IDC_SET_INTERVAL, [this](const RECT& rect, UINT id) {
        m_interval.CreateEx(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_NUMBER | ES_CENTER,
                            rect, this, id);
        m_spin.CreateEx(0, UPDOWN_CLASSW, L"",
                        WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                        RECT{0, 0, 0, 0}, this, IDC_SET_INTERVAL_SPIN);
    });
    builder.Bind(IDOK, m_apply).Bind(IDCANCEL, m_cancel).Build();

    m_interval.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    m_interval.SendMessage(EM_SETLIMITTEXT, 2);
    m_spin.SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_interval.m_hWnd));
    m_spin.SendMessage(UDM_SETRANGE32, 1, 99);
    wchar_t text[MAX_PATH];
    FormatText(text, L"%d", MonitoringInterval);
    m_interval.SetWindowText(text);

    m_startup.SetCheck(CheckStartWithWindows(ExecutablePath().c_str()) ? BST_CHECKED : BST_UNCHECKED);
    for (int i = 0; i < 8; ++i) {
        if (!kLabels[i].key) continue;
        ReadLanguageText(kSection, kLabels[i].key, kLabels[i].text, text);
        m_labels[i].SetWindowText(text);
    }
    m_toolTips.SetCheck(ReadProductInt(setting::ToolTips) == 1 ? BST_CHECKED : BST_UNCHECKED);
    const int meter = ReadProductInt(setting::MeterMode);
    OnClockBox(meter == 2 ? IDC_SET_BOOST : meter == 1 ? IDC_SET_CURRENT : IDC_SET_BASE);
    m_companion.SetCheck(ReadProductInt(setting::Tellix) == 1 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

CButton& CSettingDlg::Box(UINT id) {
    switch (id) {
    case IDC_SET_STARTUP: return m_startup;
    case IDC_SET_TOOLTIPS: return m_toolTips;
    case IDC_SET_COMPANION: return m_companion;
    case IDC_SET_CURRENT: return m_current;
    case IDC_SET_BASE: return m_base;
    default: return m_boost;
    }
}

// Exactly one clock display is ticked.
void CSettingDlg::OnClockBox(UINT id) {
    m_current.SetCheck(id == IDC_SET_CURRENT ? BST_CHECKED : BST_UNCHECKED);
    m_base.SetCheck(id == IDC_SET_BASE ? BST_CHECKED : BST_UNCHECKED);
    m_boost.SetCheck(id == IDC_SET_BOOST ? BST_CHECKED : BST_UNCHECKED);
}

void CSettingDlg::OnOK() {
    wchar_t interval[8] = {};
    ::GetWindowTextW(m_interval.m_hWnd, interval, static_cast<int>(std::size(interval)));
    // Takes effect for the main window at the next start, for the status dialog when it is next made.
    MonitoringInterval = ParseMonitoringInterval(interval);
    WriteProductString(setting::Interval, interval);

    const std::wstring executable = ExecutablePath();
    if (m_startup.GetCheck() == BST_CHECKED) {
        RegisterStartWithWindows(executable.c_str());
    } else {
        UnregisterStartWithWindows();
    }
    WriteProductString(setting::ToolTips, Flag(m_toolTips.GetCheck() == BST_CHECKED));
    const wchar_t* meter = m_boost.GetCheck() == BST_CHECKED ? L"2" : m_current.GetCheck() == BST_CHECKED ? L"1" : L"0";
    WriteProductString(setting::MeterMode, meter);
    WriteProductString(setting::Tellix, Flag(m_companion.GetCheck() == BST_CHECKED));
    if (m_applied) m_applied();
    ShowWindow(SW_HIDE);
}

void CSettingDlg::OnCancel() { ShowWindow(SW_HIDE); }
