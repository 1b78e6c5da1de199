// Element sets days and weeks old at two sites away from zone 0, with skyfield's
// passes and flares of them (scripts/reference/satellite_aged_sets_skyfield.py:
// tests/reference/satellite_aged_*.csv). Julian days are UTC.
#pragma once

#include <string>
#include <vector>

#include "support/reference_table.h"
#include "support/test_site.h"

struct NamedElementSet {
    std::string name, line1, line2;
};

// A site (east longitude, height in metres, zone in minutes with daylight
// time), the start of its searches and the span of its passes.
struct AgedSite {
    std::string name;
    double latitude, longitude, height;
    int zone;
    double startJd, passesFromJd, passesToJd;
};

struct AgedPass {
    double rise, culmination, set, maxAltitude, middleAltitude;  // degrees half-way between rise and set
};

struct AgedFlare {
    double peak, angle, altitude, sunAltitude;
};

inline std::vector<NamedElementSet> AgedElementSets() {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "satellite_aged_sets.csv");
    std::vector<NamedElementSet> out;
    for (std::size_t i = 0; i < t.rows.size(); ++i)
        out.push_back({t.Text(i, "name"), t.Text(i, "line1"), t.Text(i, "line2")});
    return out;
}

inline std::vector<AgedSite> AgedSites() {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "satellite_aged_sites.csv");
    std::vector<AgedSite> out;
    for (std::size_t i = 0; i < t.rows.size(); ++i)
        out.push_back({t.Text(i, "site"), t.Get(i, "latitude"), t.Get(i, "longitude"), t.Get(i, "height"),
                       static_cast<int>(t.Get(i, "zone")), t.Get(i, "start_jd"), t.Get(i, "passes_from_jd"),
                       t.Get(i, "passes_to_jd")});
    return out;
}

// The site as the program keeps it (longitude west positive, whole metres).
inline void UseAgedSite(const AgedSite& site) {
    SetTestSite(site.latitude, -site.longitude, site.zone, static_cast<int>(site.height));
    currentSite.daylightSaving = site.name == "Sydney" ? 1 : 0;
}

inline std::vector<AgedPass> AgedPasses(const std::string& set, const std::string& site) {
    static const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "satellite_aged_passes_skyfield.csv");
    std::vector<AgedPass> out;
    for (std::size_t i = 0; i < t.rows.size(); ++i)
        if (t.Text(i, "name") == set && t.Text(i, "site") == site)
            out.push_back({t.Get(i, "rise_jd"), t.Get(i, "culmination_jd"), t.Get(i, "set_jd"),
                           t.Get(i, "max_altitude"), t.Get(i, "middle_altitude")});
    return out;
}

inline std::vector<AgedFlare> AgedFlares(const std::string& set, const std::string& site) {
    static const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "satellite_aged_flares_skyfield.csv");
    std::vector<AgedFlare> out;
    for (std::size_t i = 0; i < t.rows.size(); ++i)
        if (t.Text(i, "name") == set && t.Text(i, "site") == site)
            out.push_back({t.Get(i, "peak_jd"), t.Get(i, "angle"), t.Get(i, "altitude"), t.Get(i, "sun_altitude")});
    return out;
}

// The reference pass that overlaps rise .. set (UT), or null.
inline const AgedPass* OverlappingPass(const std::vector<AgedPass>& passes, double rise, double set) {
    for (const AgedPass& p : passes)
        if (p.rise < set && rise < p.set) return &p;
    return nullptr;
}
