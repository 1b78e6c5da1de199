// The range a typed value must lie in, and the text that refuses a value
// outside it ("Inclination must be between 0 and 180\xB0"), shared by the
// number fields of the forms and the editors that check their own fields.
#pragma once

#include <string>

struct ValueRange {
    double low;
    double high;
    bool lowOpen = false;   // low itself is refused: "above <low>"
    bool highOpen = false;  // high itself is refused: "below <high>"
    bool whole = false;     // only whole numbers: "a whole number between ..."
    const char* unit = "";  // written after the range: " AU", "\xB0"
};

// Whether `value` lies in the range (a NaN never does).
bool InValueRange(double value, const ValueRange& range);

// "<label> must be between <low> and <high><unit>"; "above <low>" for an open
// low end, "below <high>" for an open high end ("at least" and "at most" for
// the closed end beside it); "a whole number " before the range for whole
// numbers. Bounds are written in plain decimals (up to 10 after the point).
std::string ValueRangeRefusal(const char* label, const ValueRange& range);
