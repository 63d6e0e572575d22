#include "overclock_dlg.h"

#include "dialogs/companions.h"
#include "framework/prompt.h"
#include "gpu/board_list.h"
#include "platform/executable_path.h"
#include "gpu/clocks.h"
#include "gpu/status.h"
#include "gpu/voltage.h"
#include "profiles/board_features.h"
#include "profiles/settings_store.h"
#include "resources/resource.h"
#include "skin/skin_builder.h"
#include "skin/skin_file.h"
#include "skin/skin_paths.h"

#include <iterator>

namespace {

constexpr const wchar_t* kSection = L"OverClock";
constexpr COLORREF kLabelColour = RGB(255, 255, 255);
constexpr int kFontHeight = 13;

struct RowIds {
    UINT slider, item, value, unit;
    const wchar_t* key;  // the item label's language key and default
    const wchar_t* text;
};
// In OverclockRow order; the voltage row's label depends on its mode.
constexpr RowIds kRows[kOverclockRows] = {
    {IDC_OC_CORE_SLIDER, IDC_OC_CORE_ITEM, IDC_OC_CORE_VALUE, IDC_OC_CORE_UNIT, L"CoreCLK", L"GPU Clock Offset"},
    {IDC_OC_MEMORY_SLIDER, IDC_OC_MEMORY_ITEM, IDC_OC_MEMORY_VALUE, IDC_OC_MEMORY_UNIT, L"MemCLk",
     L"Memory Clock Offset"},
    {IDC_OC_VOLTAGE_SLIDER, IDC_OC_VOLTAGE_ITEM, IDC_OC_VOLTAGE_VALUE, IDC_OC_VOLTAGE_UNIT, L"CoreVolt",
     L"Voltage Minimum Offset"},
    {IDC_OC_POWER_SLIDER, IDC_OC_POWER_ITEM, IDC_OC_POWER_VALUE, IDC_OC_POWER_UNIT, L"PowerLimit", L"Power Target"},
    {IDC_OC_TEMP_SLIDER, IDC_OC_TEMP_ITEM, IDC_OC_TEMP_VALUE, IDC_OC_TEMP_UNIT, L"TempTarget", L"GPU Temp. Target"},
    {IDC_OC_VOLTMAX_SLIDER, IDC_OC_VOLTMAX_ITEM, IDC_OC_VOLTMAX_VALUE, IDC_OC_VOLTMAX_UNIT, L"VoltMax",
     L"GPU Max. Voltage"},
    {IDC_OC_FRAME_SLIDER, IDC_OC_FRAME_ITEM, IDC_OC_FRAME_VALUE, IDC_OC_FRAME_UNIT, L"Frame", L"Frame Rate Target"},
};

struct SwitchIds {
    UINT button, label;
    const wchar_t* key;
    const wchar_t* text;
};
constexpr SwitchIds kSwitches[kMasterSwitches] = {
    {IDC_OC_CORE_OV, IDC_OC_CORE_OV_LABEL, L"CoreOV", L"GPU  OverVoltage"},
    {IDC_OC_MEMORY_OV, IDC_OC_MEMORY_OV_LABEL, L"MemOV", L"Memory  OverVoltage"},
    {IDC_OC_FAN_FULL_SPEED, IDC_OC_FAN_FULL_SPEED_LABEL, L"FanFS", L"Fan   FullSpeed"},
    {IDC_OC_OVER_CURRENT, IDC_OC_OVER_CURRENT_LABEL, L"OCP", L"OverCurrent Limit"},
};

constexpr const wchar_t* kWarningCaption = L"*WARNING* GPU Max Overvoltage *WARNING*";
constexpr const wchar_t* kWarningText =
    L"*WARNING MESSAGE* \n\nWarning: Increasing the GPU voltage may damage the GPU and impact long term "
    L"reliability! \n\nAre you sure to enable the over-voltage function? \n\n*WARNING MESSAGE*";

// The level names for a board with n legacy performance levels beyond the first.
const wchar_t* const kLevelNames[4][4] = {
    {L"3D/2D"}, {L"2D", L"3D"}, {L"2D", L"Low 3D", L"3D"}, {L"2D", L"Video", L"Low 3D", L"3D"}};

const wchar_t* ModeBackground(bool master) {
    return g_skinPaths.background[master ? BackgroundOverClock2 : BackgroundOverClock];
}

}  // namespace

