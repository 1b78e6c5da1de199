// Speed of the Moon map with the generated tiles: a render of the 960 map that
// a 480 x 640 screen uses with the copy of its visible 480 x 596 part into a
// 16-bit DIB, and a render of the 320 map. Each frame steps the time an hour,
// as the Left and Right keys do.
#include <benchmark/benchmark.h>

#include "assistants/moon_map_view.h"
#include "high_resolution_view.h"

namespace {

// The high-resolution view with a first map rendered, so that the tiles are
// generated and kept before the first frame.
struct MoonMapView : HighResolutionView {
    MoonMapView() : HighResolutionView("zendavori_bench_moon") { RenderMoonMapOffscreen(2, 2024, 1, 18, 0, 0, 0, 0); }
    ~MoonMapView() { FreeMoonMapBitmap(); }
};

void RenderFrames(benchmark::State& state, int sizeMode, bool copy) {
    MoonMapView view;
    int hour = 0;
    for (auto _ : state) {
        RenderMoonMapOffscreen(sizeMode, 2024, 1, 18 + hour / 24, hour % 24, 0, 0, 0);
        if (copy) CopyMoonMapView(XywhRect{240, 0, 480, 596}, 1.0);
        hour = (hour + 1) % 240;
    }
}

void BM_LargeMapFrame(benchmark::State& state) { RenderFrames(state, 2, true); }
BENCHMARK(BM_LargeMapFrame)->Unit(benchmark::kMillisecond);

void BM_SmallMapRender(benchmark::State& state) { RenderFrames(state, 1, false); }
BENCHMARK(BM_SmallMapRender)->Unit(benchmark::kMillisecond);

}  // namespace
