// Speed of the platform drawing calls the screens use most: copies of
// offscreen pictures to the screen, text, and filled shapes.
#include <benchmark/benchmark.h>

#include "platform/drawing.h"
#include "platform/text.h"

namespace {

struct Picture {
    pl::Hdc dc = pl::CreateCompatibleDC(nullptr);
    pl::Hbitmap bitmap;
    pl::Hbitmap previous;
    Picture(int w, int h, bool dib) {
        void* bits = nullptr;
        bitmap = dib ? pl::CreateDibSection(w, h, 16, &bits) : pl::CreateCompatibleBitmap(nullptr, w, h);
        previous = pl::SelectObject(dc, bitmap);
    }
    ~Picture() {
        pl::SelectObject(dc, previous);
        pl::DeleteObject(bitmap);
        pl::DeleteDC(dc);
    }
};

void BM_BlitDibToScreenFormat(benchmark::State& state) {
    Picture src(480, 640, true), dst(480, 640, false);
    for (auto _ : state) pl::BitBlt(dst.dc, 0, 0, 480, 640, src.dc, 0, 0);
    state.SetItemsProcessed(state.iterations() * 480 * 640);
}
BENCHMARK(BM_BlitDibToScreenFormat);

void BM_TransparentStretch(benchmark::State& state) {
    Picture src(40, 40, true), dst(480, 640, true);
    for (auto _ : state) pl::TransparentBlt(dst.dc, 10, 10, 80, 80, src.dc, 0, 0, 40, 40, 0);
}
BENCHMARK(BM_TransparentStretch);

void BM_TextLine(benchmark::State& state) {
    Picture dst(480, 640, true);
    for (auto _ : state) pl::TextOut(dst.dc, 5, 5, "M 31 Andromeda Galaxy  3.4 mag  178' x 63'");
}
BENCHMARK(BM_TextLine);

void BM_Ellipse(benchmark::State& state) {
    Picture dst(480, 640, true);
    for (auto _ : state) pl::Ellipse(dst.dc, 40, 40, 440, 440);
}
BENCHMARK(BM_Ellipse);

}  // namespace
