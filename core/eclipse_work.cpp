#include "core/eclipse_work.h"

EclipseWork eclipseWork;
int sunMoonSource = 1;
double eclipseMinusDeltaT = 0.0;

void SelectSunMoonSource(int flag) {
    eclipseWork.nutationLongitude = 0.0;
    eclipseWork.trueObliquity = 0.0;
    sunMoonSource = flag;
}

void ResetEclipseWork() {
    eclipseWork = EclipseWork{};
    sunMoonSource = 1;
    eclipseMinusDeltaT = 0.0;
}
