// The built-in object lists: the Messier, Caldwell, Herschel 400 and "110 Best of
// NGC" number tables and the meteor-shower table.
#pragma once

#include <cstdint>
#include <set>

// An object of a number table by its catalogue key (designation id, number),
// with a second key (0 = none) for an alias number under which an object file
// may hold the same object. Objects outside NGC and IC carry the list's own
// designation (Messier 40, Caldwell 9) and number.
struct CatalogueKey {
    int16_t designation;
    int32_t number;
    int16_t altDesignation;
    int32_t altNumber;
};

constexpr int kMessierCount = 110;   // index Messier number - 1
constexpr int kCaldwellCount = 109;  // index Caldwell number - 1
constexpr int kHerschelCount = 400;  // ascending NGC order
constexpr int kBestNgcCount = 110;   // ascending NGC order

extern const CatalogueKey messierKeys[kMessierCount];
extern const CatalogueKey caldwellKeys[kCaldwellCount];
extern const CatalogueKey herschelKeys[kHerschelCount];
extern const CatalogueKey bestNgcKeys[kBestNgcCount];

// The numbers of one catalogue (designation id) that the four number tables
// name, as key or alias.
std::set<int32_t> NumberTableNumbers(int designation);

// One annual meteor shower.
struct MeteorShowerRow {
    char name[22];
    char code[4];
    uint8_t startDay, startMonth;
    uint8_t endDay, endMonth;
    uint8_t peakDay, peakMonth;  // peak day 0: no true maximum
    int16_t raCentihours;        // radiant right ascension, hundredths of an hour
    int16_t decDegrees;          // radiant declination
    uint8_t velocity;            // km/s; 0 = unknown
    int8_t zhr;                  // zenithal hourly rate
    uint8_t classValue;          // 1..4
};

// The showers with published values, by date, "Quadrantids" first and "Ursids" last.
constexpr int kMeteorShowerCount = 66;
extern const MeteorShowerRow meteorShowerTable[kMeteorShowerCount];
