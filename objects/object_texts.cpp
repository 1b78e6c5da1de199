#include "objects/object_texts.h"

#include <cstdlib>

#include "catalog/designations.h"
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

TelescopeRating RateInTelescope(const ObjectRecord& r, float scopeLimit) {
    constexpr float kPointSize = 0.5f;  // arcminutes: a comet's or asteroid's look-up size
    const bool point = static_cast<int16_t>(r.designationId) == kDesignationComet;
    TelescopeRating rated;
    rated.focalLength = GetScopeFocalLengthMm();
    if (!(r.magnitude < scopeLimit)) return rated;
    RateObjectVisibility(GetScopeApertureMm(), rated.focalLength, GetSkyConditionValue(), r.magnitude,
                         point ? kPointSize : r.size1, point ? kPointSize : r.size2, &rated.power, &rated.rating);
    if (!(rated.rating > 0.0)) rated.power = 0, rated.rating = 0.0;
    return rated;
}
