#include "chart/horizon_passes.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/constellation_lines.h"
#include "catalog/designations.h"
#include "catalog/selection_list.h"
#include "catalog/stars.h"
#include "chart/chart_state.h"
#include "chart/chart_views.h"
#include "chart/horizon_projection.h"
#include "chart/object_icons.h"
#include "chart/sky_rotation.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/font_set.h"
#include "ui/preference_values.h"
#include "ui/primitives.h"
#include "ui/screen_layout.h"
#include "ui/text_drawing.h"

namespace {

constexpr double kFixPerHour = 4392264.877774095;
constexpr double kFixPerDegree = 292817.65851827303;
constexpr double kRadToHours = 3.819718634205488;
constexpr double kRadToDeg = 57.29577951308232;
constexpr int kBusyStep = 100;

// Scale steps in degrees by the degrees k that a fifth of the extent covers.
int ScaleStep(int extent, float pxPerDeg) {
    int k = static_cast<int>(extent * 0.2f / std::fabs(pxPerDeg));
    return k < 3 ? 1 : k < 11 ? 5 : k < 21 ? 10 : k < 31 ? 20 : 30;
}

void DrawText(const char* text, int x, int y) { DrawLabelText(text, static_cast<int>(std::strlen(text)), x, y); }

// The eight letters at the azimuths they name, 0 "N", 45 "NE", 90 "E", ... 315 "NW", at every
// multiple of 45 within first..last, below 0 and past 360 too (-45 is "NW", as its tick reads
// 315), each left of its azimuth's place on the scale whether a tick falls there or not: one
// letter 5 and two 11 scaleX to the left.
void DrawCardinalLetters(float pxPerDegX, int x0, int first, int last, int yl, pl::ColorRef cardinalColour,
                         pl::ColorRef labelColour) {
    static const char* const kLetters[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    SetTextColorRef(cardinalColour);
    SelectFont(5);
    const int start = static_cast<int>(std::ceil(first / 45.0)) * 45;
    for (int az = start; az <= last; az += 45) {
        const char* letter = kLetters[(az / 45 % 8 + 8) % 8];
        const int length = static_cast<int>(std::strlen(letter));
        const int x = static_cast<int>(az * pxPerDegX + x0);
        DrawPlainText(letter, length, x - ScaleX(length == 1 ? 5 : 11), yl);
    }
    SelectFont(0);
    SetTextColorRef(labelColour);
}

// Ticks from the azimuth at one screen edge, truncated to a multiple of 15 and
// not below -60, to the one at the other edge, rounded on by its remainder mod 5
// (a mirrored panorama runs the other way), then the letters over that range.
void DrawAzimuthTicks(float pxPerDegX, int x0, int width, pl::ColorRef cardinalColour, pl::ColorRef labelColour) {
    int step = ScaleStep(width, pxPerDegX);
    float left = -x0 / pxPerDegX, right = (width - x0) / pxPerDegX;
    int first = static_cast<int>(std::fmin(left, right)) / 15 * 15;
    if (first < -60) first = -60;
    int n = static_cast<int>(std::fmax(left, right));
    int last = n + n % 5;
    const int yl = ScaleY(21);
    char text[16];
    for (int az = first; az <= last; az += step) {
        int x = static_cast<int>(az * pxPerDegX + x0);
        std::snprintf(text, sizeof text, "%d\xB0", ((az % 360) + 360) % 360);
        DrawText(text, x + ScaleX(2), yl);
        DrawLine(x, yl, x, yl + ScaleY(13));
    }
    DrawCardinalLetters(pxPerDegX, x0, first, last, yl, cardinalColour, labelColour);
}

void DrawAltitudeLines(float pxPerDegY, int horizonY, int height) {
    int step = ScaleStep(height, pxPerDegY);
    char text[16];
    for (int alt = 0; alt < 90; alt += step) {
        int y = static_cast<int>(-alt * pxPerDegY + horizonY);
        if (y <= ScaleY(18) || y >= height) continue;  // a line below the screen draws nothing
        DrawLine(0, y, ScaleX(240), y);
        std::snprintf(text, sizeof text, "%d\xB0", alt);
        DrawText(text, 0, y + ScaleY(1));
    }
}

// 1 when the place is above the horizon, with (a, b) written.
int ProjectPlace(float lstHours, float raHours, float decDeg, int32_t* a, int32_t* b) {
    if (preferences.word[kPrefHorizonProjection] != 0) return ProjectRaDecToHorizon(lstHours, raHours, decDeg, a, b);
    return ProjectHourAngleToHorizon(static_cast<Fix24Angle>(lstHours * kFixPerHour),
                                     static_cast<Fix24Angle>(raHours * kFixPerHour),
                                     static_cast<Fix24Angle>(decDeg * kFixPerDegree), a, b);
}

double JulianDayNow() {
    const DateTime& t = currentDateTime;
    return JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.zoneMinutes);
}

void MarkListEntries(float lstHours) {
    double m[9];
    ComputeJ2000ToDateMatrix(JulianDayNow(), m);
    for (int i = 0; selectionList && i < selectionCount; ++i) {
        if (i % kBusyStep == 0) StepBusyIndicator(1);
        SelectionEntry& e = selectionList[i];
        float ra = e.rightAscension, dec = e.declination;
        if (IsPlaceOfDate(e.designation)) DateToJ2000(m, &ra, &dec);
        e.horizonHidden = e.placeUnknown == 0 && ProjectPlace(lstHours, ra, dec, &e.chartX, &e.chartY) ? 0 : 1;
    }
    RefreshChartObjectList();
    EndBusyIndicator(1);
}

// A bright star's place (Fix24Angle) projected as ProjectPlace does.
int ProjectStar(float lstHours, StarRecord& s) {
    if (preferences.word[kPrefHorizonProjection] == 0)
        return ProjectHourAngleToHorizon(static_cast<Fix24Angle>(lstHours * kFixPerHour), s.rightAscension,
                                         s.declination, &s.chartWords[0], &s.chartWords[1]);
    auto ra = static_cast<float>(s.rightAscension / 16777216.0 * kRadToHours);
    auto dec = static_cast<float>(s.declination / 16777216.0 * kRadToDeg);
    return ProjectRaDecToHorizon(lstHours, ra, dec, &s.chartWords[0], &s.chartWords[1]);
}

void MarkBrightStars(float lstHours) {
    LoadStarCatalog(1);
    for (int i = 0; i < kBrightStarCount; ++i) {
        if (i % kBusyStep == 0) StepBusyIndicator(1);
        brightStarTable[i].hidden = ProjectStar(lstHours, brightStarTable[i]) ? 0 : 1;
    }
    EndBusyIndicator(1);
}

bool ShownStar(int index) {
    return index >= 0 && index < kBrightStarCount && brightStarTable[index].hidden == 0;
}

// Icon size of a bright star: its magnitude class, one more on a 1x screen.
int StarIconSize(const StarRecord& s) { return (s.magnitude16 >> 4) + (GetScreenScale() == 1 ? 1 : 0); }

void DrawFigureLines(const pl::Rect& rect, pl::ColorRef lineColour, int zoom) {
    int count = 0;
    const ConstellationLine* lines = GetConstellationLines(&count);
    const bool panorama = chartView == 1;
    const int32_t width = PanoramaWidth();
    SetForeColor(lineColour);
    for (int i = 0; lines && i < count; ++i) {
        if (!ShownStar(lines[i].firstStar) || !ShownStar(lines[i].secondStar)) continue;
        const StarRecord& s1 = brightStarTable[lines[i].firstStar];
        const StarRecord& s2 = brightStarTable[lines[i].secondStar];
        int x1 = s1.screenX, x2 = s2.screenX;
        if (panorama) {
            x1 = WrapPanoramaX(x1, rect.left, rect.right, width);
            x2 = WrapPanoramaX(x2, rect.left, rect.right, width);
        }
        if (preferences.word[kPrefConstLinesShown] != 0 && (!panorama || IsPanoramaSegmentDrawn(x1, x2, width)))
            DrawLine(x1, s1.screenY, x2, s2.screenY);
        if (zoom < 3) {
            DrawObjectIcon(nullptr, zoom, StarIconSize(s2), s2.colour, x2, s2.screenY);
            DrawObjectIcon(nullptr, zoom, StarIconSize(s1), s1.colour, x1, s1.screenY);
        }
    }
}

void DrawConstellationNames(float lstHours, pl::ColorRef labelColour, const pl::Rect& rect) {
    const int fontSize = preferences.word[kPrefFontSize];
    const auto lst = static_cast<Fix24Angle>(lstHours * kFixPerHour);
    const int32_t width = PanoramaWidth();
    SetTextColorRef(labelColour);
    int previous = SelectFont(fontSize == 1 ? 4 : 0);
    for (int i = 0; i < kConstellationCount; ++i) {
        const ConstellationRow& c = constellationTable[i];
        int32_t a, b, x, y;
        if (!ProjectHourAngleToHorizon(lst, static_cast<Fix24Angle>(c.rightAscension * 0.001 * kFixPerHour),
                                       static_cast<Fix24Angle>(c.declination * 0.01 * kFixPerDegree), &a, &b))
            continue;
        HorizonPointToScreen(a, b, &x, &y);
        if (chartView == 1) x = WrapPanoramaX(x, rect.left, rect.right, width);
        int length = static_cast<int>(std::strlen(c.abbreviation));
        if (fontSize < 2) DrawLabelText(c.abbreviation, length, x, y);
        else DrawPlainText(c.abbreviation, length, x, y);
    }
    SelectFont(previous);
}

// The Greek letter of a star is drawn at this zoom.
bool LetterShown(int letter, int zoom) {
    if (letter == 0) return false;
    bool wanted = (GetScreenScale() != 1 && preferences.word[kPrefStarsSymbols] != 0 && zoom > 2) || zoom >= 7;
    return wanted && (zoom >= 6 || letter == 'a' || letter == 'b');
}

void DrawStarDesignations(const StarRecord& s, int x, int y, int zoom) {
    const int scale = GetScreenScale();
    if (LetterShown(s.bayer, zoom)) DrawSymbolChar(static_cast<char>(s.bayer), x - 5 * scale, y - 2 * scale);
    if (s.flamsteed == 0 || zoom < 7 || preferences.word[kPrefStarsSymbols] == 0) return;
    char text[8];
    int length = std::snprintf(text, sizeof text, "%d", s.flamsteed);
    int previous = SelectFont(2);
    DrawLabelText(text, length, x + 2 * scale, y);
    SelectFont(previous);
}

}  // namespace

