// The zendavori program. With a display named it runs in a window
// (ZENDAVORI_SCREEN, default 480x640@192, zoomed by ZENDAVORI_ZOOM); when no
// window can be made there it says why on standard error and exits 1. With
// no display named it runs headless: it starts, renders the first screen,
// writes it to the PNG named by ZENDAVORI_SCREENSHOT (default
// zendavori-screen.png), answers the message boxes that opened (they are in
// the picture) with their default button, shuts down and exits 0. A start in
// a program folder another instance holds says so on standard error and exits
// 1. Each environment value that cannot be used is reported once.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/application_quit.h"
#include "app/main_window.h"
#include "app/start_environment.h"
#include "platform/clock.h"
#include "platform/dialog.h"
#include "platform/harness.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/sdl_backend.h"
#include "platform/window.h"

namespace {

// Answers every open box with its first button; a box may open another.
void AnswerOpenBoxes(pl::Harness& harness) {
    for (int guard = 0; guard < 100; ++guard) {
        std::vector<pl::MessageBoxInfo> boxes = pl::OpenMessageBoxes();
        if (boxes.empty()) return;
        int button = boxes.back().buttons.empty() ? pl::IDOK : boxes.back().buttons.front();
        harness.runOnUi([button] { pl::AnswerMessageBox(button); });
    }
}

int AlreadyRunning() {
    std::fprintf(stderr, "zendavori: %s\n", kAlreadyRunningText);
    return kAlreadyRunningExit;
}

int RunHeadless(const pl::ScreenInfo& screen) {
    pl::HarnessOptions options;
    pl::GetLocalTime(&options.start);
    options.screen = screen;
    pl::Harness harness(options);
    harness.start([] { return WinMain(nullptr, nullptr, "", pl::SW_SHOW); });
    if (!harness.running() && harness.exitCode() == kAlreadyRunningExit) return AlreadyRunning();
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
    const bool window = pl::DisplayNamed();
    const StartEnvironment environment = ReadStartEnvironment(window);
    for (const std::string& warning : environment.warnings) std::fprintf(stderr, "zendavori: %s\n", warning.c_str());
    if (!window) return RunHeadless(environment.screen);
    pl::SetScreenInfo(environment.screen);
    std::string reason;
    if (!pl::StartSdlBackend(environment.zoom, &reason)) {
        std::fprintf(stderr, "zendavori: cannot open a window on the display: %s\n", reason.c_str());
        return 1;
    }
    int code = WinMain(nullptr, nullptr, "", pl::SW_SHOW);
    pl::StopSdlBackend();
    if (code == kAlreadyRunningExit) return AlreadyRunning();
    return code;
}
