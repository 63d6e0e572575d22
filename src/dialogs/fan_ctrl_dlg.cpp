#include "fan_ctrl_dlg.h"

#include "framework/text.h"
#include "gpu/fans.h"
#include "gpu/sensors.h"
#include "gpu/board_list.h"
#include "profiles/board_features.h"
#include "profiles/settings_store.h"
#include "resources/resource.h"
#include "skin/skin_builder.h"
#include "skin/skin_paths.h"

#include <iterator>

namespace {

constexpr COLORREF kLabelColour = RGB(255, 255, 255);
constexpr int kLabelFontHeight = 13;

struct GroupIds {
    UINT curve, slider, item, value, unit, autoLabel, fixedLabel, curveLabel, autoBox, curveBox, fixedBox;
    const wchar_t* modeName;
    const wchar_t* itemKey;
    const wchar_t* autoKey;
    const wchar_t* fixedKey;
    const wchar_t* curveKey;
};
constexpr GroupIds kGroups[2] = {
    {IDC_FAN_CURVE1, IDC_FAN_SLIDER1, IDC_FAN_ITEM1, IDC_FAN_VALUE1, IDC_FAN_UNIT1, IDC_FAN_AUTO_LABEL1,
     IDC_FAN_FIXED_LABEL1, IDC_FAN_CURVE_LABEL1, IDC_FAN_AUTO1, IDC_FAN_CURVE_CHECK1, IDC_FAN_FIXED1,
     setting::FanCtrlMode, L"FanCtrl", L"AutoFanCtrl", L"FixedFanCtrl", L"PolycurveFanCtrl"},
    {IDC_FAN_CURVE2, IDC_FAN_SLIDER2, IDC_FAN_ITEM2, IDC_FAN_VALUE2, IDC_FAN_UNIT2, IDC_FAN_AUTO_LABEL2,
     IDC_FAN_FIXED_LABEL2, IDC_FAN_CURVE_LABEL2, IDC_FAN_AUTO2, IDC_FAN_CURVE_CHECK2, IDC_FAN_FIXED2,
     setting::Fan2CtrlMode, L"Fan2Ctrl", L"AutoFan2Ctrl", L"FixedFan2Ctrl", L"PolycurveFan2Ctrl"},
};
constexpr const wchar_t* kCurveValueNames[2] = {setting::FanCrvPt, setting::Fan2CrvPt};
constexpr const wchar_t* kSection = L"FanControl";

FanMode StoredModeOf(int value) {
    return value == kFanFixed ? kFanFixed : value == kFanCurve ? kFanCurve : kFanAutomatic;
}

bool Inside(const CWnd& control, HWND dialog, POINT point) {
    if (!control.m_hWnd || !(::GetWindowLongPtrW(control.m_hWnd, GWL_STYLE) & WS_VISIBLE)) return false;
    RECT rect;
    ::GetWindowRect(control.m_hWnd, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return ::PtInRect(&rect, point) != FALSE;
}

}  // namespace

CFanCtrlDlg::CFanCtrlDlg(bool twoFans)
    : CSkinDialog(IDD_FANCTRL, g_skinPaths.background[twoFans ? BackgroundFanCtrl2 : BackgroundFanCtrl]),
      m_twoFans(twoFans) {
    m_groups[0].selector = kFanFirst;
    m_groups[1].selector = kFanSecond;
    m_eraseHandled = false;  // the system erases, as the design of this dialog says
}

const MessageMap* CFanCtrlDlg::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_HSCROLL, &CFanCtrlDlg::OnHScroll),
        msgmap::Command(IDC_FAN_APPLY, &CFanCtrlDlg::ApplyFanSettings),
        msgmap::CommandRange(IDC_FAN_AUTO1, IDC_FAN_AUTO1, &CFanCtrlDlg::OnModeBox),
        msgmap::CommandRange(IDC_FAN_CURVE_CHECK1, IDC_FAN_FIXED1, &CFanCtrlDlg::OnModeBox),
        msgmap::CommandRange(IDC_FAN_CURVE_CHECK2, IDC_FAN_FIXED2, &CFanCtrlDlg::OnModeBox),
    };
    static const MessageMap map{CSkinDialog::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

bool CFanCtrlDlg::Create() { return CSkinDialog::Create(IDD_FANCTRL, nullptr); }

void CFanCtrlDlg::BuildGroup(SkinBuilder& builder, int g) {
    const GroupIds& ids = kGroups[g];
    Group& group = m_groups[g];
    builder.Bind(ids.curve, [this, &group](const RECT& rect, UINT id) { group.curve.Create(rect, this, id); })
        .Bind(ids.slider, group.slider)
        .Bind(ids.item, group.item, m_font.get(), kLabelColour, SS_LEFT)
        .Bind(ids.value, group.value, m_font.get(), kLabelColour, SS_LEFT)
        .Bind(ids.unit, group.unit, m_font.get(), kLabelColour, SS_LEFT)
        .Bind(ids.autoLabel, group.autoLabel, m_font.get(), kLabelColour, SS_LEFT)
        .Bind(ids.fixedLabel, group.fixedLabel, m_font.get(), kLabelColour, SS_CENTER)
        .Bind(ids.curveLabel, group.curveLabel, m_font.get(), kLabelColour, SS_LEFT)
        .Bind(ids.autoBox, group.autoBox)
        .Bind(ids.curveBox, group.curveBox)
        .Bind(ids.fixedBox, group.fixedBox);
}

BOOL CFanCtrlDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    FrameSetUp();
    m_font = CreateSkinFont(kLabelFontHeight);

    // One group: the first group and the buttons from the one-group skin, the second
    // group from the two-group skin, hidden.
    SkinBuilder main(*this, m_twoFans ? L"FanCtrl2" : L"FanCtrl");
    BuildGroup(main, 0);
    if (m_twoFans) BuildGroup(main, 1);
    main.Bind(IDC_FAN_APPLY, m_apply).Bind(IDC_FAN_CANCEL, m_cancel).Build();
    if (!m_twoFans) {
        SkinBuilder second(*this, L"FanCtrl2");
        BuildGroup(second, 1);
        second.Build();
    }

    wchar_t xLabel[MAX_PATH], yLabel[MAX_PATH], text[MAX_PATH];
    ReadLanguageText(kSection, L"AxisXLabel", L"Temperature, (C')", xLabel);
    ReadLanguageText(kSection, L"AxisYLabel", L"Fan Speed, (%)", yLabel);
    const int board = SelectedBoard;
    for (int g = 0; g < 2; ++g) {
        Group& group = m_groups[g];
        const GroupIds& ids = kGroups[g];
        const int minimum = GpuGetFan(board, group.selector, 2), maximum = GpuGetFan(board, group.selector, 3);
        group.curve.SetLevelLimits(minimum, maximum);
        group.curve.SetAxisLabels(xLabel, yLabel);
        ::EnableWindow(group.curve.m_hWnd, FALSE);
        group.slider.SetRange(minimum, maximum, true);
        ReadLanguageText(kSection, ids.itemKey, L"Fan Speed", text);
        group.item.SetWindowText(text);
        group.unit.SetWindowText(L"%");
        ReadLanguageText(kSection, ids.autoKey, L"Default fan curve", text);
        group.autoLabel.SetWindowText(text);
        ReadLanguageText(kSection, ids.fixedKey, L"Fixed Fan Speed", text);
        group.fixedLabel.SetWindowText(text);
        ReadLanguageText(kSection, ids.curveKey, L"User defined fan curve", text);
        group.curveLabel.SetWindowText(text);
        if (g == 1 && !m_twoFans) {
            for (CWnd* control : {static_cast<CWnd*>(&group.curve), static_cast<CWnd*>(&group.slider),
                                  static_cast<CWnd*>(&group.item), static_cast<CWnd*>(&group.value),
                                  static_cast<CWnd*>(&group.unit), static_cast<CWnd*>(&group.autoLabel),
                                  static_cast<CWnd*>(&group.fixedLabel), static_cast<CWnd*>(&group.curveLabel),
                                  static_cast<CWnd*>(&group.autoBox), static_cast<CWnd*>(&group.curveBox),
                                  static_cast<CWnd*>(&group.fixedBox)}) {
                control->ShowWindow(SW_HIDE);
            }
        }
    }
    m_apply.m_keyedDrawing = m_cancel.m_keyedDrawing = true;
    RefreshFromDriver();
    return TRUE;
}

