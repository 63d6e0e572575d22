#include "histogram_ctrl.h"

#include <iterator>

namespace {

constexpr const wchar_t* kClassName = L"ZorvaneHistogram";

bool RegisterChartClass() {
    static const bool registered = CWnd::RegisterControlClass(kClassName, CS_HREDRAW | CS_VREDRAW);
    return registered;
}

void FillRect(HDC dc, const RECT& rect, COLORREF colour) {
    const gdi::Brush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.get());
}

}  // namespace

CHistogramCtrl::CHistogramCtrl() : m_tracePen(::CreatePen(PS_SOLID, 1, RGB(0, 0xFF, 0))) {}

CHistogramCtrl::~CHistogramCtrl() = default;

const MessageMap* CHistogramCtrl::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_PAINT, &CHistogramCtrl::OnPaint),
        msgmap::Message(WM_TIMER, &CHistogramCtrl::OnTimer),
    };
    static const MessageMap map{CWnd::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

bool CHistogramCtrl::Create(const RECT& rect, CWnd* parent, UINT id) {
    if (!RegisterChartClass() || !CreateEx(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent, id)) {
        return false;
    }
    ::GetClientRect(m_hWnd, &m_client);
    if (!DrawEmptyChart()) return false;
    m_tickPeriod = 1000;
    SetTimer(kTimerId, m_tickPeriod);
    return true;
}

bool CHistogramCtrl::DrawEmptyChart() {
    if (!m_picture && !m_picture.Create(gdi::WindowDC(m_hWnd).get(), m_client.right, m_client.bottom)) return false;
    HDC picture = m_picture.dc();
    FillRect(picture, m_client, m_backgroundColour);
    {
        const gdi::Pen grid(::CreatePen(PS_SOLID, 1, m_gridColour));
        const gdi::ScopedSelect selected(picture, grid.get());
        for (int x = m_client.left - 1; x < m_client.right; x += kGridSpacing) {
            ::MoveToEx(picture, x, m_client.top, nullptr);
            ::LineTo(picture, x, m_client.bottom);
        }
        for (int y = m_client.top - 1; y < m_client.bottom; y += kGridSpacing) {
            ::MoveToEx(picture, m_client.left, y, nullptr);
            ::LineTo(picture, m_client.right, y);
        }
    }
    m_currentLevel = m_previousLevel = m_client.bottom + 1;
    Invalidate(true);
    return true;
}

void CHistogramCtrl::AddSample(std::uint32_t value) {
    m_queue.push_back(value - static_cast<std::uint32_t>(m_valueOffset));
}

bool CHistogramCtrl::ChangeColour(COLORREF& target, COLORREF colour) {
    const unsigned period = m_tickPeriod;
    m_tickPeriod = 0;
    KillTimer(kTimerId);
    target = colour;
    const int phase = m_gridPhase;
    m_gridPhase = kGridSpacing;
    m_picture.Reset();  // the history goes with the old colours
    const bool drawn = DrawEmptyChart();
    if (!drawn) m_gridPhase = phase;
    m_tickPeriod = period;
    if (m_tickPeriod) SetTimer(kTimerId, m_tickPeriod);
    return drawn;
}

bool CHistogramCtrl::SetBackgroundColour(COLORREF colour) { return ChangeColour(m_backgroundColour, colour); }

bool CHistogramCtrl::SetGridColour(COLORREF colour) { return ChangeColour(m_gridColour, colour); }

void CHistogramCtrl::SetTracePen(gdi::Pen pen) {
    if (pen) m_tracePen = std::move(pen);
}

void CHistogramCtrl::SetOwnerPeriod(unsigned milliseconds) {
    KillTimer(kTimerId);
    m_ownerPeriod = milliseconds;
    if (milliseconds) SetTimer(kTimerId, milliseconds);
}

void CHistogramCtrl::Tick() {
    if (!m_picture) return;
    HDC picture = m_picture.dc();
    const RECT& c = m_client;
    FillRect(picture, RECT{c.right - kScrollStep, c.top, c.right, c.bottom}, m_backgroundColour);
    ::BitBlt(picture, 0, 0, c.right, c.bottom, picture, kScrollStep, 0, SRCCOPY);

    const int previousPhase = m_gridPhase;
    m_gridPhase -= kScrollStep;
    if (m_gridPhase < 0) m_gridPhase = previousPhase + 10;
    {
        const gdi::Pen grid(::CreatePen(PS_SOLID, 1, m_gridColour));
        const gdi::ScopedSelect selected(picture, grid.get());
        const int x = c.right - ((c.right - m_gridPhase) % kGridSpacing + 1);
        ::MoveToEx(picture, x, c.top, nullptr);
        ::LineTo(picture, x, c.bottom);
        for (int y = c.top - 1; y < c.bottom; y += kGridSpacing) {
            ::MoveToEx(picture, c.right - 6, y, nullptr);
            ::LineTo(picture, c.right, y);
        }
    }

    std::uint32_t sum = 0, count = 0;
    for (std::uint32_t value : m_queue) {
        sum += value;
        ++count;
    }
    m_queue.clear();
    const std::uint32_t mean = count ? sum / count : 0;
    if (mean != 0 && m_range != 0) {
        const std::uint32_t bottom = static_cast<std::uint32_t>(c.bottom);
        m_currentLevel = static_cast<int>(bottom - (bottom * mean) / m_range);
    }
    if (m_previousLevel == c.bottom + 1) m_previousLevel = m_currentLevel;
    {
        const gdi::ScopedSelect selected(picture, m_tracePen.get());
        ::MoveToEx(picture, c.right - 14, m_previousLevel, nullptr);
        ::LineTo(picture, c.right - 11, m_currentLevel);
    }
    m_previousLevel = m_currentLevel;
    Invalidate(true);
}

LRESULT CHistogramCtrl::OnPaint(WPARAM, LPARAM) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    if (m_picture) ::BitBlt(dc, 0, 0, m_client.right, m_client.bottom, m_picture.dc(), 0, 0, SRCCOPY);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT CHistogramCtrl::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam == kTimerId) Tick();
    return 0;
}
