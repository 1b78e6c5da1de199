// Rows of the orbit assistant's ephemeris table: the place, magnitude,
// elongation, constellation and Earth distance of one comet or minor planet
// at a local date and time, and the texts the table shows of them.
#pragma once

#include <string>

#include "catalog/comet_satellite_db.h"

struct OrbitEphemerisRow {
    int year = 0, month = 0, day = 0;  // the row's local date
    double jd = 0.0;                   // universal-time Julian day computed
    int valid = 0;                     // 0 when the orbit did not solve
    float rightAscension = 0.0f;       // hours
    float declination = 0.0f;          // degrees
    float delta = 0.0f, r = 0.0f;      // AU
    float elongation = 0.0f;           // radians
    double magnitude = 0.0;
    int constellation = -1;            // row of constellationTable, -1 none
};

// The row of `record` (work words filled) for the local date and the time
// hour:minute, the zone in minutes; the place for the mean equinox of the
// row's year, the constellation of that place at the row's Julian day.
OrbitEphemerisRow ComputeOrbitEphemerisRow(const CometRecord& record, int year, int month, int day, int hour,
                                           int minute, int zoneMinutes);

// The texts of a row: FormatDateShort of the date; HMSToStr and DegToStr of
// the place (the right-ascension and declination preferences) without their
// last 3 characters; the magnitude with 1 decimal; the elongation "%d\xB0"
// in whole degrees; the constellation's abbreviation; the distance with 3
// decimals. A row whose orbit did not solve has the date and "-" in the
// place column, the other texts empty.
struct OrbitEphemerisTexts {
    std::string date, rightAscension, declination, magnitude, elongation, constellation, distance;
};
OrbitEphemerisTexts OrbitEphemerisRowTexts(const OrbitEphemerisRow& row);
