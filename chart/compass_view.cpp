#include "chart/compass_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/chart_symbols.h"
#include "platform/text.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/primitives.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kDegree = 0.0174532925199433;
constexpr double kDiagonal = 0.707106781186548;
constexpr int kPointAngles[] = {10, 20, 30, 40};

// An inclusive line: both end points drawn, in the foreground colour.
void Segment(int x1, int y1, int x2, int y2) {
    DrawLine(x1, y1, x2, y2);
    DrawPixel(x2, y2);
}

void SegmentIn(pl::ColorRef colour, int x1, int y1, int x2, int y2) {
    SetForeColor(colour);
    Segment(x1, y1, x2, y2);
}

// A filled disc of radius r, row by row.
void FillDisc(int cx, int cy, int r, pl::ColorRef colour) {
    SetForeColor(colour);
    for (int dy = -r; dy <= r; ++dy) {
        int half = static_cast<int>(std::sqrt(static_cast<double>(r) * r - static_cast<double>(dy) * dy));
        FillRectangle(XywhRect{cx - half, cy + dy, 2 * half + 1, 1}, 0);
    }
}

void Circle(int cx, int cy, int r, pl::ColorRef colour) {
    SetForeColor(colour);
    DrawCircle(cx, cy, r);
}

pl::Size TextSize(const std::string& text) {
    pl::Size size{};
    pl::GetTextExtent(GetDrawDc(), text, &size);
    return size;
}

// Text at (x, y) in the pen colour; opaque over `back` unless back is the
// transparent marker below.
constexpr pl::ColorRef kTransparent = 0xFFFFFFFF;
void Text(const std::string& text, int x, int y, pl::ColorRef colour, pl::ColorRef back = kTransparent) {
    SetTextColorRef(colour);
    if (back != kTransparent) SetBackColor(back);
    SetTextTransparent(back == kTransparent);
    DrawPlainText(text.c_str(), static_cast<int>(text.size()), x, y);
    SetTextTransparent(false);
}

std::string Degrees(int value) { return std::to_string(value) + "\xB0"; }

// Point at `radius` towards a direction in degrees from north through east.
void Towards(const CompassLayout& l, double degrees, double radius, int* x, int* y) {
    *x = l.centreX + static_cast<int>(std::lround(radius * std::sin(degrees * kDegree)));
    *y = l.centreY - static_cast<int>(std::lround(radius * std::cos(degrees * kDegree)));
}

// Eight points, each a fan of lines from its tip on the inner circle to the
// points 10 to 40 degrees on either side at a fifth of the radius.
void DrawStar(const CompassLayout& l) {
    for (int ray = 0; ray < 8; ++ray) {
        const double a = 45.0 * ray;
        int tipX, tipY;
        Towards(l, a, l.innerRadius, &tipX, &tipY);
        for (int d : kPointAngles)
            for (int side : {-1, 1}) {
                int x, y;
                Towards(l, a + side * d, l.radius / 5.0, &x, &y);
                Segment(tipX, tipY, x, y);
            }
    }
}

void DrawCardinalLetters(const CompassLayout& l, const CompassPalette& p) {
    const int edge = l.coreRadius;
    const struct {
        const char* text;
        int dx, dy;  // -1, 0, 1: left/top, centred, right/bottom
    } letters[] = {{" W ", -1, 0}, {" E ", 1, 0}, {"N", 0, -1}, {"S", 0, 1}};
    for (const auto& letter : letters) {
        pl::Size s = TextSize(letter.text);
        int x = l.centreX - s.width / 2, y = l.centreY - s.height / 2;
        if (letter.dx != 0) x = letter.dx < 0 ? l.centreX - edge + 2 : l.centreX + edge - s.width - 1;
        if (letter.dy != 0) y = letter.dy < 0 ? l.centreY - edge + 2 : l.centreY + edge - s.height - 1;
        Text(letter.text, x, y, p.pen, p.core);
    }
}

