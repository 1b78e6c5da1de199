#include "convert/small_files.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include "convert/source_files.h"
#include "convert/text_1252.h"
#include "orbits/comet_position.h"

namespace convert {
namespace {

using record_writer::Bytes;

constexpr double kDegree = 3.14159265358979323846 / 180.0;
constexpr int kMoonFeatures = 500;
constexpr double kMoonRadiusKm = 1737.4;
constexpr double kMoonMapHalf = 480.0;  // the Moon map is 960 pixels across
constexpr uint16_t kMoonCrater = 2;
constexpr uint16_t kMoonLanding = 5;
constexpr int16_t kMarsLanding = 5;

[[noreturn]] void Malformed(const std::string& source, std::size_t line) {
    throw SourceError(source + ": line " + std::to_string(line) + " is malformed");
}

// Longitude brought into -180..180.
double Signed180(double longitude) {
    double l = std::fmod(longitude, 360.0);
    if (l > 180.0) l -= 360.0;
    if (l <= -180.0) l += 360.0;
    return l;
}

std::string Cut(const std::string& text, std::size_t length) { return text.substr(0, length); }

// Type codes of the lunar records by USGS feature type (sinus as mare).
int MoonType(const std::string& usgs) {
    static const char* const kCodes[] = {"CB", "MO", "AA", "PA", "PL", "LF", "CA", "CM", "RU", "TA", "OC", "LC", "ME"};
    for (int i = 0; i < 13; ++i)
        if (usgs == kCodes[i]) return i;
    return usgs == "SI" ? 12 : -1;
}

// Group codes of the Martian records by USGS feature type (5 is a landing
// site); valles are filed with the chasmata.
int MarsType(const std::string& usgs) {
    static const char* const kCodes[] = {"CB", "MO", "AA", "PL", "PM", "", "CA", "CM", "RU", "TA"};
    constexpr int kChasmata = 7;
    for (int i = 0; i < 10; ++i)
        if (i != kMarsLanding && usgs == kCodes[i]) return i;
    return usgs == "VA" ? kChasmata : -1;
}

MoonFeatureRecord MoonRecord(int type, const std::string& name, double latitude, double longitude, double diameter) {
    MoonFeatureRecord m{};
    double l = Signed180(longitude);
    m.type = static_cast<uint16_t>(type);
    m.sortKey = static_cast<int16_t>(std::lround(kMoonMapHalf * (1 + std::sin(l * kDegree) * std::cos(latitude * kDegree))));
    m.mapY = static_cast<int16_t>(std::lround(kMoonMapHalf * (1 - std::sin(latitude * kDegree))));
    m.mapSize = static_cast<int16_t>(std::lround(kMoonMapHalf * diameter / 2 / kMoonRadiusKm));
    m.latitude = static_cast<float>(-latitude);
    m.longitude = static_cast<float>(l);
    m.diameter = static_cast<float>(diameter);
    std::strncpy(m.name, Cut(name, sizeof m.name - 1).c_str(), sizeof m.name - 1);
    return m;
}

// "-0° 07' 00\"" (the sign on the degrees) or a decimal number.
bool ParseAngle(const std::string& text, double* degrees) {
    std::string t = Trim(text);
    if (ParseDouble(t, degrees)) return true;
    double parts[3] = {0, 0, 0};
    int n = 0;
    const char* p = t.c_str();
    while (*p && n < 3) {
        while (*p && !std::isdigit(static_cast<unsigned char>(*p))) ++p;
        if (!*p) break;
        char* end = nullptr;
        parts[n++] = std::strtod(p, &end);
        p = end;
    }
    if (n == 0) return false;
    double v = parts[0] + parts[1] / 60.0 + parts[2] / 3600.0;
    *degrees = t[0] == '-' ? -v : v;
    return true;
}

std::string ColumnText(sqlite3_stmt* st, int i) {
    const unsigned char* t = sqlite3_column_text(st, i);
    return t ? Trim(reinterpret_cast<const char*>(t)) : "";
}

// A JSON value that may be a number, a numeric string or null.
bool JsonNumber(const nlohmann::json& v, double* out) {
    if (v.is_number()) {
        *out = v.get<double>();
        return std::isfinite(*out);
    }
    return v.is_string() && ParseDouble(v.get<std::string>(), out);
}

CometRecord CometFromMpc(const nlohmann::json& c) {
    CometRecord r{};
    r.kind = 13;
    std::string name = ToWindows1252(c.value("Designation_and_name", std::string()));
    std::strncpy(r.name, Cut(name, sizeof r.name - 1).c_str(), sizeof r.name - 1);
    double v[10];
    const char* keys[10] = {"Year_of_perihelion", "Month_of_perihelion", "Day_of_perihelion", "Perihelion_dist", "e",
                            "Peri", "Node", "i", "H", "G"};
    for (int k = 0; k < 10; ++k)
        if (!c.contains(keys[k]) || !JsonNumber(c[keys[k]], &v[k])) throw SourceError(std::string("comet without ") + keys[k]);
    r.year = static_cast<int16_t>(v[0]);
    r.month = static_cast<int16_t>(v[1]);
    r.day = static_cast<float>(v[2]);
    r.perihelionDistance = static_cast<float>(v[3]);
    r.eccentricity = static_cast<float>(v[4]);
    r.argPerihelion = static_cast<float>(v[5]);
    r.node = static_cast<float>(v[6]);
    r.inclination = static_cast<float>(v[7]);
    r.absoluteMagnitude = static_cast<float>(v[8]);
    r.slope = static_cast<float>(2.5 * v[9]);  // the MPC's comet slope parameter k/2.5
    return r;
}

// A JPL row as a minor planet; false for a trans-Neptunian object, a row
// without elements or one whose perihelion time no record can hold.
bool MinorPlanetFromJpl(const std::map<std::string, std::size_t>& column, const nlohmann::json& row, CometRecord* r) {
    auto text = [&](const char* key) -> std::string {
        auto it = column.find(key);
        return it == column.end() || it->second >= row.size() || !row[it->second].is_string() ? ""
                                                                                             : row[it->second].get<std::string>();
    };
    if (text("class") == "TNO") return false;
    double mjd, e, a, i, node, peri, m, h, g = 0.15;
    if (!ParseDouble(text("epoch_mjd"), &mjd) || !ParseDouble(text("e"), &e) || !ParseDouble(text("a"), &a) ||
        !ParseDouble(text("i"), &i) || !ParseDouble(text("om"), &node) || !ParseDouble(text("w"), &peri) ||
        !ParseDouble(text("ma"), &m) || !ParseDouble(text("H"), &h))
        return false;
    ParseDouble(text("G"), &g);
    *r = {};
    r->kind = 18;
    std::string name = ToWindows1252(Trim(text("full_name")));
    std::strncpy(r->name, Cut(name, sizeof r->name - 1).c_str(), sizeof r->name - 1);
    const double epoch = mjd + 2400000.5;
    r->epochJulianDay = static_cast<float>(epoch);
    r->semiMajorAxis = static_cast<float>(a);
    r->meanAnomaly = static_cast<float>(m);
    r->eccentricity = static_cast<float>(e);
    r->argPerihelion = static_cast<float>(peri);
    r->node = static_cast<float>(node);
    r->inclination = static_cast<float>(i);
    r->absoluteMagnitude = static_cast<float>(h);
    r->slope = static_cast<float>(g);
    // The date fields hold the perihelion time the orbit computation reads (as
    // the orbit assistant's Save writes it), not the epoch.
    return SetMinorPlanetPerihelion(r, epoch);
}

}  // namespace

std::vector<Feature> ParseNomenclature(const std::string& text, const std::string& source) {
    std::vector<Feature> features;
    std::vector<std::string> lines = SplitLines(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (Trim(lines[n]).empty() || lines[n][0] == '#') continue;
        std::vector<std::string> f = SplitAt(lines[n], '\t');
        Feature ft;
        if (f.size() != 7 || !ParseDouble(f[4], &ft.latitude) || !ParseDouble(f[5], &ft.longitude) ||
            !ParseDouble(f[6], &ft.diameter))
            Malformed(source, n + 1);
        ft.body = f[0];
        ft.type = f[3];
        std::string name = f[2];
        if (name.rfind("_(\"", 0) == 0) name = name.substr(3, name.find('"', 3) - 3);
        ft.name = ToWindows1252(name);
        features.push_back(ft);
    }
    return features;
}

std::vector<Marker> ParseMarkers(const std::string& text, const std::string& source) {
    std::vector<Marker> markers;
    std::vector<std::string> lines = SplitLines(text);
    std::string section;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        std::string line = lines[n].substr(0, lines[n].find('#'));
        std::size_t open = line.find('"');
        if (Trim(lines[n]).empty()) section.clear();
        if (!lines[n].empty() && lines[n][0] == '#') section = Trim(lines[n].substr(1));
        if (Trim(line).empty()) continue;
        std::size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        std::string head = line.substr(0, open);
        std::replace(head.begin(), head.end(), ',', ' ');
        std::vector<std::string> w = SplitWords(head);
        Marker m;
        if (close == std::string::npos || w.size() != 2 || !ParseDouble(w[0], &m.latitude) ||
            !ParseDouble(w[1], &m.longitude))
            Malformed(source, n + 1);
        m.label = line.substr(open + 1, close - open - 1);
        m.section = section;
        markers.push_back(m);
    }
    return markers;
}

