// The markings and large relief from which the Mars map is painted.
#pragma once

enum MarsRegionKind {
    kMarsDarkAlbedo,    // classical dark marking
    kMarsBrightAlbedo,  // bright region
    kMarsPlanitia,      // lowland plain
    kMarsHighland,      // planum or terra
    kMarsMons,          // mountain or volcano
    kMarsChasma,        // canyon
    kMarsCrater,        // large crater
};

struct MarsMapRegion {
    float latitude;   // degrees, north +
    float longitude;  // degrees, east +, -180..180
    float extentKm;   // across
    MarsRegionKind kind;
};

extern const MarsMapRegion kMarsMapRegions[];
extern const int kMarsMapRegionCount;
