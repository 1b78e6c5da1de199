#include "orbits/two_line_elements.h"

#include <cmath>
#include <limits>

#include "orbits/satellite_math.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kThreeHalvesK2 = 0.00081196185;  // 1.5 k2
constexpr double kThreeK2 = 0.0016239237;         // 3 k2
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The element fields of the two lines, as the columns lay them out.
struct ElementField {
    int line, start, width;
    unsigned format;
};
enum ElementFieldName {
    kEpoch, kMeanMotionDot, kDotDotMantissa, kDotDotExponent, kDragMantissa, kDragExponent,
    kInclination, kNode, kEccentricity, kPerigee, kMeanAnomaly, kMeanMotion,
};
constexpr ElementField kElementFields[] = {
    {1, 18, 14, kTlePoint},             // epoch, yyddd.dddddddd
    {1, 33, 10, kTleSign | kTlePoint},  // first derivative of the mean motion / 2
    {1, 44, 6, kTleSign},               // second derivative / 6: mantissa
    {1, 50, 2, kTleSign},               // and exponent
    {1, 53, 6, kTleSign},               // B*: mantissa
    {1, 59, 2, kTleSign},               // and exponent
    {2, 8, 8, kTlePoint},               // inclination
    {2, 17, 8, kTlePoint},              // node
    {2, 26, 7, kTleDigits},             // eccentricity, point assumed in front
    {2, 34, 8, kTlePoint},              // argument of perigee
    {2, 43, 8, kTlePoint},              // mean anomaly
    {2, 52, 11, kTlePoint},             // mean motion
};

const char* LineOf(const SatelliteRecord* record, const ElementField& f) {
    return f.line == 1 ? record->line1 : record->line2;
}

double ReadField(const SatelliteRecord* record, ElementFieldName name) {
    const ElementField& f = kElementFields[name];
    return ParseTleField(LineOf(record, f), f.start, f.width, f.format);
}

// True when the field holds `sign`: an exponent's sign sits in its first
// column.
bool FieldHas(const char* text, int start, int width, char sign) {
    for (int k = 0; k < width; ++k) {
        if (text[start + k] == sign) return true;
    }
    return false;
}

// A mantissa field (times 1e-5) with its exponent field applied; not a number
// when either does not read.
double DecodeExponential(const SatelliteRecord* record, ElementFieldName mantissa, ElementFieldName exponent) {
    const double value = ReadField(record, mantissa) * 1e-5;
    if (std::isnan(ReadField(record, exponent))) return kNaN;
    const ElementField& f = kElementFields[exponent];
    double power = ParseTleExponent(LineOf(record, f), f.start, f.width);
    if (!FieldHas(LineOf(record, f), f.start, f.width, '+')) power = -power;
    return value * std::pow(10.0, power);
}

// Julian day of 0h on day 0 of `year`, in doubles: a damaged epoch field can
// name any year up to 10^11.
double YearStart(double year) {
    double y = year - 1.0;
    double a = std::floor(y / 100.0);
    double b = std::floor(a / 4.0);
    return 2.0 - a + b + std::floor(365.25 * y) + 428.0 + 1720994.5;
}

void DecodeFields(const SatelliteRecord* record, SatelliteElements* el) {
    el->epochText = ReadField(record, kEpoch);
    el->epochJd = TleEpochToJulianDay(el->epochText);
    el->ndot2 = ReadField(record, kMeanMotionDot) / (1440.0 * 1440.0) * kTwoPi;
    el->nddot6 = DecodeExponential(record, kDotDotMantissa, kDotDotExponent) / (1440.0 * 1440.0 * 1440.0) * kTwoPi;
    el->bstar = DecodeExponential(record, kDragMantissa, kDragExponent);
    el->inclination = DegToRad(ReadField(record, kInclination));
    el->raan = DegToRad(ReadField(record, kNode));
    el->eccentricity = ReadField(record, kEccentricity) * 1e-7;
    el->argPerigee = DegToRad(ReadField(record, kPerigee));
    el->meanAnomaly = DegToRad(ReadField(record, kMeanAnomaly));
    el->meanMotion = ReadField(record, kMeanMotion) * 0.004363323129985824;
}

