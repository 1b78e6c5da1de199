#include "orbits/comet_editing.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "catalog/databases.h"
#include "catalog/listed_comets.h"
#include "catalog/record_writer.h"
#include "catalog/selection_list.h"
#include "core/julian_day.h"
#include "core/kept_file.h"
#include "core/services.h"
#include "core/value_range.h"
#include "orbits/comet_lists.h"
#include "orbits/comet_position.h"

namespace {

constexpr uint32_t kCometRecordBytes = 128;
constexpr uint32_t kNewDatabaseVersion = 1;
constexpr char kCometFile[] = "data\\zendavori_comet.ppc";
constexpr char kCometTemporary[] = "data\\zendavori_comet.ppc.tmp";
constexpr char kCometName[] = "zendavori_comet.ppc";

// The values each element field accepts: the record's years, the calendar,
// distances from the least the display shows (0.00001 AU) up to 10000 AU,
// angles of a circle (inclinations of half of one), an eccentricity that the
// display shows below 1 for a minor planet (a comet's up to 100, far beyond
// any hyperbolic visitor) and magnitudes within 100. Every bound is one the
// display can show, so that a value taken shows a text that is taken again.
constexpr char kDegrees[] = "\xB0";
constexpr ValueRange kYears{-32768, 32767, false, false, true};
constexpr ValueRange kMonths{1, 12, false, false, true};
constexpr ValueRange kDistances{0.00001, 10000, false, false, false, " AU"};
constexpr ValueRange kCircle{0, 360, false, false, false, kDegrees};
constexpr ValueRange kInclinations{0, 180, false, false, false, kDegrees};
constexpr ValueRange kCometEccentricities{0, 100};
constexpr ValueRange kMinorPlanetEccentricities{0, 0.99999};
constexpr ValueRange kMagnitudes{-100, 100};

// A plain decimal text (blanks around it, an optional sign, digits with an
// optional fraction after '.'; no exponent, "inf", "nan" or hexadecimal form)
// read once, correctly rounded to T: the value checked is the value stored.
// False for any other text and for a value beyond T's range.
template <typename T>
bool ReadPlainNumber(const std::string& text, T* value) {
    const char* s = text.data();
    const char* end = s + text.size();
    while (s < end && *s == ' ') ++s;
    while (end > s && end[-1] == ' ') --end;
    if (s < end && *s == '+' && ++s < end && *s == '-') return false;
    T read{};
    const auto [stop, error] = std::from_chars(s, end, read, std::chars_format::fixed);
    if (s == end || error != std::errc() || stop != end || !std::isfinite(read)) return false;
    *value = read;
    return true;
}

// One field read into *value when its text reads and lies in its range; else
// the field's refusal in *refused.
template <typename T>
bool Take(const std::string& text, const char* label, const ValueRange& range, T* value, std::string* refused) {
    // The bounds as T holds them, so that a bound typed is a bound taken.
    ValueRange bounds = range;
    bounds.low = static_cast<T>(range.low);
    bounds.high = static_cast<T>(range.high);
    T read{};
    if (ReadPlainNumber(text, &read) && InValueRange(read, bounds)) {
        *value = read;
        return true;
    }
    *refused = ValueRangeRefusal(label, range);
    return false;
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

struct Checked {
    int year = 0, month = 0;
    double day = 0;  // a comet's is the single-precision value it keeps
    float distance = 0, meanAnomaly = 0, e = 0, w = 0, node = 0, inc = 0, magnitude = 0;
};

double EpochOf(const Checked& c) {
    const double whole = std::floor(c.day);
    return JulianDayFromDateTime(c.year, c.month, static_cast<int>(whole), 0, 0, 0, 0) + (c.day - whole);
}

// The date fields' texts: year, month and the day with its fraction.
void SetDateTexts(int year, int month, double day, CometElementTexts* t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d", year);
    t->year = text;
    std::snprintf(text, sizeof text, "%02d", month);
    t->month = text;
    t->day = Fixed(day, 4);
}

// The date fields: whole year and month, the day from 0 (the astronomers' day
// 0, the month before's last) to the month's last day + 1 (the next month's
// first).
bool CheckDate(const CometElementTexts& t, bool comet, Checked* c, std::string* refused) {
    double year = 0, month = 0;
    if (!Take(t.year, "Year", kYears, &year, refused) || !Take(t.month, "Month", kMonths, &month, refused))
        return false;
    c->year = static_cast<int>(year);
    c->month = static_cast<int>(month);
    const ValueRange days{0, GetDaysInMonth(c->month, c->year) + 1.0};
    if (!comet) return Take(t.day, "Day", days, &c->day, refused);
    float day = 0;
    if (!Take(t.day, "Day", days, &day, refused)) return false;
    c->day = day;
    return true;
}

// The texts checked, each read once; false with the refusal of the first
// field refused.
bool Check(const CometElementTexts& t, bool comet, Checked* c, std::string* refused) {
    if (!CheckDate(t, comet, c, refused) ||
        !Take(t.distance, comet ? "Perihelion Distance" : "Semi Major Axis", kDistances, &c->distance, refused) ||
        (!comet && !Take(t.meanAnomaly, "Mean Anomaly", kCircle, &c->meanAnomaly, refused)) ||
        !Take(t.eccentricity, "Orbit Eccentricity", comet ? kCometEccentricities : kMinorPlanetEccentricities,
              &c->e, refused) ||
        !Take(t.argPerihelion, "Argmt. of Perihelion", kCircle, &c->w, refused) ||
        !Take(t.node, "Longitude Asc. Node", kCircle, &c->node, refused) ||
        !Take(t.inclination, "Inclination", kInclinations, &c->inc, refused) ||
        !Take(t.magnitude, "Absolute Magnitude", kMagnitudes, &c->magnitude, refused))
        return false;
    return true;
}

// Whether a field holds a text other than the one the record shows: only such
// a field takes the value typed; the others keep the record's value bit for
// bit, so that the display's rounding is never written back. Every field of a
// record saved as another kind is taken.
class EditedFields {
public:
    EditedFields(const CometElementTexts& typed, const CometRecord& record, bool comet)
        : typed_(typed), shown_(CometElementTextsOf(record)),
          sameKind_(record.kind == (comet ? kCometRecordKind : kMinorPlanetRecordKind)) {}
    bool operator()(std::string CometElementTexts::*field) const {
        return !sameKind_ || typed_.*field != shown_.*field;
    }

private:
    const CometElementTexts& typed_;
    CometElementTexts shown_;
    bool sameKind_;
};

// The minor planet's epoch, a and M where edited, then the perihelion
// distance and time the solver reads, made again when the epoch, a, e or M
// changed. False when that perihelion time is no date of the record.
bool StoreMinorPlanet(const Checked& c, const EditedFields& edited, CometRecord* r) {
    using T = CometElementTexts;
    const bool date = edited(&T::year) || edited(&T::month) || edited(&T::day);
    if (date) r->epochJulianDay = static_cast<float>(EpochOf(c));
    if (edited(&T::distance)) r->semiMajorAxis = c.distance;
    if (edited(&T::meanAnomaly)) r->meanAnomaly = c.meanAnomaly;
    if (!date && !edited(&T::distance) && !edited(&T::eccentricity) && !edited(&T::meanAnomaly)) return true;
    return SetMinorPlanetPerihelion(r, date ? EpochOf(c) : r->epochJulianDay);
}

// The raw records of the open database; false, after the refusal naming the
// file, when the file is there and a record or the file itself cannot be read:
// a file written from what was read would lose the rest.
bool ReadAll(std::vector<record_writer::Bytes>* records) {
    bool read = !IsDataFileUnreadable(cometDb, kCometName, kCometRecordBytes);
    const int count = GetCometCount();
    for (int i = 0; read && i < count; ++i) {
        const uint8_t* bytes = FetchRecord(cometDb, i, kCometRecordBytes);
        read = bytes != nullptr;
        if (read) records->emplace_back(bytes, bytes + kCometRecordBytes);
    }
    if (!read) ShowInformation("Could not save comet database", UnreadableDataFile(kCometName));
    return read;
}

// Writes the records as the comet file and opens it again; the list's comet
// entries follow their records (`removed`: the record taken out, or -1).
bool Rewrite(const std::vector<record_writer::Bytes>& records, int removed = -1) {
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
    ++selectionListChanges;  // the list's comets and asteroids are placed again from these records
    MatchListedComets(removed);
    return true;
}

}  // namespace

bool ReadCometElementTexts(const CometElementTexts& t, bool comet, CometRecord* record, std::string* refused) {
    Checked c;
    refused->clear();
    if (!Check(t, comet, &c, refused)) return false;
    using T = CometElementTexts;
    const EditedFields edited(t, *record, comet);
    CometRecord r = *record;
    r.kind = comet ? kCometRecordKind : kMinorPlanetRecordKind;
    if (edited(&T::name)) {
        std::memset(r.name, 0, sizeof r.name);
        std::snprintf(r.name, sizeof r.name, "%s", t.name.c_str());
    }
    if (edited(&T::eccentricity)) r.eccentricity = c.e;
    if (edited(&T::argPerihelion)) r.argPerihelion = c.w;
    if (edited(&T::node)) r.node = c.node;
    if (edited(&T::inclination)) r.inclination = c.inc;
    if (edited(&T::magnitude)) r.absoluteMagnitude = c.magnitude;
    if (comet) {
        // A year and a month shown read back as the whole numbers stored.
        r.year = static_cast<int16_t>(c.year);
        r.month = static_cast<int16_t>(c.month);
        if (edited(&T::day)) r.day = static_cast<float>(c.day);
        if (edited(&T::distance)) r.perihelionDistance = c.distance;
    } else if (!StoreMinorPlanet(c, edited, &r)) {
        *refused = "The perihelion time of these elements falls outside the years -32767 to 32767";
        return false;
    }
    *record = r;
    return true;
}

CometElementTexts CometElementTextsOf(const CometRecord& r) {
    CometElementTexts t;
    t.name = std::string(r.name, strnlen(r.name, sizeof r.name));
    if (r.kind == kCometRecordKind) {
        SetDateTexts(r.year, r.month, r.day, &t);
        t.distance = Fixed(r.perihelionDistance, 5);
    } else {
        int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
        CalendarFromJulianDay(r.epochJulianDay, &year, &month, &day, &hour, &minute, &second);
        SetDateTexts(year, month, day + hour / 24.0 + minute / 1440.0, &t);
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

bool ReadCometElementDate(const CometElementTexts& texts, DateTime* t) {
    Checked c;
    std::string refused;
    if (!CheckDate(texts, false, &c, &refused)) return false;
    DateTime d{};
    CalendarFromJulianDay(EpochOf(c), &d.year, &d.month, &d.day, &d.hour, &d.minute, &d.second);
    *t = d;
    return true;
}

void WriteCometElementDate(const DateTime& t, CometElementTexts* texts) {
    SetDateTexts(t.year, t.month, t.day + t.hour / 24.0 + t.minute / 1440.0 + t.second / 86400.0, texts);
}

int SaveCometRecord(int index, const CometRecord& record) {
    std::vector<record_writer::Bytes> records;
    if (!ReadAll(&records)) return -1;
    const int count = static_cast<int>(records.size());
    if (index < -1 || index >= count) {
        ShowInformation("Could not save comet database", "");
        return -1;
    }
    const record_writer::Bytes bytes = record_writer::CometBytes(record);
    // A record saved as it is stored leaves the file as it is.
    if (index >= 0 && records[index] == bytes) return index;
    const int target = index == -1 ? count : index;
    if (index == -1) records.emplace_back();
    records[target] = bytes;
    return Rewrite(records) ? target : -1;
}

bool DeleteCometRecord(int index) {
    std::vector<record_writer::Bytes> records;
    if (!ReadAll(&records) || index < 0 || index >= static_cast<int>(records.size())) return false;
    records.erase(records.begin() + index);
    return Rewrite(records, index);
}
