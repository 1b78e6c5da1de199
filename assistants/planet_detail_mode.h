// The mode of the planet detail form (2460): which planet it shows. The menu
// commands and the home form set it before opening the form.
#pragma once

enum PlanetDetailMode { kJupiterMode = 0, kSaturnMode = 1, kMarsMode = 2 };

// The mode, -1 before the first choice.
extern int planetDetailMode;
// The form's moon state: the number of moons in its table and the selected
// moon (-1 none); the Mars view's redraw flag.
extern int planetMoonCount;
extern int planetMoonSelection;
extern int marsRedrawNeeded;

// Each sets its mode; on a change of mode the moon state is reset (Jupiter and
// Saturn: moon table emptied and no moon selected; Mars: redraw flag set).
void SetJupiterAssistantMode();
void SetSaturnAssistantMode();
void SetMarsAssistantMode();
