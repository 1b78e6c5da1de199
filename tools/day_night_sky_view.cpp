#include "tools/day_night_sky_view.h"

#include <cmath>
#include <cstring>

#include "catalog/designations.h"
#include "catalog/selection_entry.h"
#include "chart/chart_symbols.h"
#include "chart/sky_map.h"
#include "chart/sky_rotation.h"
#include "core/preferences.h"
#include "core/services.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "tools/day_night.h"
#include "ui/offscreen.h"

namespace {

constexpr int kZoomStep = 3;
constexpr int kViewWidth = 240;  // pixels, whatever the scale
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kUnit = 16777216.0;
constexpr int16_t kTypePlanet = 27;
constexpr int32_t kSunMag10 = -267;
constexpr int16_t kSunSize = 32;  // arcminutes

// The preference words the view sets while it draws, and their values.
struct WordValue {
    int word;
    int32_t value;
};
constexpr WordValue kViewWords[] = {{kPrefChartType, 2},    {76, 0}, {kPrefZoomViewFirst + 2, 0},
                                    {kPrefObjDrilldown, 0}, {kPrefHideInfoBar, 1}, {kPrefHideCompass, 1}};
constexpr int kViewWordCount = sizeof kViewWords / sizeof kViewWords[0];

SkyViewSurfaceMaker surfaceMaker = CreateOffscreenDib;

SelectionEntry SunEntry(const DateTime& t) {
    double ra = 0.0, dec = 0.0;
    ComputeSunPosition(&ra, &dec, t.year, t.month, t.day, t.hour, t.minute, t.second);
    SelectionEntry e{};
    std::strcpy(e.name, "Sun");
    e.designation = kDesignationPlanet;
    e.objectType = kTypePlanet;
    e.source = kSourcePlanet;
    e.rightAscension = static_cast<float>(ra);
    e.declination = static_cast<float>(dec);
    e.size1 = e.size2 = kSunSize;
    e.mag10 = kSunMag10;
    return e;
}

// The kept offscreen at the rectangle's size; null, with the message, when it cannot be made.
DrawWindowRecord* SkyViewSurface(const XywhRect& rect) {
    DayNightState& st = dayNightState;
    const DrawWindowRecord* kept = st.skyView;
    if (kept && kept->right == rect.width && kept->bottom == rect.height) return st.skyView;
    FreeDayNightSkyView();
    st.skyView = surfaceMaker(rect.width, rect.height, 16);
    if (!st.skyView) ShowInformation("Can't allocate offscreen window", "");
    return st.skyView;
}

void DrawAroundSun(const XywhRect& rect, DrawWindowRecord* surface, const DateTime& t) {
    SetChartView(1, t.year, t.month, t.day, t.hour, t.minute, t.second, 0);
    SelectionEntry sun = SunEntry(t);
    ProjectObjectList(&sun, 1);
    // The Sun's frame angle and altitude, from the words the picture projects it by.
    double angle = std::atan2(static_cast<double>(sun.chartX), static_cast<double>(sun.chartY)) * kRadToDeg;
    if (angle < 0.0) angle += 360.0;
    const double elevation = std::asin(std::fmax(-1.0, std::fmin(1.0, sun.chartZ / kUnit))) * kRadToDeg;
    DrawSkyMap(&sun, 1, rect, surface, kZoomStep, static_cast<float>(angle), static_cast<float>(elevation), 0);
}

}  // namespace

XywhRect DayNightSkyViewRect(int width, int height) {
    if (height <= ScaleY(320) && width <= ScaleX(320)) return XywhRect{0, 0, 0, 0};
    const int bottom = height - ScaleY(22);
    if (height > ScaleY(240)) return XywhRect{0, ScaleY(292), kViewWidth, bottom - ScaleY(292)};
    return XywhRect{kViewWidth, ScaleY(24), width - kViewWidth, bottom - ScaleY(24)};
}

bool DrawDayNightSkyView(const XywhRect& rect, const DateTime& local) {
    if (rect.width <= 0 || rect.height <= 0) return false;
    DrawWindowRecord* surface = SkyViewSurface(rect);
    if (!surface) return false;
    int32_t saved[kViewWordCount];
    for (int i = 0; i < kViewWordCount; ++i) {
        saved[i] = preferences.word[kViewWords[i].word];
        preferences.word[kViewWords[i].word] = kViewWords[i].value;
    }
    const DateTime keptTime = currentDateTime;
    DrawAroundSun(rect, surface, local);
    currentDateTime = keptTime;
    for (int i = 0; i < kViewWordCount; ++i) preferences.word[kViewWords[i].word] = saved[i];
    SelectChartBitmapSet(1);
    return true;
}

void FreeDayNightSkyView() {
    DeleteOffscreenWindow(dayNightState.skyView);
    dayNightState.skyView = nullptr;
}

SkyViewSurfaceMaker SetDayNightSkyViewMaker(SkyViewSurfaceMaker maker) {
    SkyViewSurfaceMaker previous = surfaceMaker;
    surfaceMaker = maker ? maker : CreateOffscreenDib;
    return previous;
}
