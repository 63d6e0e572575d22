#include "slider_control.h"

#include <iterator>

const MessageMap* CSliderControl::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_ERASEBKGND, &CSliderControl::OnEraseBackground),
        msgmap::Message(WM_SKIN_BACKGROUND_CHANGED, &CSliderControl::OnBackgroundChanged),
    };
    static const MessageMap map{CSliderCtrl::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

LRESULT CSliderControl::OnEraseBackground(WPARAM, LPARAM) { return FALSE; }

LRESULT CSliderControl::OnBackgroundChanged(WPARAM, LPARAM) {
    m_snapshot.Reset();
    return 0;
}

void CSliderControl::RefreshBackground() {
    m_snapshot.Reset();
    Invalidate(true);
    ::EnableWindow(m_hWnd, FALSE);
    ::EnableWindow(m_hWnd, TRUE);
}

bool CSliderControl::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != NM_CUSTOMDRAW) return false;
    const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
    switch (draw.dwDrawStage) {
    case CDDS_PREPAINT:
        *result = CDRF_NOTIFYITEMDRAW;
        return true;
    case CDDS_ITEMPREPAINT:
        if (draw.dwItemSpec == TBCD_THUMB) {
            DrawThumb(draw);
            *result = CDRF_SKIPDEFAULT;
        } else if (draw.dwItemSpec == TBCD_CHANNEL) {
            DrawChannel(draw);
            *result = CDRF_SKIPDEFAULT;
        } else {
            *result = CDRF_DODEFAULT;
        }
        return true;
    default:
        return false;
    }
}

void CSliderControl::DrawThumb(const NMCUSTOMDRAW& draw) {
    RECT thumb;
    GetThumbRect(&thumb);
    const bool pressed = draw.uItemState & CDIS_SELECTED;
    COLORREF colour = pressed ? m_thumbPressedColour : m_thumbColour;
    if (colour == 0) colour = ::GetSysColor(pressed ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE);
    const gdi::Brush brush(::CreateSolidBrush(colour));
    const gdi::ScopedSelect selected(draw.hdc, brush.get());
    const int width = thumb.right - thumb.left, height = thumb.bottom - thumb.top;
    ::RoundRect(draw.hdc, thumb.left, thumb.top, thumb.right, thumb.bottom, width / 3, height / 3);
}

void CSliderControl::DrawChannel(const NMCUSTOMDRAW& draw) {
    RECT client, window;
    ::GetClientRect(m_hWnd, &client);
    ::GetWindowRect(m_hWnd, &window);
    HWND parent = ::GetParent(m_hWnd);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    const int width = client.right, height = client.bottom;

    if (!m_snapshot) {
        // The parent's picture under the slider, taken once: drawn by the parent itself
        // when it can (a skinned dialog keeps its picture), else read from its window.
        const gdi::WindowDC parentDc(parent);
        if (m_snapshot.Create(parentDc.get(), width, height)) {
            HDC snapshot = m_snapshot.dc();
            POINT origin;
            ::SetViewportOrgEx(snapshot, -window.left, -window.top, &origin);
            const bool drawn = ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(snapshot), PRF_CLIENT) != 0;
            ::SetViewportOrgEx(snapshot, origin.x, origin.y, nullptr);
            if (!drawn) ::BitBlt(snapshot, 0, 0, width, height, parentDc.get(), window.left, window.top, SRCCOPY);
        }
    }

    gdi::MemoryPicture temporary;
    if (m_snapshot && temporary.Create(draw.hdc, width, height)) {
        const COLORREF background = ::SetBkColor(draw.hdc, RGB(0, 0, 0));
        const COLORREF text = ::SetTextColor(draw.hdc, RGB(255, 255, 255));
        ::BitBlt(temporary.dc(), 0, 0, width, height, draw.hdc, 0, 0, SRCCOPY);
        ::BitBlt(draw.hdc, 0, 0, width, height, m_snapshot.dc(), 0, 0, SRCCOPY);
        ::BitBlt(draw.hdc, 0, 0, width, height, temporary.dc(), 0, 0, SRCAND);
        ::SetBkColor(draw.hdc, background);
        ::SetTextColor(draw.hdc, text);
    }

    RECT channel = draw.rc;
    if (channel.right - channel.left >= channel.bottom - channel.top) {
        ::InflateRect(&channel, 0, 1);
    } else {
        ::InflateRect(&channel, 1, 0);
    }
    ::DrawEdge(draw.hdc, &channel, BDR_SUNKENINNER, BF_RECT | BF_FLAT);
}
