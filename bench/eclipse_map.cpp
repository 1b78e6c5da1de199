// Speed of the eclipse form's world map on the high-resolution screen (480 x
// 640 at 192 dpi) into a 16-bit DIB, for the total eclipse of 2006 March 29:
// the full drawing with the positions computed afresh (40 while the umbra is
// on the Earth, from the interpolated Sun and Moon), and the redraw of a drag
// (the map and the current position only).
#include <benchmark/benchmark.h>

#include "eclipse/eclipse_form.h"
#include "eclipse/eclipse_list.h"
#include "eclipse/eclipse_map.h"
#include "eclipse/eclipse_map_view.h"
#include "high_resolution_view.h"

namespace {

// The form's state after the event was selected: the list, the elements, the
// caches, the point of greatest eclipse and the Map view's rectangle.
struct EclipseMapView : HighResolutionView {
    EclipseMapView() : HighResolutionView("zendavori_bench_eclipse_map") {
        preferences.SetFloat(kPrefCurrentDeltaT, 66.184f);
        ResetEclipseForm();
        eclipseList = new EclipseEvent[kEclipseListCapacity]();
        eclipseList[0] = EclipseEvent{1, 4.0, 2006, 3, 29, 10, 11, 18, 0, 0};
        eclipseCount = 1;
        selectedEclipse = 0;
        PrepareSolarEclipse(&eclipseList[0], &greatestLatitude, &greatestLongitude);
        umbraResult.pointLatitude = observerLatitude = greatestLatitude;
        umbraResult.pointLongitude = observerLongitude = greatestLongitude;
        screenWidth = 480, screenHeight = 640;
        viewRect = XywhRect{0, 48, 480, 640 - 44 - 48};
    }
    ~EclipseMapView() { ResetEclipseForm(); }
};

void BM_DrawEclipseMapComputed(benchmark::State& state) {
    EclipseMapView view;
    for (auto _ : state) {
        mapPositionCount = 0;
        mapRecentre = -1;
        DrawEclipseMap(1, viewRect);
    }
    state.counters["positions"] = mapPositionCount;
}
BENCHMARK(BM_DrawEclipseMapComputed)->Unit(benchmark::kMillisecond);

void BM_DrawEclipseMapDragged(benchmark::State& state) {
    EclipseMapView view;
    DrawEclipseMap(1, viewRect);
    for (auto _ : state) {
        mapPanX += 7;
        DrawEclipseMap(0, viewRect);
    }
}
BENCHMARK(BM_DrawEclipseMapDragged)->Unit(benchmark::kMillisecond);

}  // namespace
