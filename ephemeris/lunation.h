// Instants of the principal phases of the Moon and the eclipse test of new and full Moons.
// Phases: Meeus, Astronomical Algorithms (2nd ed. 1998), chapter 49, complete (within a
// minute of the true instants over 1900-2100). Eclipses: the same book, chapter 54 (kind,
// greatest eclipse within a few minutes, gamma, u, magnitudes and lunar contacts).
#pragma once

// Eclipse kinds (a double, as the eclipse list stores it).
constexpr double kEclipseNone = -1.0;
constexpr double kEclipsePenumbral = 1.0;  // lunar only
constexpr double kEclipsePartial = 2.0;
constexpr double kEclipseAnnular = 3.0;    // solar only
constexpr double kEclipseTotal = 4.0;      // solar total and annular-total, lunar total

// Contacts and circumstances of an eclipse found at a full (or new) Moon, in the order the
// eclipse list reads them as entries 0..12. Times are Julian days (universal time). A contact
// of a phase that does not occur is not-a-number, so every comparison with it fails.
struct LunarEclipseContacts {
    double p1;                  // 0 start of the penumbral phase
    double u1;                  // 1 start of the partial phase
    double u2;                  // 2 start of totality
    double greatest;            // 3 greatest eclipse
    double u3;                  // 4 end of totality
    double u4;                  // 5 end of the partial phase
    double p4;                  // 6 end of the penumbral phase
    double umbralMagnitude;     // 7
    double penumbralMagnitude;  // 8
    double penumbraRadius;      // 9 1.2848 + u, Earth radii
    double umbraRadius;         // 10 0.7403 - u, Earth radii
    double gamma;               // 11 signed, Earth radii
    double u;                   // 12 Earth radii
};

// Julian day (universal time) of a principal phase of lunation k (k = 0 is the new Moon of
// 2000 January 6), and on request the eclipse test of a new or full Moon.
//
// phase: 0 new Moon, 0.25 first quarter, 0.5 full Moon, 0.75 last quarter; any other value is
//   taken as the phase trunc(4 x phase) / 4 (0.1 gives the new Moon, -0.1 too); a value whose
//   index trunc(4 x phase) is outside 0..3 gives 0.0.
// k, deriveK: with deriveK set, k is derived from the date (the lunation nearest to
//   year, month, day, hour, minute by the decimal year) and written to *k before anything
//   else; with deriveK clear, *k is used as given, 0 included.
// year, month, day: the date whose Delta T turns dynamical time into universal time (and,
//   with deriveK, the date k is derived from); hour and minute serve only the derivation.
// kind, eclipseTime: when supplied, set to -1 first (after the derivation of k). With
//   eclipseFlag non-zero for a new or full Moon, kind is required (without it the result is
//   0.0); an eclipse found sets the kind and, when supplied, eclipseTime to greatest eclipse
//   (Julian day, universal time).
// contacts: filled when an eclipse has been found and contacts are supplied.
//
// Lunar eclipses follow the published criteria: an eclipse only with a positive penumbral
// magnitude, partial only with a positive umbral magnitude, total when
// (0.4678 - u)^2 - gamma^2 > 0.
double ComputeLunation(double phase, int eclipseFlag, double* kind, double* eclipseTime, int* k,
                       bool deriveK, int day, int month, int year, int hour, int minute,
                       LunarEclipseContacts* contacts);

// The lunation number nearest to a date by its decimal year: trunc(12.3685 (Y - 2000) + 0.5),
// one lower when negative (k = 0 the new Moon of 2000 January 6): its new Moon lies within
// about half a lunation of the date.
int DeriveLunation(int year, int month, int day, int hour, int minute);