void CFanCtrlDlg::OnCancel() { ShowWindow(SW_HIDE); }

void CFanCtrlDlg::SelectMode(int g, FanMode mode) {
    Group& group = m_groups[g];
    group.autoBox.SetCheck(mode == kFanAutomatic ? BST_CHECKED : BST_UNCHECKED);
    group.curveBox.SetCheck(mode == kFanCurve ? BST_CHECKED : BST_UNCHECKED);
    group.fixedBox.SetCheck(mode == kFanFixed ? BST_CHECKED : BST_UNCHECKED);
    ::EnableWindow(group.curve.m_hWnd, mode == kFanCurve);
    ::EnableWindow(group.slider.m_hWnd, mode == kFanFixed);
}

FanMode CFanCtrlDlg::ShownMode(int g) const {
    const Group& group = m_groups[g];
    if (group.fixedBox.GetCheck() == BST_CHECKED) return kFanFixed;
    if (group.curveBox.GetCheck() == BST_CHECKED) return kFanCurve;
    return kFanAutomatic;
}

void CFanCtrlDlg::OnModeBox(UINT id) {
    for (int g = 0; g < 2; ++g) {
        const GroupIds& ids = kGroups[g];
        if (id == ids.autoBox) SelectMode(g, kFanAutomatic);
        if (id == ids.curveBox) SelectMode(g, kFanCurve);
        if (id == ids.fixedBox) SelectMode(g, kFanFixed);
    }
}

