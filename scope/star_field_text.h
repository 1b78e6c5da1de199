// Pieces the alignment forms share: the angle fields shown as hours or
// degrees in the formats of the preferences.
#pragma once

// Field `field` of the open form shows an angle given in degrees: as hours
// (HMSToStr of degrees / 15), or as degrees (DegToStr).
void ShowHoursField(int field, double degrees);
void ShowDegreesField(int field, double degrees);