void DrawHorizonScale(int flipMode, pl::ColorRef lineColour, pl::ColorRef cardinalColour, pl::ColorRef labelColour,
                      int32_t scale, int x0, int horizonY) {
    if (preferences.word[kPrefHideGrid] != 0) return;
    int flipX = 1, flipY = 1;
    ApplyChartFlip(flipMode, &flipX, &flipY);
    const float pxPerDeg = static_cast<float>(scale * (256.0 / 16777216.0));
    if (pxPerDeg == 0.0f) return;
    int width, height;
    GetScreenSize(&width, &height);
    SetForeColor(lineColour);
    SetTextColorRef(labelColour);
    DrawAzimuthTicks(pxPerDeg * static_cast<float>(flipX), x0, width, cardinalColour, labelColour);
    DrawAltitudeLines(pxPerDeg * static_cast<float>(flipY), horizonY, height);
}

int ProjectHorizonPlace(float lstHours, float raHours, float decDeg, int designation, int32_t* a, int32_t* b) {
    if (IsPlaceOfDate(designation)) {
        double m[9];
        ComputeJ2000ToDateMatrix(JulianDayNow(), m);
        DateToJ2000(m, &raHours, &decDeg);
    }
    return ProjectPlace(lstHours, raHours, decDeg, a, b);
}

