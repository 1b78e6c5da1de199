// A row of the Moon assistant's DarkHours or Visibility table read off the
// screen, against a reference row of the night that follows the date's
// daylight (tests/reference/moon_visibility_2027_pyephem.csv,
// dark_nights_2027_pyephem.csv): its longest span's start and end in hours
// after 0 h of the date (-1 when the night has none), its length, the next
// longest span, and for each edge whether the body that sets it stays up or
// down for less than two hours about it.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/event_texts.h"
#include "support/reference_table.h"

// The shown time in hours, or -1 for the hyphens of no time frame.
inline double ShownOrNone(const std::string& text) {
    return text.find("-----") != std::string::npos ? -1.0 : ShownHours(text) + 0.5 / 60;  // the minute's middle
}

// Minutes between a shown time and a reference (hours after 0 h, taken as a clock time).
inline double MinutesApart(double shown, double reference) {
    return std::fabs(std::remainder(shown - reference, 24.0)) * 60.0;
}

// Tolerances of a row's edges: 3 minutes, 15 where the body that sets the
// edge is up or down for less than two hours about it; a span shorter than
// 20 minutes may be shown or not.
struct NightRowTolerance {
    double minutes = 3.0;
    double shortMinutes = 15.0;
    double optionalSpanMinutes = 20.0;
};

// Whether the shown start and end match the span of reference columns
// `startColumn` and `endColumn` within the row's tolerances.
inline bool MatchesSpan(const ReferenceTable& ref, std::size_t k, double start, double end, const char* startColumn,
                        const char* endColumn, const NightRowTolerance& tolerance) {
    const double a = tolerance.minutes + 0.5, b = tolerance.shortMinutes + 0.5;
    const bool startShort = std::string(startColumn) == "start_h" && ref.Get(k, "start_short") != 0;
    const bool endShort = std::string(endColumn) == "end_h" && ref.Get(k, "end_short") != 0;
    return MinutesApart(start, ref.Get(k, startColumn)) <= (startShort ? b : a) &&
           MinutesApart(end, ref.Get(k, endColumn)) <= (endShort ? b : a);
}

// The row shows the reference's longest span (or, where the next longest is
// within 10 minutes of its length, either), hyphens where the night has none;
// where the reference span is shorter than 20 minutes, or the night has none
// but the body comes within `graze` degrees of the altitude (the column
// `highestColumn`, when given), hyphens or a span are both taken.
inline void ExpectNightRow(const ReferenceTable& ref, std::size_t k, const std::string& startText,
                           const std::string& endText, const NightRowTolerance& tolerance = {},
                           const char* highestColumn = nullptr, double altitude = 20.0, double graze = 0.15) {
    const double start = ShownOrNone(startText), end = ShownOrNone(endText);
    SCOPED_TRACE(ref.Text(k, "site") + " " + std::to_string(int(ref.Get(k, "year"))) + "-" +
                 std::to_string(int(ref.Get(k, "month"))) + "-" + std::to_string(int(ref.Get(k, "day"))) + ": '" +
                 startText + "' '" + endText + "'");
    EXPECT_EQ(start < 0, end < 0) << "a start without its end or an end without its start";
    const bool none = ref.Get(k, "start_h") < 0;
    const bool optional = none ? highestColumn != nullptr && ref.Get(k, highestColumn) >= altitude - graze
                               : ref.Get(k, "length_min") < tolerance.optionalSpanMinutes;
    if (start < 0 || end < 0) {
        EXPECT_TRUE(none || optional) << "hyphens for the span " << ref.Get(k, "start_h") << " .. "
                                      << ref.Get(k, "end_h");
        return;
    }
    if (none) {
        EXPECT_TRUE(optional) << "a span where the night has none";
        return;
    }
    const double second = ref.Get(k, "start2_h") < 0 ? 0.0 : (ref.Get(k, "end2_h") - ref.Get(k, "start2_h")) * 60;
    const bool either = ref.Get(k, "length_min") - second < 10.0;
    EXPECT_TRUE(MatchesSpan(ref, k, start, end, "start_h", "end_h", tolerance) ||
                (either && MatchesSpan(ref, k, start, end, "start2_h", "end2_h", tolerance)))
        << "against " << ref.Get(k, "start_h") << " .. " << ref.Get(k, "end_h");
}
