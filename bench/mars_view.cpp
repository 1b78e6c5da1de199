// Speed of the Mars view on the high-resolution screen (480 x 640 at 192 dpi)
// into a 16-bit DIB with the generated map: the whole view, the globe alone,
// and one load of a map half (the pixels kept after the first load and copied
// into the DIB row by row).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "assistants/globe_view.h"
#include "assistants/mars_satellites_view.h"
#include "assistants/mars_view.h"
#include "core/preferences.h"
#include "core/shared_state.h"
#include "platform/files.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "resources/program_resources.h"
#include "ui/bitmaps.h"
#include "ui/colors.h"
#include "ui/draw_window.h"
#include "ui/offscreen.h"
#include "ui/screen_layout.h"

namespace {

// The high-resolution screen, the program's bitmaps, a program folder with the
// symbol face (the fonts of the view need it) and a 480 x 640 DIB as the draw
// window, for the benchmark's lifetime.
struct HighResolutionView {
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "zendavori_bench_mars";
    DrawWindowRecord* record = nullptr;
    HighResolutionView() {
        std::filesystem::create_directories(folder / "font");
        std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", folder / "font" / "symbol.ttf",
                                   std::filesystem::copy_options::overwrite_existing);
        pl::SetProgramFolder(folder.string());
        ResetSharedState();
        ValidatePreferences();
        InstallProgramResources();
        pl::SetScreenInfo(pl::ScreenInfo{480, 640, 192});
        ResetScreenScale();
        displayScale = DisplayScale{2.0, 2.0};
        InitColorSet();
        record = CreateOffscreenDib(480, 640, 16);
        SetDrawWindow(record);
    }
    ~HighResolutionView() {
        ForgetMarsRotationStrip();
        DeleteOffscreenWindow(record);
        ReleaseDrawWindow();
        pl::ClearResourceGroups();
        pl::SetProgramFolder("");
        std::filesystem::remove_all(folder);
    }
};

void BM_DrawMarsView(benchmark::State& state) {
    HighResolutionView view;
    const pl::ColorRef moons[2] = {pl::Rgb(205, 205, 40), pl::Rgb(0, 40, 220)};
    int hour = 0;
    for (auto _ : state) {
        DrawMarsView(0, 24, 480, 572, 2027, 2, 19, hour, 0, moons, 0);
        hour = (hour + 1) % 24;
    }
}
BENCHMARK(BM_DrawMarsView)->Unit(benchmark::kMillisecond);

void BM_DrawMapOnSphere(benchmark::State& state) {
    HighResolutionView view;
    float meridian = 0;
    for (auto _ : state) {
        DrawMapOnSphere(6012, 6013, 160, 300, 1, meridian, 347.64f, -12.44f, 0, -1, pl::Rgb(231, 134, 9));
        meridian += 7.5f;
    }
}
BENCHMARK(BM_DrawMapOnSphere)->Unit(benchmark::kMillisecond);

void BM_LoadMapHalf(benchmark::State& state) {
    HighResolutionView view;
    for (auto _ : state) DeleteOffscreenWindow(LoadBitmapResource16(6012));
}
BENCHMARK(BM_LoadMapHalf)->Unit(benchmark::kMicrosecond);

}  // namespace
