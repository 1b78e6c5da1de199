// What the Moon map form computes apart from drawing: picking a lunar feature
// on the 960-pixel map, the list row of a picked feature, the header's date
// lines and the information text of a feature. Lunar feature records come
// from GetMoonRecord (core/moon_records.h): records 0..n-1 in list order,
// records n..2n-1 the same features sorted by map x.
#pragma once

#include <string>
#include <vector>

#include "core/moon_records.h"
#include "core/shared_state.h"

constexpr int kMoonMapPixels = 960;    // the map the feature records are placed on
constexpr int kMoonPickLimit = 500;    // largest Manhattan distance of a pick, map pixels
constexpr int kMoonPickUnreadable = -2;

// Two-letter code of a feature type 0..12 ("Cv", "Mn", "Cr", ...); "" otherwise.
const char* MoonFeatureTypeCode(int type);

// The nearest feature to map point (mx, my) of the 960-pixel map by Manhattan
// distance, at most kMoonPickLimit; on equal distance the later record wins.
// Bisects records n..2n-1 on map x, then searches outward from the bisection
// point while the x distance alone can still beat the best found, so features
// sharing an x never hide a nearer one. Returns the record number (n..2n-1),
// -1 when none is near enough or there are no records, or kMoonPickUnreadable
// after "Can't find moon record" when a record cannot be read.
int PickMoonFeature(int mx, int my);

// For each record n..2n-1 (index record - n) the list record 0..n-1 of the
// same feature (same name and map place), or -1 when there is none. Reads
// every record; empty when a record cannot be read.
std::vector<int> BuildMoonListRows();

// The header's two lines for a local date and time of a site `zoneMinutes`
// ahead of universal time: FormatDate and " %02d:%02d" of it, and "New: "
// with the local date and time of the last new Moon (the lunation nearest
// the day before; the one before it when that new Moon's instant, universal
// time, comes after the date and time's).
void FormatMoonMapHeader(const DateTime& now, int zoneMinutes, std::string* line1, std::string* line2);

// The sunrise over a feature that FindFeatureSunrise finds from a local date
// and time of a site `zoneMinutes` ahead of universal time (the last one while
// the feature is lit, the next one while it is dark) and the sunset after it,
// as Julian days of universal time; 0 for a crossing that is not found (no
// sunset is searched without a sunrise). Longitude and the shown latitude
// (the stored one negated) in degrees.
void FindFeatureBestDates(double longitude, double shownLatitude, const DateTime& now, int zoneMinutes,
                          double* sunrise, double* sunset);

// FormatDate and " %02d:%02d" of a crossing (Julian day, universal time) in
// the local time of a site `zoneMinutes` ahead; "----" for 0 (not found).
std::string MoonCrossingText(double jd, int zoneMinutes);

// The information box text of a feature at a local date and time of a site
// `zoneMinutes` ahead of universal time: type word, name, the shown latitude
// (stored one negated), longitude, diameter, and the local dates and times of
// the sunrise over it that FindFeatureSunrise finds from that instant (the last
// one while the feature is lit, the next one while it is dark) and of the
// sunset after it; "----" for a crossing that is not found (no sunset is
// searched without a sunrise).
std::string MoonFeatureInfoText(const MoonFeatureRecord& feature, const DateTime& now, int zoneMinutes);
