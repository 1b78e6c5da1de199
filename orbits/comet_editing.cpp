#include "orbits/comet_editing.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "catalog/databases.h"
#include "catalog/record_writer.h"
#include "core/julian_day.h"
#include "core/kept_file.h"
#include "core/services.h"
#include "core/text_numbers.h"
#include "orbits/comet_lists.h"

namespace {

constexpr uint32_t kCometRecordBytes = 128;
constexpr uint32_t kNewDatabaseVersion = 1;
constexpr char kCometFile[] = "data\\zendavori_comet.ppc";
constexpr char kCometTemporary[] = "data\\zendavori_comet.ppc.tmp";
constexpr char kCometName[] = "zendavori_comet.ppc";
constexpr double kGaussDegreesPerDay = 0.9856076686;

// A number of a text, false when the text is not a plain finite decimal
// number (blank, letters, an exponent or hexadecimal form, trailing rubbish):
// the value checked is the value stored.
bool Number(const std::string& text, double* value) {
    const char* s = text.c_str();
    while (*s == ' ') ++s;
    if (*s == '\0' || std::strspn(s, "0123456789+-. ") != std::strlen(s)) return false;
    char* end = nullptr;
    const double read = std::strtod(s, &end);
    while (end && *end == ' ') ++end;
    if (!end || *end != '\0' || !std::isfinite(read)) return false;
    *value = ParseDouble(s);
    return *value == read;
}

bool Whole(const std::string& text, long low, long high, int* value) {
    double v = 0;
    if (!Number(text, &v) || v != std::floor(v) || v < low || v > high) return false;
    *value = static_cast<int>(v);
    return true;
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// The day with fraction of a Julian day's calendar date, and its year and month.
void DateOfJulianDay(double jd, int* year, int* month, float* day) {
    int d = 0, hour = 0, minute = 0, second = 0;
    CalendarFromJulianDay(jd, year, month, &d, &hour, &minute, &second);
    *day = static_cast<float>(d + (hour * 3600.0 + minute * 60.0 + second) / 86400.0);
}

struct Checked {
    int year = 0, month = 0;
    double day = 0, distance = 0, meanAnomaly = 0, e = 0, w = 0, node = 0, inc = 0, magnitude = 0;
};

double EpochOf(const Checked& c) {
    const double whole = std::floor(c.day);
    return JulianDayFromDateTime(c.year, c.month, static_cast<int>(whole), 0, 0, 0, 0) + (c.day - whole);
}

// A minor planet's perihelion time T = epoch - M / n (days), NaN when it falls
// outside the years a record holds.
double PerihelionTime(const Checked& c) {
    const double motion = kGaussDegreesPerDay / std::pow(c.distance, 1.5);
    const double t = EpochOf(c) - c.meanAnomaly / motion;
    const double first = JulianDayFromDateTime(-32767, 1, 1, 0, 0, 0, 0);
    const double last = JulianDayFromDateTime(32767, 12, 31, 0, 0, 0, 0);
    return t >= first && t <= last ? t : std::numeric_limits<double>::quiet_NaN();
}

// The texts checked; the label of the first refused field, or "".
std::string Check(const CometElementTexts& t, bool comet, Checked* c) {
    const char* date = comet ? "Time of perihelion" : "Epoch";
    if (!Whole(t.year, -32768, 32767, &c->year)) return date;
    if (!Whole(t.month, 1, 12, &c->month)) return date;
    if (!Number(t.day, &c->day) || c->day < 0 || c->day >= GetDaysInMonth(c->month, c->year) + 1) return date;
    if (!Number(t.distance, &c->distance) || c->distance <= 0)
        return comet ? "Perihelion Distance" : "Semi Major Axis";
    if (!comet && !Number(t.meanAnomaly, &c->meanAnomaly)) return "Mean Anomaly";
    if (!Number(t.eccentricity, &c->e) || c->e < 0 || (!comet && c->e >= 1)) return "Orbit Eccentricity";
    if (!Number(t.argPerihelion, &c->w)) return "Argmt. of Perihelion";
    if (!Number(t.node, &c->node)) return "Longitude Asc. Node";
    if (!Number(t.inclination, &c->inc)) return "Inclination";
    if (!Number(t.magnitude, &c->magnitude)) return "Absolute Magnitude";
    // The perihelion time of a minor planet must be a date of the record.
    if (!comet && !std::isfinite(PerihelionTime(*c))) return "Mean Anomaly";
    return "";
}

// The minor planet's epoch date and elements, with the perihelion distance and
// time the solver reads.
void StoreMinorPlanet(const Checked& c, CometRecord* r) {
    r->epochJulianDay = static_cast<float>(EpochOf(c));
    r->semiMajorAxis = static_cast<float>(c.distance);
    r->meanAnomaly = static_cast<float>(c.meanAnomaly);
    r->perihelionDistance = static_cast<float>(c.distance * (1.0 - c.e));
    int year = 0, month = 0;
    DateOfJulianDay(PerihelionTime(c), &year, &month, &r->day);
    r->year = static_cast<int16_t>(year);
    r->month = static_cast<int16_t>(month);
}

// The raw records of the open database.
std::vector<record_writer::Bytes> ReadAll(bool* ok) {
    std::vector<record_writer::Bytes> records;
    *ok = true;
    const int count = GetCometCount();
    for (int i = 0; i < count; ++i) {
        const uint8_t* bytes = FetchRecord(cometDb, i, kCometRecordBytes);
        if (!bytes) {
            *ok = false;
            break;
        }
        records.emplace_back(bytes, bytes + kCometRecordBytes);
    }
    return records;
}

bool Rewrite(const std::vector<record_writer::Bytes>& records) {
    int version = 0;
    if (!GetDbVersion(cometDb, &version)) version = kNewDatabaseVersion;
    const record_writer::Bytes bytes =
        record_writer::RecordDbBytes(static_cast<uint32_t>(version), kCometRecordBytes, records);
    if (!ReplaceKeptFile(kCometFile, kCometTemporary, bytes)) {
        ShowInformation("Could not save comet database", "");
        return false;
    }
    // The open handle still reads the old file.
    CloseRecordDb(&cometDb);
    OpenRecordDb(&cometDb, "pl11", kCreatorCode, kDataFolder, kCometName);
    return true;
}

}  // namespace

bool ReadCometElementTexts(const CometElementTexts& t, bool comet, CometRecord* record, std::string* refused) {
    Checked c;
    *refused = Check(t, comet, &c);
    if (!refused->empty()) return false;
    CometRecord r = *record;
    r.kind = comet ? kCometRecordKind : kMinorPlanetRecordKind;
    std::memset(r.name, 0, sizeof r.name);
    std::snprintf(r.name, sizeof r.name, "%s", t.name.c_str());
    r.eccentricity = static_cast<float>(c.e);
    r.argPerihelion = static_cast<float>(c.w);
    r.node = static_cast<float>(c.node);
    r.inclination = static_cast<float>(c.inc);
    r.absoluteMagnitude = static_cast<float>(c.magnitude);
    if (comet) {
        r.year = static_cast<int16_t>(c.year);
        r.month = static_cast<int16_t>(c.month);
        r.day = static_cast<float>(c.day);
        r.perihelionDistance = static_cast<float>(c.distance);
    } else {
        StoreMinorPlanet(c, &r);
    }
    *record = r;
    return true;
}

CometElementTexts CometElementTextsOf(const CometRecord& r) {
    CometElementTexts t;
    t.name = std::string(r.name, strnlen(r.name, sizeof r.name));
    char text[32];
    if (r.kind == kCometRecordKind) {
        std::snprintf(text, sizeof text, "%04d", r.year);
        t.year = text;
        std::snprintf(text, sizeof text, "%02d", r.month);
        t.month = text;
        t.day = Fixed(r.day, 4);
        t.distance = Fixed(r.perihelionDistance, 5);
    } else {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
        CalendarFromJulianDay(r.epochJulianDay, &year, &month, &day, &hour, &minute, &second);
        std::snprintf(text, sizeof text, "%04d", year);
        t.year = text;
        std::snprintf(text, sizeof text, "%02d", month);
        t.month = text;
        t.day = Fixed(day + hour / 24.0 + minute / 1440.0, 4);
        t.distance = Fixed(r.semiMajorAxis, 5);
        t.meanAnomaly = Fixed(r.meanAnomaly, 5);
    }
    t.eccentricity = Fixed(r.eccentricity, 5);
    t.argPerihelion = Fixed(r.argPerihelion, 5);
    t.node = Fixed(r.node, 5);
    t.inclination = Fixed(r.inclination, 5);
    t.magnitude = Fixed(r.absoluteMagnitude, 2);
    return t;
}

int SaveCometRecord(int index, const CometRecord& record) {
    bool ok = false;
    std::vector<record_writer::Bytes> records = ReadAll(&ok);
    const int count = static_cast<int>(records.size());
    if (!ok || index < -1 || index >= count) {
        ShowInformation("Could not save comet database", "");
        return -1;
    }
    const int target = index == -1 ? count : index;
    if (index == -1) records.emplace_back();
    records[target] = record_writer::CometBytes(record);
    return Rewrite(records) ? target : -1;
}

bool DeleteCometRecord(int index) {
    bool ok = false;
    std::vector<record_writer::Bytes> records = ReadAll(&ok);
    if (!ok || index < 0 || index >= static_cast<int>(records.size())) return false;
    records.erase(records.begin() + index);
    return Rewrite(records);
}
