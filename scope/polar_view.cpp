#include "scope/polar_view.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/julian_day.h"
#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "ephemeris/apparent_places.h"
#include "ephemeris/body_source.h"
#include "platform/gdi.h"
#include "scope/polar_alignment.h"
#include "scope/polar_form.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/primitives.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kFinderRadius = 60;
constexpr int kFinderTop = 48;        // below the method row
constexpr int kViewTop = 47;          // the views are erased from here down
constexpr int kFinderMarkInset = 3;   // Polaris stays this far inside the rim
constexpr int kTwoRowsAbove = 240;    // a taller form shows a second row
constexpr int kBox = 59;              // the reticle box, design pixels
constexpr int kBoxHalf = 29;
constexpr int kFieldX = 190, kFieldY = 107, kFieldRadius = 46;  // the eyepiece field's centre and radius
constexpr int kPictureLeft = 143, kPictureTop = 52, kPictureRight = 238, kPictureBottom = 162;
constexpr int kGridStep = 10;

pl::ColorRef Night(int red) { return pl::Rgb(static_cast<uint8_t>(red), 0, 0); }
bool IsNight() { return GetNightMode() != 0; }
pl::ColorRef DiscColor() { return IsNight() ? pl::Rgb(0, 0, 0) : pl::Rgb(255, 255, 255); }
pl::ColorRef LineColor() { return IsNight() ? Night(GetSchemeColor() - 5) : pl::Rgb(204, 204, 204); }
pl::ColorRef InkColor() { return IsNight() ? Night(GetSchemeColor()) : pl::Rgb(0, 0, 0); }
pl::ColorRef StarColor() { return IsNight() ? Night(GetSchemeColor()) : pl::Rgb(200, 0, 0); }

// A filled disc of radius r in the foreground, row by row.
void FillDot(int cx, int cy, int r) {
    for (int dy = -r; dy <= r; ++dy) {
        const int half = static_cast<int>(std::sqrt(static_cast<double>(r * r - dy * dy)));
        DrawLine(cx - half, cy + dy, cx + half + 1, cy + dy);
    }
}

void Text(const char* text, int x, int y, pl::ColorRef color) {
    SetTextColorRef(color);
    SetTextTransparent(true);
    DrawPlainText(text, static_cast<int>(std::strlen(text)), x, y);
    SetTextTransparent(false);
}

// Text centred on (x, y).
void CentredText(const char* text, int x, int y, pl::ColorRef color) {
    const int n = static_cast<int>(std::strlen(text));
    Text(text, x - CharsWidth(text, n) / 2, y - CharsHeight() / 2, color);
}

// A star: a dot with four short rays.
void DrawStar(int x, int y) {
    SetForeColor(StarColor());
    const int r = ScaleX(2), ray = ScaleX(5);
    FillDot(x, y, r);
    DrawLine(x - ray, y, x + ray + 1, y);
    DrawLine(x, y - ray, x, y + ray + 1);
}

void DrawHourLabels(int cx, int cy, int r, pl::ColorRef color) {
    const int in = r - ScaleX(8);
    CentredText("0", cx, cy + in, color);
    CentredText("6", cx + in, cy, color);
    CentredText("12", cx, cy - in, color);
    CentredText("18", cx - in, cy, color);
}

// Polaris's hour angle at the local time `minutes` after the form's.
double HourAngleAfter(int minutes, double raHours) {
    PolarDateTime t = polarDateTime;
    AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, minutes);
    const double lst = GetLocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second,
                                            currentSite.longitude, currentSite.zoneMinutes);
    return PolarisHourAngle(lst, raHours);
}

// Polaris's apparent right ascension (hours) at the form's date and time.
double PolarisRa() {
    const PolarDateTime& t = polarDateTime;
    const double jd = JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second,
                                            currentSite.zoneMinutes);
    BodyDescriptor earth{};
    SetBody(0, kBodyEarth, "Earth", &earth);
    double ra = polarisEntry.ra, dec = polarisEntry.dec;
    if (ComputeApparentStarPlace(jd, &earth, &polarisEntry, &ra, &dec) != 0) ra = polarisEntry.ra;
    return ra;
}