bool COverClkDlg::s_masterMode = false;
std::wstring COverClkDlg::s_scannerDirectory;

COverClkDlg::COverClkDlg(OverclockHost& host) : CSkinDialog(IDD_OVERCLK, ModeBackground(s_masterMode)), m_host(host) {}

const MessageMap* COverClkDlg::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_HSCROLL, &COverClkDlg::OnHScroll),
        msgmap::Command(IDC_OC_LINKED, &COverClkDlg::OnLinked),
        msgmap::Command(IDC_OC_OVERVOLTAGED, &COverClkDlg::OnOvervoltaged),
        msgmap::Command(IDC_OC_SCANNER, &COverClkDlg::OnScanner),
        msgmap::CommandRange(IDC_OC_NORMAL_MODE, IDC_OC_MASTER_MODE, &COverClkDlg::OnModeButton),
        msgmap::CommandRange(IDC_OC_CORE_OV, IDC_OC_OVER_CURRENT, &COverClkDlg::OnSwitch),
    };
    static const MessageMap map{CSkinDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

bool COverClkDlg::Create() { return CSkinDialog::Create(IDD_OVERCLK, nullptr); }

BOOL COverClkDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    FrameSetUp();
    LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_COMPOSITED | WS_EX_LAYERED);
    // A layered window shows nothing until it is given an opacity.
    ::SetLayeredWindowAttributes(m_hWnd, 0, 255, LWA_ALPHA);
    FillLevelList();
    m_font = CreateSkinFont(kFontHeight);

    // Every control of both pages; master mode's stay hidden until it is chosen.
    SkinBuilder builder(*this, L"OverClock2");
    for (int r = 0; r < kOverclockRows; ++r) {
        builder.Bind(kRows[r].slider, m_rows[r].slider)
            .Bind(kRows[r].item, m_rows[r].item, m_font.get(), kLabelColour, SS_CENTER)
            .Bind(kRows[r].value, m_rows[r].value, m_font.get(), kLabelColour, SS_LEFT)
            .Bind(kRows[r].unit, m_rows[r].unit, m_font.get(), kLabelColour, SS_LEFT);
    }
    // Scaled boxes rise by their whole extra height, the Linked box by half of it.
    builder.Bind(IDC_OC_PRIORITIZE, m_prioritize, 1.0)
        .Bind(IDC_OC_LINKED, m_linked, 0.5)
        .Bind(IDC_OC_OVERVOLTAGED, m_overvoltaged, 1.0)
        .Bind(IDC_OC_PRIORITIZE_LABEL, m_prioritizeLabel, m_font.get(), kLabelColour, SS_LEFT)
        .Bind(IDC_OC_LINKED_LABEL, m_linkedLabel, m_font.get(), kLabelColour, SS_LEFT)
        .Bind(IDC_OC_OVERVOLTAGED_LABEL, m_overvoltagedLabel, m_font.get(), kLabelColour, SS_LEFT)
        .Bind(IDOK, m_ok)
        .Bind(IDCANCEL, m_cancel)
        .Bind(IDC_OC_SCANNER, m_scanner)
        .Bind(IDC_OC_NORMAL_MODE, m_normalMode)
        .Bind(IDC_OC_MASTER_MODE, m_masterMode);
    for (int s = 0; s < kMasterSwitches; ++s) {
        builder.Bind(kSwitches[s].button, m_switchButtons[s])
            .Bind(kSwitches[s].label, m_switchLabels[s], m_font.get(), kLabelColour, SS_LEFT);
    }
    builder.Build();

    m_boostMode = GpuGetVoltageBoost(SelectedBoard) >= 0;
    ReadLabelTexts();
    LoadSettings(m_level);
    return TRUE;
}

