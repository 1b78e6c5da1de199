#include "orbits/satellite_form_state.h"

namespace {

SatelliteFormState StartState() {
    SatelliteFormState s{};
    s.year = -1;
    s.satelliteIndex = -1;
    s.selectedResult = -1;
    s.fovIndex = 1;
    s.transitMode = 1;
    return s;
}

}  // namespace

// The program starts with the start values too, not with zeros (a first
// opening would otherwise show the date 00/00/0000).
SatelliteFormState satelliteFormState = StartState();

void ResetSatelliteFormState() { satelliteFormState = StartState(); }

int MinimumPassElevation(int index) {
    static const int kDegrees[] = {2, 5, 10, 15, 20, 25, 30, 35, 40, 45};
    if (index < 0) index = 0;
    if (index > 9) index = 9;
    return kDegrees[index];
}

int CompareFlareRows(const PassRow* a, const PassRow* b) {
    if (satelliteFormState.flareMode) {
        if (a->peakLocalJd > b->peakLocalJd) return 1;
        return a->peakLocalJd == b->peakLocalJd ? 0 : -1;
    }
    if (a->riseLocalJd > b->riseLocalJd) return 1;
    if (a->riseLocalJd < b->riseLocalJd) return -1;
    return a->maxElevation - b->maxElevation;
}

// Insertion sort: stable, and safe whatever the comparison answers (a time
// that is not a number compares neither earlier nor later).
void SortPassRows(PassRow* rows, int count) {
    for (int i = 1; i < count; ++i) {
        PassRow row = rows[i];
        int j = i;
        for (; j > 0 && CompareFlareRows(&rows[j - 1], &row) > 0; --j) rows[j] = rows[j - 1];
        rows[j] = row;
    }
}
