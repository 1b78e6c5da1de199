#include "scope/star_field_text.h"

#include "core/angle_text.h"
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
