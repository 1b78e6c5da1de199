#include "orbits/orbit_ephemeris.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/designations.h"
#include "core/angle_text.h"
#include "core/constellation.h"
#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/text_numbers.h"
#include "orbits/comet_position.h"

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

// The text without its last `n` characters.
std::string Cut(const char* text, std::size_t n) {
    const std::size_t length = std::strlen(text);
    return length > n ? std::string(text, length - n) : std::string();
}

std::string Decimals(double value, int decimals) {
    char text[48];
    DoubleToStr(text, sizeof text, value, decimals);
    return text;
}

}  // namespace

OrbitEphemerisRow ComputeOrbitEphemerisRow(const CometRecord& record, int year, int month, int day, int hour,
                                           int minute, int zoneMinutes) {
    OrbitEphemerisRow row;
    row.year = year, row.month = month, row.day = day;
    row.jd = JulianDayFromDateTime(year, month, day, hour, minute, 0, zoneMinutes);
    float phase = 0.0f;
    row.valid = ComputeCometPosition(&record, row.jd, year, &row.rightAscension, &row.declination, &row.delta, &row.r,
                                     &row.elongation, &phase);
    if (!row.valid) return row;
    row.magnitude = ComputeCometMagnitude(&record, row.delta, row.r, phase);
    row.constellation = FindConstellation(row.rightAscension, row.declination, row.jd);
    return row;
}

OrbitEphemerisTexts OrbitEphemerisRowTexts(const OrbitEphemerisRow& row) {
    OrbitEphemerisTexts t;
    char text[48];
    FormatDateShort(text, sizeof text, row.day, row.month, row.year);
    t.date = text;
    if (!row.valid) {
        t.rightAscension.assign(1, '-');  // = "-" trips a false GCC 12 -Wrestrict warning
        return t;
    }
    t.rightAscension = Cut(HMSToStr(text, sizeof text, row.rightAscension), 3);
    t.declination = Cut(DegToStr(text, sizeof text, row.declination), 3);
    t.magnitude = std::isfinite(row.magnitude) ? Decimals(row.magnitude, 1) : "-";
    std::snprintf(text, sizeof text, "%d\xB0", static_cast<int>(row.elongation * kDegreesPerRadian));
    t.elongation = text;
    if (row.constellation >= 0 && row.constellation < kConstellationCount)
        t.constellation = constellationTable[row.constellation].abbreviation;
    t.distance = Decimals(row.delta, 3);
    return t;
}
