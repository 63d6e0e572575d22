// CFanCtrlDlg: per fan group of the selected board, automatic control, a fixed level or
// the user's curve, applied to the driver and stored in the board's key. The first
// group drives fan selector 2, the second selector 1. The main window keeps one,
// hidden when closed; its first curve control shapes every curve evaluation.
#pragma once

#include "dialogs/polycurve_ctrl.h"
#include "skin/control_button.h"
#include "skin/skin_dialog.h"
#include "skin/slider_control.h"
#include "skin/text_labels.h"

class SkinBuilder;

enum FanMode { kFanAutomatic = 0, kFanFixed = 1, kFanCurve = 2 };

class CFanCtrlDlg : public CSkinDialog {
public:
    // `twoFans`: the selected board has two or more coolers; decided once.
    explicit CFanCtrlDlg(bool twoFans);

    // The window, modeless and hidden, from template 139 without an owner.
    bool Create();

    void RefreshFromDriver();
    void LoadFanSettings();
    void ApplyFanSettings();
    // Ticks one mode's box of group 0 or 1 and enables what that mode uses.
    void SelectMode(int group, FanMode mode);
    // The mode whose box is ticked, and the mode last loaded from the registry.
    FanMode ShownMode(int group) const;
    FanMode StoredMode(int group) const { return m_groups[group].storedMode; }

    // The level of `board`'s stored curve for `selector` (2 first curve, 1 second) at
    // `temperature`, with the ends and geometry of this dialog's first curve control.
    int EvaluateFanCurve(int board, int selector, int temperature) const;

    bool TwoFans() const { return m_twoFans; }
    CPolycurveCtrl& CurveControl(int group) { return m_groups[group].curve; }
    CSliderControl& Slider(int group) { return m_groups[group].slider; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    bool PressClickArea(POINT point) override;
    LRESULT OnHScroll(WPARAM, LPARAM);
    void OnModeBox(UINT id);

    DECLARE_MESSAGE_MAP()

private:
    struct Group {
        int selector = 2;
        FanMode storedMode = kFanAutomatic;
        CPolycurveCtrl curve;
        CSliderControl slider;
        CTransparentStatic item, value, unit, autoLabel, fixedLabel, curveLabel;
        CButton autoBox, curveBox, fixedBox;
    };
    void BuildGroup(SkinBuilder& builder, int group);
    void ShowValue(int group);
    void LoadGroup(int group);
    void SaveGroup(int group);
    void DriveGroup(int group, int temperature);
    // The stored inner points of a curve for `board`, the defaults where missing.
    void StoredCurve(int board, int selector, const CPolycurveCtrl& geometry, Curve& percent) const;

    bool m_twoFans;
    Group m_groups[2];
    CControlButton m_apply;
    CControlButton m_cancel;
    gdi::Font m_font;
};