void DrawBarScale(const CompassLayout& l, const CompassPalette& p) {
    const XywhRect& b = l.bar;
    const int tick = ScaleX(4);
    SetForeColor(p.pen);
    for (int alt = -90; alt <= 90; alt += 10) {
        int y = CompassBarY(l, alt);
        Segment(b.x, y, b.x + (alt % 30 == 0 ? 2 * tick : tick), y);
        Segment(b.x + b.width - tick, y, b.x + b.width, y);
        if (alt % 30 != 0) continue;
        std::string label = Degrees(alt);
        pl::Size s = TextSize(label);
        Text(label, b.x - s.width - ScaleX(2), y - s.height / 2, p.pen);
    }
}

void DrawBodySymbol(const CompassSymbols& symbols, int body, int x, int y) {
    DrawObjectSymbol(symbols.type[body], symbols.index[body], 1, x, y);
}

// A text's cell at (x, y).
pl::Rect CellAt(const std::string& text, int x, int y) {
    const pl::Size s = TextSize(text);
    return pl::Rect{x, y, x + s.width, y + s.height};
}

// The grid with its "45°" and "T" labels; their cells go to `labels`.
void DrawCurveGrid(const CompassLayout& l, const CompassPalette& p, std::vector<pl::Rect>* labels) {
    const XywhRect& box = l.curveBox;
    const int right = box.x + box.width - 1, bottom = box.y + box.height - 1;
    const int tick = ScaleX(3);
    int x, y;
    for (int az = 0; az <= 360; az += 10) {
        CompassCurvePoint(l, az, kCurveLowestAltitude, &x, &y);
        if (az % 90 == 0) SegmentIn(p.rose, x, box.y, x, bottom);
        else SegmentIn(p.core, x, bottom - tick, x, bottom);
    }
    for (int alt : {-45, 0, 45, 90}) {
        CompassCurvePoint(l, 0.0, alt, &x, &y);
        SegmentIn(alt == 0 ? p.core : p.rose, box.x, y, right, y);
    }
    CompassCurvePoint(l, 0.0, 45.0, &x, &y);
    Text(Degrees(45), box.x + ScaleX(2), y + 1, p.pen);
    labels->push_back(CellAt(Degrees(45), box.x + ScaleX(2), y + 1));
    CompassCurvePoint(l, 0.0, 0.0, &x, &y);
    Text("T", box.x + ScaleX(2), y + 1, p.pen);
    labels->push_back(CellAt("T", box.x + ScaleX(2), y + 1));
}

// The azimuth labels along the bottom; their cells go to `labels`.
void DrawCurveAzimuthLabels(const CompassLayout& l, const CompassPalette& p, std::vector<pl::Rect>* labels) {
    const XywhRect& box = l.curveBox;
    for (int az = 45; az <= 360; az += 45) {
        std::string label = az % 90 == 0 ? std::string(1, "NESW"[(az / 90) % 4]) : Degrees(az);
        pl::Size s = TextSize(label);
        int x, y;
        CompassCurvePoint(l, az, kCurveLowestAltitude, &x, &y);
        x = std::min(x - s.width / 2, box.x + box.width - s.width);
        Text(label, x, box.y + box.height - s.height - ScaleY(4), p.pen);
        labels->push_back(CellAt(label, x, box.y + box.height - s.height - ScaleY(4)));
    }
}

bool MeetsAny(const pl::Rect& cell, const std::vector<pl::Rect>& labels) {
    return std::any_of(labels.begin(), labels.end(),
                       [&](const pl::Rect& r) { return !pl::Intersect(cell, r).IsEmpty(); });
}

// A point of the path that the curve is drawn through: in the box's height.
bool OnTheCurve(const CompassPlace& place) { return place.valid && place.altitude >= kCurveLowestAltitude; }

// A whole hour along the path: its place on the curve, and how far along the
// path it falls, in points from the first.
struct HourMark {
    int hour;
    double along;
    int x, y;
};

