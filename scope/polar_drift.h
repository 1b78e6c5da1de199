// Evaluation of a timed drift on the open polar form (2470): the inputs read
// from the site and the form's fields, the King or Rambaut result written
// back into the fields, and the three instructions shown in fields of view.
#pragma once

#include <array>
#include <string>

#include "scope/polar_alignment.h"

// The site (latitude and longitude in radians, height, temperature in
// kelvin, zone), the form's date and time, the drift's duration, the star's
// right ascension (field 2475) and declinations (2477, and 2493 for the
// Rambaut method) in radians, X, Y and R (2479, 2481, 2483); R is also kept
// as preference word 38.
PolarInputs ReadPolarInputs();

// The three instructions of a result, each count of fields of view with two
// decimals: the azimuth move of the axis, the same seen with the star at its
// declination (|sin(dec - lat) A|; the declination rounded to the whole
// degree), and the elevation move. `rambaut` picks
// the Rambaut wording ("hour axis", "degrees").
std::array<std::string, 3> PolarInstructions(const PolarResult& result, double decRadians, double latRadians,
                                             double resolution, bool rambaut);

// Evaluate the drift on the form: fields written, the three instructions
// shown one box after another.
void KingCorrection();
void RambautCorrection();
