// Greatest eclipse and contacts at a site: FindLocalEclipseCircumstances and its steps.
#include <algorithm>
#include <cmath>

#include "core/brent.h"
#include "core/eclipse_work.h"
#include "core/nutation_centuries.h"
#include "core/services.h"
#include "eclipse/eclipse_engine.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHoursToRad = 0.26179938779914946;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kMoonOverSunDiameter = 0.0024963052860620598;  // 3476.18 / 1392530
constexpr double kSunRadiiPerRadianAu = 107.42883097671145;     // 1 / 2 of 1 / 960"
constexpr int kMaxCrossingSteps = 20;
constexpr int kRefinements = 3;
constexpr double kSunRiseAltitude = -0.8333;  // degrees: the upper limb with 34' of refraction
constexpr double kAltitudeStep = 0.05;        // hours between the samples of the Sun's altitude

// Fraction of the Sun's area hidden by the Moon: diameter ratio k, separation q in Sun radii.
double ObscuredFraction(double k, double q) {
    const double c = ((k * k - 1) - q * q) / q * 0.5;
    if (std::fabs(c) > 1) return k * k;
    const double phi1 = std::acos(c);
    const double phi2 = std::acos(std::fmax(-1.0, std::fmin(1.0, (q + c) / k)));
    return 1 - ((phi1 - std::sin(phi1) * std::cos(phi1)) -
                k * (phi2 - std::sin(phi2) * std::cos(phi2)) * k) /
                   kPi;
}

void SetGreatestObscuration(LocalEclipseResult* result, double ratio, double magnitude) {
    const double q =
        eclipseWorkBlock.doubleSeparation * eclipseWorkBlock.topoSunDistance * kSunRadiiPerRadianAu;
    if (magnitude < 0) {
        ShowInformation("No Eclipse found!", "");
        result->obscuration = 0;
    } else if (magnitude <= 1) {
        result->obscuration = static_cast<int>(std::lround(ObscuredFraction(ratio, q) * 100));
    } else {
        result->obscuration = 100;
    }
}

// The magnitude at ut, one step of the busy indicator.
double MagnitudeAt(double t, double ut) {
    double ratio, magnitude;
    eclipseWorkBlock.ut = ut;
    StepBusyIndicator(1);
    ComputeLocalMagnitude(t, &ratio, &magnitude);
    return magnitude;
}

// The Sun's altitude (degrees) at the site at ut.
double SunAltitudeAt(double t, double ut) {
    MagnitudeAt(t, ut);
    return eclipseWorkBlock.altitude * kRadToDeg;
}

// Every contact not found: NaN, and neither phase.
void ClearContacts(LocalEclipseResult* result) {
    result->firstContact = result->secondContact = result->thirdContact = result->fourthContact = std::nan("");
    result->partialPhase = result->centralPhase = false;
}

// A site on the night side: the limbs meet behind the Earth, no eclipse is seen.
void SetNightSide(LocalEclipseResult* result) {
    result->sunBelowHorizon = true;
    ShowInformation("No Eclipse found!", "");
    result->obscuration = 0;
    ClearContacts(result);
}

// The work point's greatest eclipse within 3 hours of `start` (UT hours): the least
// topocentric separation. Leaves the block at that instant (maximumTime too) and returns it,
// with the diameter ratio Moon / Sun and the magnitude then.
double FindGreatestAtWorkPoint(double start, double* ratio, double* magnitude) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    double best = start;
    BrentMinimize(&best, start - 3, start, start + 3, 3.472222222222222e-12, SeparationAtTime);
    w.ut = best;
    ComputeLocalMagnitude(w.centuries, ratio, magnitude);
    w.maximumTime = best;
    return best;
}

// The second and third contacts around the work point's greatest eclipse (UT hours of the
// date): where the magnitude crosses 1 (total) or the diameter ratio (annular). True when both
// are found; left as they are without either phase.
bool FindInnerContacts(double ratio, double magnitude, double* second, double* third) {
    const double t = eclipseWorkBlock.centuries;
    if (magnitude > 1) return FindContactPair(second, third, t, 0.03, 1);
    if (magnitude > ratio) return FindContactPair(second, third, t, 0.03, ratio);
    return false;
}

}  // namespace

bool SunStaysBelowHorizon(double first, double last, const std::function<double(double)>& altitudeAt) {
    const int steps = std::max(1, static_cast<int>(std::ceil((last - first) / kAltitudeStep)));
    for (int i = 0; i <= steps; ++i)
        if (!(altitudeAt(first + (last - first) * i / steps) < kSunRiseAltitude)) return false;
    return true;
}

