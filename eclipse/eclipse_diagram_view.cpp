#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "assistants/globe_view.h"
#include "assistants/planet_globe_info_view.h"
#include "core/angle_text.h"
#include "core/date_text.h"
#include "core/delta_t.h"
#include "core/eclipse_work.h"
#include "core/julian_day.h"
#include "core/text_numbers.h"
#include "eclipse/eclipse_band_view.h"
#include "eclipse/eclipse_form.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_path.h"
#include "eclipse/lunar_eclipse_view.h"
#include "eclipse/solar_eclipse_views.h"
#include "ephemeris/eclipse_sources.h"
#include "platform/color.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/forms.h"
#include "ui/input_polling.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

int globeRotating = 0;

namespace {

constexpr double kHoursPerRadian = 3.819718634205488;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.0174532925199433;

const EclipseEvent* SelectedEvent() {
    return eclipseList && selectedEclipse >= 0 && selectedEclipse < eclipseCount ? &eclipseList[selectedEclipse]
                                                                                : nullptr;
}

int Wrap360(int degrees) { return (degrees % 360 + 360) % 360; }

// The Sun's or the Moon's geocentric right ascension and declination (radians).
void AddBodyPlace(double ra, double dec, int x, int font, std::vector<EclipseViewText>* out) {
    char text[32];
    HMSToStr(text, sizeof text, ra * kHoursPerRadian);
    out->push_back({std::string("RA=") + text, x, screenHeight - ScaleY(48), font});
    DegToStr(text, sizeof text, dec * kDegreesPerRadian);
    out->push_back({std::string("Dec=") + text, x, screenHeight - ScaleY(35), font});
}

// Delta T after the symbol font's Delta, and on larger layouts the places of
// the Sun and the Moon at greatest eclipse.
void DrawTimeAndPlaces(const EclipseEvent& e, double deltaT, double jdTT) {
    const int multiplier = GetScreenScale(), font = multiplier >= 2 ? 4 : 0;
    std::vector<EclipseViewText> texts;
    if (multiplier > 1) {
        texts = {{"Sun", 1, screenHeight - ScaleY(74), 5},
                 {"Moon", screenWidth - ScaleX(30), screenHeight - ScaleY(74), 5},
                 {"(Geocentric)", 1, screenHeight - ScaleY(61), 0},
                 {"(Geocentric)", screenWidth - ScaleX(50), screenHeight - ScaleY(61), 0}};
    }
    DrawSymbolChar('D', screenWidth - ScaleX(65), ScaleY(63));
    char value[32];
    DoubleToStr(value, sizeof value, deltaT, 2);  // rounded: 66.999 s reads 67.00, not 66.00
    texts.push_back({std::string("T=") + value + "s", screenWidth - ScaleX(57), ScaleY(63), font});
    SelectSunMoonSource(0);
    SetEclipseLocalTime(e.year, e.month, e.day, e.hour, e.minute, e.second);
    const double t = (jdTT - 2451545.0) / 36525;
    double sunRa, sunDec, moonRa, moonDec, distance;
    ComputeEclipseSun(t, &sunRa, &sunDec, &distance);
    ComputeEclipseMoon(t, &moonRa, &moonDec, &distance);
    SelectSunMoonSource(1);
    if (multiplier > 1) {
        AddBodyPlace(sunRa, sunDec, 1, font, &texts);
        AddBodyPlace(moonRa, moonDec, screenWidth - ScaleX(73), font, &texts);
    }
    DrawEclipseTexts(texts);
}

// The Earth texture at the globe's angles: the point (globeLatitude,
// globeLongitude) at the centre. A globe larger than its map (texels more than
// a pixel apart) leaves gaps between the splatted texels; the texture is then
// splatted first half a texel turned in both angles and in each, the later
// pictures over a transparent disc, so that their texels fill those gaps, and
// last at the true angles (the transform ProjectOnGlobe reads).
void DrawGlobe(const EclipseGlobe& g) {
    const bool large = GetScreenScale() >= 2;
    const int texture = large ? 6042 : 6044;
    const double texel = 180.0 / (large ? 460 : 230);  // degrees
    const pl::ColorRef disc = GetNightMode() > 0 ? pl::Rgb(20, 0, 0) : pl::Rgb(2, 1, 51);
    const float a1 = static_cast<float>(globeLongitude), a3 = static_cast<float>(-globeLatitude);
    const auto splat = [&](double dLongitude, double dLatitude, pl::ColorRef colour) {
        DrawMapOnSphere(texture, 6044, g.centreX, g.centreY, 1, static_cast<float>(a1 + dLongitude), 0,
                        static_cast<float>(a3 + dLatitude), static_cast<float>(g.radius), 0, colour);
    };
    if (g.radius * texel * kRadiansPerDegree <= 1) {
        splat(0, 0, disc);
        return;
    }
    splat(texel / 2, texel / 2, disc);
    splat(texel / 2, 0, 0);
    splat(0, texel / 2, 0);
    splat(0, 0, 0);
}

// The globe and its band first, the texts over them: on a 240-unit-high
// screen the globe reaches the rows of the durations and of the places.
void DrawSolarDiagram(const EclipseEvent& e) {
    const double deltaT = ComputeDeltaT(e.year, e.month, e.day);
    const double jdTT =
        JulianDayFromDateTime(e.year, e.month, e.day, e.hour, e.minute, e.second + static_cast<int>(deltaT), 0);
    const EclipseGlobe g = EclipseGlobeGeometry(screenWidth, screenHeight);
    const bool night = GetNightMode() > 0;
    const pl::ColorRef previousText = SetTextColorRef(night ? GetForegroundColor() : pl::Rgb(0, 0, 0));
    DrawGlobe(g);
    DrawEclipseBandOnGlobe(besselianElements, g.centreX, g.centreY, static_cast<float>(globeLongitude), 0,
                           static_cast<float>(globeLatitude), g.radius, deltaT);
    DrawTimeAndPlaces(e, deltaT, jdTT);
    double ut = e.hour + e.minute / 60.0 + e.second / 3600.0;
    LocalContactCircumstances c{};
    LocalContactStep(besselianElements, 0, greatestLatitude, greatestLongitude, 0, deltaT, &ut, &c);
    LocalEclipseResult figures{};
    figures.pointLatitude = greatestLatitude;
    figures.pointLongitude = greatestLongitude;
    figures.centralDuration = CentralDurationAtGreatest(e);
    DrawEclipseTexts(DiagramFigureTexts(e, figures, c.partialDuration, screenWidth, screenHeight));
    if (GetScreenScale() > 1) SelectFont(0);
    SetTextColorRef(previousText);
}

void DrawLunarDiagram(const EclipseEvent& e) {
    const bool large = GetScreenScale() > 1;
    const std::string title = std::string(EclipseKindName(e.kind)) + (large ? " Lunar Eclipse" : "");
    if (large) {
        // In the header's font where the large one would run into the header's column.
        SelectFont(5);
        const int room = LunarDiagramHeaderColumn(screenWidth) - ScaleX(2);
        if (CharsWidth(title.c_str(), static_cast<int>(title.size())) >= room) SelectFont(4);
    }
    DrawEclipseText(title, 0, ScaleY(24));
    if (large) SelectFont(5);  // the date below it keeps the large font
    DrawLunarShadowDiagram(eclipseList, selectedEclipse, greatestLatitude, greatestLongitude, screenWidth, screenHeight);
    SelectFont(0);
}

// The wire globe in the globe's square while the pen turns it.
void DrawWireGlobe() {
    const EclipseGlobe g = EclipseGlobeGeometry(screenWidth, screenHeight);
    const XywhRect square{g.centreX - g.radius, g.centreY - g.radius, 2 * g.radius + 1, 2 * g.radius + 1};
    EraseRectangle(square);
    DrawPlanetGlobeInfo(square.x, square.y, square.width, square.height, static_cast<float>(globeLongitude), 0,
                        static_cast<float>(globeLatitude), static_cast<float>(-g.radius), 0);
}

}  // namespace

