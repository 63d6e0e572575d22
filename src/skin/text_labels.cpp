#include "text_labels.h"

#include "skin/control_button.h"
#include "skin/image.h"
#include "skin/skin_messages.h"

#include <iterator>

CTransparentStatic::CTransparentStatic()
    : m_background(::GetSysColor(COLOR_BTNFACE)), m_brush(::CreateSolidBrush(m_background)) {}

CTransparentStatic::~CTransparentStatic() = default;

const MessageMap* CTransparentStatic::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_SETTEXT, &CTransparentStatic::OnSetText),
    };
    static const MessageMap map{CStatic::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

void CTransparentStatic::RedrawNow() {
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
}

void CTransparentStatic::SetBackgroundColour(COLORREF colour) {
    m_background = colour;
    m_brush.Reset(::CreateSolidBrush(colour));
    RedrawNow();
}

void CTransparentStatic::SetTextColour(COLORREF colour) {
    m_text = colour;
    RedrawNow();
}

bool CTransparentStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (message != WM_CTLCOLORSTATIC) return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (m_transparent) ::SetBkMode(dc, TRANSPARENT);
    ::SetBkColor(dc, m_background);
    ::SetTextColor(dc, m_text);
    *result = reinterpret_cast<LRESULT>(m_transparent ? ::GetStockObject(HOLLOW_BRUSH) : m_brush.get());
    return true;
}

LRESULT CTransparentStatic::OnSetText(WPARAM, LPARAM) {
    const LRESULT result = Default();
    // The parent repaints its picture where the old text was, then the new text is drawn.
    HWND parent = ::GetParent(m_hWnd);
    RECT area;
    ::GetWindowRect(m_hWnd, &area);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    ::InvalidateRect(parent, &area, TRUE);
    ::UpdateWindow(parent);
    return result;
}

CControlStatic::~CControlStatic() = default;

const MessageMap* CControlStatic::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_SKIN_FIT_PICTURE, &CControlStatic::OnFitPicture),
    };
    static const MessageMap map{CStatic::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

LRESULT CControlStatic::OnFitPicture(WPARAM width, LPARAM height) { return FitToPicture(m_hWnd, width, height); }

// Sized to its first frame as soon as it has one, not while drawing.
void CControlStatic::FitToFirstFrame() {
    const SIZE size = BitmapSize(Frame(0));
    if (size.cx > 0 && size.cy > 0) FitToPicture(m_hWnd, size.cx, size.cy);
}

bool CControlStatic::Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CStatic::Create(text, style | SS_OWNERDRAW, rect, parent, id);
}

void CControlStatic::PreSubclassWindow() {
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    if ((style & SS_TYPEMASK) != SS_OWNERDRAW) {
        ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | SS_OWNERDRAW);
    }
}

void CControlStatic::DeleteFrames() {
    for (int i = 0; i < kMaxFrames; ++i) {
        m_frames[i].Reset();
        m_paths[i].clear();
        m_decoded[i] = false;
    }
}

int CControlStatic::FrameCount() const {
    return static_cast<int>(m_frameCount < 1 ? 1 : (m_frameCount > kMaxFrames ? kMaxFrames : m_frameCount));
}

HBITMAP CControlStatic::Frame(int index) {
    if (!m_decoded[index]) {
        m_decoded[index] = true;
        if (!m_paths[index].empty()) m_frames[index] = LoadSkinBitmap(m_paths[index].c_str());
    }
    if (m_frames[index] || index == 0) return m_frames[index].get();
    return Frame(index - 1);
}

void CControlStatic::LoadFrames(const SkinPath* slots) {
    DeleteFrames();
    for (int i = 0; i < FrameCount(); ++i) m_paths[i] = slots[i];
    FitToFirstFrame();
    Invalidate(false);
}

void CControlStatic::CopyFrames(CControlStatic& source) {
    DeleteFrames();
    for (int i = 0; i < source.FrameCount(); ++i) {
        if (HBITMAP frame = source.Frame(i)) m_frames[i] = CopyBitmap(frame);
        m_decoded[i] = true;
    }
    FitToFirstFrame();
    Invalidate(false);
}

bool CControlStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_CTLCOLORSTATIC) {
        // Nothing but the frame is drawn: no background fill around it.
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        *result = reinterpret_cast<LRESULT>(::GetStockObject(HOLLOW_BRUSH));
        return true;
    }
    if (message != WM_DRAWITEM) return false;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    const int saved = ::SaveDC(item.hDC);
    const int count = FrameCount();
    const int index = m_frameIndex < 0 ? 0 : (m_frameIndex >= count ? count - 1 : m_frameIndex);
    HBITMAP frame = Frame(index);
    const SIZE size = BitmapSize(frame);
    if (size.cx > 0 && size.cy > 0) {
        RequestFitToPicture(m_hWnd, size);
        if (!m_blank) {
            DrawKeyed(item.hDC, RECT{0, 0, item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top},
                      frame);
        }
    }
    ::RestoreDC(item.hDC, saved);
    *result = TRUE;
    return true;
}
