#include "chart/chart_screen_lists.h"

#include "core/services.h"
#include "core/shared_buffers.h"

ChartScreenLists chartScreenLists{};

bool AllocChartScreenLists() {
    chartScreenLists.stars = static_cast<ChartStarEntry*>(AllocSharedBuffer(kChartStarListBytes));
    if (!chartScreenLists.stars) {
        ShowInformation("Can't allocate memory during initialization for star buffer", "");
        return false;
    }
    chartScreenLists.objects = static_cast<ChartObjectEntry*>(AllocSharedBuffer(kChartObjectListBytes));
    EmptyChartScreenLists();
    if (!chartScreenLists.objects) {
        ShowInformation("Can't allocate memory during initialization for object buffer", "");
        return false;
    }
    return true;
}

void EmptyChartObjectList() {
    if (chartScreenLists.objects) chartScreenLists.objects[0].record = kObjectListEnd;
}

void EmptyChartStarList() {
    if (chartScreenLists.stars) chartScreenLists.stars[0].id = kStarListEnd;
}

void EmptyChartScreenLists() {
    EmptyChartStarList();
    EmptyChartObjectList();
}

void FreeChartScreenLists() {
    FreeSharedBuffer(chartScreenLists.stars);
    FreeSharedBuffer(chartScreenLists.objects);
}
