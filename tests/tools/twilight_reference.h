// The twilight graph's references from PyEphem, read for one column at a
// time: the Sun's passages through the bands' altitudes at five sites
// (tests/reference/twilight_crossings_pyephem.csv) and an object's rise,
// transit and set at Tokyo (twilight_object_events_pyephem.csv), all in
// minutes of UT from 2027-01-01 0h, turned into the hours of a column (13 h
// of its date to 13 h of the next, from 0 h of the date) on a clock zone
// minutes ahead of UT.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "core/julian_day.h"
#include "support/reference_table.h"

struct TwilightSite {
    const char* name;
    double latitude, longitudeWest;
    int zone;
    bool daylight;  // the DayLight box ticked (zone holds its hour)
};
// The sites of the crossings table, in its order.
inline constexpr TwilightSite kTwilightSites[] = {{"Tokyo", 35.68, -139.69, 540, false},
                                                  {"Sydney", -33.87, -151.21, 660, true},
                                                  {"Reykjavik", 64.15, 21.95, 0, false},
                                                  {"Fairbanks", 64 + 50 / 60.0, 147 + 43 / 60.0, -540, false},
                                                  {"71N", 71 + 17 / 60.0, 156 + 47 / 60.0, -540, false}};

struct ColumnPassage {
    double hour;
    bool down;
    bool graze;  // the Sun stays on one side for less than two hours before or after it
};

// The minute of UT (from 2027-01-01 0h, as the tables count) at which a
// column starts: 13 h of its date on a clock zone minutes ahead of UT.
inline double ColumnStartMinute(int year, int month, int day, int zone) {
    return (JulianDayFromDate(year, month, day) - JulianDayFromDate(2027, 1, 1)) * 1440 + 13 * 60 - zone;
}

class TwilightReference {
public:
    TwilightReference() {
        const ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "twilight_crossings_pyephem.csv");
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            auto& list = passages_[static_cast<int>(t.Get(r, "site"))][static_cast<int>(t.Get(r, "band"))];
            list.push_back({t.Get(r, "minute"), t.Get(r, "down") == 1, false});
        }
        for (auto& site : passages_)
            for (auto& list : site)
                for (std::size_t k = 0; k < list.size(); ++k) {
                    const bool before = k > 0 && list[k].hour - list[k - 1].hour < 120;
                    const bool after = k + 1 < list.size() && list[k + 1].hour - list[k].hour < 120;
                    list[k].graze = before || after;
                }
        const ReferenceTable e = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "twilight_object_events_pyephem.csv");
        for (std::size_t r = 0; r < e.rows.size(); ++r)
            events_.push_back({e.Text(r, "object"), e.Text(r, "kind")[0], e.Get(r, "minute")});
    }
    bool Loaded() const { return !passages_[0][0].empty() && !events_.empty(); }
    // Whether the crossings table spans the column (it runs from 2026-12-30 to 2028-12-02, UT).
    static bool Spans(int year, int month, int day, int zone) {
        const double start = ColumnStartMinute(year, month, day, zone);
        return start > -2 * 1440 + 60 && start + 1440 < 701 * 1440 - 60;
    }
    // The passages of band b at site s in the column (hours 13..37), with whether the Sun is below at 13 h.
    std::vector<ColumnPassage> Column(int s, int b, int year, int month, int day, int zone, bool* belowAtStart) const {
        const std::vector<ColumnPassage>& list = passages_[s][b];
        const double start = ColumnStartMinute(year, month, day, zone);
        auto p = std::lower_bound(list.begin(), list.end(), start,
                                  [](const ColumnPassage& q, double m) { return q.hour < m; });
        *belowAtStart = p != list.end() ? !p->down : !list.empty() && list.back().down;
        std::vector<ColumnPassage> out;
        for (; p != list.end() && p->hour < start + 1440; ++p)
            out.push_back({13 + (p->hour - start) / 60, p->down, p->graze});
        return out;
    }
    // The object's events of a kind ('r', 't', 's') in the column, hours 13..37
    // and six minutes either side.
    std::vector<double> Events(const std::string& object, char kind, int year, int month, int day, int zone) const {
        std::vector<double> out;
        const double start = ColumnStartMinute(year, month, day, zone);
        for (const Event& e : events_) {
            const double h = 13 + (e.minute - start) / 60;
            if (e.object == object && e.kind == kind && h >= 12.9 && h < 37.1) out.push_back(h);
        }
        return out;
    }

private:
    struct Event {
        std::string object;
        char kind;
        double minute;
    };
    std::vector<ColumnPassage> passages_[5][3];
    std::vector<Event> events_;
};