// The whole hour at point i, or between it and point i + 1, placed on the
// line that joins them; false when there is none, or when the curve is not
// drawn there (a point below the box, or a jump across north).
bool WholeHourFrom(const CompassLayout& l, const CompassPathPoint path[kCompassPathPoints], int i, HourMark* mark) {
    const CompassPathPoint& a = path[i];
    const CompassPathPoint* b = &a;
    double f = 0.0;
    if (a.minute != 0) {
        if (i + 1 >= kCompassPathPoints) return false;
        b = &path[i + 1];
        if (b->hour == a.hour || b->minute == 0) return false;
        f = (60.0 - a.minute) / (b->minute + 60.0 - a.minute);
    }
    if (!OnTheCurve(a.place) || !OnTheCurve(b->place)) return false;
    int ax, ay, bx, by;
    CompassCurvePoint(l, a.place.azimuth, a.place.altitude, &ax, &ay);
    CompassCurvePoint(l, b->place.azimuth, b->place.altitude, &bx, &by);
    if (std::abs(bx - ax) >= l.curveBox.width / 2) return false;
    *mark = HourMark{b->hour, i + f, ax + static_cast<int>(std::lround(f * (bx - ax))),
                     ay + static_cast<int>(std::lround(f * (by - ay)))};
    return true;
}

// "%02d" of a mark beside its place (right of it, or left where the box's
// right side would cut it) unless its cell, with `gap` clear on either side,
// would meet one of `labels`; a label written joins them.
void DrawHourLabel(const HourMark& mark, const XywhRect& box, const CompassPalette& p, int gap,
                   std::vector<pl::Rect>* labels) {
    char hour[8];
    std::snprintf(hour, sizeof hour, "%02d", mark.hour);
    const pl::Size s = TextSize(hour);
    int x = mark.x + ScaleX(2);
    if (x + s.width > box.x + box.width) x = mark.x - ScaleX(2) - s.width;
    const int y = mark.y - s.height;
    if (MeetsAny(pl::Rect{x - gap, y, x + s.width + gap, y + s.height}, *labels)) return;
    Text(hour, x, y, p.pen);
    labels->push_back(pl::Rect{x, y, x + s.width, y + s.height});
}

// The whole hours along the path, whatever the minute of the chart time,
// each labelled unless its label would come within 3 units of one written
// before it or meet one of the grid's `labels` (hours side by side read as
// one number, "2021"). They are taken outwards from the hour nearest the
// chart time, later hours first, so that the same hours give way whatever
// the minute of the chart time.
void DrawHourLabels(const CompassLayout& l, const CompassPalette& p, const CompassPathPoint path[kCompassPathPoints],
                    std::vector<pl::Rect> labels) {
    std::vector<HourMark> marks;
    for (int i = 0; i < kCompassPathPoints; ++i) {
        HourMark mark;
        if (WholeHourFrom(l, path, i, &mark)) marks.push_back(mark);
    }
    if (marks.empty()) return;
    const auto nearest = std::min_element(marks.begin(), marks.end(), [](const HourMark& a, const HourMark& b) {
        return std::fabs(a.along - kCompassPathNow) < std::fabs(b.along - kCompassPathNow);
    });
    const int gap = ScaleX(3);
    for (auto it = nearest; it != marks.end(); ++it) DrawHourLabel(*it, l.curveBox, p, gap, &labels);
    for (auto it = nearest; it != marks.begin();) DrawHourLabel(*--it, l.curveBox, p, gap, &labels);
}

// Lines between the points of the path inside the box; a jump across north
// (half the box wide) is not joined.
void DrawPath(const CompassLayout& l, const CompassPalette& p, const CompassPathPoint path[kCompassPathPoints]) {
    int lastX = 0, lastY = 0;
    bool last = false;
    for (int i = 0; i < kCompassPathPoints; ++i) {
        const CompassPlace& place = path[i].place;
        int x = 0, y = 0;
        const bool here = OnTheCurve(place);
        if (here) CompassCurvePoint(l, place.azimuth, place.altitude, &x, &y);
        if (here && last && std::abs(x - lastX) < l.curveBox.width / 2) SegmentIn(p.pointer, lastX, lastY, x, y);
        last = here;
        lastX = x;
        lastY = y;
    }
}

}  // namespace

CompassPalette GetCompassPalette(int nightMode) {
    if (nightMode == 0)
        return {pl::Rgb(255, 255, 255), pl::Rgb(0, 0, 0), pl::Rgb(0x99, 0x99, 0xFF), pl::Rgb(0xCC, 0xCC, 0xCC),
                pl::Rgb(255, 0, 0)};
    const int red = GetSchemeColor();
    return {pl::Rgb(0, 0, 0), pl::Rgb(red, 0, 0), pl::Rgb(red / 2, 0, 0), pl::Rgb(0, 0, 0), pl::Rgb(red, 0, 0)};
}

