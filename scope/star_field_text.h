// Pieces the alignment forms share: the device clock's reading with its time
// of day as an angle, and the angle fields shown as hours or degrees in the
// formats of the preferences.
#pragma once

// The device's local date and time.
struct AlignmentClock {
    int year, month, day, hour, minute, second;
    // The time of day as an angle: hours x 15, degrees.
    double Angle() const { return (second / 3600.0 + minute / 60.0 + hour) * 15.0; }
};
AlignmentClock ReadAlignmentClock();

// Field `field` of the open form shows an angle given in degrees: as hours
// (HMSToStr of degrees / 15), or as degrees (DegToStr).
void ShowHoursField(int field, double degrees);
void ShowDegreesField(int field, double degrees);
