#include "core/text_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/shared_state.h"

void SinCos(double angle, double* sine, double* cosine) {
    *sine = std::sin(angle);
    *cosine = std::cos(angle);
}

int32_t ParseInt(const char* text, bool* fits) {
    if (fits) *fits = true;
    if (!text) return 0;
    bool negative = false;
    if (*text == '-') {
        negative = true;
        ++text;
    }
    if (*text == '+') ++text;
    // The magnitude is counted up to one past the int32_t range and held there.
    constexpr int64_t kBeyond = int64_t{INT32_MAX} + 2;
    int64_t magnitude = 0;
    while (*text >= '0' && *text <= '9') magnitude = std::min(magnitude * 10 + (*text++ - '0'), kBeyond);
    const int64_t value = negative ? -magnitude : magnitude;
    if (value >= INT32_MIN && value <= INT32_MAX) return static_cast<int32_t>(value);
    if (fits) *fits = false;
    return negative ? INT32_MIN : INT32_MAX;
}

namespace {

// The next character of a name that is not a blank, its letter made small;
// '\0' at the end.
char NextNameChar(const char*& c) {
    while (*c == ' ' || *c == '\t') ++c;
    const char found = *c;
    if (found) ++c;
    return found >= 'A' && found <= 'Z' ? static_cast<char>(found - 'A' + 'a') : found;
}

}  // namespace

bool SameNameCaseAndBlanksAside(const char* a, const char* b) {
    for (;;) {
        const char x = NextNameChar(a), y = NextNameChar(b);
        if (x != y) return false;
        if (x == '\0') return true;
    }
}

double ParseDouble(const char* text) {
    if (!text) return 0.0;
    while (*text == ' ' || *text == '\t') ++text;
    bool negative = false;
    if (*text == '-' || *text == '+') negative = *text++ == '-';
    double value = 0.0;
    while (*text >= '0' && *text <= '9') value = value * 10.0 + (*text++ - '0');
    if (*text == '.' || *text == ',') {
        ++text;
        double fraction = 0.0, scale = 1.0;
        while (*text >= '0' && *text <= '9') {
            fraction = fraction * 10.0 + (*text++ - '0');
            scale *= 10.0;
        }
        value += fraction / scale;
    }
    return negative ? -value : value;
}

void DoubleToStr(char* buffer, std::size_t size, double value, int decimals) {
    if (!buffer || size == 0) return;
    if (decimals < 0) decimals = 6;
    else if (decimals > 6) decimals = 8;
    double magnitude = std::fabs(value);
    if (!std::isfinite(value) || magnitude >= 1e15) {
        std::snprintf(buffer, size, "%.*e", decimals, value);
        return;
    }
    uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    // Integer and fraction digits kept apart so that 1e15 x 1e8 cannot overflow.
    double whole = std::floor(magnitude);
    uint64_t intPart = static_cast<uint64_t>(whole);
    uint64_t frac = static_cast<uint64_t>(std::floor((magnitude - whole) * static_cast<double>(scale) + 0.5));
    if (frac >= scale) {
        frac -= scale;
        ++intPart;
    }
    const char* sign = value < 0 ? "-" : "";
    if (decimals > 0)
        std::snprintf(buffer, size, "%s%llu.%0*llu", sign, static_cast<unsigned long long>(intPart), decimals,
                      static_cast<unsigned long long>(frac));
    else
        std::snprintf(buffer, size, "%s%llu", sign, static_cast<unsigned long long>(intPart));
}

int GetSkyConditionValue() {
    static const int kValues[5] = {14, 19, 22, 24, 29};
    int index = currentSite.skyCondition;
    return (index >= 0 && index < 5) ? kValues[index] : 24;
}

int32_t TruncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<int32_t>(value);
}
