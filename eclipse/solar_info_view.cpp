#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/angle_text.h"
#include "core/delta_t.h"
#include "core/text_numbers.h"
#include "core/eclipse_work.h"
#include "eclipse/eclipse_form.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_map_view.h"
#include "eclipse/solar_eclipse_views.h"
#include "ui/control_access.h"
#include "ui/draw_window.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kRowHeight = 15;
constexpr int kMapStripTop = 224;
// The rows' bold font: the small one, as the program's bold font is too wide
// for the columns of the 240-unit layout ("(Total Eclipse m=1.026)" at 95 units).
constexpr int kBold = 3;
constexpr int kSmall = 2;
constexpr char kAxisOffEarth[] = "The shadow's axis does not meet the Earth at this time.";

// Rows 15 units apart, 2 units below their multiples of 15: row 4 would
// otherwise start under the Location fields, which end at 61 units.
int Row(int row) { return ScaleY(kRowHeight * row + 2); }

std::string Hms(double hours) {
    char text[32];
    HMSToStr(text, sizeof text, hours);
    return text;
}

// "%d\xB0%02d'" of the whole degrees and the minutes of arc of an angle
// (its minutes rounded, a full 60 carried into the degrees; the sign kept for
// angles between 0 and -1 degree).
std::string DegreesAndMinutes(double degrees) {
    const long minutes = std::lround(std::fabs(degrees) * 60);
    const char* sign = degrees < 0 && minutes / 60 == 0 && minutes > 0 ? "-" : "";
    return FormatText("%s%ld\xB0%02ld'", sign, (degrees < 0 ? -1 : 1) * (minutes / 60), minutes % 60);
}

// A value with three decimals, rounded (a truncated Delta T of 66.184 s,
// kept as a float, would read 66.183).
std::string ThreeDecimals(double value) {
    char text[32];
    DoubleToStr(text, sizeof text, value, 3);
    return text;
}

// The Sun's azimuth (from north through east, 0..360) counted west positive
// and east negative, as the view labels it.
double SignedAzimuth(double azimuth) { return azimuth <= 180 ? -azimuth : 360 - azimuth; }

void AddCentralSection(const LocalEclipseResult& r, int screenWidth, std::vector<EclipseViewText>* out, int* row) {
    const double azimuth = SignedAzimuth(r.sunAzimuth);
    out->push_back({"Alt " + DegreesAndMinutes(r.sunAltitude) + "  Azimuth " + DegreesAndMinutes(std::fabs(azimuth)) +
                        " " + (azimuth < 0 ? "E" : "W"),
                    ScaleX(1), Row(4), kBold});
    const DurationMinutes d = SplitCentralDuration(r.centralDuration);
    out->push_back({FormatText("%02dm%02ds on center %dkm/h", d.minutes, d.seconds, r.groundSpeed), ScaleX(1), Row(5),
                    kBold});
    const int perRow = screenWidth > ScaleX(240) ? 4 : 3;
    for (int i = 0; i < 10 && r.ringDuration[i] != 0; ++i)
        out->push_back({FormatText(" %ds (%dkm, %ds)", r.ringDuration[i], r.ringSemiAxis[i], r.ringOtherAxis[i]),
                        ScaleX(1 + 76 * (i % perRow)), Row(6 + i / perRow), kSmall});
    const int ellipse = screenWidth > ScaleX(240) ? 8 : 9;
    out->push_back({"Ellipse umbra", ScaleX(1), Row(ellipse), kBold});
    out->push_back({FormatText("  %c: %d\xB0", static_cast<char>(223), r.trackAngle), ScaleX(1), Row(ellipse + 1), kBold});
    out->push_back({FormatText("  a: %dkm (%d\xB0)", r.umbraSemiMajor, r.azimuthMod180), ScaleX(51), Row(ellipse + 1), kBold});
    out->push_back({FormatText("  b: %dkm", r.umbraRadius), ScaleX(141), Row(ellipse + 1), kBold});
    out->push_back({FormatText("  L: %dkm", r.trackWidth), ScaleX(1), Row(ellipse + 2), kBold});
    out->push_back({FormatText("  half Diam: %dkm", r.ellipseAxis), ScaleX(51), Row(ellipse + 2), kBold});
    *row = ellipse + 3;
}

}  // namespace

std::string NoCentralEclipseText(int hour, int minute, int second) {
    const ClockFields t = SplitRoundedTime(hour * 3600.0 + minute * 60 + second, 60);
    return FormatText("No central eclipse at this time.\n\nThe maximun of this eclipse is at %02d:%02d UT, so please "
                  "select a time closer to this time or check with the Path module the start and the end of the "
                  "central eclipse.",
                  t.hours % 24, t.minutes);
}

