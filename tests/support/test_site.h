// Puts the observer's site for a test: latitude (with its stored sine and
// cosine), west-positive longitude, zone minutes and height, on top of a reset
// shared state with the default preferences.
#pragma once

#include "core/preferences.h"
#include "core/shared_state.h"

inline void ResetWithDefaults() {
    ResetSharedState();
    ValidatePreferences();
}

inline void SetTestSite(double latitude, double longitudeWest, int zoneMinutes, int height = 0) {
    SetSiteLatitude(currentSite, latitude);
    currentSite.longitude = static_cast<float>(longitudeWest);
    currentSite.zoneMinutes = static_cast<int16_t>(zoneMinutes);
    currentSite.elevation = static_cast<int16_t>(height);
}
