// Rise, transit and set texts read off a screen, against a reference of the
// events within the local day (hours after 0 h, -1 where the day has none,
// tests/reference/never_events_pyephem.csv): the screen's text for no event
// where the reference has none, else a time within a tolerance.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

// Hours of a shown time "hh?mm..." (whatever precedes its first digit is
// skipped); NaN when the text holds no digit.
inline double ShownHours(const std::string& text) {
    const std::size_t at = text.find_first_of("0123456789");
    if (at == std::string::npos || at + 5 > text.size()) return NAN;
    return std::atoi(text.c_str() + at) + std::atoi(text.c_str() + at + 3) / 60.0;
}

// `shown` is `none` (leading blanks aside) where `reference` is below 0, else
// a time whose minute (truncated or rounded) lies within `minutes` of it,
// across 0 h.
inline void ExpectEventText(const std::string& shown, double reference, const std::string& none,
                            double minutes = 2.0) {
    const std::string text = shown.substr(std::min(shown.find_first_not_of(' '), shown.size()));
    if (reference < 0) {
        EXPECT_EQ(text, none) << "no event that day";
        return;
    }
    const double hours = ShownHours(text) + 0.5 / 60;  // the middle of the minute shown
    EXPECT_LE(std::fabs(std::remainder(hours - reference, 24.0)) * 60, minutes + 0.5)
        << "'" << shown << "' against " << reference << " h";
}
