// Pieces the alignment forms share: the angle fields shown as hours or
// degrees in the formats of the preferences, and the mount's reading in the
// units of an alignment star.
#pragma once

// Field `field` of the open form shows an angle given in degrees: as hours
// (HMSToStr of degrees / 15), or as degrees (DegToStr).
void ShowHoursField(int field, double degrees);
void ShowDegreesField(int field, double degrees);

// The mount's reading now (ScopeGetRaDec) in degrees: right ascension x 15
// and declination for EQ output, the two angles as read for AZ and Encoder.
// False, the outputs untouched, when the read failed (the read has said why).
bool ReadMountDegrees(double* axis1, double* axis2);
