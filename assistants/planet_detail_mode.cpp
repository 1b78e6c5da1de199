#include "assistants/planet_detail_mode.h"

#include <cstring>

int32_t planetDetailMode = kJupiterMode;
int32_t planetDetailView = 0;
PlanetDetailDate planetDetailDate{0, 0, 0, 0, -1};
int32_t planetDetailZoom = 2;
int32_t planetDetailOrientation = 0;
int32_t planetDetailSignX = 1;
int32_t planetDetailSignY = 1;
MoonEventSlot planetMoonState[kMoonEventSlots];
int32_t eventSearchCache[5];

namespace {

// False when the mode is already in force.
bool ChangeMode(int mode) {
    if (planetDetailMode == mode) return false;
    planetDetailMode = mode;
    return true;
}

void SetMoonPlanetMode(int mode) {
    if (!ChangeMode(mode)) return;
    ResetPlanetMoonEvents();
    planetDetailView = 0;
}

}  // namespace

void SetJupiterAssistantMode() { SetMoonPlanetMode(kJupiterMode); }
void SetSaturnAssistantMode() { SetMoonPlanetMode(kSaturnMode); }

void SetMarsAssistantMode() {
    if (ChangeMode(kMarsMode)) planetDetailView = kMarsGlobeView;
}

void SetPhaseAssistantMode() {
    if (!ChangeMode(kPhaseMode)) return;
    planetDetailZoom = 0;
    planetDetailView = 0;
}

int GetPlanetDetailMode() { return planetDetailMode; }
int GetPlanetDetailOrientation() { return planetDetailOrientation; }

void SetPlanetDetailOrientation(int row) {
    if (row < 0 || row > 3) row = 0;
    planetDetailOrientation = row;
    planetDetailSignX = row >= 2 ? -1 : 1;
    planetDetailSignY = row == 1 || row == 2 ? -1 : 1;
}

void ResetPlanetMoonEvents() {
    std::memset(planetMoonState, 0, sizeof planetMoonState);
    eventSearchCache[kCacheYear] = -1;
}

void ResetPlanetDetailMode() {
    planetDetailMode = kJupiterMode;
    planetDetailView = 0;
    planetDetailDate = PlanetDetailDate{0, 0, 0, 0, -1};
    planetDetailZoom = 2;
    SetPlanetDetailOrientation(0);
    std::memset(planetMoonState, 0, sizeof planetMoonState);
    std::memset(eventSearchCache, 0, sizeof eventSearchCache);
}
