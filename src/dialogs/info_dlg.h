// CInfoDlg: the selected board's identity and nominal figures as two columns of text
// painted on the picture, read afresh from the driver at every paint. The main window
// makes it on first use and then shows and hides it.
#pragma once

#include "dialogs/info_page.h"
#include "skin/control_button.h"
#include "skin/skin_dialog.h"

class CInfoDlg : public CSkinDialog {
public:
    explicit CInfoDlg(PanelSettingsSource settings);

    // The window, modeless and hidden, from template 136 without an owner.
    bool Create();

    // How many rows the last paint drew.
    std::size_t RowsPainted() const { return m_rowsPainted; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void PaintOverlay(HDC dc) override;
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    PanelSettingsSource m_settings;
    InfoTexts m_texts;
    CControlButton m_close;
    std::size_t m_rowsPainted = 0;
};

// Draws `rows` from the item and value rectangles down, `step` pixels apart.
void PaintInfoRows(HDC dc, const std::vector<InfoRow>& rows, RECT item, RECT value, int step);
