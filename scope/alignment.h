// Two-star alignment: the model that turns a sky position at a clock time into
// the two axis angles a telescope reports, and back.
//
// Each reference star gives a unit vector in the sky frame and one in the
// telescope frame; with the normalised cross product of each pair as third
// vector, the matrix that carries the sky triad onto the telescope triad is
// the alignment (T. Taki, "A New Concept in Computer-Aided Telescopes", Sky &
// Telescope, February 1989).
//
// Frames and units:
// - Readings are degrees: axis 1 is right ascension x 15 for an EQ output
//   (preference word 9 = 0), azimuth as the scope reports it for AZ (1) and
//   Encoder (2) output; axis 2 is declination or altitude.
// - The telescope frame's axis-1 angle phi is the reading for EQ output and
//   360 deg minus the reading otherwise; theta is the axis-2 reading.
// - The sky angle of a star is its right ascension for EQ output with a drive
//   that is not an encoder box; otherwise RA - siderealRate t - platformElapsed,
//   t being the star's clock time less the reference time, plus one day when
//   negative (readings on either side of midnight).
// - Times of day are angles: hours x 15 in the records, radians in the model.
// The model is one global; everything runs on the UI thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/shared_buffers.h"

// One reference star; also the entry of the N-star list (alignmentStars).
struct AlignmentStar {
    int32_t index;      // two stars: observing-list entry position; N stars: catalogue index; -1 none
    char name[20];      // NUL-terminated
    double time;        // clock time of the reading, hours x 15 (degrees)
    double ra;          // right ascension, degrees (hours x 15)
    double dec;         // degrees
    double reading1;    // axis-1 reading, degrees (N-star entries: predicted)
    double reading2;    // axis-2 reading, degrees (N-star entries: predicted)
    double model1;      // axis-1 angle of the model: radians from SkyToScope
    double model2;      // axis-2 angle of the model, same unit rule
    double measured1;   // N-star: axis-1 reading at Sync, degrees
    double measured2;   // N-star: axis-2 reading at Sync, degrees
    double corrected1;  // N-star: model axis-1 angle after correction, degrees
    double corrected2;  // N-star: model axis-2 angle after correction, degrees
    double sidereal;    // N-star: local sidereal time of the reading, hours
    int32_t kind;       // object kind of the star
};
static_assert(sizeof(AlignmentStar) == 128 && offsetof(AlignmentStar, time) == 24 &&
              offsetof(AlignmentStar, sidereal) == 112 && offsetof(AlignmentStar, kind) == 120);

// The N-star list that start-up allocates holds this many stars.
constexpr int kAlignmentStarCount = 20;
static_assert(kAlignmentStarsSize == kAlignmentStarCount * sizeof(AlignmentStar));

struct AlignmentModel {
    double transform[3][3];  // row-major: unit sky vector -> unit telescope vector
    double referenceAngle;   // reference clock time, radians (hours x pi/12)
    double platformElapsed;  // sidereal angle, radians, from the reference to the last ResetPlatform
    int32_t platformMode;    // 1 while the equatorial-platform mode is on
    int32_t valid;           // 1 after a successful ComputeAlignmentMatrix
    double z1;               // mount errors, radians: tilt between the axes,
    double z2;               //   collimation,
    double z3;               //   zero error of axis 2
    double offset2;          // axis offsets, radians, taken off by ScopeAnglesFromVector
    double offset1;
};

extern AlignmentModel alignmentModel;
// The rate at which the sky turns against clock time: 1.002737909350795, 0
// while the platform mode is on.
extern double siderealRate;
// The 2-star form's stars and the copies saved for a later restore.
extern AlignmentStar alignStar1, alignStar2, savedAlignStar1, savedAlignStar2;
// The reference clock time, "%02d:%02d:%02d".
extern char alignmentReferenceText[10];

// Fills a star from texts: time and RA (any hour format) become degrees,
// Dec and the two readings are read as signed degrees; the name keeps at most
// 19 characters. An empty text leaves its field; a null pointer anywhere
// leaves the whole record.
void ParseAlignmentStar(AlignmentStar* star, const char* time, const char* ra, const char* dec,
                        const char* reading1, const char* reading2, const char* name);

// Builds the transform from the reference time text and two stars (their
// time, ra, dec and readings). Returns 1 and sets valid; 0 with valid = 0 when
// the telescope vectors are parallel or empty ("Please, fill all values") or
// the two sky places coincide (no message).
int ComputeAlignmentMatrix(const char* referenceText, const AlignmentStar* star1, const AlignmentStar* star2);

// Writes the model's axis angles of the star (its time, ra, dec) into model1
// (phi in the reading convention) and model2 (theta), radians. Without a
// valid alignment the record is left unchanged.
void SkyToScope(AlignmentStar* star);

// Sky place of two readings (degrees) taken at a clock time (hours x 15):
// right ascension in hours, [0, 24), and declination in degrees. Returns 1, or
// 0 leaving the outputs when no alignment is valid.
int ScopeToSky(double time, double reading1, double reading2, double* ra, double* dec);

// Takes the mount errors out of a direction given as telescope angles
// (radians in and out): phi by the first-order inversion, reduced to
// [0, 2 pi), less offset1; theta less z3 and offset2.
void ScopeAnglesFromVector(double* theta, double* phi);

// First two components of the telescope unit vector of (phi, theta), radians,
// with the mount errors z1, z2, z3; the third is sin(theta + z3).
double ScopeDirectionL(double phi, double theta);
double ScopeDirectionM(double phi, double theta);

// Divides v by its length when the length exceeds 1e-8.
void NormalizeVector3(double v[3]);

int IsAlignmentValid();
void ClearAlignmentValid();

int GetPlatformMode();
// On: the sky stops turning against the clock (siderealRate 0), platformElapsed
// kept. Off: the rate comes back and platformElapsed is cleared.
void SetPlatformMode(int on);
// The platform is back at its start: platformElapsed becomes the sidereal
// angle from the reference time to the device clock's time of day (not
// reduced). Returns 1; with the mode off shows "PlatFormMode is not
// activated.", leaves platformElapsed at 0 and returns 0.
int ResetPlatform();

// Back to the start of a run: every field 0, the sidereal rate restored.
void ResetAlignmentModel();
