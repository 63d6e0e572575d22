// CLedCtrlDlg: the lighting effect of the selected board's LEDs, applied at once and
// stored in the board's key. What is offered follows the board's controller kind.
// The main window keeps one; every show and hide reloads and re-applies the stored effect.
#pragma once

#include "dialogs/led_rules.h"
#include "profiles/board_settings.h"
#include "skin/control_button.h"
#include "skin/skin_dialog.h"
#include "skin/slider_control.h"
#include "skin/text_labels.h"

class CLedCtrlDlg : public CSkinDialog {
public:
    CLedCtrlDlg();

    // The window, modeless and hidden, from template 140 without an owner.
    bool Create();

    void RefreshLedDialog();
    void SelectEffect(LedEffect effect);
    void ApplyLedSettings();
    // The process-wide LED settings from the registry (with this dialog's defaults).
    void LoadSettings();

    LedEffect TickedEffect() const;
    const LedSettings& Settings() const { return m_settings; }
    int NvIndex() const { return m_nvIndex; }
    CSliderControl& Slider(UINT id);
    CWnd& Control(UINT id);

    // The colour chooser (the system's colour dialog); tests replace it. True with the
    // chosen colour on OK.
    using ColourChooser = bool (*)(std::uint32_t& colour);
    static ColourChooser s_chooseColour;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    bool PressClickArea(POINT point) override;
    LRESULT OnShowWindow(WPARAM, LPARAM);
    LRESULT OnHScroll(WPARAM, LPARAM);
    void OnEffectBox(UINT id);
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    struct Swatch {
        UINT id;
        CTransparentStatic label;
    };
    void PaintSwatches();
    void PaintSwatch(UINT id, std::uint32_t colour);
    void Show(UINT id, bool shown);
    void ApplyAvailability();
    void ShowEffectOptions(LedEffect effect);
    void ChooseColour(UINT swatch);
    int Kind() const;

    LedSettings m_settings;
    int m_nvIndex = 2;
    LedRows m_rows;
    CButton m_boxes[9];
    CTransparentStatic m_labels[15];
    Swatch m_swatches[5];
    CSliderControl m_sliders[7];
    CTransparentStatic m_kindLabel;
    CControlButton m_close;
    gdi::Font m_font;
    gdi::Font m_kindFont;
    int m_shownState = -1;  // the visibility last refreshed for
};
