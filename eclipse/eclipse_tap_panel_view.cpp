#include "eclipse/eclipse_tap_panel_view.h"

#include <cmath>

#include "core/delta_t.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "eclipse/eclipse_controls_view.h"
#include "eclipse/eclipse_form.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_map.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/topocentric_parallax.h"
#include "platform/color.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"

namespace {

constexpr double kRadians = 0.0174532925199433;
constexpr double kPixelsPerProjectedUnit = 6840;

XywhRect PanelBox() {
    XywhRect box{1, screenHeight - ScaleY(76) - 4, ScaleX(222) + 4, ScaleY(52) + 4};
    if (GetScreenScale() == 1) box.y -= 3, box.width += 25, box.height += 3;
    return box;
}

// The leader to the middle of the box's top edge, or of its right edge when
// the tap lies beside the box.
void DrawLeader(const XywhRect& box, int x, int y) {
    const int right = box.x + box.width;
    if (y < box.y - ScaleY(24) || x < right)
        DrawLine(x, y, box.x + box.width / 2, box.y);
    else
        DrawLine(x, y, right, box.y + box.height / 2);
}

// A body seen from the place at a UT instant: its apparent diameter
// (arcminutes) and its direction projected as r = tan((90 - altitude) / 2),
// (r cos azimuth, r sin azimuth). The place's own zone turns UT into the
// local time ComputeBody takes; the position mode is geocentric meanwhile.
struct SkyDisc {
    double diameter, x, y;
};
SkyDisc BodyAt(int body, const EclipseEvent& e, double ut, double latitude, double longitude) {
    const int second = static_cast<int>(ut * 3600 + 0.5);
    BodyPosition p{};
    const int32_t mode = preferences.word[kPrefPositionMode];
    preferences.word[kPrefPositionMode] = 0;
    ComputeBody(&p, body, e.year, e.month, e.day, 0, currentSite.zoneMinutes, second);
    preferences.word[kPrefPositionMode] = mode;
    const double t = (JulianDayFromDateTime(e.year, e.month, e.day, 0, 0, second, 0) - 2451545.0) / 36525;
    double ra = p.ra * 15 * kRadians, dec = p.dec * kRadians, azimuth = 0, altitude = 0;
    ApplyTopocentricParallax(t, &ra, &dec, &azimuth, &altitude, p.distance, longitude, latitude, 0);
    const double r = std::tan((90 - altitude) / 2 * kRadians);
    return {p.apparentDiameter, r * std::cos(azimuth * kRadians), r * std::sin(azimuth * kRadians)};
}

// A yellow Sun and a grey Moon by day; at night the night pen's red and a dim red.
pl::ColorRef SunColour() { return GetNightMode() > 0 ? GetForegroundColor() : pl::Rgb(255, 255, 0); }
pl::ColorRef MoonColour() { return GetNightMode() > 0 ? pl::Rgb(53, 0, 0) : pl::Rgb(53, 53, 53); }

// The Sun centred in a square at the right end of the panel, the Moon offset
// from it by the difference of the projected directions.
void DrawSunAndMoon(const XywhRect& box, const EclipseEvent& e, double ut, double latitude, double longitude) {
    const int side = ScaleX(48);
    const XywhRect square{box.x + box.width - side - 2, box.y + (box.height - ScaleY(48)) / 2, side, ScaleY(48)};
    const SkyDisc sun = BodyAt(0, e, ut, latitude, longitude), moon = BodyAt(1, e, ut, latitude, longitude);
    const double scale = displayScale.scaleX;
    const int cx = square.x + square.width / 2, cy = square.y + square.height / 2;
    DrawRectangleOutline(square);
    SetClip(square);
    DrawFilledDisc(cx, cy, static_cast<int>((sun.diameter + 0.5) * scale), SunColour());
    DrawFilledDisc(cx + static_cast<int>((moon.x - sun.x) * kPixelsPerProjectedUnit * scale),
                   cy - static_cast<int>((moon.y - sun.y) * kPixelsPerProjectedUnit * scale),
                   static_cast<int>((moon.diameter + 0.5) * scale), MoonColour());
    ClipToWindow();
}

}  // namespace

void DrawEclipseTapPanel(int x, int y) {
    if (!eclipseList || selectedEclipse < 0 || selectedEclipse >= eclipseCount) return;
    const EclipseEvent& e = eclipseList[selectedEclipse];
    if (savedViewBits)
        CopyRectangle(savedViewBits, GetDrawWindow(), {0, 0, viewRect.width, viewRect.height}, viewRect.x, viewRect.y, 0);
    const XywhRect box = PanelBox();
    const pl::ColorRef previous = SetForeColor(GetForegroundColor());
    UseSchemeTextColours();
    EraseRectangle(box);
    DrawRectangleOutline(box);
    DrawLeader(box, x, y);
    const int left = ScaleX(5), line = ScaleY(13);
    int row = box.y + 1;
    DrawEclipseText("At ", left, row);
    SetLocationFields(typedLongitude, typedLatitude);
    DrawCoordWithHemisphere(typedLongitude, 'W', 'E', left + ScaleX(12), row);
    DrawCoordWithHemisphere(typedLatitude, 'N', 'S', left + ScaleX(75), row);
    const TapContacts c = ComputeTapContacts(besselianElements, ComputeDeltaT(e.year, e.month, e.day), e.hour,
                                             typedLatitude, typedLongitude);
    const TapPanelLines lines = FormatTapContacts(c);
    for (const std::string* text : {&lines.start, &lines.greatest, &lines.end})
        if (!text->empty()) DrawEclipseText(*text, left, row += line);
    DrawSunAndMoon(box, e, c.greatest, typedLatitude, typedLongitude);
    SetForeColor(previous);
}
