// How the satellite searches show themselves while they run: the satellites
// form (orbits/screens) installs these calls; until then, and in tests that
// install nothing, they do nothing and the details answer 0.
#pragma once

struct SatelliteSearchDisplay {
    // Hides the form's other view controls and shows the result list.
    void (*prepare)() = nullptr;
    // Puts the name line on the satellite label.
    void (*showSatelliteName)(const char* nameLine) = nullptr;
    // Erases and frames the progress box and writes in it the name line (none
    // when null) and "Press any key to stop."; *textX and *textY receive where
    // that text stands (the progress text goes 70 to the right of it).
    void (*showProgressBox)(const char* nameLine, int* textX, int* textY) = nullptr;
    // Writes a progress text (the search's date and time) at (x, y).
    void (*showProgressText)(int x, int y, const char* text) = nullptr;
    // Redraws the result list with `count` rows, selecting the first one when
    // `selectFirst` is set.
    void (*showRows)(int count, bool selectFirst) = nullptr;
    // Selects row `row` in the list and shows its details; returns their result.
    int (*showDetails)(int row) = nullptr;
};

// Installs the calls; a null member does nothing. Returns the previous set.
SatelliteSearchDisplay InstallSatelliteSearchDisplay(const SatelliteSearchDisplay& display);

// The calls as the searches make them (each does nothing when not installed).
void PrepareSearchDisplay();
void ShowSearchSatelliteName(const char* nameLine);
void ShowSearchProgressBox(const char* nameLine, int* textX, int* textY);
void ShowSearchProgressText(int x, int y, const char* text);
void ShowSearchRows(int count, bool selectFirst);
int ShowSearchDetails(int row);
