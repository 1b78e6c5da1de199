#include "convert/deep_sky_sources.h"

#include <cmath>
#include <cstring>

#include <sqlite3.h>

#include "convert/source_files.h"
#include "convert/text_1252.h"

namespace convert {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Reader of a big-endian Qt data stream; running past the end throws.
class QtStream {
public:
    QtStream(const std::string& bytes, const std::string& source) : b_(bytes), source_(source) {}
    bool AtEnd() const { return at_ >= b_.size(); }
    uint32_t U32() {
        Need(4);
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(b_[at_++]);
        return v;
    }
    double Double() {
        Need(8);
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i) v = v << 8 | static_cast<unsigned char>(b_[at_++]);
        double d;
        std::memcpy(&d, &v, sizeof d);
        return d;
    }
    // A UTF-16BE string, returned in Windows-1252 ("" for a null string).
    std::string String() {
        uint32_t length = U32();
        if (length == 0xFFFFFFFFu) return "";
        if (length % 2) throw SourceError(source_ + ": damaged text field");
        Need(length);
        std::string utf8;
        for (uint32_t i = 0; i < length; i += 2) {
            unsigned cp = static_cast<unsigned char>(b_[at_ + i]) << 8 | static_cast<unsigned char>(b_[at_ + i + 1]);
            if (cp < 0x80) utf8 += static_cast<char>(cp);
            else if (cp < 0x800) utf8 += {static_cast<char>(0xC0 | cp >> 6), static_cast<char>(0x80 | (cp & 0x3F))};
            else
                utf8 += {static_cast<char>(0xE0 | cp >> 12), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
                         static_cast<char>(0x80 | (cp & 0x3F))};
        }
        at_ += length;
        return ToWindows1252(utf8);
    }

private:
    void Need(std::size_t n) const {
        if (b_.size() - at_ < n || at_ > b_.size()) throw SourceError(source_ + ": ends inside a record");
    }
    const std::string& b_;
    std::string source_;
    std::size_t at_ = 0;
};

bool IsTextColumn(int column) { return column == 14 || (column >= 17 && column <= 23); }

DsoObject ReadObject(QtStream& s) {
    DsoObject o;
    o.id = s.U32();
    double ra = s.Double(), dec = s.Double();
    // Any angle, however many turns below zero, into [0, 24) h; a value just
    // below 0 that rounds up to 24 is 0.
    o.raHours = std::fmod(ra * 12.0 / kPi, 24.0);
    if (o.raHours < 0.0) o.raHours += 24.0;
    if (o.raHours >= 24.0) o.raHours = 0.0;
    o.decDegrees = dec * 180.0 / kPi;
    o.bmag = s.Double();
    o.vmag = s.Double();
    o.type = static_cast<int>(s.U32());
    o.morphology = s.String();
    o.majorDegrees = s.Double();
    o.minorDegrees = s.Double();
    o.orientation = static_cast<int32_t>(s.U32());
    for (int i = 0; i < 6; ++i) {
        double v = s.Double();
        if (i == 4) o.distanceKpc = v;
    }
    for (int c = 0; c < kDsoColumns; ++c) {
        if (IsTextColumn(c)) {
            long n = 0;
            if (LeadingInteger(s.String(), &n)) o.numbers[c] = n;
        } else {
            o.numbers[c] = s.U32();
        }
    }
    if (!std::isfinite(o.raHours) || !std::isfinite(o.decDegrees) || std::fabs(o.decDegrees) > 90.0) o.type = -1;
    return o;
}

// names.dat prefixes and their catalog.dat columns.
int ColumnOfPrefix(const std::string& prefix) {
    static const std::pair<const char*, int> kPrefixes[] = {
        {"NGC", kColNgc}, {"IC", kColIc}, {"M", kColM},    {"C", kColC},     {"B", kColB},
        {"SH2", kColSh2}, {"VDB", kColVdb}, {"RCW", kColRcw}, {"LDN", kColLdn}, {"LBN", kColLbn},
        {"CR", kColCr},   {"MEL", kColMel}, {"PGC", kColPgc}, {"UGC", kColUgc}, {"CED", kColCed},
        {"ACO", kColAco}, {"TR", kColTr},  {"ST", kColSt},   {"RU", kColRu}};
    for (const auto& p : kPrefixes)
        if (prefix == p.first) return p.second;
    return -1;
}

