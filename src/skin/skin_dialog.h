// CSkinDialog: the frame every Zorvane window shares — a borderless picture shaped by
// its background's key colour, centred at the picture's size, dragged by its surface.
#pragma once

#include "framework/dialog.h"
#include "framework/gdi.h"
#include "skin/skin_messages.h"

#include <string>

class CSkinDialog : public CDialogEx {
public:
    CSkinDialog(UINT templateId, const wchar_t* backgroundPath, CWnd* parent = nullptr);
    ~CSkinDialog() override;

    void SetBackgroundPath(const wchar_t* path) { m_backgroundPath = path ? path : L""; }
    // Another picture: loaded, sized, shaped and shown at the next paint.
    void ChangeBackground(const wchar_t* path);

protected:
    // Borderless popup styles, centred at the template size. Dialogs call it from
    // OnInitDialog (the main window sets up its styles itself).
    void FrameSetUp();
    // Loads the picture, sizes (with `positionFlags`) and shapes the window to it and
    // keeps the picture in a memory context; false without a picture.
    bool FitToBackground(UINT positionFlags);

    // Draws on top of the background picture in every paint (texts, marks).
    virtual void PaintOverlay(HDC) {}

    // The background picture as a memory context, null before the window first shows or without a picture.
    HDC BackgroundContext() const { return m_background.dc(); }

    // A press at this client point on the dialog's own surface: true when the dialog took
    // it (a painted click area, a disabled control), false to drag the window.
    virtual bool PressClickArea(POINT) { return false; }

    bool m_firstPaint = true;
    // Started at logon: the first paint minimises and hides the window instead of showing
    // it, and goes on (at 0 × 0) without a picture.
    bool m_startHidden = false;
    // Settings, status, overclock and information dialogs answer erase requests themselves.
    bool m_eraseHandled = true;

    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnFirstPaint(WPARAM, LPARAM);
    // Before a dialog first shows: sized and shaped to its picture, so that neither an
    // unshaped frame flashes up nor the first paint has to hide and show it again.
    // Derived handlers of WM_SHOWWINDOW end here instead of in Default().
    LRESULT OnShowWindow(WPARAM shown, LPARAM reason);
    LRESULT OnLeftButtonDown(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    // Draws the background picture into another context (controls that show the
    // dialog's picture behind them ask for it); TRUE when there was one.
    LRESULT OnPrintClient(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    std::wstring m_backgroundPath;
    gdi::MemoryPicture m_background;
};

// The skin's font: face "Orbitron" at `height` pixels.
gdi::Font CreateSkinFont(int height, int weight = FW_NORMAL);
