#include "orbits/satellite_search_display.h"

#include <utility>

namespace {

SatelliteSearchDisplay display;

}  // namespace

SatelliteSearchDisplay InstallSatelliteSearchDisplay(const SatelliteSearchDisplay& next) {
    return std::exchange(display, next);
}

void PrepareSearchDisplay() {
    if (display.prepare) display.prepare();
}

void ShowSearchSatelliteName(const char* nameLine) {
    if (display.showSatelliteName) display.showSatelliteName(nameLine);
}

void ShowSearchProgressBox(const char* nameLine, int* textX, int* textY) {
    *textX = *textY = 0;
    if (display.showProgressBox) display.showProgressBox(nameLine, textX, textY);
}

void ShowSearchProgressText(int x, int y, const char* text) {
    if (display.showProgressText) display.showProgressText(x, y, text);
}

void ShowSearchRows(int count, bool selectFirst) {
    if (display.showRows) display.showRows(count, selectFirst);
}

int ShowSearchDetails(int row) { return display.showDetails ? display.showDetails(row) : 0; }
