// CSliderControl: the trackbar with its channel drawn over a snapshot of the dialog's
// picture and a plain rounded thumb.
#pragma once

#include "framework/controls.h"
#include "framework/gdi.h"
#include "skin/skin_messages.h"

class CSliderControl : public CSliderCtrl {
public:
    CSliderControl() = default;
    ~CSliderControl() override = default;

    // Drops the snapshot of the parent's picture and repaints the whole slider.
    void RefreshBackground();

    COLORREF m_thumbColour = 0;         // 0: the system's button-face colour
    COLORREF m_thumbPressedColour = 0;  // 0: the system's button-highlight colour

protected:
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnBackgroundChanged(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void DrawThumb(const NMCUSTOMDRAW& draw);
    void DrawChannel(const NMCUSTOMDRAW& draw);
    gdi::MemoryPicture m_snapshot;
};
