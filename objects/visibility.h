// How hard a deep-sky object is to see in the user's telescope, and at which
// magnification it is best seen: the object's contrast against the sky is
// compared with the eye's threshold contrast for its magnified size on the
// magnified sky background (a two-dimensional table of log10 threshold
// contrasts), the magnification chosen from a table of optimum apparent
// angles. Units: aperture D and focal length F in millimetres, sizes in
// arcminutes, magnitudes, surface brightness in magnitudes per square
// arcsecond, apparent angles in arcminutes at the eyepiece.
#pragma once

// The telescope's limiting magnitude 3.7 + 5 log10 D and its lowest useful
// power, 3.375 times the aperture in inches rounded (trunc(x + 0.5)), which is
// also returned.
int ComputeScopeLimits(double D, double* limitingMagnitude, int* minPower);

// The object's mean surface brightness over an ellipse of axes a and b
// (mag + 2.5 log10(2827 a b)), log10 of its contrast against a sky of `sky`
// (-0.4 (brightness - sky)), its smaller axis, and the brightness of object
// and sky together.
void ComputeObjectContrast(double mag, double a, double b, double sky, double* objectBrightness, double* logContrast,
                           double* minorSize, double* combinedBrightness);

// The eye's threshold contrast (not its logarithm) for an apparent angle on a
// background: linear in log10(angle) along a row of the table (held at the
// first column below it, the last segment extended above it), linear between
// the rows of the whole magnitudes around the background (row 4 below it,
// rows 26 and 27 extended beyond 27); the logarithm kept within +-37.
double ThresholdContrast(double angle, double background);

// The optimum apparent angle for a background, at most 360.
double OptimumVisualAngle(double background);

// What FindBestPower works out.
struct BestPower {
    double logMagnification = 0.0;   // 5 log10(M / (0.11155 D)) of the last pass
    double magnifiedCombined = 0.0;  // logMagnification + the combined brightness
    double background = 0.0;         // sky + logMagnification
    int power = 0;                   // the best power, within [minPower, maxPower] (maxPower wins)
    double logThreshold = 0.0;       // log10 of the threshold contrast at that power
};

// Iterates M = optimum angle / minor size (at least minPower) from M = 100
// until a pass moves it by 0.1 or less, at most 100 passes.
BestPower FindBestPower(double sky, double minorSize, double D, int minPower, int maxPower, double combinedBrightness);

// The best power and the difficulty rating (log contrast less log threshold:
// larger is easier) of an object of magnitude `mag` and sizes a, b (b <= 0:
// round) in a telescope of aperture D and focal length F under a sky of
// `sky`. Power and rating are 0 for a size a <= 0, for an object fainter than
// the telescope's limit, and for any input that is not a finite number.
void RateObjectVisibility(double D, double F, double sky, double mag, double a, double b, int* power,
                          double* rating);

// The five classes of a rating, taken in single precision: 0 "Too faint"
// (<= 0.5), 1 "Very difficult" (<= 1), 2 "Difficult" (<= 1.5), 3 "Easy"
// (<= 2), 4 "Very easy"; -1 for a rating that is not a number.
int DifficultyClass(float rating);
const char* DifficultyWord(int difficultyClass);

// The RiseSetEvent bits of `events` that belong to the day itself, for the
// 24-hour bar: the Sun's and the Moon's engine may give a rising or setting
// of the day before or after (rise or set, hours after 0 h of the day,
// outside [0, 24)), which the day does not hold, so its bit is dropped and
// the bar draws the day's one crossing.
unsigned DayOwnEvents(unsigned events, double rise, double set);
