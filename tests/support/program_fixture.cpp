#include "support/program_fixture.h"

#include <filesystem>

#include "app/main_window.h"
#include "core/shared_state.h"
#include "platform/dialog.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "support/test_harness.h"

void InstallSymbolFont(const std::filesystem::path& home) {
    std::filesystem::create_directories(home / "font");
    std::filesystem::create_directories(home / "userlists");
    std::error_code ignored;
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", home / "font" / "symbol.ttf",
                               std::filesystem::copy_options::overwrite_existing, ignored);
}

ProgramTest::ProgramTest() : harness(TestHarnessOptions()) {
    pl::ResetShell();
    ResetSharedState();
    InstallSymbolFont(folder.path());
}

ProgramTest::~ProgramTest() {
    QuitProgram();
    harness.stop();
    ResetSharedState();
}

bool ProgramTest::StartProgram() {
    harness.start([] { return WinMain(nullptr, nullptr, "", pl::SW_SHOW); });
    return harness.running();
}

void ProgramTest::QuitProgram() {
    if (!harness.running()) return;
    Ui([] { QuitApplication(); });
    for (int i = 0; i < 20 && harness.running() && BoxCount() > 0; ++i) Answer(pl::IDOK);
}

std::string ProgramTest::BoxText() const {
    std::vector<pl::MessageBoxInfo> boxes = pl::OpenMessageBoxes();
    return boxes.empty() ? std::string() : boxes.back().text;
}

int ProgramTest::BoxCount() const { return static_cast<int>(pl::OpenMessageBoxes().size()); }

void ProgramTest::Answer(int button) {
    harness.runOnUi([button] { pl::AnswerMessageBox(button); });
}

void ProgramTest::AnswerAll() {
    for (int i = 0; i < 20 && BoxCount() > 0; ++i) {
        std::vector<pl::MessageBoxInfo> boxes = pl::OpenMessageBoxes();
        Answer(boxes.back().buttons.empty() ? pl::IDOK : boxes.back().buttons.front());
    }
}
