#include "objects/object_texts.h"

#include <cstdlib>

#include "core/text_numbers.h"
#include "objects/visibility.h"
#include "ui/preference_values.h"
#include <cstdio>

namespace {

constexpr const char* kMonths[] = {"Jan", "Fev", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

}  // namespace

float MeteorShowerRating(int activityClass) {
    switch (activityClass) {
    case 1: return 3.0f;
    case 3: return 1.5f;
    case 4: return 1.0f;
    default: return 2.0f;
    }
}

void FormatShowerDate(char* text, std::size_t size, int day, int month) {
    std::snprintf(text, size, "%02d-%s", day, month >= 1 && month <= 12 ? kMonths[month - 1] : "");
}

void FormatBestEyepiece(char* text, std::size_t size, double focalLength, int power) {
    if (power < 1) std::snprintf(text, size, "None");
    else std::snprintf(text, size, "%dmm", static_cast<int>(focalLength / power));
}

void FormatArcminutes(char* text, std::size_t size, double arcminutes) {
    const int whole = static_cast<int>(arcminutes);
    const int seconds = static_cast<int>((arcminutes - whole) * 60.0);
    std::snprintf(text, size, "%d'%d", whole, std::abs(seconds));
}

TelescopeRating RateInTelescope(double magnitude, double size1, double size2) {
    TelescopeRating r;
    r.focalLength = GetScopeFocalLengthMm();
    RateObjectVisibility(GetScopeApertureMm(), r.focalLength, GetSkyConditionValue(), magnitude, size1, size2, &r.power,
                         &r.rating);
    return r;
}
