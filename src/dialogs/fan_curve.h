// The fan curve model: six points from (0 °C, minimum level) to (100 °C, maximum
// level), the stored form of the four inner points, the pixel mapping of the curve
// control and the evaluation at a temperature. Pure functions.
#pragma once

#include <string>

struct CurvePoint {
    int x = 0, y = 0;  // temperature and level in percent, or client pixels
    bool operator==(const CurvePoint&) const = default;
};

constexpr int kCurvePoints = 6;
using Curve = CurvePoint[kCurvePoints];

// The plot area of a curve control with a client of width × height: 40 pixels left and
// below, at least 19 right and above, width and height multiples of 10.
struct PlotArea {
    int left = 0, top = 0, right = 0, bottom = 0;
};
PlotArea PlotAreaFor(int width, int height);

// Percent (temperature, level) to client pixels and back; integer arithmetic.
CurvePoint PercentToPixel(const PlotArea& plot, CurvePoint percent);
CurvePoint PixelToPercent(const PlotArea& plot, CurvePoint pixel);
// The y of a level, for the minimum and maximum level lines.
int LevelToY(const PlotArea& plot, int level);

// The default curve in pixels between the minimum level line lowY and the maximum highY.
void DefaultCurve(const PlotArea& plot, int lowY, int highY, Curve& pixels);

// The stored form: "%010d" of temperature × 10000000 + level × 100.
int EncodeCurvePoint(int temperature, int level);
// The text of a stored point as stored.
std::wstring CurvePointText(int temperature, int level);
// A stored value: temperature clamped to 0–100, level to the fan's limits. False for 0
// (missing or not a number): the default point applies.
bool DecodeCurvePoint(int value, int minLevel, int maxLevel, CurvePoint& point);

// The points an automatic save leaves stored.
constexpr CurvePoint kResetCurve[4] = {{10, 0}, {36, 33}, {63, 66}, {90, 100}};

// The level of a curve (in percent) at temperature T: linear between points, the
// fraction rounded up; P0's level at or below P0, P5's at or above P5.
int EvaluateCurve(const Curve& percent, int temperature);

// Where a dragged inner point goes for a cursor position: inside the plot's width,
// between its neighbours; P1 on the minimum line, P4 on the maximum line, P2 and P3
// between the two lines.
CurvePoint DragCurvePoint(const Curve& pixels, int index, CurvePoint cursor, const PlotArea& plot, int lowY,
                          int highY);

// The caption of a selected point: "%3d%% @ %3d'C", level first.
std::wstring CurveCaption(CurvePoint percent);
