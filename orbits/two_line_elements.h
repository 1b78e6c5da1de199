// Two-line element sets: decoding the element lines of a SatelliteRecord into
// mean elements, and the quantities derived once per set for the propagators
// (satellite_propagation.h). Angles are radians, times minutes, lengths Earth
// radii (6378.135 km); the epoch is a universal-time Julian day.
// Method: Hoots and Roehrich, Spacetrack Report No. 3 (1980), with
// k2 = J2 / 2 = 5.413079e-4 and GM = 1434962880 km^3/min^2.
#pragma once

#include "catalog/comet_satellite_db.h"

// The decoded element set and its set-up; 36 doubles in this order.
// InitSatelliteElements writes every field up to perigeeRate, and period; the
// satellite geometry and the searches own the others.
struct SatelliteElements {
    double epochText;    // yyddd.dddddddd as read
    double epochJd;      // epoch, Julian day (UT)
    double meanMotion;   // n, radians per minute
    double bstar;        // B* drag term, per Earth radius
    double inclination;  // i, radians
    double eccentricity;
    double meanAnomaly;  // radians
    double argPerigee;   // radians
    double raan;         // right ascension of the ascending node, radians
    double ndot2;        // first derivative of n over 2, radians per minute^2
    double nddot6;       // second derivative of n over 6, radians per minute^3
    double ke;           // sqrt(GM / ae^3), per minute
    double keOverN;
    double a1;           // (ke / n)^(2/3)
    double cosI;
    double sinI;
    double delta1;
    double a0;           // semi-major axis, Earth radii
    double p0;           // a0 (1 - e^2)
    double q0;           // perigee distance a0 (1 - e), Earth radii
    double l0;           // M + argument of perigee + node
    double nodeRate;     // first-order secular rate of the node, radians per minute
    double perigeeRate;  // same for the argument of perigee
    double lastJd;       // Julian day of the last position computed from this set
    double rightAscension;  // hours
    double declination;     // degrees
    double subLongitude;    // of the sub-satellite point, degrees, positive west
    double subLatitude;     // degrees
    double height;          // km
    double elevation;       // degrees
    double azimuth;         // degrees, [0, 360)
    double range;           // km
    double rangeRate;       // km/s
    double period;       // minutes
    double passRiseJd;   // Julian day (UT) of the rise of the pass last found
    double passSetJd;    // and of its set
};
static_assert(sizeof(SatelliteElements) == 36 * sizeof(double));

// What an element field's format allows beside digits and the blanks before
// them: a sign in front of the digits, a decimal point among them.
enum TleFieldFormat : unsigned { kTleDigits = 0, kTleSign = 1, kTlePoint = 2 };

// The field of `width` characters at `start` of `text`: blanks, then a sign
// where `format` allows one, then digits with at most one decimal point where
// it allows one. Its digits as a whole number, divided by 10^k when a decimal
// point has k characters after it inside the field, negative after a '-'. A
// field holding anything else (a letter, "nan", a blank after a digit, a second
// point) does not read: not a number. A blank field, or a width of 0 or less,
// gives 0.
double ParseTleField(const char* text, int start, int width, unsigned format = kTlePoint);

// An exponent field: its digits as a whole number, other characters skipped
// (the caller reads the field with ParseTleField first); a width below 1 gives 0.
unsigned ParseTleExponent(const char* text, int start, int width);

// True when every element field of element line `lineNumber` (1 or 2, at
// least 63 characters) reads with ParseTleField: the epoch, the two
// derivatives of the mean motion and the drag term with their exponents on
// line 1; inclination, node, eccentricity (digits only), argument of perigee,
// mean anomaly and mean motion on line 2.
bool ElementFieldsRead(const char* line, int lineNumber);

// The message of a record InitSatelliteElements refuses, as the satellites
// form and its searches show it.
inline constexpr char kDamagedElementsText[] = "The elements of this satellite are damaged.";

// Julian day of 0h UT on day 0 of `year` (31 December of the year before), in
// the Gregorian calendar.
double JulianDayOfYearStart(int year);

// Julian day (UT) of a TLE epoch yyddd.dddddddd: years 57..99 are 19yy, 00..56
// are 20yy; day 1.0 is 1 January at 0h.
double TleEpochToJulianDay(double epochText);

// Decodes the two element lines of `record` and derives the set-up quantities:
// a blank field decodes to 0, a field that does not read (ParseTleField) to not
// a number (the propagators refuse a set outside their model). A '-' in the
// n-dot, n-double-dot or B* mantissa makes it negative; an exponent is a
// negative power of ten unless its field holds a '+'. Returns false, with every
// field decoded all the same, when the record holds what no element set can: a
// field that does not read, an epoch day beyond its year (or below 1), an
// inclination beyond 180 degrees, a node, argument of perigee or mean anomaly
// beyond 360 degrees, or a mean motion of 0 or above 17 revolutions a day; the
// searches pass such a record over, the views place nothing for it and the
// import refuses it.
bool InitSatelliteElements(const SatelliteRecord* record, SatelliteElements* elements);
