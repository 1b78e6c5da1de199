// The truncated ELP 2000-82B series of the Moon: 400 sine terms in longitude, 411 in latitude
// and 344 cosine terms in distance (main problem, planetary and Earth-figure perturbations).
#pragma once

#include <cstdint>

// A main-problem term: amplitude times the sine (longitude, latitude) or cosine (distance) of
// d D + m M + mp M' + f F. Amplitude in arcseconds or km.
struct ElpMainTerm {
    int8_t d;
    int8_t m;
    int8_t mp;
    int8_t f;
    double amplitude;
};

// A perturbation term: amplitude (arcseconds) times the sine of zeta z + d D + m M + mp M' + f F
// + venus V + earth E + mars Ma + jupiter J + phase (radians), with z the mean longitude of date
// and V, E, Ma, J the mean longitudes of the planets.
struct ElpPerturbationTerm {
    int8_t zeta;
    int8_t d;
    int8_t m;
    int8_t mp;
    int8_t f;
    int8_t venus;
    int8_t earth;
    int8_t mars;
    int8_t jupiter;
    double amplitude;
    double phase;
};

// A term amplitude x sin(frequency T + phase), T in Julian centuries; arcseconds, radians.
struct ElpFreeTerm {
    double amplitude;
    double frequency;
    double phase;
};

constexpr int kElpMainLongitudeCount = 370;
constexpr int kElpPlanetaryLongitudeCount = 13;
constexpr int kElpEarthFigureLongitudeCount = 17;
constexpr int kElpMainLatitudeCount = 398;
constexpr int kElpEarthFigureLatitudeCount = 4;
constexpr int kElpPlanetaryLatitudeCount = 8;
constexpr int kElpMainDistanceCount = 344;

// Each table in decreasing order of |amplitude|, the order of the sums.
extern const ElpMainTerm elpMainLongitude[kElpMainLongitudeCount];
extern const ElpPerturbationTerm elpPlanetaryLongitude[kElpPlanetaryLongitudeCount];
extern const ElpPerturbationTerm elpEarthFigureLongitude[kElpEarthFigureLongitudeCount];
extern const ElpMainTerm elpMainLatitude[kElpMainLatitudeCount];
extern const ElpPerturbationTerm elpEarthFigureLatitude[kElpEarthFigureLatitudeCount];
extern const ElpPerturbationTerm elpPlanetaryLatitude[kElpPlanetaryLatitudeCount];
extern const ElpMainTerm elpMainDistance[kElpMainDistanceCount];
// The last latitude term, in the Moon's argument of latitude without its polynomial terms.
extern const ElpFreeTerm elpExtraLatitudeTerm;
