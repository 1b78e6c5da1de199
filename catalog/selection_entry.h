// The entry of the observing (selection) list, which is also the entry record
// of the user list files: 76 bytes, little-endian, at the offsets below.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kSelectionEntrySize = 76;
constexpr std::size_t kSelectionNameSize = 15;

struct SelectionEntry {
    char name[kSelectionNameSize];  //  0: display name, at most 14 characters, terminated
    uint8_t reserved;               // 15: no field; kept as it stands
    int32_t number;                 // 16: number within its catalogue; -1 = free slot / end of list
    uint16_t sourceIndex;           // 20: position in the source (Messier number - 1, body index, ...)
    int16_t designation;            // 22: row of designationTable
    int16_t objectType;             // 24: row of objectTypeTable
    int16_t constellation;          // 26: row of constellationTable
    float rightAscension;           // 28: hours
    float declination;              // 32: degrees
    int32_t chartX;                 // 36: chart projection words
    int32_t chartY;                 // 40
    int32_t chartZ;                 // 44: 0 or more on the visible side of the sphere
    int16_t size1;                  // 48: arcminutes, truncated
    int16_t size2;                  // 50: equal to size1 when the catalogue gives none
    uint16_t source;                // 52: SelectionSource code, or the class code of a search
    uint8_t smallCode;              // 54: position angle of a deep-sky object, colour class of a star
    uint8_t typeCode;               // 55: deep-sky type code (see GetTypeCodeText)
    int32_t mag10;                  // 56: visual magnitude x 10, truncated
    int32_t screenX;                // 60: screen position of the last chart drawing
    int32_t screenY;                // 64
    uint16_t horizonHidden;         // 68: 1 when the chart could not place the entry
    uint16_t alwaysShow;            // 70: 0 when made; otherwise drawn whatever its magnitude
    float distance;                 // 72: the object record's distance, unchanged
    // Not in the files (0 after a load): 1 while the entry holds the place of another date
    // because a refresh found none for the date asked (RefreshMovingSelectionEntries), or it is a
    // comet entry that names no record, or another one than its place was computed for, until the
    // list is placed again (MatchListedComets). The chart's projections leave such an entry out,
    // so it is neither drawn nor picked.
    uint32_t placeUnknown;
};

// Where an entry came from.
enum SelectionSource : int {
    kSourcePlanet = 1,
    kSourceMessier = 2,
    kSourceCaldwell = 3,
    kSourceHerschel = 7,
    kSourceBestNgc = 9,
    kSourceStar = 11,
    kSourceComet = 12,
    kSourceConstellation = 13,
    kSourceMeteorShower = 14,
    kSourceUser = 15,
    kSourceNone = 99
};

// The 76 bytes of an entry as the list files hold it, and back. The name's
// 15th byte is loaded as 0; LoadSelectionEntry returns false when the name
// field held no terminating zero (the entry is loaded all the same, its name
// cut to 14 characters).
void StoreSelectionEntry(const SelectionEntry& entry, uint8_t* bytes);
bool LoadSelectionEntry(const uint8_t* bytes, SelectionEntry* entry);
