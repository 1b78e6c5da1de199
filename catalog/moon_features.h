// The lunar feature database ("zendavori_moon.ppc"): the readers that the Moon
// computations reach through GetMoonRecordCount and GetMoonRecord (core), the
// feature index of the Moon assistant with its sorts and type ranges, and the sort
// of the assistant's list of visible features.
#pragma once

#include <cstdint>
#include <vector>

#include "core/moon_records.h"

// Installs the two readers below as the program's lunar feature records.
void InstallMoonRecordReaders();

// Half the record count of the open lunar feature database; 0 when it is closed.
int ReadMoonRecordCount();

// Lunar feature record `index`; 0 for an index outside 0..1794 (silently),
// "Moon Database isn't open!" or "Could not retrieve moon record!".
int ReadMoonRecord(int index, MoonFeatureRecord* record);

// One entry of the feature index.
struct MoonFeatureIndexEntry {
    int16_t record;
    int16_t sortKey;
    int16_t type;
};

// Builds the index over the GetMoonRecordCount() features (an unreadable record
// leaves its entry zero), stepping the busy indicator once per record. Returns
// true when the index already existed, false after building it.
bool BuildMoonFeatureIndex();
void FreeMoonFeatureIndex();

// The index entries and their number; nullptr (count 0) when it is not built.
const MoonFeatureIndexEntry* GetMoonFeatureIndex(int* count);

// Sorts the index: 0 by record number, 1 by type then record number, 2 by sort key
// then record number.
void SortMoonFeatureIndex(int mode);

// First index position of a run of entries of this type, with the run's length;
// -1 and count 0 when there is none. The index is sorted by type (mode 1) first.
int FindMoonFeatureTypeRange(int type, int* count);

// The Moon assistant's list of visible features (record numbers) and its current
// type range within the index.
struct FeatureTypeRange {
    int32_t first;
    int32_t count;
};
extern std::vector<int32_t> visibleFeatureList;
extern FeatureTypeRange featureTypeRange;

// Sorts visibleFeatureList: 0 Size (diameter, largest first), 1 Name (record
// number), 2 Lat (stored latitude ascending in steps of 0.1 degree); ties by record
// number.
void SortVisibleFeatureList(int mode);

// The record of index entry featureTypeRange.first + i. False when the index is not
// built, i is outside the range, or the entry is beyond the index.
bool GetMoonFeatureInRange(int i, MoonFeatureRecord* record);

// Frees the index and empties the visible list and the range (tests).
void ResetMoonFeatures();
