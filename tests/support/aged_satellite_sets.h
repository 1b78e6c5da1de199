// Element sets days and weeks old at two sites away from zone 0, with skyfield's
// passes and flares of them (scripts/reference/satellite_aged_sets_skyfield.py:
// tests/reference/satellite_aged_*.csv). Julian days are UTC.
#pragma once

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

inline std::vector<AgedPass> AgedPasses(const std::string& set, const std::string& site) {
    std::vector<AgedPass> out;
    for (const auto& r : AgedRows("satellite_aged_passes_skyfield.csv", set, site))
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
