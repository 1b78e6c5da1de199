// What the orbit assistant (form 2550) opens on: the comet or asteroid record
// and the view, set by the forms that hand it an object before they open it.
#pragma once

// The comet database record (0-based) the assistant opens on; 0 at start.
extern int orbitCometIndex;
// The view it opens on: 3 is the 3D View; 0 at start.
extern int orbitAssistantView;

void SetOrbitCometIndex(int recordIndex);
void SetOrbitAssistantView(int view);

// Both back to their start values (tests).
void ResetOrbitAssistantOpening();