void MarkHiddenBelowHorizon(float lstHours, int* objectsDone, int* starsDone, int* dirty) {
    if (*objectsDone == 0) {
        MarkListEntries(lstHours);
        *objectsDone = 1;
        *dirty = 0;
    }
    if (*starsDone == 0) {
        MarkBrightStars(lstHours);
        *starsDone = 1;
        *dirty = 0;
    }
}

void ShiftBrightStarPositions(int dx, int dy, int shift) {
    for (int i = 0; i < kBrightStarCount; ++i) {
        StarRecord& s = brightStarTable[i];
        if (s.hidden != 0) continue;
        if (shift != 0) {
            s.screenX += dx;
            s.screenY += dy;
        } else {
            HorizonPointToScreen(s.chartWords[0], s.chartWords[1], &s.screenX, &s.screenY);
        }
    }
}

void DrawConstellationFiguresHorizon(float lstHours, pl::ColorRef labelColour, pl::ColorRef lineColour,
                                     const pl::Rect& rect, int linesDone, int zoom) {
    if (!linesDone) DrawFigureLines(rect, lineColour, zoom);
    if (GetScreenScale() != 1 && preferences.word[kPrefConstNames] != 0)
        DrawConstellationNames(lstHours, labelColour, rect);
}

void DrawBrightStarsHorizon(int zoom, int magnitudeLimit, int left, int right, int top, int bottom) {
    SetForeColor(pl::Rgb(0, 0, 0));
    const bool panorama = chartView == 1;
    const int32_t width = PanoramaWidth();
    for (int i = 0; i < kBrightStarCount; ++i) {
        const StarRecord& s = brightStarTable[i];
        if ((zoom < 2 && (s.magnitude16 >> 4) > magnitudeLimit) || s.hidden != 0) continue;
        int x = panorama ? WrapPanoramaX(s.screenX, left, right, width) : s.screenX;
        int y = s.screenY;
        if (x < left || x > right || y < top || y > bottom) continue;
        DrawObjectIcon(nullptr, zoom, StarIconSize(s), s.colour, x, y);
        DrawStarDesignations(s, x, y, zoom);
    }
}
