// The constellation figures: the line records of "zendavori_constellation.ppc"
// (two figure sets in one file), loaded one set at a time for the chart.
#pragma once

#include <cstdint>

// One line of a figure in the file (8 bytes).
struct ConstellationLineRecord {
    int16_t figureSet;   // 0 classic, 1 the second set
    int16_t a;
    int16_t firstStar;   // entries of brightStarTable
    int16_t secondStar;
};

// One line of the loaded figure set.
struct ConstellationLine {
    int32_t a;
    int32_t firstStar;
    int32_t secondStar;
};

// Loads figure set 0 (647 lines) or 1 (867 lines, or more when the file's set has 
// more) unless it is the set already asked for, which returns true at once (also
// when that load failed). A file with fewer lines of the set leaves the tail of
// the table zero and gives false; lines
// whose stars are not entries of brightStarTable are left out and reported
// ("zendavori_constellation.ppc is damaged"). A missing file: "Could not find
// zendavori_constellation.ppc", no lines, false.
bool LoadConstellationData(int figureSet);

// Frees the loaded lines (the line count becomes 0).
void FreeConstellationData();

// The loaded lines and their count; nullptr (count 0) when none are loaded.
const ConstellationLine* GetConstellationLines(int* count);

// Frees the lines and forgets which set was asked for (tests).
void ResetConstellationData();
