#include "orbits/orbit_assistant_state.h"

#include <algorithm>

int orbitCometIndex = 0;
int orbitAssistantView = 0;
int orbitDateStep = 3;
int orbitZoomLevel = 5;
int orbitSkyFov = 0;
int orbitCometMode = 1;
OrbitFormTime orbitFormTime;
OrbitViewState orbitViewState;
CometRecord orbitWorkRecord{};

int OrbitStepDays() { return kOrbitDateSteps[std::clamp(orbitDateStep, 0, kOrbitDateStepCount - 1)]; }

void SetOrbitCometIndex(int recordIndex) { orbitCometIndex = recordIndex; }

void SetOrbitAssistantView(int view) { orbitAssistantView = view; }

void ClearOrbitSkyCentre() {
    orbitViewState.centreLongitude = 0.0f;
    orbitViewState.centreLatitude = 0.0f;
}

void ResetOrbitAssistantState() {
    orbitCometIndex = 0;
    orbitAssistantView = 0;
    orbitDateStep = 3;
    orbitZoomLevel = 5;
    orbitSkyFov = 0;
    orbitCometMode = 1;
    orbitFormTime = OrbitFormTime{};
    orbitViewState = OrbitViewState{};
    orbitWorkRecord = CometRecord{};
}