void COverClkDlg::FillLevelList() {
    const int count = GpuGetPstateCount(SelectedBoard) - 1;
    const int n = count >= 1 ? count : 0;
    m_level = n;
    if (n > 3) return;
    const HWND list = ::GetDlgItem(m_hWnd, IDC_OC_LEVELS);
    for (int i = 0; i <= n; ++i) {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kLevelNames[n][i]));
    }
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(n), 0);
}

int COverClkDlg::Level() const {
    const LRESULT selection = ::SendDlgItemMessageW(m_hWnd, IDC_OC_LEVELS, LB_GETCURSEL, 0, 0);
    return selection >= 0 ? static_cast<int>(selection) : m_level;
}

void COverClkDlg::ReadLabelTexts() {
    wchar_t text[MAX_PATH];
    for (int r = 0; r < kOverclockRows; ++r) {
        if (r == kRowVoltage && m_boostMode) {
            ReadLanguageText(kSection, L"CoreVoltPct", L"GPU Over Voltage", text);
        } else {
            ReadLanguageText(kSection, kRows[r].key, kRows[r].text, text);
        }
        m_rows[r].item.SetWindowText(text);
    }
    m_rows[kRowVoltage].unit.SetWindowText(m_boostMode ? L"%" : L"V");
    ReadLanguageText(kSection, L"TempPrioritize", L"Prioritize", text);
    m_prioritizeLabel.SetWindowText(text);
    ReadLanguageText(kSection, L"TempLink", L"Linked", text);
    m_linkedLabel.SetWindowText(text);
    ReadLanguageText(kSection, L"VoltMaxEnable", L"Overvoltaged", text);
    m_overvoltagedLabel.SetWindowText(text);
    for (int s = 0; s < kMasterSwitches; ++s) {
        ReadLanguageText(kSection, kSwitches[s].key, kSwitches[s].text, text);
        m_switchLabels[s].SetWindowText(text);
    }
}

CWnd& COverClkDlg::Control(UINT id) {
    for (int r = 0; r < kOverclockRows; ++r) {
        if (kRows[r].slider == id) return m_rows[r].slider;
        if (kRows[r].item == id) return m_rows[r].item;
        if (kRows[r].value == id) return m_rows[r].value;
        if (kRows[r].unit == id) return m_rows[r].unit;
    }
    for (int s = 0; s < kMasterSwitches; ++s) {
        if (kSwitches[s].button == id) return m_switchButtons[s];
        if (kSwitches[s].label == id) return m_switchLabels[s];
    }
    switch (id) {
    case IDC_OC_PRIORITIZE: return m_prioritize;
    case IDC_OC_LINKED: return m_linked;
    case IDC_OC_OVERVOLTAGED: return m_overvoltaged;
    case IDC_OC_PRIORITIZE_LABEL: return m_prioritizeLabel;
    case IDC_OC_LINKED_LABEL: return m_linkedLabel;
    case IDC_OC_OVERVOLTAGED_LABEL: return m_overvoltagedLabel;
    case IDOK: return m_ok;
    case IDCANCEL: return m_cancel;
    case IDC_OC_SCANNER: return m_scanner;
    case IDC_OC_MASTER_MODE: return m_masterMode;
    default: return m_normalMode;
    }
}

void COverClkDlg::Show(CWnd& control, bool shown) { control.ShowWindow(shown ? SW_SHOW : SW_HIDE); }

// ---------------------------------------------------------------- load and show

