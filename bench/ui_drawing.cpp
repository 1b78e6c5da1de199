// Speed of the drawing layer's per-pixel work: lines and pixels written
// straight into a DIB, the night filter over a whole picture, the shaded Moon
// phase and the turned Moon picture.
#include <benchmark/benchmark.h>

#include "core/preferences.h"
#include "platform/resources.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"
#include "ui/primitives.h"
#include "ui/shapes.h"

namespace {

void Disc(uint32_t* pixels, int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int dx = x - width / 2, dy = y - height / 2;
            pixels[y * width + x] = dx * dx + dy * dy < width * width / 4 ? 0x808080 + (x ^ y) : 0;
        }
}

constexpr pl::BitmapTemplate kMoon[] = {{3993, 240, 240, {}, {}, Disc}, {3994, 240, 240, {}, {}, Disc}};
constexpr pl::ResourceGroup kMoonGroup = {.bitmaps = kMoon};

// A 480 x 640 DIB as the draw window for the benchmark's lifetime.
struct Canvas {
    DrawWindowRecord* record = CreateOffscreenDib(480, 640, 16);
    Canvas() {
        SetDrawWindow(record);
        SetForeColor(0x00FF00);
    }
    ~Canvas() { DeleteOffscreenWindow(record); }
};

void BM_DibLines(benchmark::State& state) {
    Canvas canvas;
    for (auto _ : state)
        for (int i = 0; i < 100; ++i) DrawLine(i, 0, 479 - i, 639);
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_DibLines);

void BM_NightFilter(benchmark::State& state) {
    Canvas canvas;
    preferences.word[kPrefNightMode] = 2;
    for (auto _ : state) ApplyNightFilter(canvas.record);
    preferences.word[kPrefNightMode] = 0;
    state.SetItemsProcessed(state.iterations() * 480 * 640);
}
BENCHMARK(BM_NightFilter);

void BM_MoonPhaseShading(benchmark::State& state) {
    Canvas canvas;
    for (auto _ : state) DrawMoonPhaseShading(240, 240, 200, 200, 70);
}
BENCHMARK(BM_MoonPhaseShading);

void BM_MoonPhaseImage(benchmark::State& state) {
    pl::AddResourceGroup(kMoonGroup);
    Canvas canvas;
    for (auto _ : state) DrawMoonPhaseImage(3993, 3994, 240, 240, 0, 0, 0.3, 25.0, 1, 1);
    state.SetItemsProcessed(state.iterations() * 240 * 240);
}
BENCHMARK(BM_MoonPhaseImage);

}  // namespace
