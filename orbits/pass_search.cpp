#include "orbits/pass_search.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <numbers>
#include <string>

#include "catalog/comet_satellite_db.h"
#include "core/brent.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/program_hooks.h"
#include "core/services.h"
#include "core/shared_state.h"
#include "core/text_numbers.h"
#include "orbits/flare_peak.h"
#include "orbits/satellite_search_display.h"
#include "platform/device_services.h"

namespace {

constexpr double kMinStep = 0.0007;              // days: the step at the horizon
constexpr double kRootBracket = 1.0 / 72.0;      // 20 minutes
constexpr double kRiseTolerance = 100e-6 / 86400.0;
constexpr double kSetTolerance = 30e-6 / 86400.0;
// The next search starts this long after a set (days): the ground track of
// the next orbit may bring a pass sooner than one period later.
constexpr double kRestartAfterSet = 1.0 / 1440.0;
constexpr double kSearchDays = 30.0;
constexpr double kSecond = 1.0 / 86400.0;
// The culmination's samples lie about this far apart (days), or a 24th of the
// orbit's period when that is longer (the sky track of a slow satellite bends
// as slowly), at least two intervals a pass and at most 720 (a pass of a
// day): the elevation's rate at each sample tells the intervals where it
// stops rising.
constexpr double kCulminationSampling = 6.0 / 1440.0;
constexpr double kCulminationSamplesPerPeriod = 24.0;
constexpr int kMostCulminationSamples = 720;

// The pass search's own element set.
SatelliteElements searchElements;

void ShowSearchTime(double jd, int textX, int textY) {
    int year, month, day, hour, minute, second;
    JDToCalendar(jd, &year, &month, &day, &hour, &minute, &second);
    char text[40];
    std::snprintf(text, sizeof text, "%d %02d:%02d", day, hour, minute);
    ShowSearchProgressText(textX + 70, textY, text);
}

// The elevation step below the horizon: longer the deeper the satellite is.
double StepBelowHorizon(const SatelliteElements* el) {
    double step = -0.00035 * (el->elevation * (el->height / 8400.0 + 0.46) - 2.0);
    return step >= kMinStep ? step : kMinStep;
}

// Brent's method measures its tolerance partly relative to the abscissa, which
// for a Julian day would be some 13 seconds: the crossings are solved in days
// from `rootOrigin` instead.
double rootOrigin = 0.0;
double ElevationFromOrigin(double x) { return SatelliteElevationAt(rootOrigin + x); }

// True when the orbital period fits the window (or a day, if the window is
// shorter): a slower or more distant satellite gives no pass.
bool PeriodFitsWindow(const SatelliteElements* el, double windowDays) {
    return el->period / 1440.0 <= std::fmax(windowDays, 1.0);
}

// How a search for one pass ended: a pass found, a stop key held, the
// elevation not a number (the propagator refuses the set), or no pass (the
// window ended, the satellite stays up or cannot pass); and the time reached.
enum class PassEnd { kFound, kStopped, kRefused, kEnded };
struct PassSought {
    PassEnd end;
    double reached;
};

// The horizon crossing nearest to `t` (above the horizon) on the side of
// `direction` (-1 before, +1 after), to `tolerance` days, into *crossing. A
// bracket of 20 minutes without a crossing is widened by 20 minutes at a time,
// none reaching past `reach` days. kEnded when no crossing lies within the
// reach (the satellite does not set, or did not rise, there).
PassEnd FindHorizonCrossing(double t, double direction, double tolerance, double reach, double* crossing) {
    rootOrigin = t;
    double inside = 0.0, outside = direction * std::min(kRootBracket, reach);
    double value = ElevationFromOrigin(outside);
    for (int widenings = 1; value > 0.0; ++widenings) {
        if (widenings * kRootBracket >= reach) return PassEnd::kEnded;
        if (widenings % 5 == 0 && IsSearchStopKeyDown()) return PassEnd::kStopped;
        inside = outside;
        outside = direction * std::min((widenings + 1) * kRootBracket, reach);
        value = ElevationFromOrigin(outside);
    }
    if (!(value <= 0.0)) return PassEnd::kRefused;
    double root = direction < 0 ? BrentRoot(ElevationFromOrigin, outside, inside, tolerance)
                                : BrentRoot(ElevationFromOrigin, inside, outside, tolerance);
    *crossing = t + (root == 0.0 ? outside : root);
    return PassEnd::kFound;
}

// Steps from `t` until the satellite is above the horizon. kEnded when the
// window ends (or a step is too small for t), kStopped on a key, kRefused when
// the elevation is not a number; *t is the time reached.
PassEnd StepToRise(double* t, double endJd, SatelliteElements* el, bool showProgress, int textX, int textY) {
    for (int steps = 1; !(el->elevation > 0.0); ++steps) {
        if (std::isnan(el->elevation)) return PassEnd::kRefused;
        const double next = *t + StepBelowHorizon(el);
        if (!(next > *t) || next > endJd) return PassEnd::kEnded;
        *t = next;
        ComputeSatelliteLookAngles(*t, el);
        CountSatelliteEvaluation();
        if (showProgress) ShowSearchTime(*t, textX, textY);
        if ((!showProgress || steps % 5 == 0) && IsSearchStopKeyDown()) return PassEnd::kStopped;
        StepBusyIndicator(1);
    }
    return PassEnd::kFound;
}

// FindNextPass, telling how it ended. The rise of a satellite already up is
// never sought before the set of the pass last found (elements->passSetJd as
// the call finds it, 0 at a search's start), so every pass of a chain rises
// after the previous one set, a second after it at the earliest.
PassSought SeekPass(double startJd, double endJd, double* riseJd, double* setJd, SatelliteElements* el,
                    const ObserverSite* observer, int textX, int textY) {
    const double previousSet = el->passSetJd;  // read before the out-parameters, which may be it, are cleared
    const bool showProgress = endJd - startJd > 1.0;
    ResetSatelliteEvaluationCount();
    if (riseJd) *riseJd = 0.0;
    if (setJd) *setJd = 0.0;
    // Every rise found lies at or before the last step, within the window.
    if (!(startJd <= endJd)) return {PassEnd::kEnded, startJd};
    if (!IsSatelliteVisibleFromSite(el, observer->latitude) || IsGeostationary(el) ||
        !PeriodFitsWindow(el, endJd - startJd))
        return {PassEnd::kEnded, endJd};
    SetSearchedSatellite(el);
    double t = startJd;
    ComputeSatelliteLookAngles(t, el);
    pl::SystemIdleTimerReset();
    const PassEnd risen = StepToRise(&t, endJd, el, showProgress, textX, textY);
    if (risen != PassEnd::kFound) return {risen, risen == PassEnd::kEnded ? endJd : t};
    // The rise is sought from a second after the previous set on; a satellite up
    // again there rose within that second.
    const double period = el->period / 1440.0;
    const double earliest = previousSet + kSecond;
    const double back =
        previousSet > 0.0 && previousSet <= startJd ? std::clamp(t - earliest, 0.0, period) : period;
    double rise = 0.0, set = 0.0;
    PassEnd found = FindHorizonCrossing(t, -1.0, kRiseTolerance, back, &rise);
    if (found == PassEnd::kEnded && back < period) rise = t - back, found = PassEnd::kFound;
    if (found == PassEnd::kFound) found = FindHorizonCrossing(t, 1.0, kSetTolerance, period, &set);
    if (found != PassEnd::kFound) return {found, t};
    if (riseJd) *riseJd = rise;
    if (setJd) *setJd = set;
    pl::SystemIdleTimerReset();
    return {PassEnd::kFound, t};
}

// The elevation (degrees) of the searched satellite at a time (UT) and its
// rate (degrees a second); the rate is not a number until it is taken.
struct ElevationSample {
    double jd;
    double elevation = 0.0;
    double rate = std::numeric_limits<double>::quiet_NaN();
};

ElevationSample TakeSample(double jd) {
    ElevationSample s{jd};
    s.elevation = SatelliteElevationAndRateAt(jd, &s.rate);
    return s;
}

// The root finder's samples, times in seconds from `culminationOrigin`, its
// bracket's ends first: its zero is one of them, whose elevation is then known.
double culminationOrigin = 0.0;
constexpr int kMostRootSamples = 102;  // the ends and at most 100 evaluations
ElevationSample rootSamples[kMostRootSamples];
int rootSampleCount = 0;

void KeepRootSample(double seconds, const ElevationSample& s) {
    if (rootSampleCount < kMostRootSamples)
        rootSamples[rootSampleCount++] = ElevationSample{seconds, s.elevation, s.rate};
}

// The elevation's rate at `culminationOrigin` + `seconds`, for the root finder.
double ElevationRate(double seconds) {
    const ElevationSample s = TakeSample(culminationOrigin + seconds * kSecond);
    KeepRootSample(seconds, s);
    return s.rate;
}

// The culmination between a, where the elevation rises, and b, where it no
// longer does (the rates of a rise or set are taken here): the zero of its
// rate by Brent's method to half a second. The abscissa runs in seconds from
// one bracket's width before a, so that the root finder's relative tolerance
// stays far below that. A rise that does not rise or a set that still rises
// is itself the highest point. Returns the elevation (degrees) and its time
// in *jd.
double RefineCulmination(ElevationSample a, ElevationSample b, double* jd) {
    if (std::isnan(a.rate)) a = TakeSample(a.jd);
    if (std::isnan(b.rate)) b = TakeSample(b.jd);
    if (!(a.rate > 0.0) || !(b.rate < 0.0)) {
        const ElevationSample& edge = a.rate > 0.0 ? b : a;
        *jd = edge.jd;
        return edge.elevation;
    }
    const double width = (b.jd - a.jd) / kSecond;
    culminationOrigin = a.jd - width * kSecond;
    rootSampleCount = 0;
    KeepRootSample(width, a);
    KeepRootSample(2.0 * width, b);
    const double root = BrentRootFrom(ElevationRate, width, a.rate, 2.0 * width, b.rate, 0.5);
    for (int k = 0; k < rootSampleCount; ++k) {
        if (rootSamples[k].jd != root) continue;
        *jd = culminationOrigin + root * kSecond;
        return rootSamples[k].elevation;
    }
    *jd = (a.jd + b.jd) / 2.0;  // no convergence
    return SatelliteElevationAt(*jd);
}

// Intervals of the culmination's samples over a pass of `days` of a satellite
// of `periodDays`.
int CulminationIntervals(double days, double periodDays) {
    const double wanted = std::ceil(days / std::max(kCulminationSampling, periodDays / kCulminationSamplesPerPeriod));
    return wanted >= kMostCulminationSamples ? kMostCulminationSamples : wanted > 2.0 ? static_cast<int>(wanted) : 2;
}

// The culmination of the pass rise .. set (UT) of `el`: the elevation and its
// rate at samples some minutes (or a 24th of a period) apart; between a
// sample where it rises and the next where it no longer does (the rise counts
// as rising, the set as setting) lies a highest point, refined on the rate's
// zero, and the highest of these is the culmination. An elliptic orbit's
// culmination may lie far from the middle of the pass. Returns the elevation
// (degrees; not a number for a refused set, with the middle of the pass) and
// its time in *jd.
double FindCulmination(double rise, double set, SatelliteElements* el, double* jd) {
    SetSearchedSatellite(el);
    const double periodDays = el->meanMotion > 0.0 ? 2.0 * std::numbers::pi / el->meanMotion / 1440.0 : 0.0;
    const int intervals = CulminationIntervals(set - rise, periodDays);
    const double step = (set - rise) / intervals;
    double highest = std::numeric_limits<double>::quiet_NaN();
    *jd = (rise + set) / 2.0;
    ElevationSample before{rise};
    bool rising = true;
    for (int k = 1; k <= intervals; ++k) {
        ElevationSample sample{set};
        if (k < intervals) {
            sample = TakeSample(rise + k * step);
            if (std::isnan(sample.elevation)) {
                *jd = (rise + set) / 2.0;
                return sample.elevation;
            }
        }
        if (rising && !(sample.rate > 0.0)) {
            double at = 0.0;
            const double elevation = RefineCulmination(before, sample, &at);
            if (!(elevation <= highest)) highest = elevation, *jd = at;
        }
        rising = sample.rate > 0.0;
        before = sample;
    }
    return highest;
}

void ShowEndOfSearch(double jd) {
    int year, month, day, hour, minute, second;
    JDToCalendar(jd + currentSite.zoneMinutes / 1440.0, &year, &month, &day, &hour, &minute, &second);
    char date[32];
    FormatDate(date, sizeof date, day, month, year);
    ShowInformation(std::string("End of search: ") + date, "");
}

double FormJulianDay(const SatelliteFormState& form) {
    return JulianDayFromDateTime(form.year, form.month, form.day, form.hour, form.minute, form.second,
                                 currentSite.zoneMinutes);
}

int ComputeFormPosition() {
    const SatelliteFormState& form = satelliteFormState;
    return ComputeSatellitePosition(form.year, form.month, form.day, form.hour, form.minute, form.second,
                                    form.elements);
}

// A transit row: the closest approach to the Moon, when it is close enough
// and high enough.
bool AcceptTransit(PassRow* row, SatelliteElements* el) {
    double peak = 0.0, angle = 0.0;
    if (!FindFlarePeak(el->passRiseJd, el, &peak, &angle)) return false;
    ComputeSatelliteLookAngles(peak, el);
    if (!(el->elevation >= MinimumPassElevation(satelliteFormState.minElevationIndex))) return false;
    row->peakLocalJd = peak + currentSite.zoneMinutes / 1440.0;
    row->peakAngle = angle;
    return true;
}

// The passes of one satellite from `start` into the form's rows. The search
// ends with a full list, a found transit, a held key, or a message: the
// damaged set's when the propagator refuses it at the start, else "End of
// search: " with the date reached (no pass within a window, the set no longer
// followed, a pass rising after 30 days).
void RunPassSearch(int recordIndex, double start, const ObserverSite& observer) {
    SatelliteFormState& form = satelliteFormState;
    SatelliteElements* el = &searchElements;
    const bool transit = form.transitMode != 0;
    for (double t = start; form.resultCount < kMaxPassRows;) {
        if (t - start > kSearchDays) return ShowEndOfSearch(t);
        StepBusyIndicator(1);
        int textX, textY;
        ShowSearchProgressBox(nullptr, &textX, &textY);
        const PassSought sought = SeekPass(t, t + (transit ? 35.0 : 5.0), &el->passRiseJd, &el->passSetJd, el,
                                           &observer, textX, textY);
        if (sought.end == PassEnd::kStopped) return;
        if (sought.end == PassEnd::kRefused && sought.reached == start) {
            ShowInformation(kDamagedElementsText, "");
            return;
        }
        if (sought.end != PassEnd::kFound) return ShowEndOfSearch(sought.reached);
        if (el->passRiseJd - start > kSearchDays) return ShowEndOfSearch(el->passRiseJd);
        PassRow* row = &form.results[form.resultCount];
        FillPassRow(row, recordIndex, *form.record, el);
        t = NextPassStart(el);
        bool accepted = transit ? AcceptTransit(row, el)
                                : row->maxElevation >= MinimumPassElevation(form.minElevationIndex);
        if (!accepted) continue;
        ShowSearchRows(++form.resultCount, false);
        if (transit) return;
    }
}

}  // namespace