void COverClkDlg::LoadSettings(int level) {
    m_level = level;
    const int board = SelectedBoard;
    m_page = LoadOverclockPage(board, level, m_boostMode, m_host.ShowsFahrenheit());
    m_rows[kRowTemperature].unit.SetWindowText(m_page.fahrenheit ? L"'F" : L"'C");
    if (!OffersMasterMode(BoardFeatures)) s_masterMode = false;
    if (s_masterMode) m_switches = LoadMasterSwitches(board, BoardFeatures);
    ShowPage(TextMoment::Load);
    ShowMode();
}

void COverClkDlg::ShowRow(OverclockRow row, TextMoment moment) {
    const OverclockSlider& s = m_page.rows[row];
    Row& controls = m_rows[row];
    controls.slider.SetRange(s.minimum, s.maximum, true);
    controls.slider.SetPos(s.position);
    ::EnableWindow(controls.slider.m_hWnd, s.enabled);
    for (CWnd* control : {static_cast<CWnd*>(&controls.slider), static_cast<CWnd*>(&controls.item),
                          static_cast<CWnd*>(&controls.value), static_cast<CWnd*>(&controls.unit)}) {
        Show(*control, s.shown);
    }
    controls.value.SetWindowText(ValueText(m_page, row, moment).c_str());
}

void COverClkDlg::ShowBox(CButton& box, CTransparentStatic& label, bool shown, bool ticked) {
    box.SetCheck(ticked ? BST_CHECKED : BST_UNCHECKED);
    Show(box, shown);
    ::EnableWindow(box.m_hWnd, shown);
    Show(label, shown);
}

void COverClkDlg::ShowPage(TextMoment moment) {
    for (int r = 0; r < kOverclockRows; ++r) ShowRow(static_cast<OverclockRow>(r), moment);
    ShowBox(m_prioritize, m_prioritizeLabel, m_page.prioritizeShown, m_page.prioritize);
    ShowBox(m_linked, m_linkedLabel, m_page.linkedShown, m_page.linked);
    ShowBox(m_overvoltaged, m_overvoltagedLabel, m_page.overvoltagedShown, m_page.overvoltaged);
}

// The mode buttons, master mode's switches and the page's picture for the current mode.
void COverClkDlg::ShowMode() {
    const bool master = s_masterMode;
    m_normalMode.SetToggled(master ? 0 : 1);
    ::EnableWindow(m_normalMode.m_hWnd, master);
    m_masterMode.SetToggled(master ? 1 : 0);
    ::EnableWindow(m_masterMode.m_hWnd, !master);
    Show(m_masterMode, OffersMasterMode(BoardFeatures));
    for (int s = 0; s < kMasterSwitches; ++s) {
        const bool shown = master && m_switches.shown[s];
        m_switchButtons[s].SetToggled(m_switches.on[s] ? 1 : 0);
        Show(m_switchButtons[s], shown);
        Show(m_switchLabels[s], shown);
    }
    ChangeBackground(ModeBackground(master));
}

void COverClkDlg::SelectMode(bool master) {
    s_masterMode = master && OffersMasterMode(BoardFeatures);
    LoadSettings(Level());
}

void COverClkDlg::OnModeButton(UINT id) { SelectMode(id == IDC_OC_MASTER_MODE); }

// ---------------------------------------------------------------- the user's changes

void COverClkDlg::ReadPositions() {
    for (int r = 0; r < kOverclockRows; ++r) m_page.rows[r].position = m_rows[r].slider.GetPos();
    m_page.prioritize = m_prioritize.GetCheck() == BST_CHECKED;
    m_page.linked = m_linked.GetCheck() == BST_CHECKED;
    m_page.overvoltaged = m_overvoltaged.GetCheck() == BST_CHECKED;
}

void COverClkDlg::UpdateValueTexts() {
    ReadPositions();
    FollowPowerTarget(SelectedBoard, m_page);
    m_rows[kRowTemperature].slider.SetPos(m_page.rows[kRowTemperature].position);
    for (int r = 0; r < kOverclockRows; ++r) {
        m_rows[r].value.SetWindowText(ValueText(m_page, static_cast<OverclockRow>(r), TextMoment::Movement).c_str());
    }
}

