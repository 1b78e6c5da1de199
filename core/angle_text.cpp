#include "core/angle_text.h"

#include <cmath>
#include <cstdio>

#include "core/preferences.h"
#include "core/services.h"
#include "core/text_numbers.h"

namespace {

constexpr int64_t kFixUnitsPerDay = 24 * static_cast<int64_t>(kFixUnitsPerDegree);

// ---- Parsing ---------------------------------------------------------------

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) ++p;
    return p;
}

const char* SkipDigits(const char* p) {
    while (IsDigit(*p)) ++p;
    return p;
}

// A ',' followed by digits that end the text's fields (nothing after them
// but an end, a blank or a mark that starts no further field): a decimal
// comma ("12,5", "40:0,9", "12,5 S"). A ',' whose digits go on to another
// field separates fields ("12,30,15").
bool IsDecimalComma(const char* p) {
    if (p[0] != ',' || !IsDigit(p[1])) return false;
    const char* end = SkipDigits(p + 1);
    return *end == '\0' || !IsDigit(end[1]);
}

// The decimals after a point or comma: their digits as a whole number over a
// power of ten, gathered as ParseDouble and the number fields gather them, so
// that every reader gives a text the same double.
struct Decimals {
    double digits = 0.0, scale = 1.0;
    double Value() const { return digits / scale; }
};

// Reads the digits after the mark at p[0] into *d.
void ReadDecimals(const char* p, Decimals* d) {
    for (++p; IsDigit(*p); ++p) {
        d->digits = d->digits * 10.0 + (*p - '0');
        d->scale *= 10.0;
    }
}

// A sexagesimal text: whole units, minutes and seconds, and the decimals of
// the minutes (which end the text) or of the seconds.
struct SexagesimalText {
    int32_t a = 0, b = 0, c = 0;
    Decimals minutes, seconds;
};

// The fields after the first, from the character that ended it. A ',' after
// the minutes is a decimal comma unless commas separate the fields
// ("12,30,15"). False when a field holds a whole number beyond the 32-bit
// range.
bool ReadMinutesAndSeconds(const char* p, SexagesimalText* f) {
    if (*p == '\0') return true;
    const bool commaSeparated = *p == ',';
    bool minutesFit = true, secondsFit = true;
    f->b = ParseInt(++p, &minutesFit);
    p = SkipDigits(p);
    if (*p == '.' || (!commaSeparated && IsDecimalComma(p))) {
        ReadDecimals(p, &f->minutes);
    } else if (*p != '\0') {
        f->c = ParseInt(++p, &secondsFit);
        if (IsDigit(*p)) {  // unsigned seconds may have decimals
            p = SkipDigits(p);
            if (*p == '.' || IsDecimalComma(p)) ReadDecimals(p, &f->seconds);
        }
    }
    return minutesFit && secondsFit;
}

// 1 for a sexagesimal text, 0 for an empty text or a plain decimal number, -1
// for a field beyond 32 bits (the fields then 0), as ParseSexagesimal.
int ReadSexagesimal(const char* text, SexagesimalText* f) {
    *f = SexagesimalText{};
    if (!text) return 0;
    const char* p = SkipBlanks(text);
    if (*p == '\0') return 0;
    bool fits = true;
    f->a = ParseInt(p, &fits);
    if (*p == '+' || *p == '-') ++p;
    p = SkipDigits(p);
    if (*p == '.' || IsDecimalComma(p)) return 0;
    if (fits && ReadMinutesAndSeconds(p, f)) return 1;
    *f = SexagesimalText{};
    return -1;
}

// ---- Writing ---------------------------------------------------------------

// Degrees or hours, minutes, and seconds (or tenths of a minute for code 3).
struct Fields {
    int major;
    int minutes;
    int last;
};

// Four decimals, as the decimal formats are written; also "nan" and "inf".
char* WriteDecimal(char* buffer, std::size_t size, double value) {
    DoubleToStr(buffer, size, value, 4);
    return buffer;
}

// Codes 1 to 3 of the hour writers; any other code gives the form of code 2.
void WriteHourFields(char* buffer, std::size_t size, int code, const Fields& f) {
    const char* format = code == 1 ? "%02d:%02d:%02d" : code == 3 ? "%02dh%02d.%1d" : "%02dh%02dm%02d";
    std::snprintf(buffer, size, format, f.major, f.minutes, f.last);
}

