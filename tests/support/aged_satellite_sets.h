// Element sets days and weeks old at two sites away from zone 0, with skyfield's
// passes and flares of them (scripts/reference/satellite_aged_sets_skyfield.py:
// tests/reference/satellite_aged_*.csv), and the December sets of the same
// script (satellite_december_*.csv: a set like the space station's and one
// of e = 0.4) at three sites. Julian days are UTC.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "support/reference_table.h"
#include "support/test_site.h"
#include "support/verification_sets.h"

// A site (east longitude, height in metres, zone in minutes with daylight
// time) and the start of its searches.
struct AgedSite {
    std::string name;
    double latitude, longitude, height, zone, startJd;
};

struct AgedPass {
    double rise, culmination, set, maxAltitude, middleAltitude;  // degrees half-way between rise and set
};

struct AgedFlare {
    double peak, angle, altitude, sunAltitude;
};

// The tables of one group: "aged" or "december".
inline std::string AgedTable(const char* group, const char* kind) {
    return std::string("satellite_") + group + "_" + kind + ".csv";
}

inline std::vector<NamedElementSet> AgedElementSets(const char* group = "aged") {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, AgedTable(group, "sets").c_str());
    std::vector<NamedElementSet> out;
    for (std::size_t i = 0; i < t.rows.size(); ++i)
        out.push_back({t.Text(i, "name"), t.Text(i, "line1"), t.Text(i, "line2")});
    return out;
}

inline std::vector<AgedSite> AgedSites(const char* group = "aged") {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, AgedTable(group, "sites").c_str());
    std::vector<AgedSite> out;
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        const std::vector<double>& r = t.rows[i];
        out.push_back({t.Text(i, "site"), r[1], r[2], r[3], r[4], r[5]});
    }
    return out;
}

// The site as the program keeps it (longitude west positive, whole metres).
inline void UseAgedSite(const AgedSite& site) {
    SetTestSite(site.latitude, -site.longitude, static_cast<int>(site.zone), static_cast<int>(site.height));
    currentSite.daylightSaving = site.name == "Sydney" ? 1 : 0;
}

// The numbers after the set and site columns of each row of `table` for that set and site.
inline std::vector<std::vector<double>> AgedRows(const char* table, const std::string& set, const std::string& site) {
    const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, table);
    std::vector<std::vector<double>> out;
    for (std::size_t i = 0; i < t.rows.size(); ++i)
        if (t.Text(i, "name") == set && t.Text(i, "site") == site)
            out.emplace_back(t.rows[i].begin() + 2, t.rows[i].end());
    return out;
}

inline std::vector<AgedPass> AgedPasses(const std::string& set, const std::string& site, const char* group = "aged") {
    std::vector<AgedPass> out;
    for (const auto& r : AgedRows(AgedTable(group, "passes_skyfield").c_str(), set, site))
        out.push_back({r[0], r[1], r[2], r[3], r[4]});
    return out;
}

inline std::vector<AgedFlare> AgedFlares(const std::string& set, const std::string& site) {
    std::vector<AgedFlare> out;
    for (const auto& r : AgedRows("satellite_aged_flares_skyfield.csv", set, site))
        out.push_back({r[0], r[1], r[2], r[3]});
    return out;
}

// The reference pass that overlaps rise .. set (UT), or null.
inline const AgedPass* OverlappingPass(const std::vector<AgedPass>& passes, double rise, double set) {
    for (const AgedPass& p : passes)
        if (p.rise < set && rise < p.set) return &p;
    return nullptr;
}

// True when `listed` is skyfield's highest altitude to the whole degree,
// rounded or cut.
inline bool WholeDegreesOf(int listed, double altitude) {
    return listed == static_cast<int>(std::floor(altitude)) || listed == static_cast<int>(std::lround(altitude));
}
