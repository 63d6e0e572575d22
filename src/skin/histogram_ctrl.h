// CHistogramCtrl: a strip chart that scrolls three pixels to the left on every tick
// and adds a segment for the average of the values queued since the last tick.
#pragma once

#include "framework/gdi.h"
#include "framework/wnd.h"

#include <cstdint>
#include <deque>

class CHistogramCtrl : public CWnd {
public:
    static constexpr UINT_PTR kTimerId = 12367;
    static constexpr int kGridSpacing = 13;
    static constexpr int kScrollStep = 3;

    CHistogramCtrl();
    ~CHistogramCtrl() override;

    // A visible child chart with an empty grid, ticking every second. False on failure.
    bool Create(const RECT& rect, CWnd* parent, UINT id);
    void AddSample(std::uint32_t value);
    bool SetBackgroundColour(COLORREF colour);
    bool SetGridColour(COLORREF colour);
    // Replaces the trace pen (an empty pen keeps the old one).
    void SetTracePen(gdi::Pen pen);
    // The owner's tick period in milliseconds; 0 stops the chart.
    void SetOwnerPeriod(unsigned milliseconds);
    // One tick, as the timer makes it.
    void Tick();

    std::int32_t m_valueOffset = 0;  // subtracted from every queued sample
    std::uint32_t m_range = 100;     // value span over the full height

    // For tests: the picture and the levels.
    HDC Picture() const { return m_picture.dc(); }
    int CurrentLevel() const { return m_currentLevel; }
    int GridPhase() const { return m_gridPhase; }

protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    bool DrawEmptyChart();
    bool ChangeColour(COLORREF& target, COLORREF colour);

    unsigned m_tickPeriod = 1000;
    unsigned m_ownerPeriod = 0;
    int m_currentLevel = 0;
    int m_previousLevel = 0;
    gdi::MemoryPicture m_picture;
    RECT m_client{};
    gdi::Pen m_tracePen;
    int m_gridPhase = kGridSpacing;
    COLORREF m_backgroundColour = RGB(0, 0, 0);
    COLORREF m_gridColour = RGB(0x00, 0x82, 0x42);
    std::deque<std::uint32_t> m_queue;
};