// Codes 1 to 3 of the degree writers; any other code gives the form of code 1.
void WriteDegreeFields(char* buffer, std::size_t size, int code, bool negative, const Fields& f) {
    const char* format = code == 2 ? "%s%02d\xB0%02d'%02d" : code == 3 ? "%s%02d\xB0%02d.%1d" : "%s%02d:%02d:%02d";
    std::snprintf(buffer, size, format, negative ? "-" : "", f.major, f.minutes, f.last);
}

// Integer degrees or hours, minutes and seconds of u units (292818 to the unit),
// truncated. Also gives the remainder below the unit.
Fields SplitFixUnits(int64_t u, int64_t* remainder) {
    const int64_t k = kFixUnitsPerDegree;
    const int64_t major = u / k;
    const int64_t r = u - major * k;
    const int64_t m = r * 60 / k;
    const int64_t s = (r * 60 - m * k) * 60 / k;
    *remainder = r;
    return {static_cast<int>(major), static_cast<int>(m), static_cast<int>(s)};
}

// A field already reduced below 60 or 360, truncated. Beyond about 5e304
// degrees x 3600 is infinite and its remainder not a number: that field,
// which no longer carries information, is 0.
int FieldBelow(double reduced) { return std::isfinite(reduced) ? static_cast<int>(reduced) : 0; }

// Thousandths of the unit in a remainder below one unit.
int FixThousandths(int64_t remainder) { return static_cast<int>(remainder * 1000 / kFixUnitsPerDegree); }

// Hours in [0, 24] as rounded fields; code 3 adds 5 seconds so that its tenth of
// a minute rounds up. The hour field is wrapped into 0..23.
Fields RoundedHourFields(double x, bool roundTenthUp) {
    double h = std::floor(x);
    const double t = (x - h) * 60.0;
    int m = static_cast<int>(std::floor(t));
    int s = static_cast<int>((t - m) * 60.0 + 0.5);
    if (roundTenthUp) s += 5;
    int hours = static_cast<int>(h);
    if (s >= 60) {
        s -= 60;
        ++m;
    }
    if (m >= 60) {
        m -= 60;
        ++hours;
    }
    if (hours >= 24) hours -= 24;
    return {hours, m, roundTenthUp ? s * 10 / 60 : s};
}

// Decimal hours in [0, 24] that would be written as 24.0000 are written as 0.
double DecimalHoursBelow24(double x) {
    const double whole = std::floor(x);
    if (x >= 24.0 || (whole == 23.0 && std::floor((x - whole) * 10000.0 + 0.5) >= 10000.0)) return 0.0;
    return x;
}

}  // namespace

int ParseSexagesimal(const char* text, char /*separator*/, int32_t* a, int32_t* b, int32_t* c) {
    SexagesimalText f;
    const int form = ReadSexagesimal(text, &f);
    *a = f.a;
    *b = f.b;
    // Decimal minutes give their whole seconds (30.57 minutes: 30 and 34 s).
    *c = f.minutes.digits > 0.0 ? TruncateToInt32(f.minutes.digits * 60.0 / f.minutes.scale) : f.c;
    return form;
}

double ParseSignedDegrees(const char* text) {
    SexagesimalText f;
    const int form = ReadSexagesimal(text, &f);
    if (form < 0) return std::nan("");
    if (form == 0) return ParseDouble(text);
    const double minutes = f.b + f.minutes.Value(), seconds = f.c + f.seconds.Value();
    const double magnitude = std::fabs(static_cast<double>(f.a)) + minutes / 60.0 + seconds / 3600.0;
    // The sign comes from the text, so that "-00:30" is negative.
    return *SkipBlanks(text) == '-' ? -magnitude : magnitude;
}

double ParseSignedValue(const char* text) { return ParseSignedDegrees(text); }

double ParseHoursToDegrees(const char* text) { return ParseSignedDegrees(text) * 15.0; }

ClockFields SplitRoundedTime(double seconds, int unitSeconds) {
    // Half a unit rounds up, also from a hair below: hours built from whole
    // seconds (10:11:03 to the tenth of a minute) carry errors of 1e-12 s.
    const double units = std::floor(seconds / unitSeconds + 0.5 + 1e-9);
    if (!std::isfinite(units) || std::fabs(units * unitSeconds) > 3.6e9) return {0, 0, 0};
    const int64_t total = static_cast<int64_t>(units) * unitSeconds;
    const int64_t hours = total >= 0 ? total / 3600 : -((-total + 3599) / 3600);
    const int64_t rest = total - hours * 3600;
    return {static_cast<int>(hours), static_cast<int>(rest / 60), static_cast<int>(rest % 60)};
}

