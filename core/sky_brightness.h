// Sky brightness near the zenith and the naked-eye limiting magnitude, after
// Schaefer's model in the V band (Sky & Telescope, May 1998, "To the visual
// limits"): extinction from Rayleigh, aerosol, ozone and water terms; moonlight
// (with a glare term close to the Moon), twilight, daylight and night-sky
// brightness; the visual threshold law with its night and day constants and
// the observer's pupil, acuity and experience; a correction for the site's sky
// condition and an uncertainty estimate.
#pragma once

#include <cstdint>

// Inputs (filled from the site, the preferences and the arguments) and results
// of ComputeLimitingMagnitude. Owned by the caller; every field is written on
// each call. Values "to 0.01" are floor(100 x + 0.5) / 100.
struct SkyBrightnessRecord {
    double objectAltitude;   // looking direction, degrees (always 89)
    double objectAzimuth;    // degrees (always 180)
    double humidity;         // percent
    double temperature;      // degrees Celsius
    double latitude;         // degrees, north positive
    double longitude;        // degrees, west positive
    double zoneHours;        // zone minutes / 60, truncated
    double height;           // metres
    double acuity;           // Snellen ratio, (Vision row + 2) x 0.1
    int32_t dateTime[6];     // year, month, day, hour, minute (local), second = 0
    double observerAge;      // years, 15 + 10 x the Age row
    double experience;       // Experience row x 5
    double moonFraction;     // illuminated fraction of the Moon, 0..1
    double moonDistance;     // looking direction to the Moon, degrees, to 0.1
    double sunDistance;      // looking direction to the Sun, degrees, to 0.1
    double extinction;       // K, magnitudes per airmass, to 0.01
    double objectExtinction; // in the looking direction, magnitudes, to 0.01
    double moonMagnitude;    // after extinction, to 0.01; 50 with the Moon not up
    double sunMagnitude;     // after extinction, to 0.01; 50 with the Sun not up
    double skyMagnitude;     // magnitudes per square arcsecond, to 0.01
    double skyBrightness;    // nanolamberts, to 0.01 when at most 1000
    double moonSkyMagnitude;    // moonlight part, mag/arcsec^2, to 0.01; -500 with the Moon down
    double moonSkyBrightness;   // moonlight part, nanolamberts; -500 with the Moon down
    double limitingMagnitude;   // naked-eye limiting magnitude at the looking direction
    double limitingMagnitudeError;  // its uncertainty, magnitudes, to 0.01
};

// The sky brightness at which day vision takes over from night vision, nL.
constexpr double kDayVisionBrightness = 1479.0;

// Fills the record for the current site and preferences at a local civil date
// and time (seconds 0) and returns limitingMagnitudeError. The Sun and the Moon
// come from the low-precision formulae of core/sky_positions.h. The aerosol
// term takes the humidity as at most 99 percent (the model has a pole at 100).
double ComputeLimitingMagnitude(SkyBrightnessRecord* record, int year, int month, int day,
                                int hour, int minute);

// The visual threshold part of the model for a sky brightness b (nL): the
// limiting magnitude before the experience and sky-condition corrections, and
// its relative uncertainty in illuminance. k and kError: the extinction
// coefficient and its uncertainty; airmass: of the looking direction; acuity:
// Snellen ratio; age: years. Day constants from kDayVisionBrightness on.
void ComputeVisualThreshold(double b, double k, double kError, double airmass, double acuity,
                            double age, double* magnitude, double* relativeError);
