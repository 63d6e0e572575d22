#include "fan_curve.h"

#include "framework/text.h"

#include <algorithm>

PlotArea PlotAreaFor(int width, int height) {
    PlotArea plot;
    plot.left = 40;
    plot.bottom = height - 40;
    plot.right = 40 + ((width - 59) / 10) * 10;
    plot.top = plot.bottom - ((height - 59) / 10) * 10;
    return plot;
}

CurvePoint PercentToPixel(const PlotArea& p, CurvePoint percent) {
    return {p.left + ((p.right - p.left) * percent.x + 99) / 100, LevelToY(p, percent.y)};
}

int LevelToY(const PlotArea& p, int level) { return p.bottom - (level * (p.bottom - p.top) + 99) / 100; }

CurvePoint PixelToPercent(const PlotArea& p, CurvePoint pixel) {
    const int width = p.right - p.left, height = p.bottom - p.top;
    return {width ? (pixel.x - p.left) * 100 / width : 0, height ? (p.bottom - pixel.y) * 100 / height : 0};
}

void DefaultCurve(const PlotArea& p, int lowY, int highY, Curve& pixels) {
    const int width = p.right - p.left;
    pixels[0] = {p.left, lowY};
    pixels[1] = {p.left + (width * 10 + 99) / 100, lowY};
    pixels[4] = {p.left + (width * 90 + 99) / 100, highY};
    pixels[5] = {p.right, highY};
    const CurvePoint a = pixels[1], b = pixels[4];
    pixels[2] = {a.x + (b.x - a.x) / 3, a.y + (b.y - a.y) / 3};
    pixels[3] = {a.x + (b.x - a.x) * 2 / 3, a.y + (b.y - a.y) * 2 / 3};
}

int EncodeCurvePoint(int temperature, int level) { return temperature * 10000000 + level * 100; }

std::wstring CurvePointText(int temperature, int level) {
    wchar_t text[16];
    FormatText(text, L"%010d", EncodeCurvePoint(temperature, level));
    return text;
}

bool DecodeCurvePoint(int value, int minLevel, int maxLevel, CurvePoint& point) {
    if (value == 0) return false;
    point.x = std::clamp(value / 10000000, 0, 100);
    point.y = (value % 100000) / 100;
    if (point.y > maxLevel) point.y = maxLevel;
    if (point.y < minLevel) point.y = minLevel;
    return true;
}

int EvaluateCurve(const Curve& c, int t) {
    int result = 0;
    for (int i = 0; i + 1 < kCurvePoints; ++i) {
        const CurvePoint a = c[i], b = c[i + 1];
        if (a.x < t && t < b.x) return a.y + ((b.y - a.y) * (t - a.x) * 100 / (b.x - a.x) + 99) / 100;
        if (t == a.x && t == b.x) {
            result = std::max(a.y, b.y);
        } else if (t < b.x) {
            return a.y;
        } else {
            result = b.y;
        }
    }
    return result;
}

CurvePoint DragCurvePoint(const Curve& c, int index, CurvePoint cursor, const PlotArea& p, int lowY, int highY) {
    const int x = std::clamp(cursor.x, p.left, p.right);
    switch (index) {
    case 1: return {std::min(x, c[2].x), lowY};
    case 4: return {std::max(x, c[3].x), highY};
    default: return {std::min(std::max(x, c[index - 1].x), c[index + 1].x), std::clamp(cursor.y, highY, lowY)};
    }
}

std::wstring CurveCaption(CurvePoint percent) {
    wchar_t text[32];
    FormatText(text, L"%3d%% @ %3d'C", percent.y, percent.x);
    return text;
}
