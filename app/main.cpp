// The zendavori program. With a display it runs in a window (ZENDAVORI_SCREEN,
// default 480x640@192, zoomed by ZENDAVORI_ZOOM). Without one it runs headless:
// it starts, renders the first screen, writes it to the PNG named by
// ZENDAVORI_SCREENSHOT (default zendavori-screen.png), answers the message
// boxes that opened (they are in the picture) with their default button, shuts
// down and exits 0.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/application_quit.h"
#include "app/main_window.h"
#include "platform/clock.h"
#include "platform/dialog.h"
#include "platform/harness.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/sdl_backend.h"
#include "platform/window.h"

namespace {

void WarnBadScreen(const pl::ScreenInfo& used) {
    std::fprintf(stderr, "zendavori: ZENDAVORI_SCREEN is not WxH@DPI; using %dx%d@%d\n", used.width, used.height,
                 used.dpi);
}

// Answers every open box with its first button; a box may open another.
void AnswerOpenBoxes(pl::Harness& harness) {
    for (int guard = 0; guard < 100; ++guard) {
        std::vector<pl::MessageBoxInfo> boxes = pl::OpenMessageBoxes();
        if (boxes.empty()) return;
        int button = boxes.back().buttons.empty() ? pl::IDOK : boxes.back().buttons.front();
        harness.runOnUi([button] { pl::AnswerMessageBox(button); });
    }
}

int RunHeadless() {
    pl::HarnessOptions options;
    pl::GetLocalTime(&options.start);
    if (!pl::ScreenFromEnvironment(pl::kHeadlessScreen, &options.screen)) WarnBadScreen(options.screen);
    pl::Harness harness(options);
    harness.start([] { return WinMain(nullptr, nullptr, "", pl::SW_SHOW); });
    const char* name = std::getenv("ZENDAVORI_SCREENSHOT");
    std::string path = name && name[0] ? name : "zendavori-screen.png";
    bool saved = harness.savePng(path);
    AnswerOpenBoxes(harness);
    if (harness.running()) harness.runOnUi([] { QuitApplication(); });
    AnswerOpenBoxes(harness);
    if (!saved) {
        std::fprintf(stderr, "zendavori: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("zendavori: no display; the first screen is in %s\n", path.c_str());
    return 0;
}

}  // namespace

int main() {
    pl::ScreenInfo screen;
    if (!pl::ScreenFromEnvironment(pl::kWindowScreen, &screen)) WarnBadScreen(screen);
    pl::SetScreenInfo(screen);
    if (!pl::StartSdlBackend(pl::ZoomFromEnvironment())) return RunHeadless();
    int code = WinMain(nullptr, nullptr, "", pl::SW_SHOW);
    pl::StopSdlBackend();
    return code;
}