int FindNextPass(double startJd, double endJd, double* riseJd, double* setJd, SatelliteElements* el,
                 const ObserverSite* observer, int textX, int textY) {
    return SeekPass(startJd, endJd, riseJd, setJd, el, observer, textX, textY).end == PassEnd::kFound ? 1 : 0;
}

void FillPassRow(PassRow* row, int recordIndex, const SatelliteRecord& record, SatelliteElements* el) {
    const double zone = currentSite.zoneMinutes / 1440.0;
    *row = PassRow{};
    row->satelliteIndex = recordIndex;
    row->riseLocalJd = el->passRiseJd + zone;
    row->setLocalJd = el->passSetJd + zone;
    row->durationSeconds = TruncateToInt32((el->passSetJd - el->passRiseJd) * 86400.0 + 0.5);
    double culmination = 0.0;
    row->maxElevation = TruncateToInt32(FindCulmination(el->passRiseJd, el->passSetJd, el, &culmination) + 0.5);
    row->maxLocalJd = culmination + zone;
    char name[kSatelliteLineSize];
    GetSatelliteLine(record.nameLine, name);
    std::memcpy(row->name, name, std::min<std::size_t>(std::strlen(name), 20));  // the row is zeroed: terminated
}

double NextPassStart(SatelliteElements* el) {
    ComputeSatelliteSubPoint((el->passRiseJd + el->passSetJd) / 2.0, el);
    return el->passSetJd + kRestartAfterSet;
}

