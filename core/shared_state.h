// Program-wide state that every subsystem reads: the current date and time,
// the observer's site, the preference words and the observing-list criteria.
// The owners (the shell, the site tools, the observing lists) fill them in;
// computation reads them directly, as the handheld program did.
#pragma once

#include <cstdint>
#include <cstring>

#include "core/preferences.h"

// Local civil date and time, six 32-bit integers. A year of 0 means "not set yet".
struct DateTime {
    int32_t year;
    int32_t month;
    int32_t day;
    int32_t hour;
    int32_t minute;
    int32_t second;
};

extern DateTime currentDateTime;

// One of the three sites the user stores on the location form.
struct SavedSite {
    char name[12];        // at most 10 characters are stored
    float latitude;       // degrees, north positive
    float longitude;      // degrees, WEST positive
    int16_t skyCondition;
    int16_t elevation;    // metres
    int16_t zoneMinutes;  // daylight saving included
    int16_t daylightSaving;
};

// The observer's site. Every writer of latitude also writes its sine and cosine
// (computed in double from degrees x 0.0174532925199433, stored as floats).
struct SiteRecord {
    char name[12];          // zero-terminated, at most 11 characters
    float latitude;         // degrees, north positive
    float longitude;        // degrees, WEST positive (east negative)
    float sinLatitude;
    float cosLatitude;
    int16_t elevation;      // metres above sea level
    int16_t zoneMinutes;    // UT = local time - zoneMinutes (daylight saving included)
    int16_t temperature;    // degrees Celsius
    int16_t pressure;       // millibar
    int16_t humidity;       // percent
    int16_t skyCondition;   // index 0..4, see GetSkyConditionValue
    SavedSite savedSites[3];
    int16_t daylightSaving; // 1 when zoneMinutes includes one hour of daylight saving
};

extern SiteRecord currentSite;

// Writes latitude with its stored sine and cosine, keeping the record's
// invariant. They are computed from the latitude as stored (a float), so the
// record read back from the preferences file is the same to the byte.
void SetSiteLatitude(SiteRecord& site, double latitudeDegrees);

// The start values of every run: "None", 51 N, 0, zone 0, 10 C, 1013 mbar,
// 40 %, condition 3 (also for the three stored sites); other fields untouched.
void SetSiteStartValues(SiteRecord& site);

// Clears the site and gives it its start values.
void ResetSiteRecord(SiteRecord& site);

// Non-zero when the user fixed currentDateTime; 0 when it follows the device clock.
// It is the Time Update preference word (core/preferences.h).
extern int32_t& dateTimeFixed;

// The observing list's search criteria (16-bit fields unless stated).
struct SelectionCriteria {
    int16_t visibility;
    int16_t eyepiece;
    int16_t eyepieceFocal;
    uint32_t eyepieceValue;
    int16_t magnitude;
    int16_t type;
    int16_t classByte;
    int16_t constellation;
    int16_t elevation;
    int16_t year;
    int16_t month;
    int16_t day;
    int16_t hour;
    int16_t minute;
    int16_t catalogue;
    float scopeLimit;
    float eyeLimit;
    float skyValue1;
    float skyValue2;
};

extern SelectionCriteria selectionCriteria;

// Clears the date, the site, the preferences (with the file's reported
// failure) and the criteria (for tests and start-up).
void ResetSharedState();