std::vector<EclipseViewText> SolarInfoTexts(const EclipseEvent& e, const LocalEclipseResult& r,
                                            const LocalEclipseResult* umbra, double deltaT, int screenWidth) {
    std::vector<EclipseViewText> out;
    out.push_back({"(UT-ET=" + ThreeDecimals(deltaT) + "s)", ScaleX(120), ScaleY(27), 0});
    int row = 4;
    if (!umbra) out.push_back({kAxisOffEarth, ScaleX(1), Row(row++), kSmall});
    else if (r.centralPhase) AddCentralSection(*umbra, screenWidth, &out, &row);
    const std::string m = ThreeDecimals(r.magnitude);
    out.push_back({"Umbra transit", ScaleX(1), Row(row), kBold});
    out.push_back({r.magnitude > 1 ? "(Total Eclipse m=" + m + ")" : FormatText("(Eclipse at %d%%, m=", r.obscuration) + m + ")",
                   ScaleX(95), Row(row), kBold});
    if (r.partialPhase) {
        out.push_back({"  Partial from", ScaleX(1), Row(row + 1), kBold});
        out.push_back({Hms(r.firstContact), ScaleX(86), Row(row + 1), kBold});
        out.push_back({Hms(r.fourthContact), ScaleX(146), Row(row + 1), kBold});
    }
    if (r.centralPhase) {
        out.push_back({static_cast<int>(e.kind) == 4 ? "  Total from" : "  Annular from ", ScaleX(1), Row(row + 2), kBold});
        out.push_back({Hms(r.secondContact), ScaleX(86), Row(row + 2), kBold});
        out.push_back({Hms(r.thirdContact), ScaleX(146), Row(row + 2), kBold});
    }
    return out;
}

namespace {

void SetTimeAndPlaceFields() {
    SetField(2712, FormatText("%02d:%02d:%02d", ClockHour(viewHour), viewMinute, viewSecond).c_str());
    SetLocationFields(observerLongitude, observerLatitude);
}

// The strip of the world map below the texts, centred on the observer point,
// with the shadow of the time of interest (umbraResult).
void DrawMapStrip() {
    mapRecentre = -1;
    const int top = ScaleY(kMapStripTop);
    DrawEclipseMap(0, XywhRect{0, top, screenWidth, screenHeight - ScaleY(22) - top});
    mapRecentre = -1;
}

// A place set in the view (its Set or a map tap's Info): the place and its
// time in the fields, Delta T, then its own circumstances, or "No Eclipse
// found!" where it sees none. The umbra of that time is described, and the map
// strip drawn around the place, only when the shadow's axis meets the Earth.
void DrawSetPlace(const EclipseEvent& e, double deltaT) {
    SetTimeAndPlaceFields();
    const bool onEarth = ComputeUmbraEllipseAt(&umbraResult, e.year, e.month, e.day, viewHour, viewMinute, viewSecond);
    if (observerSeesNoEclipse)
        DrawEclipseTexts({{"(UT-ET=" + ThreeDecimals(deltaT) + "s)", ScaleX(120), ScaleY(27), 0},
                          {"No Eclipse found!", ScaleX(1), Row(4), kBold}});
    else
        DrawEclipseTexts(SolarInfoTexts(e, localResult, onEarth ? &umbraResult : nullptr, deltaT, screenWidth));
    if (onEarth) DrawMapStrip();
}

}  // namespace

void DrawSolarInformationView() {
    if (!eclipseList || selectedEclipse < 0 || selectedEclipse >= eclipseCount) return;
    const EclipseEvent& e = eclipseList[selectedEclipse];
    const double deltaT = ComputeDeltaT(e.year, e.month, e.day);
    SelectSunMoonSource(1);
    UseSchemeTextColours();
    if (observerCircumstancesComputed) return DrawSetPlace(e, deltaT);
    if (!ComputeUmbraEllipseAt(&umbraResult, e.year, e.month, e.day, viewHour, viewMinute, viewSecond)) {
        const std::string text = NoCentralEclipseText(e.hour, e.minute, e.second);
        DrawTextInRect(text.c_str(), 0, ScaleY(68), screenWidth, screenHeight - ScaleY(22) - ScaleY(68));
        observerLatitude = umbraResult.pointLatitude;
        observerLongitude = umbraResult.pointLongitude;
        return;
    }
    if (observerLatitude < -490) {
        observerLatitude = umbraResult.pointLatitude;
        observerLongitude = umbraResult.pointLongitude;
    }
    SetTimeAndPlaceFields();
    // The circumstances of the place the fields show: after a selection the place of greatest
    // eclipse, also when the time of interest has left it (the first Map drawing sets a whole hour).
    if (!localResultComputed) {
        FindLocalEclipseCircumstances(&localResult, e.year, e.month, e.day, e.hour, e.minute, observerLatitude,
                                      observerLongitude);
        localResultComputed = true;
    }
    DrawEclipseTexts(SolarInfoTexts(e, localResult, &umbraResult, deltaT, screenWidth));
    DrawMapStrip();
}
