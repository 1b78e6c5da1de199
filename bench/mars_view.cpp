// Speed of the Mars view on the high-resolution screen (480 x 640 at 192 dpi)
// into a 16-bit DIB with the generated map: the whole view, the globe alone,
// and one load of a map half (the pixels kept after the first load and copied
// into the DIB row by row).
#include <benchmark/benchmark.h>

#include "assistants/globe_view.h"
#include "assistants/mars_satellites_view.h"
#include "assistants/mars_view.h"
#include "high_resolution_view.h"
#include "ui/bitmaps.h"

namespace {

// The high-resolution view; the turning globe's strip is forgotten first.
struct MarsView : HighResolutionView {
    MarsView() : HighResolutionView("zendavori_bench_mars") {}
    ~MarsView() { ForgetMarsRotationStrip(); }
};

void BM_DrawMarsView(benchmark::State& state) {
    MarsView view;
    const pl::ColorRef moons[2] = {pl::Rgb(205, 205, 40), pl::Rgb(0, 40, 220)};
    int hour = 0;
    for (auto _ : state) {
        DrawMarsView(0, 24, 480, 572, 2027, 2, 19, hour, 0, moons, 0);
        hour = (hour + 1) % 24;
    }
}
BENCHMARK(BM_DrawMarsView)->Unit(benchmark::kMillisecond);

void BM_DrawMapOnSphere(benchmark::State& state) {
    MarsView view;
    float meridian = 0;
    for (auto _ : state) {
        DrawMapOnSphere(6012, 6013, 160, 300, 1, meridian, 347.64f, -12.44f, 0, -1, pl::Rgb(231, 134, 9));
        meridian += 7.5f;
    }
}
BENCHMARK(BM_DrawMapOnSphere)->Unit(benchmark::kMillisecond);

void BM_LoadMapHalf(benchmark::State& state) {
    MarsView view;
    for (auto _ : state) DeleteOffscreenWindow(LoadBitmapResource16(6012));
}
BENCHMARK(BM_LoadMapHalf)->Unit(benchmark::kMicrosecond);

}  // namespace
