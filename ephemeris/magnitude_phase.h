// Physical data of a solar-system body from its distances: apparent diameter,
// elongation, illuminated fraction and visual magnitude.
#pragma once

// Apparent diameter in arcminutes of body 0..9 (Sun, Moon, Mercury .. Pluto, the
// BodyIndex numbering) at `distance` AU: its diameter at 1 AU in arcseconds
// divided by the distance. Any other body (the Earth, negative numbers) gives 0.
double GetApparentDiameter(int body, double distance);

// From the triangle Sun-Earth-body (Delta body-Earth, r body-Sun, R Earth-Sun,
// all AU): elongation (degrees, the angle Sun-Earth-body), illuminated fraction
// (1 + cos i) / 2 with i the phase angle Sun-body-Earth, and the visual magnitude
// H + 5 log10(r Delta) + phase terms in i (degrees) for bodies 1..9. The planets'
// laws are those of the Astronomical Almanac from 1984 (Meeus, Astronomical
// Algorithms, ch. 41); Saturn's is without the ring term, which ComputeBody adds.
// The magnitude is written only for bodies 1..9. The Moon has no longitudes
// here: its elongation is taken as 0 and its phase angle as 180 degrees.
// Zero distances (the Earth seen from the Earth) give NaN results.
void ComputeMagnitudePhase(int body, double delta, double r, double bigR, double* magnitude,
                           double* illuminatedFraction, double* elongation);
