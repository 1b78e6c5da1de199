// The field of view and pixel scale of a camera sensor behind the telescope.
// Sizes are kept as preference words: the sensor's sides in mm x 100, its
// pixels' sides in micrometres x 100, the focal length in whole millimetres.
#pragma once

#include <cstddef>
#include <cstdint>

// A camera of the built-in list: sensor width and height (mm x 100) and
// pixel width and height (um x 100). Row 0, "User Data", has no values of
// its own: the typed ones stay.
struct CcdCamera {
    const char* name;
    int32_t width;
    int32_t height;
    int32_t pixelWidth;
    int32_t pixelHeight;
};
constexpr int kCcdCameraCount = 15;
extern const CcdCamera kCcdCameras[kCcdCameraCount];

// A size word as text: the whole part, a point and two digits of hundredths
// (2220 -> "22.20", 5 -> "0.05", -305 -> "-3.05").
void CcdSizeText(char* buffer, std::size_t size, int32_t word);

// A typed size as its word: the number x 100 rounded to the nearest, so that
// 0.29 gives 29 and 3.05 gives 305.
int32_t CcdSizeWord(const char* text);

// Full angle in degrees that a length of `sizeMm` spans at `focalMm`:
// 2 atan(size / 2f).
double CcdFieldAngle(double sizeMm, double focalMm);

// Arcseconds per pixel of a pixel word (um x 100) at `focalMm`: 206 (not
// 206.265) times the pixel size in um over f in mm, cut to two decimals.
double CcdPixelScale(int32_t pixelWord, double focalMm);
