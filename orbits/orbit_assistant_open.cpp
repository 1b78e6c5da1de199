#include "orbits/orbit_assistant_open.h"

int orbitCometIndex = 0;
int orbitAssistantView = 0;

void SetOrbitCometIndex(int recordIndex) { orbitCometIndex = recordIndex; }

void SetOrbitAssistantView(int view) { orbitAssistantView = view; }

void ResetOrbitAssistantOpening() {
    orbitCometIndex = 0;
    orbitAssistantView = 0;
}