void DrawFinderReticle(int k, int cx, int cy, int r, double raHours) {
    DrawPolarReticle(cx, cy, r);
    int hour = 0, minute = 0;
    ReticleTime(polarDateTime.hour, polarDateTime.minute, k, &hour, &minute);
    char label[16];
    std::snprintf(label, sizeof label, "%02dh%02d", hour, minute);
    Text(label, cx - r, cy - r, InkColor());
    int dx = 0, dy = 0;
    PolarisMarkOffset(r, kFinderMarkInset * displayScale.scaleX, raHours, HourAngleAfter(30 * k, raHours), &dx, &dy);
    SetForeColor(StarColor());
    FillDot(cx + dx, cy + dy, ScaleX(3));
    DrawCircle(cx + dx, cy + dy, ScaleX(5));
}

XywhRect PictureRect() {
    return XywhRect{ScaleX(kPictureLeft), ScaleY(kPictureTop), ScaleX(kPictureRight - kPictureLeft),
                    ScaleY(kPictureBottom - kPictureTop)};
}

void DrawBoxRuling(int reticleType, const XywhRect& box) {
    const int cx = box.x + ScaleX(kBoxHalf), cy = box.y + ScaleY(kBoxHalf);
    SetForeColor(LineColor());
    if (reticleType == 1) {
        for (int d = -2 * kGridStep; d <= 2 * kGridStep; d += kGridStep) {
            DrawLine(cx + ScaleX(d), box.y, cx + ScaleX(d), box.y + box.height);
            DrawLine(box.x, cy - ScaleY(d), box.x + box.width, cy - ScaleY(d));
        }
    }
    SetForeColor(InkColor());
    DrawLine(cx, box.y, cx, box.y + box.height);
    DrawLine(box.x, cy, box.x + box.width, cy);
    DrawRectangleOutline(box);
}

}  // namespace

void DrawPolarReticle(int cx, int cy, int r) {
    SetForeColor(DiscColor());
    FillDot(cx, cy, r);
    const pl::ColorRef line = LineColor();
    SetForeColor(line);
    for (int degrees = 0; degrees < 180; degrees += 15) {
        const double a = degrees * kPi / 180.0;
        const int dx = static_cast<int>(std::lround(r * std::cos(a))), dy = static_cast<int>(std::lround(r * std::sin(a)));
        DrawLine(cx - dx, cy - dy, cx + dx, cy + dy);
    }
    DrawCircle(cx, cy, r);
    DrawCircle(cx, cy, r - r / 6);
    DrawLine(cx - r, cy, cx + r, cy);
    DrawLine(cx, cy - r, cx, cy + r);
    DrawHourLabels(cx, cy, r, IsNight() ? line : InkColor());
}

void DrawPolarFinder() {
    const pl::Rect client = GetDrawClientRect();
    const int width = client.right - client.left, height = client.bottom - client.top;
    const int r = ScaleX(kFinderRadius);
    const int rows = height > ScaleY(kTwoRowsAbove) ? 2 : 1;
    const double ra = PolarisRa();
    const int top = ScaleY(kFinderTop);
    for (int row = 0, k = 0; row < rows; ++row)
        for (int column = 0; column < 2; ++column, ++k)
            DrawFinderReticle(k, width / 2 - r + 2 * r * column, top + r + 2 * r * row, r, ra);
}

XywhRect PolarReticleBox() {
    return XywhRect{ScaleX(kFieldX - kBoxHalf), ScaleY(kFieldY - kBoxHalf), ScaleX(kBox), ScaleY(kBox)};
}

void DrawDriftPicture(int reticleType, DriftPicture what, int x, int y) {
    EraseRectangle(PictureRect());
    const int cx = ScaleX(kFieldX), cy = ScaleY(kFieldY);
    SetForeColor(DiscColor());
    FillDot(cx, cy, ScaleX(kFieldRadius));
    SetForeColor(InkColor());
    DrawCircle(cx, cy, ScaleX(kFieldRadius));
    const XywhRect box = PolarReticleBox();
    DrawBoxRuling(reticleType, box);
    const int left = box.x, right = box.x + ScaleX(kBox - 1);
    const int labelY = cy - ScaleY(kBoxHalf) - CharsHeight();
    switch (what) {
    case DriftPicture::Plain: break;
    case DriftPicture::Resolution:
        Text("A", left - ScaleX(3), labelY, InkColor());
        Text("B", right - ScaleX(3), labelY, InkColor());
        DrawStar(left, cy);
        break;
    case DriftPicture::Drift:
        Text("A", cx + ScaleX(3), cy + ScaleY(2), InkColor());
        DrawStar(cx + ScaleX(x), cy - ScaleY(y));
        break;
    }
}

void ErasePolarView() {
    const pl::Rect client = GetDrawClientRect();
    const int top = ScaleY(kViewTop);
    EraseRectangle(XywhRect{0, top, client.right - client.left, client.bottom - client.top - top});
}
