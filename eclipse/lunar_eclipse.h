// Lunar eclipse circumstances: the greatest eclipse refined from the Sun and
// the Moon, and the contacts of a list record from the lunation routine.
#pragma once

#include "ephemeris/lunation.h"

struct EclipseEvent;

// The Julian day (universal time) of the least distance between the Moon's
// centre and the centre of the Earth's shadow, interpolated in three samples
// 4 h, 2 h and 0 h before the given universal time (full series, Sun and Moon
// of the eclipse routines; the source is left at 0); that distance in
// arcseconds in *separation.
double FindGreatestLunarEclipse(int year, int month, int day, int hour, int minute, int second,
                                double* separation);

// The contacts of the full Moon of a lunar record: ComputeLunation with the
// lunation derived from 15 days before the record's date.
void ComputeLunarEclipseContacts(const EclipseEvent& event, LunarEclipseContacts* contacts);
