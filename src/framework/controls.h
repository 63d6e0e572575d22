// Thin wrappers over the standard button, static and trackbar controls.
#pragma once

#include "wnd.h"

class CButton : public CWnd {
public:
    bool Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetButtonStyle(UINT style, bool redraw = true) {
        SendMessage(BM_SETSTYLE, style, redraw ? TRUE : FALSE);
    }
};

class CStatic : public CWnd {
public:
    bool Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    HBITMAP SetBitmap(HBITMAP bitmap) {
        return reinterpret_cast<HBITMAP>(
            SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
};

class CSliderCtrl : public CWnd {
public:
    bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetRange(int minimum, int maximum, bool redraw = false) {
        SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
        SendMessage(TBM_SETRANGEMAX, FALSE, maximum);
        // Placed again for the new range: some trackbars move the thumb only when the
        // position changes (Wine's keeps it where the old range put it).
        const LRESULT position = SendMessage(TBM_GETPOS);
        SendMessage(TBM_SETPOS, FALSE, position == maximum ? minimum : maximum);
        SendMessage(TBM_SETPOS, redraw ? TRUE : FALSE, position);
    }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }
    void SetPageSize(int size) { SendMessage(TBM_SETPAGESIZE, 0, size); }
    void SetLineSize(int size) { SendMessage(TBM_SETLINESIZE, 0, size); }
    void GetChannelRect(RECT* rect) const { SendMessage(TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(rect)); }
    void GetThumbRect(RECT* rect) const { SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(rect)); }
};
