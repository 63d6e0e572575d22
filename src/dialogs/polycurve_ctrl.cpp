#include "polycurve_ctrl.h"

#include "framework/text.h"
#include "skin/skin_dialog.h"

#include <iterator>

namespace {

constexpr const wchar_t* kClassName = L"ZorvanePolycurve";
constexpr COLORREF kGrid = RGB(64, 64, 64);
constexpr COLORREF kLabels = RGB(208, 208, 208);
constexpr COLORREF kCurve = RGB(255, 255, 255);
constexpr COLORREF kAxes = RGB(192, 192, 192);
constexpr int kMarkHalf = 4;

bool RegisterCurveClass() {
    static const bool registered = CWnd::RegisterControlClass(kClassName);
    return registered;
}

bool InMark(CurvePoint point, int x, int y) {
    return x >= point.x - kMarkHalf && x < point.x + kMarkHalf && y >= point.y - kMarkHalf && y < point.y + kMarkHalf;
}

SIZE TextSize(HDC dc, const wchar_t* text) {
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    return size;
}

}  // namespace

CPolycurveCtrl::CPolycurveCtrl() {
    FormatText(m_xLabel, L"%s", L"Temerpature, ('C)");
    FormatText(m_yLabel, L"%s", L"Fan Speed, (%)");
}

