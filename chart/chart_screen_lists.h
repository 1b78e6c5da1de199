// The chart's two screen lists: where the last redraw drew catalogue stars and
// drill-down objects, for the tap search. Allocated at start-up, freed at exit.
#pragma once

#include <cstdint>

#include "core/fixed_trig.h"

// {star position in the stellar file, x, y}; the list ends with an entry whose
// first word is kStarListEnd.
struct ChartStarEntry {
    int32_t id;
    int16_t x;
    int16_t y;
};
// {object record, object type, right ascension, declination, x, y}; the list
// ends with an entry whose record is kObjectListEnd.
struct ChartObjectEntry {
    uint16_t record;
    uint16_t type;
    Fix24Angle rightAscension;
    Fix24Angle declination;
    int16_t x;
    int16_t y;
};
static_assert(sizeof(ChartStarEntry) == 8 && sizeof(ChartObjectEntry) == 16);

constexpr int kChartStarListBytes = 12000;
constexpr int kChartObjectListBytes = 4800;
constexpr int kChartStarListCapacity = kChartStarListBytes / 8;      // 1500 entries
constexpr int kChartObjectListCapacity = kChartObjectListBytes / 16;  // 300 entries
constexpr int32_t kStarListEnd = 20000000;
constexpr uint16_t kObjectListEnd = 30000;

struct ChartScreenLists {
    ChartStarEntry* stars;      // kChartStarListBytes bytes
    ChartObjectEntry* objects;  // kChartObjectListBytes bytes
};

extern ChartScreenLists chartScreenLists;

// Allocates both lists, each emptied by its end mark. A failure shows "Can't
// allocate memory during initialization for star buffer" (or "... object
// buffer") and leaves the list null; returns whether both exist.
bool AllocChartScreenLists();

// Empties the lists: the end mark in the first entry (lists not allocated are skipped).
void EmptyChartScreenLists();
void EmptyChartStarList();
void EmptyChartObjectList();

// Frees both lists (null lists are skipped).
void FreeChartScreenLists();