// A disabled slider or curve passes its clicks to the dialog: they choose that mode.
bool CFanCtrlDlg::PressClickArea(POINT point) {
    for (int g = 0; g < 2; ++g) {
        if (Inside(m_groups[g].curve, m_hWnd, point)) {
            SelectMode(g, kFanCurve);
            return true;
        }
        if (Inside(m_groups[g].slider, m_hWnd, point)) {
            SelectMode(g, kFanFixed);
            return true;
        }
    }
    return false;
}

LRESULT CFanCtrlDlg::OnHScroll(WPARAM, LPARAM) {
    ShowValue(0);
    ShowValue(1);
    return 0;
}

void CFanCtrlDlg::ShowValue(int g) {
    wchar_t text[16];
    FormatText(text, L"%d", m_groups[g].slider.GetPos());
    m_groups[g].value.SetWindowText(text);
}

void CFanCtrlDlg::StoredCurve(int board, int selector, const CPolycurveCtrl& geometry, Curve& percent) const {
    geometry.PercentPoints(percent);  // P0 and P5
    const int minimum = GpuGetFan(board, kFanGeneric, 2), maximum = GpuGetFan(board, kFanGeneric, 3);
    for (int i = 1; i <= 4; ++i) {
        wchar_t name[32];
        FormatText(name, kCurveValueNames[selector == kFanSecond ? 1 : 0], i);
        if (!DecodeCurvePoint(ReadBoardInt(board, name, 0), minimum, maximum, percent[i])) {
            percent[i] = geometry.DefaultPoint(i);
        }
    }
}

