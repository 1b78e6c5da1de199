#include "core/value_range.h"

#include <cmath>
#include <cstdio>

namespace {

// The bound in plain decimals, without trailing zeros: "10000", "0.00001".
std::string Bound(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.10f", v);
    std::string bound = text;
    bound.erase(bound.find_last_not_of('0') + 1);
    if (bound.back() == '.') bound.pop_back();
    return bound == "-0" ? "0" : bound;
}

}  // namespace

bool InValueRange(double value, const ValueRange& r) {
    const bool aboveLow = r.lowOpen ? value > r.low : value >= r.low;
    const bool belowHigh = r.highOpen ? value < r.high : value <= r.high;
    return aboveLow && belowHigh && (!r.whole || value == std::floor(value));
}

std::string ValueRangeRefusal(const char* label, const ValueRange& r) {
    std::string range;
    if (!r.lowOpen && !r.highOpen)
        range = "between " + Bound(r.low) + " and " + Bound(r.high);
    else
        range = (r.lowOpen ? "above " : "at least ") + Bound(r.low) + (r.highOpen ? " and below " : " and at most ") +
                Bound(r.high);
    return std::string(label) + " must be " + (r.whole ? "a whole number " : "") + range + (r.unit ? r.unit : "");
}