const MessageMap* CPolycurveCtrl::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_PAINT, &CPolycurveCtrl::OnPaint),
        msgmap::Message(WM_LBUTTONDOWN, &CPolycurveCtrl::OnLeftButtonDown),
        msgmap::Message(WM_MOUSEMOVE, &CPolycurveCtrl::OnMouseMove),
        msgmap::Message(WM_LBUTTONUP, &CPolycurveCtrl::OnLeftButtonUp),
    };
    static const MessageMap map{CWnd::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

bool CPolycurveCtrl::Create(const RECT& rect, CWnd* owner, UINT id) {
    if (!RegisterCurveClass() || !CreateEx(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, owner, id)) {
        return false;
    }
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    m_size = {client.right, client.bottom};
    m_plot = PlotAreaFor(m_size.cx, m_size.cy);
    m_lowY = m_plot.bottom;
    m_highY = m_plot.top;
    DefaultCurve(m_plot, m_lowY, m_highY, m_points);
    if (!m_picture.Create(gdi::WindowDC(m_hWnd).get(), m_size.cx, m_size.cy)) return false;
    Draw();
    return true;
}

void CPolycurveCtrl::SetLevelLimits(int minLevel, int maxLevel) {
    m_lowY = LevelToY(m_plot, minLevel);
    m_highY = LevelToY(m_plot, maxLevel);
    SetDefaultPoints();
}

void CPolycurveCtrl::SetDefaultPoints() {
    DefaultCurve(m_plot, m_lowY, m_highY, m_points);
    Draw();
}

CurvePoint CPolycurveCtrl::DefaultPoint(int index) const {
    Curve defaults;
    DefaultCurve(m_plot, m_lowY, m_highY, defaults);
    return PixelToPercent(m_plot, defaults[index < 0 ? 0 : (index >= kCurvePoints ? kCurvePoints - 1 : index)]);
}

void CPolycurveCtrl::SetCurvePoint(int index, int temperature, int level) {
    if (index < 1 || index > 4) return;
    m_points[index] = PercentToPixel(m_plot, {temperature, level});
    Draw();
}

void CPolycurveCtrl::SetAxisLabels(const wchar_t* xLabel, const wchar_t* yLabel) {
    FormatText(m_xLabel, L"%s", xLabel);
    FormatText(m_yLabel, L"%s", yLabel);
    Draw();
}

void CPolycurveCtrl::PercentPoints(Curve& percent) const {
    for (int i = 0; i < kCurvePoints; ++i) percent[i] = PixelToPercent(m_plot, m_points[i]);
}

void CPolycurveCtrl::Draw() {
    HDC dc = m_picture.dc();
    if (!dc) return;
    const PlotArea& p = m_plot;
    {
        const gdi::Brush black(::CreateSolidBrush(RGB(0, 0, 0)));
        const RECT all{0, 0, m_size.cx, m_size.cy};
        ::FillRect(dc, &all, black.get());
    }
    const int s = (p.right - p.left + 1) / 10, t = (p.bottom - p.top + 1) / 10;
    {
        const gdi::Pen grid(::CreatePen(PS_DOT, 1, kGrid));
        const gdi::ScopedSelect selected(dc, grid.get());
        ::SetBkMode(dc, TRANSPARENT);
        for (int x = p.left; s > 0 && x <= p.right; x += s) {
            ::MoveToEx(dc, x, p.top, nullptr);
            ::LineTo(dc, x, p.bottom);
        }
        for (int y = p.top; t > 0 && y <= p.bottom; y += t) {
            ::MoveToEx(dc, p.left, y, nullptr);
            ::LineTo(dc, p.right, y);
        }
    }
    {
        const gdi::Pen axes(::CreatePen(PS_SOLID, 1, kAxes));
        const gdi::ScopedSelect selected(dc, axes.get());
        ::MoveToEx(dc, p.left, p.top, nullptr);
        ::LineTo(dc, p.left, p.bottom + 3);
        ::MoveToEx(dc, p.left - 3, p.bottom, nullptr);
        ::LineTo(dc, p.right, p.bottom);
        for (int x = p.left; s > 0 && x <= p.right; x += s) {
            ::MoveToEx(dc, x, p.bottom, nullptr);
            ::LineTo(dc, x, p.bottom + 3);
        }
        for (int y = p.top; t > 0 && y <= p.bottom; y += t) {
            ::MoveToEx(dc, p.left - 3, y, nullptr);
            ::LineTo(dc, p.left, y);
        }
    }
    const gdi::Font font = CreateSkinFont(13);
    const gdi::ScopedSelect withFont(dc, font.get());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    const int overhang = metrics.tmOverhang;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kLabels);
    ::TextOutW(dc, 1, 1, m_yLabel, lstrlenW(m_yLabel));
    const SIZE xLabel = TextSize(dc, m_xLabel);
    ::TextOutW(dc, p.left + (p.right - p.left - xLabel.cx) / 2, m_size.cy - 3 - xLabel.cy, m_xLabel, lstrlenW(m_xLabel));

    ::SetTextColor(dc, kAxes);
    wchar_t text[16];
    int value = 0;
    for (int x = p.left; s > 0 && x <= p.right; x += s, value += 10) {
        FormatText(text, L"%3d", value);
        const SIZE size = TextSize(dc, text);
        ::TextOutW(dc, x - size.cx / 2 - overhang, p.bottom + 3, text, lstrlenW(text));
    }
    value = 100;
    for (int y = p.top; t > 0 && y <= p.bottom; y += t, value -= 10) {
        FormatText(text, L"%3d", value);
        const SIZE size = TextSize(dc, text);
        ::TextOutW(dc, p.left - overhang - size.cx - 3, y - size.cy / 2, text, lstrlenW(text));
    }
    if (m_selected >= 1 && m_selected <= 4) {
        const std::wstring caption = CurveCaption(PixelToPercent(p, m_points[m_selected]));
        const SIZE size = TextSize(dc, caption.c_str());
        ::TextOutW(dc, p.right - overhang - size.cx - 3, 5, caption.c_str(), static_cast<int>(caption.size()));
    }

    {
        const gdi::Brush marks(::CreateSolidBrush(kCurve));
        for (int i = 1; i <= 4; ++i) {
            const RECT mark{m_points[i].x - kMarkHalf, m_points[i].y - kMarkHalf, m_points[i].x + kMarkHalf,
                            m_points[i].y + kMarkHalf};
            ::FillRect(dc, &mark, marks.get());
        }
    }
    {
        const gdi::Pen curve(::CreatePen(PS_SOLID, 1, kCurve));
        const gdi::ScopedSelect selected(dc, curve.get());
        POINT line[kCurvePoints];
        for (int i = 0; i < kCurvePoints; ++i) line[i] = {m_points[i].x, m_points[i].y};
        ::Polyline(dc, line, kCurvePoints);
    }
    if (m_hWnd) Invalidate(false);
}

LRESULT CPolycurveCtrl::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    if (m_picture) ::BitBlt(dc, 0, 0, m_size.cx, m_size.cy, m_picture.dc(), 0, 0, SRCCOPY);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT CPolycurveCtrl::OnLeftButtonDown(WPARAM, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
    for (int i = 1; i <= 4; ++i) {
        if (!InMark(m_points[i], x, y)) continue;
        ::SetCapture(m_hWnd);
        m_dragging = true;
        m_selected = i;
        Draw();
        break;
    }
    return 0;
}

LRESULT CPolycurveCtrl::OnMouseMove(WPARAM, LPARAM lParam) {
    if (!m_dragging || ::GetCapture() != m_hWnd) return 0;
    const CurvePoint cursor{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    m_points[m_selected] = DragCurvePoint(m_points, m_selected, cursor, m_plot, m_lowY, m_highY);
    Draw();
    return 0;
}

LRESULT CPolycurveCtrl::OnLeftButtonUp(WPARAM, LPARAM) {
    if (m_dragging) ::ReleaseCapture();
    m_dragging = false;
    return 0;
}
