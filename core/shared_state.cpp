#include "core/shared_state.h"

#include <algorithm>
#include <cmath>

#include "core/list_date.h"
#include "core/preferences_file.h"

DateTime currentDateTime{};
SiteRecord currentSite{};
SelectionCriteria selectionCriteria{};
int32_t& dateTimeFixed = preferences.word[kPrefTimeUpdate];

namespace {

constexpr double kHalfPi = 1.5707963267948966;

}  // namespace

void SetSiteLatitude(SiteRecord& site, double latitudeDegrees) {
    site.latitude = static_cast<float>(latitudeDegrees);
    // 90 degrees times the rounded degree passes pi/2, where the cosine turns negative: a site at a
    // pole would have its sky turned over (the summer Sun never rising at the North Pole).
    const double r = std::clamp(static_cast<double>(site.latitude) * 0.0174532925199433, -kHalfPi, kHalfPi);
    site.sinLatitude = static_cast<float>(std::sin(r));
    site.cosLatitude = static_cast<float>(std::cos(r));
}

void SetSiteStartValues(SiteRecord& site) {
    std::memset(site.name, 0, sizeof site.name);
    std::strcpy(site.name, "None");
    SetSiteLatitude(site, 51.0);
    site.longitude = 0.0f;
    site.zoneMinutes = 0;
    site.temperature = 10;
    site.pressure = 1013;
    site.humidity = 40;
    site.skyCondition = 3;
    for (SavedSite& s : site.savedSites) s.skyCondition = 3;
}

void ResetSiteRecord(SiteRecord& site) {
    site = SiteRecord{};
    SetSiteStartValues(site);
}

void ResetSharedState() {
    currentDateTime = DateTime{};
    ResetSiteRecord(currentSite);
    preferences = PreferencesBlock{};
    ValidatePreferences();
    ResetPreferencesFile();
    selectionCriteria = SelectionCriteria{};
    ForgetOwnListDate();
}