int WholeDegrees(double degrees) {
    const double rounded = std::round(degrees);
    if (!(std::fabs(rounded) <= 2147483647.0)) return 0;
    return static_cast<int>(rounded);
}

int WholeAzimuth(double degrees) {
    if (!std::isfinite(degrees)) return 0;
    const double turn = std::fmod(std::round(std::fmod(degrees, 360.0)), 360.0);
    return static_cast<int>(turn < 0 ? turn + 360.0 : turn);
}

char* HMSToStr(char* buffer, std::size_t size, double hours) {
    if (!std::isfinite(hours)) return WriteDecimal(buffer, size, hours);
    const int code = preferences.word[kPrefRaFormat];
    double x = std::fmod(hours, 24.0);
    if (x < 0) x += 24.0;
    if (code == 0) {
        DoubleToStr(buffer, size, DecimalHoursBelow24(x), 4);
        return buffer;
    }
    WriteHourFields(buffer, size, code, RoundedHourFields(x, code == 3));
    if (code < 0 || code > 3) ShowInformation("HMSToStr Unkown hour format", "");
    return buffer;
}

char* HmsFixToStr(char* buffer, std::size_t size, int32_t v) {
    const int code = preferences.word[kPrefRaFormat];
    int64_t u = (static_cast<int64_t>(v) + 50) % kFixUnitsPerDay;
    if (u < 0) u += kFixUnitsPerDay;
    int64_t remainder;
    Fields f = SplitFixUnits(u, &remainder);
    if (code == 0) {
        std::snprintf(buffer, size, "%02d.%03d", f.major, FixThousandths(remainder));
        return buffer;
    }
    if (code == 3) f.last = f.last * 10 / 60;
    WriteHourFields(buffer, size, code, f);
    if (code < 0 || code > 3) ShowInformation("HmsFixToStr Unknown hour format.", "");
    return buffer;
}

char* HoursToHMSText(char* buffer, std::size_t size, double degrees) {
    if (!std::isfinite(degrees)) return WriteDecimal(buffer, size, degrees);
    double x = std::fmod(degrees, 360.0);
    if (x < 0) x += 360.0;
    const double t = x * 0.06666666666666667;
    int h = static_cast<int>(std::floor(t));
    const double t2 = std::fmod(t, 1.0) * 60.0;
    const int m = static_cast<int>(std::floor(t2));
    const int s = static_cast<int>(std::floor(std::fmod(t2, 1.0) * 60.0));
    if (h >= 24) h -= 24;
    std::snprintf(buffer, size, "%02d:%02d:%02d", h, m, s);
    return buffer;
}

char* DegToStr(char* buffer, std::size_t size, double degrees) {
    const int code = preferences.word[kPrefDecFormat];
    if (code == 0 || !std::isfinite(degrees)) return WriteDecimal(buffer, size, degrees);
    const bool negative = degrees < 0;
    const double x = (negative ? -degrees : degrees) + 0.0001388888888888889;
    // fmod results stay below 60, so no field needs a carry; the degrees field
    // is reduced before its conversion so that huge angles cannot overflow.
    const int s = FieldBelow(std::fmod(x * 3600.0, 60.0));
    const Fields f = {FieldBelow(std::fmod(std::floor(x), 360.0)), FieldBelow(std::fmod(x * 60.0, 60.0)),
                      code == 3 ? s * 10 / 60 : s};
    WriteDegreeFields(buffer, size, code, negative, f);
    return buffer;
}

char* AngleFixToStr(char* buffer, std::size_t size, int32_t v) {
    const int code = preferences.word[kPrefDecFormat];
    const bool negative = v < 0;
    int64_t remainder;
    Fields f = SplitFixUnits((negative ? -static_cast<int64_t>(v) : v) + 50, &remainder);
    if (code == 3) f.last += 5;
    if (f.last >= 60) {
        f.minutes += f.last / 60;
        f.last %= 60;
    }
    if (f.minutes >= 60) {
        f.major += f.minutes / 60;
        f.minutes %= 60;
    }
    if (f.major >= 360) f.major %= 360;
    if (code == 0) {
        std::snprintf(buffer, size, "%s%02d.%03d", negative ? "-" : "", f.major, FixThousandths(remainder));
        return buffer;
    }
    if (code == 3) f.last = f.last * 10 / 60;
    WriteDegreeFields(buffer, size, code, negative, f);
    return buffer;
}
