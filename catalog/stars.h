// The default stars: the 1646 bright stars that the program always shows, loaded
// once into brightStarTable, and the bright-star names ("Stars (Brighest)") with
// the lookup from an HR number to a name.
#pragma once

#include <cstdint>

// One default star (44 bytes in the file). The file holds right ascension in hours
// and declination in degrees as floats; in brightStarTable they are Fix24Angle
// radians, and words 20..43 are the chart's working words.
struct StarRecord {
    int16_t hr;
    int16_t constellation;   // row of constellationTable
    int32_t rightAscension;  // Fix24Angle
    int32_t declination;     // Fix24Angle
    int16_t magnitude16;     // visual magnitude x 16
    int16_t colour;
    uint8_t flamsteed;       // 0 = none
    int8_t bayer;            // Greek letter in the symbol font's encoding, 0 = none
    int8_t superscript;      // 0 = none
    uint8_t reserved;
    int32_t chartWords[3];   // two projected coordinates and a spare word
    int32_t screenX;
    int32_t screenY;
    int32_t hidden;          // 0 drawn; 1 not drawn; -1 left out of a sphere picture altogether
};

constexpr int kBrightStarCount = 1646;
constexpr int kBrightStarTableCapacity = 1648;

// The default stars in file order (ascending HR number); entry 0 is not searched by HR.
extern StarRecord brightStarTable[kBrightStarTableCapacity];

// Default-star record `index` (0..1645) with its position converted to Fix24Angle
// (hours x 4392264.877774095 and degrees x 292817.658518273, truncated toward
// zero) and the working words zero. False: an index outside 0..1645 or a closed
// database (silently), or "Could not retrieve star record!" with "recId <index>".
bool GetStarRecord(int index, StarRecord* star);

// Loads brightStarTable once, stepping the busy indicator (with `progressStyle`)
// every 150 records; stops at the first record that cannot be read. Returns 1.
int LoadStarCatalog(int progressStyle);

bool IsStarCatalogLoaded();

// One bright-star name: the name and the star's entry in brightStarTable.
struct BrightStarName {
    char name[18];
    int16_t starIndex;  // 0..1645
};

// Number N of named bright stars (the name file holds them twice: N records in name
// order, then N in HR order). Counted once per run; 0 without the file.
int GetBrightStarCount();

// Name record `index` of "zendavori_brightstar.ppc". False when the file is
// missing, the record cannot be read ("Could not retrieve record!") or its star
// index is outside 0..1645 ("zendavori_brightstar.ppc is damaged").
bool ReadBrightStarRecord(int index, BrightStarName* record);

// Position in the name-ordered half of the name of the star with this HR number,
// the name record left in *record; -1 when the star has no name. Needs
// brightStarTable loaded.
int FindBrightStarNameByHr(int hr, BrightStarName* record);

// Forgets the loaded table and the cached name count (tests).
void ResetStarCatalog();