void DrawCompassRose(const CompassLayout& l, const CompassPalette& p) {
    FillDisc(l.centreX, l.centreY, l.radius, p.rose);
    Circle(l.centreX, l.centreY, l.radius, p.pen);
    DrawStar(l);
    Circle(l.centreX, l.centreY, l.innerRadius, p.pen);
    const int d = static_cast<int>(l.innerRadius * kDiagonal);
    Segment(l.centreX - d, l.centreY - d, l.centreX + d, l.centreY + d);
    Segment(l.centreX - d, l.centreY + d, l.centreX + d, l.centreY - d);
    FillDisc(l.centreX, l.centreY, l.coreRadius, p.core);
    Circle(l.centreX, l.centreY, l.coreRadius, p.pen);
    Segment(l.centreX, l.centreY - l.innerRadius, l.centreX, l.centreY + l.innerRadius);
    Segment(l.centreX - l.innerRadius, l.centreY, l.centreX + l.innerRadius, l.centreY);
    DrawCardinalLetters(l, p);
}

void DrawAltitudeBar(const CompassLayout& l, const CompassPalette& p) {
    const XywhRect& b = l.bar;
    const int horizon = CompassBarY(l, 0.0);
    SetForeColor(p.rose);
    FillRectangle(XywhRect{b.x, b.y, b.width, horizon - b.y}, 0);
    SetForeColor(p.core);
    FillRectangle(XywhRect{b.x, horizon, b.width, b.y + b.height - horizon}, 0);
    SetForeColor(p.pen);
    Segment(b.x, b.y, b.x + b.width, b.y);
    Segment(b.x, b.y + b.height, b.x + b.width, b.y + b.height);
    Segment(b.x, b.y, b.x, b.y + b.height);
    Segment(b.x + b.width, b.y, b.x + b.width, b.y + b.height);
    Segment(b.x, horizon, b.x + b.width, horizon);
    DrawBarScale(l, p);
}

void DrawCompassBodies(const CompassLayout& l, const CompassPalette& p, const CompassPlace* places, int count,
                       int currentBody, const CompassSymbols& symbols, int roseX[kCompassBodies],
                       int roseY[kCompassBodies], int barY[kCompassBodies]) {
    for (int body = 0; body < kCompassBodies; ++body) roseX[body] = roseY[body] = barY[body] = 0;
    if (currentBody >= 0 && currentBody < count && places[currentBody].valid) {
        const CompassPlace& current = places[currentBody];
        int y = CompassBarY(l, current.altitude), x = 0;
        SegmentIn(p.pointer, l.markX - l.markHalf, y, l.markX + l.markHalf, y);
        CompassRosePoint(l, current.azimuth, l.radius, &x, &y);
        SegmentIn(p.pointer, l.centreX, l.centreY, x, y);
    }
    for (int body = 0; body < count && body < kCompassBodies; ++body) {
        if (!places[body].valid) continue;
        barY[body] = CompassBarY(l, places[body].altitude);
        CompassRosePoint(l, places[body].azimuth, l.ringRadius, &roseX[body], &roseY[body]);
        DrawBodySymbol(symbols, body, l.markX, barY[body]);
        DrawBodySymbol(symbols, body, roseX[body], roseY[body]);
    }
}

void DrawCompassTexts(const CompassLayout& l, const CompassPalette& p, const char* altitude, const char* azimuth) {
    Text(altitude, l.altTextX, l.textY, p.pen);
    Text(azimuth, l.azTextX, l.textY, p.pen);
}

void DrawAltitudeCurve(const CompassLayout& l, const CompassPalette& p,
                       const CompassPathPoint path[kCompassPathPoints]) {
    SetForeColor(p.background);
    FillRectangle(l.curveBox, 0);
    std::vector<pl::Rect> labels;
    DrawCurveGrid(l, p, &labels);
    DrawCurveAzimuthLabels(l, p, &labels);
    SetClip(l.curveBox);
    DrawPath(l, p, path);
    DrawHourLabels(l, p, path, labels);
}
