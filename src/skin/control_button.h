// CControlButton: an owner-drawn button showing state images (normal, hover, down, and
// the same three toggled on for toggle buttons), sized and shaped by its pictures.
#pragma once

#include "framework/controls.h"
#include "framework/gdi.h"
#include "skin/skin_file.h"

#include <string>

class CControlButton : public CButton {
public:
    CControlButton() = default;
    ~CControlButton() override;

    bool Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Takes slots 0, 1, 2 (and 4, 5, 6 for toggle buttons). The normal picture, which
    // sizes (and, with m_shapeFromPicture, shapes) the button, is decoded now for a
    // visible button and when a hidden one is first shown; the others when first drawn.
    // A state whose picture cannot be loaded shows the one before it. Repaints.
    void LoadStateImages(const SkinPath* slots);
    void SetToggled(int value);
    bool IsToggled() const { return m_toggled != 0; }
    // The elevation shield on the button (BCM_SETSHIELD).
    void SetShield(bool on) { SendMessage(BCM_SETSHIELD, 0, on ? TRUE : FALSE); }

    bool m_keyedDrawing = false;  // leave the key colour out: the dialog shows through
    bool m_toggleButton = false;  // flips on release and has toggled pictures
    bool m_shapeFromPicture = false;  // takes the outline of its normal picture

protected:
    void PreSubclassWindow() override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DrawItem(const DRAWITEMSTRUCT& item);

    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnMouseHover(WPARAM, LPARAM);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnLeftButtonUp(WPARAM, LPARAM);
    LRESULT OnFitPicture(WPARAM, LPARAM);
    LRESULT OnShowWindow(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    enum Picture { Normal, Hover, Down, ToggledNormal, ToggledHover, ToggledDown, PictureCount };
    void DeletePictures();
    // The picture of a state, decoded on its first use.
    HBITMAP StatePicture(Picture which);
    // Size and outline from the normal picture, once.
    void ApplyNormalPicture();

    gdi::Bitmap m_pictures[PictureCount];
    std::wstring m_paths[PictureCount];
    bool m_decoded[PictureCount] = {};
    bool m_normalApplied = false;
    int m_hover = 0;
    int m_tracking = 0;
    int m_toggled = 0;
};

// Copies `image` into `area` of `dc`, stretched to its size, leaving out the key colour.
void DrawKeyed(HDC dc, const RECT& area, HBITMAP image);
