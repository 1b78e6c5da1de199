#include "objects/ephemeris_table.h"

#include <string>

#include "catalog/designations.h"
#include "catalog/object_lookup.h"
#include "core/angle_text.h"
#include "core/constellation.h"
#include "core/date_text.h"
#include "core/horizontal.h"
#include "core/julian_day.h"
#include "core/preferences.h"
#include "core/rise_set.h"
#include "core/sidereal_time.h"
#include "core/text_numbers.h"
#include "ephemeris/body_positions.h"
#include "ephemeris/sun_moon_rise_set.h"
#include "objects/object_info.h"
#include "ui/preference_values.h"

const char* const ephemerisStepLabels[kEphemerisStepCount] = {"1d",  "2d",  "5d",  "7d", "10d",
                                                              "14d", "30d", "60d", "90d"};
const int ephemerisStepDays[kEphemerisStepCount] = {1, 2, 5, 7, 10, 14, 30, 60, 90};

namespace {

constexpr int kTimeCharacters = 5;
constexpr int kTopocentric = 2;  // position mode "Topo"
constexpr const char* kNoEvent = "-----";

std::string TimeText(double hours) {
    char text[32];
    return std::string(HMSToStr(text, sizeof text, hours)).substr(0, kTimeCharacters);
}

// A rising, transit or setting: its time, or hyphens when the day has none
// (`happened` 0, or the event found is the day before's or after's).
std::string EventText(double hours, unsigned happened) {
    return HappensOnDay(happened != 0, hours) ? TimeText(hours) : kNoEvent;
}

double SiderealTime(const DateTime& t) {
    return GetLocalSiderealTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.longitude,
                                currentSite.zoneMinutes);
}

// The row's date at a time of day in hours (0..24), to the second.
DateTime AtHours(const DateTime& day, double hours) {
    DateTime t = day;
    t.hour = static_cast<int>(hours);
    const double minutes = (hours - t.hour) * 60.0;
    t.minute = static_cast<int>(minutes);
    t.second = static_cast<int>((minutes - t.minute) * 60.0);
    return t;
}

// The altitude (degrees) at the transit, an instant of the row's date: a body's (the Sun, the
// Moon, a planet) from its place at that instant as seen from the site, since the Moon moves
// half a degree an hour; any other object's from its place of the row's date (ra, dec).
double AltitudeAtTransit(const ObjectRecord& r, const DateTime& day, double transit, double ra, double dec) {
    const DateTime at = AtHours(day, transit);
    if (static_cast<int16_t>(r.designationId) == kDesignationPlanet) {
        const int32_t kept = preferences.word[kPrefPositionMode];
        preferences.word[kPrefPositionMode] = kTopocentric;
        BodyPosition body{};
        if (ComputeBody(&body, static_cast<int>(r.number), at.year, at.month, at.day, at.hour, at.minute,
                        at.second) == 0)
            ra = body.ra, dec = body.dec;
        preferences.word[kPrefPositionMode] = kept;
    }
    return ComputeAltitude(SiderealTime(at), ra, dec, currentSite.latitude);
}

std::vector<std::string> RiseSetTexts(const ObjectRecord& r, const DateTime& t) {
    const int designation = static_cast<int16_t>(r.designationId);
    double ra = 0.0, dec = 0.0;
    RiseSetPlace(r, t, &ra, &dec);
    double rise = 0.0, transit = 0.0, set = 0.0;
    unsigned events = 0;
    const SiteRecord& s = currentSite;
    if (designation == kDesignationPlanet && r.number == 0)
        ComputeSunRiseSet(t.year, t.month, t.day, &rise, &transit, &set, nullptr, &events);
    else if (designation == kDesignationPlanet && r.number == 1)
        ComputeMoonRiseSet(t.year, t.month, t.day, &rise, &transit, &set, nullptr, &events);
    else
        ComputeRiseTransitSetFixed(t.year, t.month, t.day, s.latitude, s.longitude, s.zoneMinutes, s.elevation,
                                   GetHorizonAltitude(), ra, dec, &rise, &transit, &set, &events);
    // The altitude belongs to the transit: none on a day without one.
    const std::string altitude = HappensOnDay(true, transit)
                                     ? std::to_string(WholeDegrees(AltitudeAtTransit(r, t, transit, ra, dec)))
                                     : kNoEvent;
    return {EventText(rise, events & kRiseSetRises), EventText(transit, 1u), altitude,
            EventText(set, events & kRiseSetSets)};
}

std::vector<std::string> PositionTexts(const ObjectRecord& r, const DateTime& t) {
    char magnitude[32], ra[32], dec[32];
    DoubleToStr(magnitude, sizeof magnitude, r.magnitude, 1);
    const double jd = JulianDayFromDateTime(t.year, t.month, t.day, t.hour, t.minute, t.second, currentSite.zoneMinutes);
    const double lst = SiderealTime(t), latitude = currentSite.latitude;
    // Az and Alt from the place of date, as on the Rise/Set page: a J2000 place
    // turned by the sidereal time of date is off by the precession since 2000.
    double placeRa = 0.0, placeDec = 0.0;
    RiseSetPlace(r, t, &placeRa, &placeDec);
    return {magnitude,
            ConstellationAbbreviation(FindConstellation(r.rightAscension, r.declination, jd)),
            HMSToStr(ra, sizeof ra, r.rightAscension),
            DegToStr(dec, sizeof dec, r.declination),
            std::to_string(WholeAzimuth(ComputeAzimuth(lst, placeRa, placeDec, latitude))),
            std::to_string(WholeDegrees(ComputeAltitude(lst, placeRa, placeDec, latitude)))};
}

}  // namespace

std::vector<const char*> EphemerisHeadings(int page) {
    if (page == kEphemerisPosition) return {"Mag ", "Cnst", "RA", "Dec", "Az ", "Alt"};
    return {"Rise ", "Transit ", "Alt", "Set"};
}

DateTime EphemerisRowTime(const EphemerisState& s, int stepRow, int row) {
    DateTime t{s.year, s.month, s.day, s.hour, s.minute, 0};
    const int step = stepRow >= 0 && stepRow < kEphemerisStepCount ? ephemerisStepDays[stepRow] : 1;
    AddDaysToDate(&t.year, &t.month, &t.day, step * row);
    return t;
}

bool FetchEphemerisObject(int designation, int number, const DateTime& when, ObjectRecord* record, char* name,
                          std::size_t nameSize, char* second, std::size_t secondSize) {
    const DateTime kept = currentDateTime;
    currentDateTime = when;
    const bool fetched = GetObjectByKind(designation, number, record, name, nameSize, second, secondSize, 1, nullptr);
    currentDateTime = kept;
    return fetched;
}

std::vector<std::string> EphemerisRowTexts(int page, const ObjectRecord& r, const DateTime& when) {
    return page == kEphemerisPosition ? PositionTexts(r, when) : RiseSetTexts(r, when);
}

std::string EphemerisDateText(const DateTime& when) {
    char text[16];
    FormatDateShort(text, sizeof text, when.day, when.month, when.year);
    return text;
}
