// The comet and minor-planet elements database and the satellite two-line element
// database; both stay open with the other long-lived databases.
#pragma once

#include <cstddef>
#include <cstdint>

// Orbital elements and magnitude parameters of a comet or minor planet (128 bytes
// in the file). The work words are filled from the element fields before each
// orbit computation.
struct CometRecord {
    uint32_t kind;              //   0: 13 comet (perihelion elements), 18 minor planet (mean anomaly)
    char name[44];              //   4: NUL-terminated
    float day;                  //  48: day of month with fraction of the perihelion time (also a minor planet's)
    float epochJulianDay;       //  52: epoch of a minor planet
    float workPerihelionTime;   //  56: work word T, Julian day
    float workEccentricity;     //  60
    float semiMajorAxis;        //  64: AU (minor planet); work word q / (1 - e)
    float workPerihelionDistance;  // 68
    float workArgPerihelion;    //  72: degrees
    float workNode;             //  76: degrees
    float workInclination;      //  80: degrees
    float workEquinox;          //  84: 2000.0
    float perihelionDistance;   //  88: q, AU (comet)
    float meanAnomaly;          //  92: degrees (minor planet)
    float eccentricity;         //  96
    float argPerihelion;        // 100: degrees
    float node;                 // 104: longitude of the ascending node, degrees
    float inclination;          // 108: degrees
    float absoluteMagnitude;    // 112: H
    float slope;                // 116: K (comet) or G (minor planet)
    uint16_t reserved1;         // 120
    int16_t year;               // 122: of the perihelion time
    int16_t month;              // 124
    uint16_t reserved2;         // 126
};

// A two-line element set: the name line and the two element lines, 71 characters
// each, not NUL-terminated inside their fields.
struct SatelliteRecord {
    char nameLine[71];
    char line1[71];
    char line2[71];
};
static_assert(sizeof(SatelliteRecord) == 213);

constexpr std::size_t kSatelliteLineSize = 72;

// Number of comet records; 0 when the database is not open.
int GetCometCount();

// Comet record `index`. False: database not open (silently), or "GetCometData:
// Could not retrieve comet record! <index>".
bool GetCometData(int index, CometRecord* record);

// Number of satellite records; 0 when the database is not open.
int GetSatelliteCount();

// Satellite record `index`. False: "Satellite database isn't open!" or "Could not
// retrieve satellite record!".
bool GetSatelliteRecord(int index, SatelliteRecord* record);

// One 71-character field of a satellite record as a terminated text in a buffer of
// kSatelliteLineSize bytes.
void GetSatelliteLine(const char* field, char* line);
