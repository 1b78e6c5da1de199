#include "scope/star_field_text.h"

#include "core/angle_text.h"
#include "ui/control_access.h"
#include "ui/input_polling.h"

AlignmentClock ReadAlignmentClock() {
    AlignmentClock c{};
    GetLocalDateTime(&c.year, &c.month, &c.day, &c.hour, &c.minute, &c.second);
    return c;
}

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