void CFanCtrlDlg::LoadGroup(int g) {
    Group& group = m_groups[g];
    group.storedMode = StoredModeOf(ReadBoardInt(SelectedBoard, kGroups[g].modeName));
    SelectMode(g, group.storedMode);
    Curve percent;
    StoredCurve(SelectedBoard, group.selector, group.curve, percent);
    for (int i = 1; i <= 4; ++i) group.curve.SetCurvePoint(i, percent[i].x, percent[i].y);
}

void CFanCtrlDlg::LoadFanSettings() {
    LoadGroup(0);
    if (m_twoFans) LoadGroup(1);
}

void CFanCtrlDlg::RefreshFromDriver() {
    const int board = SelectedBoard;
    for (int g = 0; g < 2; ++g) {
        Group& group = m_groups[g];
        group.slider.SetPos(GpuGetFan(board, group.selector, 0));
        ShowValue(g);
        if (g == 0) LoadFanSettings();
        const bool manual = GpuGetFanMode(board, group.selector, 0) == 1;
        SelectMode(g, !manual ? kFanAutomatic : group.storedMode == kFanCurve ? kFanCurve : kFanFixed);
    }
}

void CFanCtrlDlg::SaveGroup(int g) {
    const int board = SelectedBoard;
    Group& group = m_groups[g];
    const GroupIds& ids = kGroups[g];
    const wchar_t* curveName = kCurveValueNames[g];
    wchar_t name[32];
    switch (ShownMode(g)) {
    case kFanAutomatic:
        GpuSetFan(board, 0, group.selector == kFanFirst ? kFanGeneric : kFanSecond,
                  GpuGetFan(board, group.selector == kFanFirst ? kFanGeneric : kFanSecond, 2));
        WriteBoardString(board, ids.modeName, L"0");
        for (int i = 0; i < 4; ++i) {
            FormatText(name, curveName, i + 1);
            WriteBoardString(board, name, CurvePointText(kResetCurve[i].x, kResetCurve[i].y).c_str());
        }
        break;
    case kFanFixed:
        GpuSetFan(board, 1, group.selector, group.slider.GetPos());
        WriteBoardString(board, ids.modeName, L"1");
        break;
    case kFanCurve: {
        WriteBoardString(board, ids.modeName, L"2");
        Curve percent;
        group.curve.PercentPoints(percent);
        for (int i = 1; i <= 4; ++i) {
            FormatText(name, curveName, i);
            WriteBoardString(board, name, CurvePointText(percent[i].x, percent[i].y).c_str());
        }
        break;
    }
    }
}

void CFanCtrlDlg::DriveGroup(int g, int temperature) {
    const int board = SelectedBoard;
    const Group& group = m_groups[g];
    switch (group.storedMode) {
    case kFanFixed:
        GpuSetFan(board, 1, group.selector, group.slider.GetPos());
        break;
    case kFanCurve:
        GpuSetFan(board, 1, group.selector, EvaluateFanCurve(board, group.selector, temperature));
        break;
    case kFanAutomatic:
        GpuSetFan(board, 0, group.selector, GpuGetFan(board, group.selector, 2));
        break;
    }
}

void CFanCtrlDlg::ApplyFanSettings() {
    const int board = SelectedBoard;
    SaveGroup(0);
    if (m_twoFans) SaveGroup(1);
    LoadFanSettings();
    const std::uint32_t fullSpeed = feature::FanFullSpeedControl | feature::FanFullSpeedOn;
    if ((BoardFeatures & fullSpeed) == fullSpeed && GpuSetDriverControl(board, kControlFanFullSpeed, 1)) {
        BoardFeatures &= ~feature::FanFullSpeedOn;
    }
    const int temperature = GpuGetTemperature(board, 0, 0);
    DriveGroup(0, temperature);
    if (m_twoFans) DriveGroup(1, temperature);
}

int CFanCtrlDlg::EvaluateFanCurve(int board, int selector, int temperature) const {
    Curve percent;
    StoredCurve(board, selector, m_groups[0].curve, percent);
    return EvaluateCurve(percent, temperature);
}
