// CPolycurveCtrl: the fan curve over a grid, drawn into a memory picture; the user drags
// the four inner points. It tells its owner nothing: the owner reads the points.
#pragma once

#include "dialogs/fan_curve.h"
#include "framework/gdi.h"
#include "framework/wnd.h"

class CPolycurveCtrl : public CWnd {
public:
    CPolycurveCtrl();

    // A visible child at `rect` with the default curve; false when the picture cannot be made.
    bool Create(const RECT& rect, CWnd* owner, UINT id);
    // The fan's level limits: the minimum and maximum lines, and the default curve anew.
    void SetLevelLimits(int minLevel, int maxLevel);
    void SetDefaultPoints();
    // Point `index` of the default curve, in percent.
    CurvePoint DefaultPoint(int index) const;
    // Places inner point 1–4 at a temperature and level in percent; other indexes change nothing.
    void SetCurvePoint(int index, int temperature, int level);
    void SetAxisLabels(const wchar_t* xLabel, const wchar_t* yLabel);

    const Curve& Pixels() const { return m_points; }
    const PlotArea& Plot() const { return m_plot; }
    // The six points in percent.
    void PercentPoints(Curve& percent) const;
    int Selected() const { return m_selected; }
    // The drawn picture (tests read its pixels).
    HDC Picture() const { return m_picture.dc(); }

protected:
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnLeftButtonDown(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLeftButtonUp(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    void Draw();

    gdi::MemoryPicture m_picture;
    SIZE m_size{};
    PlotArea m_plot;
    int m_lowY = 0;
    int m_highY = 0;
    Curve m_points{};
    int m_selected = 0;  // 1–4: the point last grabbed
    bool m_dragging = false;
    wchar_t m_xLabel[260];
    wchar_t m_yLabel[260];
};
