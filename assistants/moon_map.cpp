#include "assistants/moon_map.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <tuple>

#include "core/date_text.h"
#include "core/julian_day.h"
#include "core/services.h"
#include "core/text_numbers.h"
#include "ephemeris/lunar_lighting.h"
#include "ephemeris/lunation.h"

namespace {

constexpr const char* kTypeCodes[] = {"Cv", "Mn", "Cr", "Pa", "Pn", "Ld", "Ca", "Ch", "Ru", "Tr", "Oc", "Lc", "Ma"};
constexpr int kTypeCount = static_cast<int>(std::size(kTypeCodes));
// Begin of the information text by type; none for the other types.
constexpr const char* kTypeWords[kTypeCount] = {"", "Mons ", "Crater ", "", "", "", "Catena ", "", "", "",
                                                "Oceanus ", "Lacus ", "Mare "};
constexpr char kNoCrossing[] = "----";

int Unreadable() {
    ShowInformation("Can't find moon record", "");
    return kMoonPickUnreadable;
}

// The best record so far: the smallest distance, the later record on a tie.
struct PickBest {
    int record = -1;
    int distance = kMoonPickLimit;
    void Consider(int index, const MoonFeatureRecord& r, int mx, int my) {
        int d = std::abs(mx - r.sortKey) + std::abs(my - r.mapY);
        if (d < distance || (d == distance && index > record)) record = index, distance = d;
    }
};

std::string DateTimeText(int day, int month, int year, int hour, int minute) {
    char date[24];
    FormatDate(date, sizeof date, day, month, year);
    char time[16];
    std::snprintf(time, sizeof time, " %02d:%02d", hour, minute);
    return std::string(date) + time;
}

std::string Decimals(double value, int decimals) {
    char text[32];
    DoubleToStr(text, sizeof text, value, decimals);
    return text;
}

}  // namespace

std::string MoonCrossingText(double jd, int zoneMinutes) {
    if (jd == 0.0) return kNoCrossing;
    int year, month, day, hour, minute, second;
    CalendarFromJulianDay(jd + zoneMinutes / 1440.0, &year, &month, &day, &hour, &minute, &second);
    return DateTimeText(day, month, year, hour, minute);
}

void FindFeatureBestDates(double longitude, double shownLatitude, const DateTime& now, int zoneMinutes,
                          double* sunrise, double* sunset) {
    double jd = JulianDayFromDateTime(now.year, now.month, now.day, now.hour, now.minute, 0, zoneMinutes);
    *sunrise = FindFeatureSunrise(jd, longitude, shownLatitude);
    *sunset = *sunrise != 0.0 ? FindFeatureSunset(*sunrise + 0.05, longitude, shownLatitude) : 0.0;
}

const char* MoonFeatureTypeCode(int type) { return type >= 0 && type < kTypeCount ? kTypeCodes[type] : ""; }

int PickMoonFeature(int mx, int my) {
    const int n = GetMoonRecordCount();
    if (n <= 0) return -1;
    MoonFeatureRecord r;
    int lo = n, hi = 2 * n - 1, mid = n;
    while (lo <= hi) {
        mid = (lo + hi) / 2;
        if (!GetMoonRecord(mid, &r)) return Unreadable();
        if (mx == r.sortKey) break;
        if (mx < r.sortKey) hi = mid - 1;
        else lo = mid + 1;
    }
    PickBest best;
    for (int i = mid; i < 2 * n; ++i) {
        if (!GetMoonRecord(i, &r)) return Unreadable();
        if (r.sortKey - mx > best.distance) break;
        best.Consider(i, r, mx, my);
    }
    for (int i = mid - 1; i >= n; --i) {
        if (!GetMoonRecord(i, &r)) return Unreadable();
        if (mx - r.sortKey > best.distance) break;
        best.Consider(i, r, mx, my);
    }
    return best.record;
}

std::vector<int> BuildMoonListRows() {
    const int n = GetMoonRecordCount();
    using Key = std::tuple<std::string, int, int>;
    std::multimap<Key, int> listRecords;
    MoonFeatureRecord r;
    for (int i = 0; i < n; ++i) {
        if (!GetMoonRecord(i, &r)) return {};
        listRecords.emplace(Key{std::string(r.name, strnlen(r.name, sizeof r.name)), r.sortKey, r.mapY}, i);
    }
    std::vector<int> rows(static_cast<size_t>(n), -1);
    for (int i = 0; i < n; ++i) {
        if (!GetMoonRecord(n + i, &r)) return {};
        auto found = listRecords.find(Key{std::string(r.name, strnlen(r.name, sizeof r.name)), r.sortKey, r.mapY});
        if (found == listRecords.end()) continue;
        rows[static_cast<size_t>(i)] = found->second;
        listRecords.erase(found);
    }
    return rows;
}

void FormatMoonMapHeader(const DateTime& now, int zoneMinutes, std::string* line1, std::string* line2) {
    *line1 = DateTimeText(now.day, now.month, now.year, now.hour, now.minute);
    int k = 0;
    double jd = ComputeLunation(0.0, 0, nullptr, nullptr, &k, true, now.day - 1, now.month, now.year, now.hour,
                                now.minute, nullptr);
    if (jd > JulianDayFromDateTime(now.year, now.month, now.day, now.hour, now.minute, 0, zoneMinutes)) {
        --k;
        jd = ComputeLunation(0.0, 0, nullptr, nullptr, &k, false, now.day - 1, now.month, now.year, now.hour,
                             now.minute, nullptr);
    }
    int year, month, day, hour, minute, second;
    JDToCalendar(jd + zoneMinutes / 1440.0, &year, &month, &day, &hour, &minute, &second);
    *line2 = "New: " + DateTimeText(day, month, year, hour, minute);
}

std::string MoonFeatureInfoText(const MoonFeatureRecord& feature, const DateTime& now, int zoneMinutes) {
    const double latitude = -feature.latitude, longitude = feature.longitude;
    std::string text = feature.type < kTypeCount ? kTypeWords[feature.type] : "";
    text.append(" ").append(feature.name, strnlen(feature.name, sizeof feature.name));
    text.append("\n\x95 Lat:     ").append(Decimals(latitude, 1)).append("\xB0\n\x95 Lon:     ");
    text.append(Decimals(longitude, 1)).append("\xB0\n\x95 Diam: ").append(Decimals(feature.diameter, 0));
    text.append("km\n\nDates of best visibility");
    double sunrise = 0.0, sunset = 0.0;
    FindFeatureBestDates(longitude, latitude, now, zoneMinutes, &sunrise, &sunset);
    text.append("\n\x95 Rise :").append(MoonCrossingText(sunrise, zoneMinutes));
    text.append("\n\x95 Set :").append(MoonCrossingText(sunset, zoneMinutes));
    return text;
}
