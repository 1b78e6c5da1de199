// The Sun's daylight around the two days of a Flare search, in which no flare
// is listed. Each day's span is the daylight that holds the Sun's transit of
// that day, from the sunrise before it (the evening before's when the Sun is
// up at midnight) to the sunset after it (the next morning's when it is still
// up at midnight), the Sun's upper limb with 34' of refraction
// (ComputeSunDayCrossings); as universal-time Julian days of the site's local
// dates (currentSite's zone). A day the Sun never rises has an empty span at
// its transit (polar night: the deep night reaches to two hours of noon); a
// day it never sets is daylight all day.
#pragma once

// Spans of the day before the date ([0]: its daylight may reach into the
// date's first hours), of the date ([1]), of the next day ([2]) and of the
// day after ([3]: its daylight may begin on the next day's evening).
constexpr int kFlareDaylightSpans = 4;
struct FlareDaylight {
    double start[kFlareDaylightSpans];
    double end[kFlareDaylightSpans];
};

// The spans around a local date (year, month, day) at currentSite.
FlareDaylight ComputeFlareDaylight(int year, int month, int day);

// True when jd (UT) lies within one of the spans (from its start, before its
// end: spans that meet at midnight leave no gap).
bool InFlareDaylight(const FlareDaylight& daylight, double jd);
