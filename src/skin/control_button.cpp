#include "control_button.h"

#include "skin/image.h"
#include "skin/shape.h"
#include "skin/skin_messages.h"

#include <iterator>

void DrawKeyed(HDC dc, const RECT& area, HBITMAP image) {
    const SIZE size = BitmapSize(image);
    if (size.cx <= 0 || size.cy <= 0) return;
    const gdi::MemoryDC memory(dc);
    const gdi::ScopedSelect selected(memory.get(), image);
    ::GdiTransparentBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory.get(), 0, 0,
                        size.cx, size.cy, kKeyColour);
}

CControlButton::~CControlButton() { DeletePictures(); }

const MessageMap* CControlButton::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_MOUSEMOVE, &CControlButton::OnMouseMove),
        msgmap::Message(WM_MOUSEHOVER, &CControlButton::OnMouseHover),
        msgmap::Message(WM_MOUSELEAVE, &CControlButton::OnMouseLeave),
        msgmap::Message(WM_ERASEBKGND, &CControlButton::OnEraseBackground),
        msgmap::Message(WM_LBUTTONUP, &CControlButton::OnLeftButtonUp),
        msgmap::Message(WM_SKIN_FIT_PICTURE, &CControlButton::OnFitPicture),
        msgmap::Message(WM_SHOWWINDOW, &CControlButton::OnShowWindow),
    };
    static const MessageMap map{CButton::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

bool CControlButton::Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CButton::Create(text, style | BS_OWNERDRAW, rect, parent, id);
}

void CControlButton::PreSubclassWindow() {
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    if ((style & BS_TYPEMASK) != BS_OWNERDRAW) {
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    }
}

void CControlButton::DeletePictures() {
    for (int p = 0; p < PictureCount; ++p) {
        m_pictures[p].Reset();
        m_paths[p].clear();
        m_decoded[p] = false;
    }
}

HBITMAP CControlButton::StatePicture(Picture which) {
    if (which >= ToggledNormal && !m_toggleButton) which = static_cast<Picture>(which - ToggledNormal);
    if (!m_decoded[which]) {
        m_decoded[which] = true;
        if (!m_paths[which].empty()) m_pictures[which] = LoadSkinBitmap(m_paths[which].c_str());
    }
    if (m_pictures[which] || which == Normal) return m_pictures[which].get();
    return StatePicture(static_cast<Picture>(which - 1));
}

void CControlButton::LoadStateImages(const SkinPath* slots) {
    DeletePictures();
    constexpr int kSlots[PictureCount] = {0, 1, 2, 4, 5, 6};
    for (int p = 0; p < PictureCount; ++p) m_paths[p] = slots[kSlots[p]];
    m_normalApplied = false;
    // A hidden button (most of a panel's are) waits until it is shown.
    if (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_VISIBLE) ApplyNormalPicture();
    Invalidate(false);
}

void CControlButton::ApplyNormalPicture() {
    m_normalApplied = true;
    HBITMAP normal = StatePicture(Normal);
    if (const SIZE size = BitmapSize(normal); size.cx > 0 && size.cy > 0) FitToPicture(m_hWnd, size.cx, size.cy);
    if (m_shapeFromPicture) ShapeFromBitmap(m_hWnd, normal);
}

LRESULT CControlButton::OnShowWindow(WPARAM shown, LPARAM) {
    if (shown && !m_normalApplied) ApplyNormalPicture();
    return Default();
}

LRESULT CControlButton::OnFitPicture(WPARAM width, LPARAM height) { return FitToPicture(m_hWnd, width, height); }

void CControlButton::SetToggled(int value) {
    m_toggled = value != 0;
    Invalidate(false);
}

bool CControlButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM) return false;
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}

void CControlButton::DrawItem(const DRAWITEMSTRUCT& item) {
    const int saved = ::SaveDC(item.hDC);
    Picture choice = m_hover ? Hover : Normal;
    if (item.itemState & ODS_SELECTED) choice = Down;
    if (m_toggled && m_toggleButton) choice = static_cast<Picture>(choice + ToggledNormal);
    if (!m_normalApplied) ApplyNormalPicture();
    HBITMAP picture = StatePicture(choice);
    const SIZE size = BitmapSize(picture);
    if (size.cx > 0 && size.cy > 0) {
        RequestFitToPicture(m_hWnd, size);
        // Stay inside the button's outline even where the platform does not clip child
        // windows to their shape.
        const gdi::Region shape(::CreateRectRgn(0, 0, 0, 0));
        if (::GetWindowRgn(m_hWnd, shape.get()) != ERROR) ::ExtSelectClipRgn(item.hDC, shape.get(), RGN_AND);
        const RECT area{0, 0, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top};
        if (m_keyedDrawing) {
            DrawKeyed(item.hDC, area, picture);
        } else {
            const gdi::MemoryDC memory(item.hDC);
            const gdi::ScopedSelect selected(memory.get(), picture);
            ::BitBlt(item.hDC, 0, 0, area.right, area.bottom, memory.get(), 0, 0, SRCCOPY);
        }
    }
    ::RestoreDC(item.hDC, saved);
}

LRESULT CControlButton::OnMouseMove(WPARAM, LPARAM) {
    if (!m_tracking) {
        TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 1};
        m_tracking = ::TrackMouseEvent(&track) ? 1 : 0;
    }
    return Default();
}

LRESULT CControlButton::OnMouseHover(WPARAM, LPARAM) {
    m_hover = 1;
    Invalidate(true);
    return 0;
}

LRESULT CControlButton::OnMouseLeave(WPARAM, LPARAM) {
    m_hover = 0;
    m_tracking = 0;
    Invalidate(false);
    return 0;
}

LRESULT CControlButton::OnEraseBackground(WPARAM, LPARAM) { return TRUE; }

LRESULT CControlButton::OnLeftButtonUp(WPARAM, LPARAM) {
    if (m_toggleButton) m_toggled = !m_toggled;
    Invalidate(false);
    return Default();
}
