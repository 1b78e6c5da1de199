#include "assistants/planet_detail_mode.h"

int planetDetailMode = -1;
int planetMoonCount = 0;
int planetMoonSelection = -1;
int marsRedrawNeeded = 0;

namespace {

void SetMode(int mode) {
    if (planetDetailMode == mode) return;
    planetDetailMode = mode;
    if (mode == kMarsMode) {
        marsRedrawNeeded = 1;
    } else {
        planetMoonCount = 0;
        planetMoonSelection = -1;
    }
}

}  // namespace

void SetJupiterAssistantMode() { SetMode(kJupiterMode); }
void SetSaturnAssistantMode() { SetMode(kSaturnMode); }
void SetMarsAssistantMode() { SetMode(kMarsMode); }
