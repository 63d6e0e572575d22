#include "controls.h"

bool CButton::Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, WC_BUTTONW, text, style, rect, parent, id);
}

bool CStatic::Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, WC_STATICW, text, style, rect, parent, id);
}

bool CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, TRACKBAR_CLASSW, L"", style, rect, parent, id);
}
