#include "scope/star_field_text.h"

#include "core/angle_text.h"
#include "core/preferences.h"
#include "scope/scope_dispatch.h"
#include "ui/control_access.h"

void ShowHoursField(int field, double degrees) {
    char text[32];
    HMSToStr(text, sizeof text, degrees / 15.0);
    SetField(field, text);
}

void ShowDegreesField(int field, double degrees) {
    char text[32];
    DegToStr(text, sizeof text, degrees);
    SetField(field, text);
}

bool ReadMountDegrees(double* axis1, double* axis2) {
    double ra = 0, dec = 0;
    if (!ScopeGetRaDec(&ra, &dec)) return false;
    *axis1 = preferences.word[kPrefMountType] == 0 ? ra * 15.0 : ra;
    *axis2 = dec;
    return true;
}