void COverClkDlg::SetFahrenheit(bool fahrenheit) {
    m_page.fahrenheit = fahrenheit;
    m_rows[kRowTemperature].unit.SetWindowText(fahrenheit ? L"'F" : L"'C");
    m_page.rows[kRowTemperature].position = m_rows[kRowTemperature].slider.GetPos();
    m_rows[kRowTemperature].value.SetWindowText(ValueText(m_page, kRowTemperature, TextMoment::Movement).c_str());
}

LRESULT COverClkDlg::OnHScroll(WPARAM, LPARAM lParam) {
    for (Row& row : m_rows) {
        if (row.slider.m_hWnd == reinterpret_cast<HWND>(lParam)) UpdateValueTexts();
    }
    return Default();
}

void COverClkDlg::OnLinked() {
    m_page.linked = m_linked.GetCheck() == BST_CHECKED;
    ::EnableWindow(m_rows[kRowTemperature].slider.m_hWnd, !m_page.linked);
}

// Ticking Overvoltaged asks first; anything but Yes leaves it off at 0 mV.
void COverClkDlg::OnOvervoltaged() {
    CSliderControl& slider = m_rows[kRowMaxVoltage].slider;
    if (m_overvoltaged.GetCheck() == BST_CHECKED &&
        ShowMessageBox(m_hWnd, kWarningText, kWarningCaption, MB_YESNO | MB_ICONEXCLAMATION | MB_TOPMOST) == IDYES) {
        m_page.overvoltaged = true;
        ::EnableWindow(slider.m_hWnd, TRUE);
        return;
    }
    m_overvoltaged.SetCheck(BST_UNCHECKED);
    m_page.overvoltaged = false;
    slider.SetPos(0);
    m_page.rows[kRowMaxVoltage].position = slider.GetPos();
    m_rows[kRowMaxVoltage].value.SetWindowText(ValueText(m_page, kRowMaxVoltage, TextMoment::Movement).c_str());
    ::EnableWindow(slider.m_hWnd, FALSE);
}

void COverClkDlg::OnSwitch(UINT id) {
    for (int s = 0; s < kMasterSwitches; ++s) {
        if (kSwitches[s].button != id) continue;
        m_switches.on[s] = m_switchButtons[s].IsToggled();
        if (s != kCoreOverVoltage) return;
        ReadPositions();
        ToggleCoreOverVoltage(SelectedBoard, BoardFeatures, m_switches.on[s], m_page);
        ShowRow(kRowPower, TextMoment::Movement);
        ShowRow(kRowMaxVoltage, TextMoment::Movement);
        ShowBox(m_overvoltaged, m_overvoltagedLabel, m_page.overvoltagedShown, m_page.overvoltaged);
        UpdateValueTexts();
    }
}

// ---------------------------------------------------------------- OK, Cancel, the scanner

void COverClkDlg::ApplyOverclockSettings() {
    const int board = SelectedBoard;
    ReadPositions();
    ApplyOverclockPage(board, Level(), m_page);
    if (s_masterMode) ApplyMasterSwitches(board, BoardFeatures, m_switches, m_page);
    DebugModeWarningArmed = 1;
    RefreshBoardFeatures();
    WriteBoardString(board, setting::UserModeActive, L"0");
    m_host.OverclockApplied();
}

void COverClkDlg::OnOK() {
    ApplyOverclockSettings();
    ShowWindow(SW_HIDE);
}

void COverClkDlg::OnCancel() { ShowWindow(SW_HIDE); }

void COverClkDlg::LaunchScanner() {
    if (ScannerRunning()) return;
    StartScanner(s_scannerDirectory.empty() ? ExecutableDirectory() : s_scannerDirectory, SelectedBoard);
    ShowWindow(SW_HIDE);
}

void COverClkDlg::OnScanner() { LaunchScanner(); }