void ComputeLocalMagnitude(double t, double* ratio, double* magnitude) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    eclipseWork.daysFromJ2000 = w.days;
    eclipseWork.timeOfDay = w.ut;
    eclipseWork.negativeDeltaT = w.negativeDeltaT;
    ComputeGreenwichSiderealTime(t);
    LoadEclipseSunMoon(eclipseWork.timeArgument);
    ApplyEllipsoidParallax(EclipseBody::Moon, &w.topoMoonRa, &w.topoMoonDec, w.moonDistance);
    ApplyEllipsoidParallax(EclipseBody::Sun, &w.topoSunRa, &w.topoSunDec, w.sunDistance);
    const double cosS = std::cos((w.topoSunRa - w.topoMoonRa) * kHoursToRad) *
                            std::cos(w.topoSunDec) * std::cos(w.topoMoonDec) +
                        std::sin(w.topoSunDec) * std::sin(w.topoMoonDec);
    w.doubleSeparation = 2 * std::acos(std::fmax(-1.0, std::fmin(1.0, cosS)));
    *ratio = w.topoSunDistance / w.topoMoonDistance * kMoonOverSunDiameter;
    const double q = w.doubleSeparation * w.topoSunDistance * kSunRadiiPerRadianAu;
    *magnitude = (1 + *ratio - q) / 2;
}

double SeparationAtTime(double ut) {
    eclipseWorkBlock.ut = ut;
    double ratio, magnitude;
    ComputeLocalMagnitude(eclipseWorkBlock.centuries, &ratio, &magnitude);
    return eclipseWorkBlock.doubleSeparation;
}

bool FindMagnitudeCrossing(double t, double step, double threshold, double* time) {
    *time = std::nan("");
    double inside = eclipseWorkBlock.maximumTime, outside = inside;
    double insideMagnitude = MagnitudeAt(t, inside), outsideMagnitude = insideMagnitude;
    if (!(insideMagnitude >= threshold)) return false;
    for (int i = 0; i < kMaxCrossingSteps && outsideMagnitude >= threshold; ++i) {
        inside = outside;
        insideMagnitude = outsideMagnitude;
        outside += step;
        outsideMagnitude = MagnitudeAt(t, outside);
    }
    if (outsideMagnitude >= threshold) return false;
    // Linear between the two samples around the crossing, then a few false-position steps
    // inside that bracket: the magnitude bends near greatest eclipse, and one chord over a
    // 108-second step put the inner contacts up to 12 s off.
    double crossing = outside;
    for (int k = 0; k <= kRefinements; ++k) {
        crossing = outside - (threshold - outsideMagnitude) * (outside - inside) /
                                 (insideMagnitude - outsideMagnitude);
        if (k == kRefinements) break;
        const double magnitude = MagnitudeAt(t, crossing);
        if (magnitude >= threshold) {
            inside = crossing;
            insideMagnitude = magnitude;
        } else {
            outside = crossing;
            outsideMagnitude = magnitude;
        }
    }
    *time = crossing;
    return true;
}

bool FindContactPair(double* before, double* after, double t, double step, double threshold) {
    const bool found = FindMagnitudeCrossing(t, -step, threshold, before);
    return FindMagnitudeCrossing(t, step, threshold, after) && found;
}

void FindLocalEclipseCircumstances(LocalEclipseResult* result, int year, int month, int day,
                                   int hour, int minute, double latitude, double longitude) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    ClearContacts(result);
    result->sunBelowHorizon = false;
    SetUpEclipseTime(year, month, day, hour, minute, 0);
    w.latitude = latitude;
    w.longitude = longitude;
    CopySubShadowPoint(result);
    double ratio, magnitude;
    result->maximumTime = FindGreatestAtWorkPoint(hour + minute / 60.0, &ratio, &magnitude);
    CopySubShadowPoint(result);
    result->sunAltitude = w.altitude * kRadToDeg;
    result->sunAzimuth = w.azimuth * kRadToDeg;
    result->separation = std::fabs(w.doubleSeparation) * 28.64788975654116 + 0.008333333333333333;
    result->magnitude = magnitude;
    SetGreatestObscuration(result, ratio, magnitude);
    result->partialPhase = FindContactPair(&result->firstContact, &result->fourthContact, w.centuries, 0.3, 0);
    result->centralPhase = FindInnerContacts(ratio, magnitude, &result->secondContact, &result->thirdContact);
    const double t = w.centuries;
    if (magnitude >= 0 && result->partialPhase &&
        SunStaysBelowHorizon(result->firstContact, result->fourthContact,
                             [t](double ut) { return SunAltitudeAt(t, ut); }))
        SetNightSide(result);
    EndBusyIndicator(1);
}

double CentralDurationAtPlace(int year, int month, int day, double ut, double latitude, double longitude) {
    EclipseWorkBlock& w = eclipseWorkBlock;
    const int second = static_cast<int>(ut * 3600);
    SetUpEclipseTime(year, month, day, second / 3600, second / 60 % 60, second % 60);
    w.latitude = latitude;
    w.longitude = longitude;
    double ratio, magnitude, secondContact, thirdContact;
    FindGreatestAtWorkPoint(ut, &ratio, &magnitude);
    const bool central = FindInnerContacts(ratio, magnitude, &secondContact, &thirdContact);
    EndBusyIndicator(1);
    return central ? (thirdContact - secondContact) * 3600 : 0;
}
