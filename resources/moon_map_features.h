// The maria and craters from which the Moon map textures are painted.
#pragma once

enum MoonMapFeatureKind {
    kMoonMare,          // dark plain: mare, oceanus, sinus, lacus, palus
    kMoonCrater,        // crater of 40 km or more
    kMoonRayedCrater,   // young crater with bright rays
};

struct MoonMapFeature {
    float latitude;   // degrees, north +
    float longitude;  // degrees, east +, -180..180
    float diameterKm;
    MoonMapFeatureKind kind;
};

extern const MoonMapFeature kMoonMapFeatures[];
extern const int kMoonMapFeatureCount;