std::vector<Bytes> BuildMoonFile(const std::vector<Feature>& features, const std::vector<Marker>& landings) {
    std::vector<MoonFeatureRecord> chosen;
    for (const Marker& m : landings) chosen.push_back(MoonRecord(kMoonLanding, m.label, m.latitude, m.longitude, 0));
    std::vector<const Feature*> candidates;
    for (const Feature& f : features)
        if (f.body == "Moon" && MoonType(f.type) >= 0 && std::cos(f.longitude * kDegree) > 0) candidates.push_back(&f);
    std::stable_sort(candidates.begin(), candidates.end(), [](const Feature* a, const Feature* b) {
        bool craterA = MoonType(a->type) == kMoonCrater, craterB = MoonType(b->type) == kMoonCrater;
        return craterA != craterB ? craterB : a->diameter > b->diameter;
    });
    for (std::size_t i = 0; i < candidates.size() && chosen.size() < kMoonFeatures; ++i) {
        const Feature& f = *candidates[i];
        chosen.push_back(MoonRecord(MoonType(f.type), f.name, f.latitude, f.longitude, f.diameter));
    }
    auto byName = chosen;
    std::stable_sort(byName.begin(), byName.end(),
                     [](const MoonFeatureRecord& a, const MoonFeatureRecord& b) { return std::strcmp(a.name, b.name) < 0; });
    auto byX = byName;
    std::stable_sort(byX.begin(), byX.end(),
                     [](const MoonFeatureRecord& a, const MoonFeatureRecord& b) { return a.sortKey < b.sortKey; });
    std::vector<Bytes> records;
    for (const auto* half : {&byName, &byX})
        for (const MoonFeatureRecord& m : *half) records.push_back(record_writer::MoonBytes(m));
    return records;
}

