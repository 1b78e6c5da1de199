#include "assistants/planet_sun_view.h"

#include <cmath>
#include <cstring>

#include "assistants/planet_assistant.h"
#include "assistants/planet_page_text.h"
#include "chart/chart_label.h"
#include "core/preferences.h"
#include "ephemeris/approx_planets.h"
#include "ephemeris/planet_names.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/markers.h"
#include "ui/primitives.h"
#include "ui/shapes.h"
#include "ui/text_drawing.h"

namespace {

constexpr int kMercury = 2, kVenus = 3, kMars = 4, kEarth = 10;
constexpr int kOrbitBodies[] = {kMercury, kVenus, kMars, kEarth};
constexpr int kTrackBodies[] = {kMercury, kVenus, kMars};
constexpr int kTrackSamples = 15;  // every second day over 30 days
constexpr int kOrbitMode = 1;

pl::ColorRef Background() { return GetNightMode() != 0 ? pl::Rgb(0, 0, 0) : pl::Rgb(238, 238, 255); }
pl::ColorRef OrbitColour() { return PageColour(pl::Rgb(0, 0, 150), 2); }
pl::ColorRef TrackColour() { return PageColour(pl::Rgb(100, 100, 250), 3); }
pl::ColorRef InkColour() { return PageColour(pl::Rgb(0, 0, 0), 1); }

int Scale() { return static_cast<int>(displayScale.scaleX) > 1 ? static_cast<int>(displayScale.scaleX) : 1; }

// Orbit-view offsets of Mercury .. the Earth on day `day` of the assistant's
// month (it may run past the month's end) at the assistant's time.
void OrbitPlaces(int day, float view[kApproxPlanetViewSize]) {
    float place[kApproxPlanetPlaceSize] = {};
    const AssistantDate& d = assistantDate;
    ComputeApproxPlanet(d.year, d.month, day, d.hour, d.minute, view, place, kOrbitMode, kMercury, kEarth);
}

void DrawLabels(int cx, int cy, int width) {
    const int h = PageTextHeight(), top = ScaleY(24), bottom = formHeight - ScaleY(22);
    DrawTextInRect("Heliocentric planet positions for the next 30 days.", 2, 2 + top, cx - 10, cy - top);
    const char* const kUp = "0\xB0";
    const char* const kDown = "180\xB0";
    DrawPageText(kUp, cx - CharsWidth(kUp, 2) / 2, top + 1);
    DrawPageText("90\xB0", 1, cy - h / 2);
    DrawPageTextRight("270\xB0", width - 2, cy - h / 2);
    DrawPageText(kDown, cx - CharsWidth(kDown, 4) / 2, bottom - h - 1);
}

void DrawOrbits(int cx, int cy, const float* view) {
    const int k = Scale();
    SetForeColor(OrbitColour());
    for (int b : kOrbitBodies)
        DrawCircle(cx, cy, static_cast<int>(k * std::hypot(view[3 * b], view[3 * b + 1])));
}

// A dot every second day of the next 30 for Mercury, Venus and Mars, and a
// line to the Sun from the first and the last.
void DrawTracks(int cx, int cy) {
    const int k = Scale(), dot = 2 * k;
    SetForeColor(TrackColour());
    for (int i = 0; i < kTrackSamples; ++i) {
        float view[kApproxPlanetViewSize] = {};
        OrbitPlaces(assistantDate.day + 2 * i, view);
        for (int b : kTrackBodies) {
            const int x = cx + static_cast<int>(k * view[3 * b]), y = cy + static_cast<int>(k * view[3 * b + 1]);
            FillRectangle(XywhRect{x - dot / 2, y - dot / 2, dot, dot}, 0);
            if (i == 0 || i == kTrackSamples - 1) DrawLine(cx, cy, x, y);
        }
    }
}

void DrawBodies(int cx, int cy, const float* view) {
    const int k = Scale();
    DrawSmallIcon(0, 0, cx, cy);
    for (int b = kMercury; b <= kEarth; ++b) {
        if (!std::isfinite(view[3 * b])) continue;  // Pluto outside its series' years
        const int x = cx + static_cast<int>(k * view[3 * b]), y = cy + static_cast<int>(k * view[3 * b + 1]);
        DrawSmallIcon(b, 0, x, y);
        DrawChartLabel(planetNameTable[b], x, y, cx);
    }
}

}  // namespace

void SunViewCentre(int width, int height, int* x, int* y) {
    const int top = ScaleY(24), areaHeight = height - ScaleY(22) - top;
    *x = width / 2;
    *y = areaHeight / 2 + top;
}

void DrawSunView() {
    const int top = ScaleY(24);
    chartRect = XywhRect{0, top, formWidth, formHeight - ScaleY(22) - top};
    int cx = 0, cy = 0;
    SunViewCentre(formWidth, formHeight, &cx, &cy);
    int32_t& positionMode = preferences.word[kPrefPositionMode];
    const int32_t savedMode = positionMode;
    positionMode = 0;
    SetForeColor(Background());
    FillRectangle(chartRect, 0);
    const PageTextStyle style(InkColour());
    DrawLabels(cx, cy, formWidth);
    float view[kApproxPlanetViewSize] = {};
    OrbitPlaces(assistantDate.day, view);
    DrawOrbits(cx, cy, view);
    if (!animating) DrawTracks(cx, cy);
    DrawBodies(cx, cy, view);
    positionMode = savedMode;
}