// The name inside _("..."), or "".
std::string QuotedName(const std::string& text) {
    std::size_t open = text.find("_(\"");
    if (open == std::string::npos) return "";
    std::size_t close = text.find("\")", open + 3);
    return close == std::string::npos ? "" : text.substr(open + 3, close - open - 3);
}

double Column(sqlite3_stmt* st, int i, bool* present) {
    *present = sqlite3_column_type(st, i) != SQLITE_NULL;
    return *present ? sqlite3_column_double(st, i) : 0.0;
}

}  // namespace

std::vector<DsoObject> ParseDsoCatalog(const std::string& stream, const std::string& source) {
    QtStream s(stream, source);
    s.String();  // version
    s.String();  // edition
    std::vector<DsoObject> objects;
    while (!s.AtEnd()) {
        DsoObject o = ReadObject(s);
        if (o.type >= 0) objects.push_back(o);
    }
    return objects;
}

std::map<uint32_t, std::vector<std::string>> ParseDsoNames(const std::string& text,
                                                         const std::vector<DsoObject>& objects) {
    std::map<std::pair<int, long>, uint32_t> byNumber;
    std::map<uint32_t, bool> ids;
    for (const DsoObject& o : objects) {
        ids[o.id] = true;
        for (int c = 0; c < kDsoColumns; ++c)
            if (o.numbers[c] > 0) byNumber.emplace(std::make_pair(c, o.numbers[c]), o.id);
    }
    std::map<uint32_t, std::vector<std::string>> names;
    for (const std::string& line : SplitLines(text)) {
        if (line.size() < 21 || line[0] == '#') continue;
        std::string prefix = Trim(line.substr(0, 5));
        long number = 0;
        std::string name = ToWindows1252(QuotedName(line.substr(20)));
        if (name.empty() || !LeadingInteger(line.substr(5, 15), &number)) continue;
        if (prefix.empty()) {
            if (ids.count(static_cast<uint32_t>(number))) names[static_cast<uint32_t>(number)].push_back(name);
            continue;
        }
        auto found = byNumber.find({ColumnOfPrefix(prefix), number});
        if (found != byNumber.end()) names[found->second].push_back(name);
    }
    return names;
}

std::map<std::pair<bool, long>, OpenNgcRow> ReadOpenNgc(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw SourceError(path + ": cannot be opened as a database");
    }
    sqlite3_stmt* st = nullptr;
    const char* query =
        "SELECT catalog_identifier, type, ra, dec, magnitude, major_axis, minor_axis, position_angle FROM cat";
    if (sqlite3_prepare_v2(db, query, -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw SourceError(path + ": has no OpenNGC object table");
    }
    std::map<std::pair<bool, long>, OpenNgcRow> rows;
    std::map<std::pair<bool, long>, bool> plain;
    while (sqlite3_step(st) == SQLITE_ROW) {
        const unsigned char* idText = sqlite3_column_text(st, 0);
        std::string id = idText ? reinterpret_cast<const char*>(idText) : "";
        OpenNgcRow r;
        r.ic = id.rfind("IC", 0) == 0;
        if (!r.ic && id.rfind("NGC", 0) != 0) continue;
        std::string digits = id.substr(r.ic ? 2 : 3);
        std::string suffix = digits.substr(digits.find_first_not_of("0123456789") == std::string::npos
                                               ? digits.size()
                                               : digits.find_first_not_of("0123456789"));
        if (!LeadingInteger(digits, &r.number) || r.number <= 0 || r.number > 99999 || (suffix != "" && suffix != "A"))
            continue;
        bool present = false;
        r.type = sqlite3_column_int(st, 1);
        r.raHours = Column(st, 2, &present) / 15.0;
        r.decDegrees = Column(st, 3, &present);
        if (!present || !(r.raHours >= 0 && r.raHours < 24 && std::fabs(r.decDegrees) <= 90)) continue;
        r.hasPosition = r.raHours != 0 || r.decDegrees != 0;
        r.magnitude = Column(st, 4, &r.hasMagnitude);
        r.majorArcmin = Column(st, 5, &r.hasSize);
        r.minorArcmin = Column(st, 6, &present);
        r.positionAngle = Column(st, 7, &r.hasPositionAngle);
        std::pair<bool, long> key{r.ic, r.number};
        if (plain[key]) continue;
        if (suffix.empty()) plain[key] = true;
        rows[key] = r;
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

}  // namespace convert
