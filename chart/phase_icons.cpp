#include "chart/phase_icons.h"

#include <algorithm>
#include <cmath>

#include "core/shared_state.h"
#include "core/sidereal_time.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/low_precision_sun_moon.h"
#include "ephemeris/moon_phase.h"
#include "ui/colors.h"
#include "ui/screen_layout.h"
#include "ui/shapes.h"

int32_t moonIconId = 0;
int32_t moonAgeDays = 0;
int32_t moonParallacticAngle = 0;

namespace {

constexpr double kRadPerDeg = 0.0174532925199433;
constexpr double kRadPerHour = 0.26179938779914946;
constexpr double kDegPerRad = 57.29577951308232;
constexpr pl::ColorRef kBlack = 0x000000;
constexpr pl::ColorRef kWhite = 0xFFFFFF;

// Parallactic angle of the Moon in whole degrees at the site (Meeus 14.1).
int32_t MoonParallacticAngle(int year, int month, int day, int hour) {
    double lst = GetLocalSiderealTime(year, month, day, hour, 0, 0, currentSite.longitude, currentSite.zoneMinutes);
    double ra = 0.0, dec = 0.0;
    ComputeMoonPosition(&ra, &dec, year, month, day, hour, 0, 0);
    double h = lst - ra;
    while (h > 12) h -= 24;
    while (h < -12) h += 24;
    h *= kRadPerHour;
    double d = dec * kRadPerDeg, lat = currentSite.latitude * kRadPerDeg;
    double q = std::atan2(std::sin(h), std::tan(lat) * std::cos(d) - std::cos(h) * std::sin(d));
    return static_cast<int32_t>(q * kDegPerRad);
}

// The disc dark with `percent` lit from the left limb while waxing, else lit
// with 100 - percent dark from the left limb; then a black circle of radius
// width / 2. The foreground colour is kept.
void ShadePhaseDisc(int x, int y, int width, int height, int percent, bool waxing) {
    pl::ColorRef previous = SetForeColor(waxing ? kBlack : kWhite);
    DrawMoonPhaseShading(x, y, width, height, 101);
    SetForeColor(waxing ? kWhite : kBlack);
    DrawMoonPhaseShading(x, y, width, height, waxing ? percent : 100 - percent);
    SetForeColor(kBlack);
    DrawCircle(x, y, width / 2);
    SetForeColor(previous);
}

// Whether the body's lit per cent grows: against the same time a day earlier, or on the first
// day its theory covers, a day later.
bool PhaseGrows(int body, int year, int month, int day, int hour, int minute, double percent) {
    BodyPosition other{};
    if (ComputeBody(&other, body, year, month, day - 1, hour, minute, 0) == 0)
        return other.illuminatedFraction * 100 < percent;
    return ComputeBody(&other, body, year, month, day + 1, hour, minute, 0) == 0 &&
           other.illuminatedFraction * 100 > percent;
}

}  // namespace

int ComputeMoonIconState(int year, int month, int day, int hour) {
    int age = 0;
    double f = GetMoonPhase(year, month, day, hour, &age);
    moonAgeDays = age;
    moonParallacticAngle = MoonParallacticAngle(year, month, day, hour);
    int other = hour < 23 ? hour + 1 : hour - 1;
    double fOther = GetMoonPhase(year, month, day, other, &age);
    double fEarly = other > hour ? f : fOther, fLate = other > hour ? fOther : f;
    if (GetScreenScale() <= 1) return moonIconId;
    moonIconId = fEarly < fLate ? 6050 + static_cast<int>(7 * fEarly) : 6063 - static_cast<int>(6 * fEarly);
    return moonIconId;
}

void DrawChartMoonPhase(int width, int height, int left, int top, int stepX, int stepY) {
    double phase = ((moonAgeDays + 14) % 28) / 28.0;
    DrawMoonPhaseImage(3993, 3994, width, height, left, top, phase, moonParallacticAngle, stepX, stepY);
}

void DrawPlanetPhaseDisc(int body, int year, int month, int day, int hour, int minute, int radiusX, int radiusY,
                         int x, int y, int* outPercent, int* outSizeArcsec, int* outPhaseAngle) {
    BodyPosition now{};
    if (ComputeBody(&now, body, year, month, day, hour, minute, 0) != 0) {
        for (int* out : {outPercent, outSizeArcsec, outPhaseAngle})
            if (out) *out = 0;
        return;
    }
    double f = now.illuminatedFraction, percent = f * 100;
    int lit = static_cast<int>(percent + 0.5);
    if (outPercent) *outPercent = lit;
    if (outSizeArcsec) *outSizeArcsec = static_cast<int>(now.apparentDiameter * 60 + 0.5);
    double phaseAngle = std::acos(std::clamp(2 * f - 1, -1.0, 1.0)) * kDegPerRad;
    if (outPhaseAngle) *outPhaseAngle = static_cast<int>(phaseAngle + 0.5);
    ShadePhaseDisc(x, y, radiusX, radiusY, lit, PhaseGrows(body, year, month, day, hour, minute, percent));
}

void ResetMoonIconState() {
    moonIconId = 0;
    moonAgeDays = 0;
    moonParallacticAngle = 0;
}
