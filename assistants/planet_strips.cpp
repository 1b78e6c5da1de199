#include "assistants/planet_strips.h"

#include <cmath>

#include "assistants/jupiter_moons.h"
#include "assistants/mars_physical.h"
#include "assistants/saturn_moons.h"
#include "core/julian_day.h"
#include "core/shared_state.h"
#include "ephemeris/approx_planets.h"
#include "ephemeris/magnitude_phase.h"
#include "ui/draw_window.h"
#include "ui/screen_layout.h"

namespace {

constexpr double kDaysPerYear = 365.25;

// Geocentric distance, heliocentric distance and the Earth-Sun distance (AU).
void Distances(int body, const PlanetDetailDate& t, double* delta, double* r, double* bigR) {
    float view[kApproxPlanetViewSize] = {}, place[kApproxPlanetPlaceSize] = {};
    ComputeApproxPlanet(t.year, t.month, t.day, t.hour, t.minute, view, place, 3, body, body);
    *delta = view[3 * body];
    *r = view[3 * body + 1];
    *bigR = view[3 * body + 2];
}

void AddPair(StripTracks* s, double value, int colour) {
    for (double sign : {1.0, -1.0}) {
        s->offset[s->count] = sign * value;
        s->drawn[s->count] = true;
        s->colour[s->count++] = colour;
    }
}

void JupiterTracks(const PlanetDetailDate& t, int xFactor, StripTracks* s) {
    GalileanMoon moons[kGalileanMoonCount];
    ComputeGalileanMoons(JupiterMoonDays(t.year, t.month, t.day, t.hour, t.minute), moons);
    s->count = kGalileanMoonCount;
    for (int i = 0; i < kGalileanMoonCount; ++i) {
        s->offset[i] = 2.0 * GetScreenScale() * xFactor * moons[i].x;
        s->drawn[i] = moons[i].code != kMoonEclipse && moons[i].code != kMoonOccultation;
        s->colour[i] = i;
    }
}

void SaturnTracks(const PlanetDetailDate& t, int view, int xFactor, StripTracks* s) {
    const SaturnMoons m = ComputeSaturnPicture(SaturnCenturies(t.year, t.month, t.day, t.hour, t.minute));
    const double scale = 2.0 * GetScreenScale();
    if (view == kRingsView) {
        AddPair(s, scale * m.tilt, 0);
        s->colour[1] = 1;
        return;
    }
    s->count = kSaturnMoonCount;
    for (int k = 0; k < kSaturnMoonCount; ++k) {
        s->offset[k] = scale * xFactor * m.x[k];
        s->drawn[k] = m.state[k] != 5;
        s->colour[k] = k;
    }
}

void MarsMoonTracks(const PlanetDetailDate& t, int xFactor, StripTracks* s) {
    const double jd = JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, 0, currentSite.zoneMinutes);
    MarsEphemeris mars{};
    ComputeMarsEphemeris(jd, &mars);
    double x[2], y[2];
    int32_t visible[2];
    ComputeMarsMoons(jd, mars, x, y, visible);
    s->count = 2;
    for (int k = 0; k < 2; ++k) {
        s->offset[k] = xFactor * x[k];
        s->drawn[k] = visible[k] != 0;
        s->colour[k] = k;
    }
}

void PhaseTracks(const PlanetDetailDate& t, int body, StripTracks* s) {
    double delta, r, bigR, magnitude = 0, fraction = 0, elongation = 0;
    Distances(body, t, &delta, &r, &bigR);
    ComputeMagnitudePhase(body, delta, r, bigR, &magnitude, &fraction, &elongation);
    AddPair(s, std::round(GetApparentDiameter(body, delta) * 60), 3);
    AddPair(s, std::round(60 * fraction), 1);
}

}  // namespace

bool IsYearStrip(int mode, int view) {
    return mode == kPhaseMode || (mode == kSaturnMode && view == kRingsView) ||
           (mode == kMarsMode && view == kMarsSizeView);
}

bool IsStripView(int mode, int view) { return view == kSatellitesView || IsYearStrip(mode, view); }

StripLayout ComputeStripLayout(int mode, int view, int zoom, int formHeight) {
    StripLayout s{};
    s.top = ScaleY(24);
    s.height = formHeight - ScaleY(86) - ScaleY(22) - ScaleY(24);
    if (mode == kMarsMode && view == kMarsSizeView) s.height -= ScaleY(23);
    if (mode == kPhaseMode) s.height += ScaleY(20);
    constexpr int kDivisors[3] = {1, 2, 4};
    s.pixelsPerUnit = zoom >= 0 && zoom < 3 ? s.height / kDivisors[zoom] : ScaleY(13) + ScaleY(1);
    if (s.pixelsPerUnit < 1) s.pixelsPerUnit = 1;
    s.rows = s.height / s.pixelsPerUnit * s.pixelsPerUnit;
    s.step = mode == kJupiterMode || mode == kSaturnMode ? 2 : 1;
    s.yearStrip = IsYearStrip(mode, view);
    return s;
}

PlanetDetailDate StripRowInstant(const StripLayout& strip, const PlanetDetailDate& start, int y) {
    PlanetDetailDate t{start.year, start.month, start.day, 0, 0};
    const long long pixels = y - strip.top;
    if (strip.yearStrip) {
        AddDaysToDate(&t.year, &t.month, &t.day, static_cast<int>(std::floor(pixels * kDaysPerYear / strip.pixelsPerUnit)));
        return t;
    }
    const long long minutes = pixels * 1440 / strip.pixelsPerUnit;
    AddMinutesToDateTime(&t.year, &t.month, &t.day, &t.hour, &t.minute, static_cast<int>(minutes));
    return t;
}

int StripRowOfInstant(const StripLayout& strip, const PlanetDetailDate& instant) {
    if (!strip.yearStrip)
        return strip.top + (instant.hour * 60 + instant.minute) * strip.pixelsPerUnit / 1440;
    const double days = JulianDayFromDate(instant.year, instant.month, instant.day) - JulianDayFromDate(instant.year, 1, 1);
    return strip.top + static_cast<int>(days * strip.pixelsPerUnit / kDaysPerYear);
}

int PhaseViewBody(int view) { return view >= 0 && view <= 2 ? 2 + view : 2; }

StripTracks ComputeStripTracks(int mode, int view, const PlanetDetailDate& t, int xFactor) {
    StripTracks s{};
    switch (mode) {
    case kJupiterMode: JupiterTracks(t, xFactor, &s); break;
    case kSaturnMode: SaturnTracks(t, view, xFactor, &s); break;
    case kMarsMode:
        if (view == kMarsSizeView) {
            double delta, r, bigR;
            Distances(4, t, &delta, &r, &bigR);
            AddPair(&s, std::round(GetApparentDiameter(4, delta) * 80) * GetScreenScale(), 1);
        } else {
            MarsMoonTracks(t, xFactor, &s);
        }
        break;
    case kPhaseMode: PhaseTracks(t, PhaseViewBody(view), &s); break;
    default: break;
    }
    return s;
}