int SearchSatellitePasses(int recordIndex) {
    SatelliteFormState& form = satelliteFormState;
    if (!form.results || !form.record || !form.elements) return 0;
    const double start = FormJulianDay(form);
    PrepareSearchDisplay();
    int textX, textY;
    ShowSearchProgressBox(nullptr, &textX, &textY);
    if (form.resultCount > 1 && form.results[0].satelliteIndex != form.results[1].satelliteIndex)
        form.resultCount = 0;
    if (!GetSatelliteRecord(recordIndex, form.record)) return ComputeFormPosition();
    searchElements = SatelliteElements{};
    const bool inRange = InitSatelliteElements(form.record, &searchElements);
    char name[kSatelliteLineSize];
    GetSatelliteLine(form.record->nameLine, name);
    ShowSearchSatelliteName(name);
    const ObserverSite observer = SiteObserver();
    if (!inRange) {
        ShowInformation(kDamagedElementsText, "");
        return 0;
    }
    if (!IsSatelliteVisibleFromSite(&searchElements, observer.latitude)) {
        ShowInformation("This satellite is not visible from your location.", "");
        return 0;
    }
    if (form.resultCount > 0) return 0;
    form.selectedResult = -1;
    RunPassSearch(recordIndex, start, observer);
    EndBusyIndicator(0);
    return ComputeFormPosition();
}