EclipseGlobe EclipseGlobeGeometry(int width, int height) {
    EclipseGlobe g{};
    const bool small = height <= ScaleY(240);
    g.radius = ScaleX(small ? 80 : 100);
    g.left = (width - 2 * g.radius) / 2;
    g.top = ScaleY(small ? 59 : 79);
    g.centreX = g.left + g.radius + ScaleX(3);
    g.centreY = g.top + g.radius + ScaleY(3);
    return g;
}

std::string PartialDurationText(double seconds) {
    const int minutes = static_cast<int>(seconds / 60 + 0.5);
    return FormatText("%dh%02dm", minutes / 60, minutes % 60);
}

std::vector<EclipseViewText> DiagramFigureTexts(const EclipseEvent& e, const LocalEclipseResult& r,
                                                double partialSeconds, int width, int height) {
    char date[24];
    FormatDate(date, sizeof date, e.day, e.month, e.year);
    std::vector<EclipseViewText> out = {
        {FormatText("%s Solar Eclipse ", EclipseKindName(e.kind)) + date, 1, ScaleY(24), 5},
        {FormatText("Greatest at %02dh%02dm%02dUT", e.hour, e.minute, e.second), 1, ScaleY(37), 4},
        {"Long=", width - ScaleX(85), ScaleY(37), 4},
        {CoordWithHemisphereText(r.pointLongitude, 'W', 'E', ""), width - ScaleX(55), ScaleY(37), 4},
        {"Lat=", width - ScaleX(75), ScaleY(50), 4},
        {CoordWithHemisphereText(r.pointLatitude, 'N', 'S', ""), width - ScaleX(47), ScaleY(50), 4},
    };
    if (height <= 160) return out;
    const int c = static_cast<int>(r.centralDuration);
    out.push_back({"Partial Duration:", 1, ScaleY(50), 4});
    out.push_back({PartialDurationText(partialSeconds), ScaleX(85), ScaleY(50), 4});
    out.push_back({"Central Duration:", 1, ScaleY(63), 4});
    out.push_back({FormatText("%dm%02d", c / 60, c % 60), ScaleX(85), ScaleY(63), 4});
    return out;
}

void DrawEclipseDiagramView() {
    const EclipseEvent* e = SelectedEvent();
    ShowDiagramViewControls(GetCurrentFormDialog(), e && e->type != 0);
    EraseRectangle(viewRect);
    if (!e) return;
    if (e->type != 0) DrawSolarDiagram(*e);
    else DrawLunarDiagram(*e);
}

int RotateEclipseGlobe(int x, int y, int* refX, int* refY) {
    const EclipseEvent* e = SelectedEvent();
    if (!e || e->type == 0) return 0;
    if (!globeRotating) {
        if (std::abs(x - *refX) <= ScaleX(3) && std::abs(y - *refY) <= ScaleY(3)) return 0;
        globeRotating = 1;
        return 1;
    }
    for (int down = 1; down;) {
        DrawWireGlobe();
        globeLongitude = Wrap360(globeLongitude + x - *refX);
        globeLatitude = Wrap360(globeLatitude + y - *refY);
        *refX = x, *refY = y;
        GetPenState(&x, &y, &down);
    }
    // The pen-up may have been taken by the tracking; the rotation ends here.
    EndGlobeRotation();
    return 1;
}

int EndGlobeRotation() {
    if (!globeRotating) return 0;
    globeRotating = 0;
    DrawEclipseView();
    return 1;
}
