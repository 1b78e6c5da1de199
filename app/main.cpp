// The zendavori program. With a display it runs in a window; without one it
// runs headless: it starts, renders the first screen, answers the message
// boxes that opened (they are in the picture) with their default button,
// writes the screen to the PNG named by ZENDAVORI_SCREENSHOT (default
// zendavori-screen.png), shuts down and exits 0.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_window.h"
#include "platform/clock.h"
#include "platform/dialog.h"
#include "platform/harness.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "ui/shell_state.h"

namespace {

int DefaultButton(const pl::MessageBoxInfo& box) { return box.buttons.empty() ? pl::IDOK : box.buttons.front(); }

// Answers every open box; a box may open another, so this runs until none is left.
void AnswerOpenBoxes(pl::Harness& harness) {
    for (int guard = 0; guard < 100; ++guard) {
        std::vector<pl::MessageBoxInfo> boxes = pl::OpenMessageBoxes();
        if (boxes.empty()) return;
        int button = DefaultButton(boxes.back());
        harness.runOnUi([button] { pl::AnswerMessageBox(button); });
    }
}

int RunHeadless() {
    pl::HarnessOptions options;
    pl::GetLocalTime(&options.start);
    if (!pl::ScreenFromEnvironment(pl::kHeadlessScreen, &options.screen))
        std::fprintf(stderr, "zendavori: ZENDAVORI_SCREEN is not WxH@DPI; using %dx%d@%d\n", options.screen.width,
                     options.screen.height, options.screen.dpi);
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

int main() { return RunHeadless(); }
