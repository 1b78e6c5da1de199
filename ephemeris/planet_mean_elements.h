// Mean orbital elements of the planets and Pluto as cubic polynomials in time,
// for drawing their orbits beside a comet's or an asteroid's.
#pragma once

// Mean elements of body 2 (Mercury) .. 9 (Pluto) (BodyIndex numbers) at T Julian
// centuries from JD 2415020.0 (1900 January 0.5): mean longitude L, semi-major
// axis a (AU), eccentricity e, inclination i, argument of perihelion w and
// longitude of the ascending node N, angles in degrees referred to the mean
// ecliptic and equinox of the date and not reduced to [0, 360). Mercury to
// Neptune: the mean elements of epoch 1900 with constant semi-major axes. Any
// other body leaves the six outputs untouched.
void GetPlanetMeanElements(int body, double T, double* L, double* a, double* e, double* i,
                           double* w, double* N);