// True when the decoded fields read and lie within what an element set can
// hold: a two-digit year and a day of that year (1 to the year's last day,
// with its fraction), an inclination of 0 to 180 degrees, node, argument of perigee and
// mean anomaly of 0 to 360 degrees, and a mean motion above 0 and at most 17
// revolutions a day (more would put the orbit within some 15 km of the
// ground). Values in the record's units (radians, radians per minute).
bool FieldsInRange(const SatelliteElements& el) {
    const double yy = std::floor(el.epochText / 1000.0), day = el.epochText - 1000.0 * yy;
    if (!(yy >= 0.0 && yy < 100.0)) return false;
    const int year = static_cast<int>(yy) + (yy < 57.0 ? 2000 : 1900);
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    const double fullTurn = DegToRad(360.0), revolution = 0.004363323129985824;
    const auto angle = [fullTurn](double a) { return a >= 0.0 && a <= fullTurn; };
    const bool read = std::isfinite(el.ndot2) && std::isfinite(el.nddot6) && std::isfinite(el.bstar) &&
                      std::isfinite(el.eccentricity);
    return read && day >= 1.0 && day < (leap ? 367.0 : 366.0) && el.inclination >= 0.0 &&
           el.inclination <= fullTurn / 2.0 && angle(el.raan) && angle(el.argPerigee) && angle(el.meanAnomaly) &&
           el.meanMotion > 0.0 && el.meanMotion <= 17.0 * revolution;
}

}  // namespace

double ParseTleField(const char* text, int start, int width, unsigned format) {
    int k = 0;
    while (k < width && text[start + k] == ' ') ++k;
    double sign = 1.0;
    if (k < width && (format & kTleSign) && (text[start + k] == '-' || text[start + k] == '+'))
        sign = text[start + k++] == '-' ? -1.0 : 1.0;
    double value = 0.0;
    int decimals = -1;
    for (; k < width; ++k) {
        const char c = text[start + k];
        if (c >= '0' && c <= '9') value = value * 10.0 + (c - '0');
        else if (c == '.' && (format & kTlePoint) && decimals < 0) decimals = width - 1 - k;
        else return kNaN;
    }
    return sign * value / std::pow(10.0, decimals > 0 ? decimals : 0);
}

unsigned ParseTleExponent(const char* text, int start, int width) {
    unsigned value = 0;
    for (int k = 0; k < width; ++k) {
        char c = text[start + k];
        if (c >= '0' && c <= '9') value = value * 10u + static_cast<unsigned>(c - '0');
    }
    return value;
}

bool ElementFieldsRead(const char* line, int lineNumber) {
    for (const ElementField& f : kElementFields)
        if (f.line == lineNumber && std::isnan(ParseTleField(line, f.start, f.width, f.format))) return false;
    return true;
}

double JulianDayOfYearStart(int year) { return YearStart(year); }

double TleEpochToJulianDay(double epochText) {
    double yy = std::floor(epochText / 1000.0);
    double year = yy < 57.0 ? 2000.0 + yy : 1900.0 + yy;
    return YearStart(year) + (epochText - 1000.0 * yy);
}

bool InitSatelliteElements(const SatelliteRecord* record, SatelliteElements* el) {
    DecodeFields(record, el);
    double n = el->meanMotion, e = el->eccentricity;
    el->ke = std::sqrt(1434962880.0 / Cube(6378.135));
    el->keOverN = el->ke / n;
    el->a1 = std::pow(el->keOverN, 2.0 / 3.0);
    el->cosI = std::cos(el->inclination);
    el->sinI = std::sin(el->inclination);
    double theta = 3.0 * Square(el->cosI) - 1.0;
    double beta3 = std::pow(1.0 - e * e, 1.5);
    el->delta1 = kThreeHalvesK2 * theta / (beta3 * Square(el->a1));
    double d = el->delta1;
    el->a0 = el->a1 * (1.0 - d / 3.0 - d * d - 1.654320987654321 * d * d * d);
    double delta0 = kThreeHalvesK2 * theta / (beta3 * Square(el->a0));
    el->period = kTwoPi / (n / (1.0 + delta0));
    el->p0 = el->a0 * (1.0 - e * e);
    el->q0 = el->a0 * (1.0 - e);
    el->l0 = el->meanAnomaly + el->argPerigee + el->raan;
    el->nodeRate = -kThreeK2 * n * el->cosI / Square(el->p0);
    el->perigeeRate = kThreeHalvesK2 * n * (5.0 * Square(el->cosI) - 1.0) / Square(el->p0);
    return FieldsInRange(*el);
}
