// The rotation of a planet globe in 16-bit fixed point with 11 fraction bits
// (5.11: 1.0 = 2048, a full turn 12868): the state that the globe drawing
// leaves for the routines that place points on the globe drawn last.
//
// One geometry serves the map and the points: a point of latitude b and
// longitude lambda is the unit vector (cos b cos lambda, cos b sin lambda,
// sin b); it is visible while its depth is below 1 (0 on the limb); it lands
// at x = centre + right x scaleX, y = centre - up x scaleY (>> 11 each). With
// all angles 0 longitude 0 faces the viewer, +90 lies on the right-hand limb
// and the pole of latitude +90 is up; A1 turns the globe about its axis
// (longitude -A1 at the centre), A3 tilts the pole away from the viewer (A3 < 0
// shows the +90 pole), A2 turns the picture counter-clockwise in the screen.
// The turn A2 is taken before the tilt, so it is a turn in the screen only
// while A3 is 0: the +90 pole lies at atan2(sin A2, cos A2 cos A3) from up and
// is tilted by asin(cos A2 sin A3) (for |A2| up to 40 and |A3| up to 25
// degrees, within 3 degrees of A2 and 7 of A3; for |A2| above 90 the other
// pole faces the viewer).
#pragma once

#include <cstdint>

struct GlobeTransform {
    int16_t radius;      // R, pixels
    int16_t scaleX;      // R, or -R mirrored left-right
    int16_t scaleY;      // R, or -R mirrored top-bottom
    int16_t mirrorMode;  // 0 none, 1 top-bottom, 2 both (a half turn), 3 left-right
    int16_t rx, ry, rz;  // row giving the screen-right component
    int16_t ux, uy, uz;  // row giving the screen-up component
    int16_t dx, dy, dz;  // row giving the depth (negative or zero towards the viewer)
};

// The transform left by the last globe drawing (the caller sets mirrorMode).
extern GlobeTransform globeTransform;

// Degrees to a 5.11 angle: (int)(degrees x 292817.658518) >> 13.
int16_t DegreesToFix11(double degrees);

// Radius and the two scales for the transform's mirror mode.
void SetGlobeScales(GlobeTransform* t, int radius);

// The nine coefficients from three 5.11 angles (cosines and sines by
// FixSinCos11; every product of two factors >> 11, of three ((a b) >> 11) c >> 11):
//   rx = s1 c2, ry = c1 c2, rz = -s2;
//   ux = s1 s2 c3 + c1 s3, uy = c1 s2 c3 - s1 s3, uz = c2 c3;
//   dx = s1 s2 s3 - c1 c3, dy = s1 c3 + c1 s2 s3, dz = c2 s3.
void SetGlobeRotation(GlobeTransform* t, int16_t a1, int16_t a2, int16_t a3);

// A unit vector (5.11 components) seen through the transform: depth, and the
// pixel offsets from the globe's centre (right, and up: the screen row is
// centre - up).
struct GlobeOffset {
    int depth;
    int right;
    int up;
};
GlobeOffset ProjectGlobeVector(const GlobeTransform& t, int16_t px, int16_t py, int16_t pz);

// The unit vector of 5.11 latitude and longitude angles, with the vector
// components truncated as the map drawing forms them.
void GlobeUnitVector(int16_t latitude, int16_t longitude, int16_t* px, int16_t* py, int16_t* pz);

// Places the point of longitude lon and latitude b (degrees) on the globe last
// drawn, centred on (centreX, centreY): the longitude is negated first (the
// callers give longitudes positive west), so (lon, b) lands on the texture
// point of longitude -lon. Returns 1 with *x, *y set when the point is on the
// visible side (the limb included), 0 with *x, *y untouched when it is behind.
int ProjectOnGlobe(int* x, int* y, int centreX, int centreY, float lon, float b);