std::vector<Bytes> BuildMarsFile(const std::vector<Feature>& features, const std::vector<Marker>& landers) {
    std::vector<MarsFeatureRecord> records;
    auto add = [&](int type, const std::string& name, double latitude, double eastLongitude, double size) {
        MarsFeatureRecord r{};
        double l = Signed180(eastLongitude);
        std::strncpy(r.name, Cut(name, sizeof r.name - 1).c_str(), sizeof r.name - 1);
        r.group = static_cast<int16_t>(type);
        r.mapX = static_cast<int16_t>(std::lround((l + 180.0) * 640.0 / 360.0));
        r.mapY = static_cast<int16_t>(std::lround((90.0 - latitude) * 320.0 / 180.0));
        r.size = static_cast<int16_t>(std::clamp(std::lround(size), 0L, 32767L));
        r.latitude = static_cast<float>(latitude);
        r.longitude = static_cast<float>(l);
        records.push_back(r);
    };
    for (const Feature& f : features)
        if (f.body == "Mars" && MarsType(f.type) >= 0) add(MarsType(f.type), f.name, f.latitude, f.longitude, f.diameter);
    for (const Marker& m : landers)
        if (m.section.rfind("Landing Sites", 0) == 0) add(kMarsLanding, m.label, m.latitude, -m.longitude, 0);
    std::stable_sort(records.begin(), records.end(), [](const MarsFeatureRecord& a, const MarsFeatureRecord& b) {
        return a.group != b.group ? a.group < b.group : std::strcmp(a.name, b.name) < 0;
    });
    std::vector<Bytes> out;
    for (const MarsFeatureRecord& r : records) out.push_back(record_writer::MarsBytes(r));
    return out;
}

