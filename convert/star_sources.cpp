#include "convert/star_sources.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "convert/source_files.h"

namespace convert {
namespace {

constexpr double kPi = 3.14159265358979323846;

[[noreturn]] void Malformed(const std::string& source, std::size_t line) {
    throw SourceError(source + ": line " + std::to_string(line) + " is malformed");
}

// ---- Stellarium zones: the triangles of a subdivided icosahedron ----

struct Vec {
    double x, y, z;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(double s, Vec a) { return {s * a.x, s * a.y, s * a.z}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec Unit(Vec a) { return (1.0 / std::sqrt(Dot(a, a))) * a; }

using Triangle = std::array<Vec, 3>;

std::vector<Triangle> Zones(int level) {
    const double g = (1.0 + std::sqrt(5.0)) / 2.0;
    const double b = 1.0 / std::sqrt(1.0 + g * g);
    const double a = b * g;
    const Vec c[12] = {{a, -b, 0}, {a, b, 0}, {-a, b, 0}, {-a, -b, 0}, {0, a, -b}, {0, a, b},
                       {0, -a, b}, {0, -a, -b}, {-b, 0, a}, {b, 0, a}, {b, 0, -a}, {-b, 0, -a}};
    const int corners[20][3] = {{1, 0, 10}, {0, 1, 9},  {0, 9, 6},  {9, 8, 6},  {0, 7, 10}, {6, 7, 0}, {7, 6, 3},
                                {6, 8, 3},  {11, 10, 7}, {7, 3, 11}, {3, 2, 11}, {2, 3, 8},  {10, 11, 4}, {2, 4, 11},
                                {5, 4, 2},  {2, 8, 5},  {4, 1, 10}, {4, 5, 1},  {5, 9, 1},  {8, 9, 5}};
    std::vector<Triangle> zones;
    for (const auto& t : corners) zones.push_back({c[t[0]], c[t[1]], c[t[2]]});
    for (int l = 0; l < level; ++l) {
        std::vector<Triangle> next;
        for (const Triangle& t : zones) {
            Vec e0 = Unit(t[1] + t[2]), e1 = Unit(t[2] + t[0]), e2 = Unit(t[0] + t[1]);
            next.push_back({t[0], e2, e1});
            next.push_back({e2, t[1], e0});
            next.push_back({e1, e0, t[2]});
            next.push_back({e0, e1, e2});
        }
        zones = std::move(next);
    }
    return zones;
}

struct ZoneFrame {
    Vec centre, axis0, axis1;
};

ZoneFrame Frame(const Triangle& t) {
    Vec centre = Unit(t[0] + t[1] + t[2]);
    Vec axis0 = Unit(Cross({0, 0, 1}, centre));
    return {centre, axis0, Cross(centre, axis0)};
}

// The scale that maps the largest corner coordinate of every zone onto the
// largest record coordinate (2^31 - 1 for 28-byte records).
double ZoneScale(const std::vector<Triangle>& zones) {
    double largest = 0;
    for (const Triangle& t : zones) {
        ZoneFrame f = Frame(t);
        for (const Vec& k : t) {
            double mu0 = Dot(k - f.centre, f.axis0), mu1 = Dot(k - f.centre, f.axis1);
            double h = 1.0 / std::sqrt(1.0 - mu0 * mu0 - mu1 * mu1);
            largest = std::max({largest, std::fabs(mu0) * h, std::fabs(mu1) * h});
        }
    }
    return largest / 2147483647.0;
}

uint32_t Le32(const std::string& b, std::size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

HipStar DecodeStar(const std::string& b, std::size_t at, const ZoneFrame& f, double scale, const uint32_t header[8]) {
    HipStar s;
    s.hip = static_cast<int>(Le32(b, at) & 0xFFFFFF);
    s.component = static_cast<int>(Le32(b, at) >> 24);
    double x0 = static_cast<int32_t>(Le32(b, at + 4)), x1 = static_cast<int32_t>(Le32(b, at + 8));
    Vec v = Unit(f.centre + (scale * x0) * f.axis0 + (scale * x1) * f.axis1);
    double ra = std::atan2(v.y, v.x) * 12.0 / kPi;
    s.raHours = ra < 0 ? ra + 24.0 : ra;
    s.decDegrees = std::asin(v.z) * 180.0 / kPi;
    int bv = static_cast<unsigned char>(b[at + 12]);
    int m = static_cast<unsigned char>(b[at + 13]);
    int32_t magMin = static_cast<int32_t>(header[5]);
    s.vmag = (magMin + static_cast<double>(m) * header[6] / header[7]) / 1000.0;
    s.bv = bv * 4.0 / 127.0 - 0.5;
    return s;
}

}  // namespace

std::vector<BscStar> ParseBsc(const std::string& text, const std::string& source) {
    std::vector<BscStar> stars;
    std::vector<std::string> lines = SplitLines(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        std::string t = Trim(line);
        if (t.empty() || t[0] == '#') continue;
        std::size_t open = line.find('"');
        std::size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (close == std::string::npos || close - open - 1 != 10) Malformed(source, n + 1);
        std::vector<std::string> head = SplitWords(line.substr(0, open));
        std::vector<std::string> tail = SplitWords(line.substr(close + 1));
        BscStar s;
        long hr = 0;
        if (head.size() != 3 || tail.size() < 2 || !ParseDouble(head[0], &s.decDegrees) ||
            !ParseDouble(head[1], &s.raHours) || !ParseDouble(head[2], &s.vmag) || !LeadingInteger(tail[0], &hr) ||
            !LeadingInteger(tail[1], &s.hd) || hr <= 0 || hr > 32767 || s.raHours < 0 || s.raHours >= 24 ||
            std::fabs(s.decDegrees) > 90)
            Malformed(source, n + 1);
        s.hr = static_cast<int>(hr);
        s.nameField = line.substr(open + 1, 10);
        stars.push_back(s);
    }
    return stars;
}

BscName ParseBscName(const std::string& nameField) {
    static const char* const kCodes[] = {"Alp", "Bet", "Gam", "Del", "Eps", "Zet", "Eta", "The",
                                         "Iot", "Kap", "Lam", "Mu ", "Nu ", "Xi ", "Omi", "Pi ",
                                         "Rho", "Sig", "Tau", "Ups", "Phi", "Chi", "Psi", "Ome"};
    static const char kSymbols[] = "abgdezhqiklmnxoprstufcyw";
    BscName name;
    if (nameField.size() < 10) return name;
    long flamsteed = 0;
    if (LeadingInteger(nameField.substr(0, 3), &flamsteed) && flamsteed < 256) name.flamsteed = static_cast<int>(flamsteed);
    std::string code = nameField.substr(3, 3);
    for (int i = 0; i < 24; ++i)
        if (code == kCodes[i]) name.bayer = kSymbols[i];
    if (nameField[6] >= '1' && nameField[6] <= '9') name.superscript = nameField[6] - '0';
    return name;
}

std::vector<HipStar> ParseStellariumStars(const std::string& bytes, const std::string& source) {
    if (bytes.size() < 32) throw SourceError(source + ": too short");
    uint32_t header[8];
    for (int i = 0; i < 8; ++i) header[i] = Le32(bytes, 4 * i);
    if (header[0] != 0x835F040Au || header[1] != 0 || header[4] > 4 || header[7] == 0)
        throw SourceError(source + ": not a Hipparcos star catalogue");
    std::vector<Triangle> zones = Zones(static_cast<int>(header[4]));
    std::size_t at = 32 + 4 * zones.size();
    if (bytes.size() < at) throw SourceError(source + ": zone table cut short");
    uint64_t total = 0;
    for (std::size_t z = 0; z < zones.size(); ++z) total += Le32(bytes, 32 + 4 * z);
    if (bytes.size() != at + 28 * total) throw SourceError(source + ": length does not match its zone table");
    double scale = ZoneScale(zones);
    std::vector<HipStar> stars;
    for (std::size_t z = 0; z < zones.size(); ++z) {
        ZoneFrame f = Frame(zones[z]);
        for (uint32_t k = Le32(bytes, 32 + 4 * z); k > 0; --k, at += 28) {
            HipStar s = DecodeStar(bytes, at, f, scale, header);
            if (s.hip > 0) stars.push_back(s);
        }
    }
    return stars;
}

namespace {

constexpr long kLargestHip = 0xFFFFFF;  // 24 bits in the star records
constexpr long kLargestHr = 32767;      // a 16-bit field in the star records

// Calls `row(hip, component, hr)` for each cross-id.dat row that names an HR star.
template <typename Row>
void ForEachHrRow(const std::string& text, Row row) {
    for (const std::string& line : SplitLines(text)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f = SplitAt(line, '\t');
        long hip = 0, hr = 0;
        if (f.size() < 5 || !LeadingInteger(f[0], &hip) || !LeadingInteger(f[4], &hr) || hip <= 0 || hip > kLargestHip ||
            hr <= 0 || hr > kLargestHr)
            continue;
        std::string letter = Trim(f[1]);
        int component = letter.size() == 1 && letter[0] >= 'A' && letter[0] <= 'Z' ? letter[0] - 'A' + 1 : 0;
        row(static_cast<int>(hip), component, static_cast<int>(hr));
    }
}

}  // namespace

std::map<int, int> ParseCrossIdHipToHr(const std::string& text) {
    std::map<int, int> hipToHr;
    ForEachHrRow(text, [&](int hip, int, int hr) { hipToHr.emplace(hip, hr); });
    return hipToHr;
}

std::map<int, std::pair<int, int>> ParseCrossIdHrToHip(const std::string& text) {
    std::map<int, std::pair<int, int>> hrToHip;
    ForEachHrRow(text, [&](int hip, int component, int hr) { hrToHip.emplace(hr, std::make_pair(hip, component)); });
    return hrToHip;
}

std::vector<Figure> ParseFigures(const std::string& text, const std::string& source) {
    std::vector<Figure> figures;
    std::vector<std::string> lines = SplitLines(text);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        std::vector<std::string> w = SplitWords(lines[n]);
        if (w.empty() || w[0][0] == '#') continue;
        long count = 0;
        if (w.size() < 2 || !LeadingInteger(w[1], &count) || w.size() != 2 + 2 * static_cast<std::size_t>(count))
            Malformed(source, n + 1);
        if (w[0][0] == '.') continue;
        Figure f{w[0], {}};
        for (long i = 0; i < count; ++i) {
            long a = 0, b = 0;
            if (!LeadingInteger(w[2 + 2 * i], &a) || !LeadingInteger(w[3 + 2 * i], &b)) Malformed(source, n + 1);
            f.segments.emplace_back(static_cast<int>(a), static_cast<int>(b));
        }
        figures.push_back(f);
    }
    return figures;
}

}  // namespace convert
