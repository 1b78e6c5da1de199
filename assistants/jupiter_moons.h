// The Galilean moons seen from the Earth: places relative to Jupiter and the
// state of each moon, by the low-accuracy method of Meeus, Astronomical
// Algorithms, ch. 44 (first method), with transits, shadows, eclipses and
// occultations added. Accuracy against PyEphem's moon theory over 2000-2039:
// X within 0.05 Jupiter radii (Io, Europa) and 0.1 (Ganymede, Callisto), Y
// within 0.05, 0.15, 0.15 and 0.25 radii.
#pragma once

#include <cstdint>

constexpr int kGalileanMoonCount = 4;  // Io, Europa, Ganymede, Callisto

// Moon state codes, shared with the moon events.
enum MoonStateCode {
    kMoonClear = 0,
    kMoonTransit = 1,
    kMoonTransitShadow = 2,
    kMoonShadow = 3,
    kMoonEclipse = 4,
    kMoonOccultation = 5,
};

// One moon at one instant.
struct GalileanMoon {
    double u;        // corrected longitude, radians, [0, 2 pi)
    double r;        // distance from Jupiter, equatorial radii
    double x;        // X, positive west, equatorial radii
    double y1;       // Y (positive north) times 1.071374: the flattened disk is the unit circle
    double shadowX;  // the moon's shadow on the plane of the sky, same units
    double shadowY;
    int32_t code;    // MoonStateCode
};

// The moon state table of the last computation, read by the picture and the
// strip: side[i] = +(i + 1) on the near side, -(i + 1) on the far side, 0 when
// hidden (eclipsed or occulted); shadow[i] = i + 1 when the moon's shadow
// lies on the disk, else 0.
struct JupiterMoonTable {
    int32_t side[kGalileanMoonCount];
    int32_t shadow[kGalileanMoonCount];
};
extern JupiterMoonTable jupiterMoonTable;

// Days from J2000.0 (2451545.0) of a local civil date and time at the current
// site's zone, in universal time: JulianDayAFC + hour / 24 + (minute - zone) / 1440.
double JupiterMoonDays(int year, int month, int day, int hour, int minute);

// The four moons at d days from J2000.0, and the state table. States in
// order: the side (far when 1.571 < u < 4.712); eclipse (code 4) when the
// moon lies within the unit circle around the shadow centre and 1.58 < u <
// 4.71; inside the disk, occultation (5, replacing 4) when 2.79 < u < 3.49
// and transit (1) when u > 5.93 or u < 0.35; the shadow on the disk when u >
// 5.23 or u < 1.04 (2 after a transit, else 3).
void ComputeGalileanMoons(double d, GalileanMoon moons[kGalileanMoonCount]);

// The frame 0..28 of the Jupiter globe strip (bitmap 1897) for dt hours after
// a Red Spot transit: dt brought into [-4.963973, 4.963973] by the rotation
// period 9.927943 h; frames 0..23 while the spot faces the Earth (|dt| <=
// 2.481986), 23..28 behind; with xFactor -1 (mirrored) 28 - frame.
int JupiterRotationFrame(double dt, int xFactor);
