#include "skin_dialog.h"

#include "skin/image.h"
#include "skin/shape.h"

#include <iterator>

CSkinDialog::CSkinDialog(UINT templateId, const wchar_t* backgroundPath, CWnd* parent)
    : CDialogEx(templateId, parent), m_backgroundPath(backgroundPath ? backgroundPath : L"") {}

CSkinDialog::~CSkinDialog() = default;

void CSkinDialog::ChangeBackground(const wchar_t* path) {
    if (!path || m_backgroundPath == path) return;
    m_backgroundPath = path;
    m_firstPaint = true;
    if (m_hWnd) Invalidate(false);
}

const MessageMap* CSkinDialog::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_PAINT, &CSkinDialog::OnPaint),
        msgmap::Message(WM_SKIN_FIRST_PAINT, &CSkinDialog::OnFirstPaint),
        msgmap::Message(WM_SHOWWINDOW, &CSkinDialog::OnShowWindow),
        msgmap::Message(WM_LBUTTONDOWN, &CSkinDialog::OnLeftButtonDown),
        msgmap::Message(WM_ERASEBKGND, &CSkinDialog::OnEraseBackground),
        msgmap::Message(WM_DESTROY, &CSkinDialog::OnDestroy),
        msgmap::Message(WM_PRINTCLIENT, &CSkinDialog::OnPrintClient),
    };
    static const MessageMap map{CDialogEx::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

void CSkinDialog::FrameSetUp() {
    LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME)) | WS_POPUP;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, style);
    LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    exStyle &= ~static_cast<LONG_PTR>(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE);
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, exStyle);
    // The frame changed: let the system drop the caption and borders now.
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    MoveWindow((::GetSystemMetrics(SM_CXSCREEN) - width) / 2, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
               height, true);
}

bool CSkinDialog::FitToBackground(UINT positionFlags) {
    int width = 0, height = 0;
    gdi::Bitmap bitmap = LoadSkinBitmap(m_backgroundPath.c_str(), &width, &height);
    if (!bitmap) return false;
    ::SetWindowPos(m_hWnd, nullptr, ::GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
                   ::GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE | positionFlags);
    // Shaped before the picture is selected: a bitmap selected into a context
    // cannot be read with GetDIBits.
    ShapeFromBitmap(m_hWnd, bitmap.get());
    m_background.Take(std::move(bitmap));
    // Controls that copied what lay under them before the picture copy it again.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        ::SendMessageW(child, WM_SKIN_BACKGROUND_CHANGED, 0, 0);
    }
    return true;
}

LRESULT CSkinDialog::OnShowWindow(WPARAM shown, LPARAM reason) {
    // A minimised window is restored to its own size after this message: it is fitted
    // at its first paint (the main window starts minimised and hidden).
    if (shown && reason == 0 && m_firstPaint && !m_startHidden && !::IsIconic(m_hWnd)) {
        m_firstPaint = false;
        FitToBackground(0);
    }
    return Default();
}

// A picture changed while shown, or a start at logon: the first paint's work, after it.
// Loads the picture, takes its size hidden, shapes the window, keeps the picture in a
// memory context, then shows (or, started at logon, minimises and hides) it.
LRESULT CSkinDialog::OnFirstPaint(WPARAM, LPARAM) {
    if (m_startHidden) {
        if (!FitToBackground(SWP_HIDEWINDOW)) {
            ::SetWindowPos(m_hWnd, nullptr, ::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                           0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        }
        ShowWindow(SW_SHOWMINIMIZED);
        ShowWindow(SW_HIDE);
        return 0;
    }
    if (!FitToBackground(SWP_HIDEWINDOW)) return 0;  // no picture: nothing is shaped, sized or painted
    ShowWindow(SW_SHOW);
    // All of it once more, the picture first, then the controls over it (also where
    // they let it show through).
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return 0;
}

LRESULT CSkinDialog::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    if (m_firstPaint) {
        // Sizing, shaping and showing change the window: never inside a paint.
        m_firstPaint = false;
        PostMessage(WM_SKIN_FIRST_PAINT);
    }
    if (m_background) {
        ::SetBkMode(dc, TRANSPARENT);
        const RECT& r = paint.rcPaint;
        ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, m_background.dc(), r.left, r.top, SRCCOPY);
        PaintOverlay(dc);
    }
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT CSkinDialog::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (PressClickArea(point)) return 0;
    // The system's move loop, as if the caption had been pressed.
    ::ClientToScreen(m_hWnd, &point);
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    return 0;
}

LRESULT CSkinDialog::OnPrintClient(WPARAM wParam, LPARAM) {
    if (!m_background) return FALSE;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, client.right, client.bottom, m_background.dc(), 0, 0, SRCCOPY);
    return TRUE;
}

LRESULT CSkinDialog::OnEraseBackground(WPARAM, LPARAM) { return m_eraseHandled ? TRUE : Default(); }

LRESULT CSkinDialog::OnDestroy(WPARAM, LPARAM) {
    m_background.Reset();
    return Default();
}

gdi::Font CreateSkinFont(int height, int weight) {
    return gdi::Font(::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Orbitron"));
}