std::vector<Bytes> BuildLocationFile(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db, "SELECT Name, Country, Latitude, Longitude, TZ FROM city", -1, &st, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw SourceError(path + ": cannot be read as the city database");
    }
    struct City {
        std::string country, name;
        double latitude, longitude, zone;
    };
    std::vector<City> cities;
    while (sqlite3_step(st) == SQLITE_ROW) {
        City c{Cut(ToWindows1252(ColumnText(st, 1)), 23), Cut(ToWindows1252(ColumnText(st, 0)), 23), 0, 0,
               sqlite3_column_double(st, 4)};
        if (c.name.empty() || !ParseAngle(ColumnText(st, 2), &c.latitude) || !ParseAngle(ColumnText(st, 3), &c.longitude) ||
            std::fabs(c.latitude) > 90 || std::fabs(c.longitude) > 180 || std::fabs(c.zone) > 14)
            continue;
        cities.push_back(c);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    std::stable_sort(cities.begin(), cities.end(), [](const City& a, const City& b) {
        return a.country != b.country ? a.country < b.country : a.name < b.name;
    });
    std::vector<Bytes> records;
    for (const City& c : cities)
        records.push_back(record_writer::LocationBytes(c.country, c.name, static_cast<float>(c.latitude),
                                                       static_cast<float>(c.longitude),
                                                       static_cast<int16_t>(std::lround(c.zone * 60))));
    return records;
}

std::vector<Bytes> BuildCometFile(const std::string& mpcJson, const std::string& jplJson, const std::string& source) {
    nlohmann::json mpc = nlohmann::json::parse(mpcJson, nullptr, false);
    nlohmann::json jpl = nlohmann::json::parse(jplJson, nullptr, false);
    if (!mpc.is_array() || !jpl.is_object() || !jpl.contains("fields") || !jpl.contains("data") ||
        !jpl["fields"].is_array() || !jpl["data"].is_array())
        throw SourceError(source + ": not the expected comet and minor-planet lists");
    std::vector<Bytes> records;
    for (const nlohmann::json& c : mpc)
        if (c.is_object()) records.push_back(record_writer::CometBytes(CometFromMpc(c)));
    std::map<std::string, std::size_t> column;
    for (std::size_t i = 0; i < jpl["fields"].size(); ++i)
        if (jpl["fields"][i].is_string()) column[jpl["fields"][i].get<std::string>()] = i;
    for (const nlohmann::json& row : jpl["data"]) {
        CometRecord r;
        if (row.is_array() && MinorPlanetFromJpl(column, row, &r)) records.push_back(record_writer::CometBytes(r));
    }
    return records;
}

}  // namespace convert
