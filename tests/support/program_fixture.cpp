#include "support/program_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/application_quit.h"
#include "app/main_window.h"
#include "catalog/stars.h"
#include "core/shared_state.h"
#include "platform/controls.h"
#include "platform/dialog.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/window.h"
#include "support/test_harness.h"
#include "ui/forms.h"
#include "ui/shell_state.h"

void InstallSymbolFont(const std::filesystem::path& home) {
    std::filesystem::create_directories(home / "font");
    std::filesystem::create_directories(home / "userlists");
    std::error_code ignored;
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", home / "font" / "symbol.ttf",
                               std::filesystem::copy_options::overwrite_existing, ignored);
}

namespace {

// A record database header {version, 0, count, record size} and `count` zeroed records.
void WriteEmptyDb(const std::filesystem::path& file, uint32_t version, uint32_t recordSize, uint32_t count = 0) {
    std::ofstream out(file, std::ios::binary);
    for (uint32_t word : {version, 0u, count, recordSize})
        for (int i = 0; i < 4; ++i) out.put(static_cast<char>((word >> (8 * i)) & 0xFF));
    for (uint32_t i = 0; i < count * recordSize; ++i) out.put('\0');
}

}  // namespace

void InstallEmptyDatabases(const std::filesystem::path& home) {
    std::filesystem::create_directories(home / "data");
    WriteEmptyDb(home / "data" / "zendavori_default_stars.ppc", 1, 44, kBrightStarCount);
    WriteEmptyDb(home / "data" / "zendavori_obj_1k.ppc", 26, 64);
    WriteEmptyDb(home / "data" / "zendavori_moon.ppc", 24, 44);
    WriteEmptyDb(home / "data" / "zendavori_constellation.ppc", 1, 8);
}

ProgramTest::ProgramTest() : harness(TestHarnessOptions()) {
    // The program installs its own message boxes; they go when it ends.
    previousHooks_ = InstallServiceHooks(ServiceHooks{});
    InstallServiceHooks(previousHooks_);
    pl::ResetShell();
    ResetSharedState();
    InstallSymbolFont(folder.path());
    InstallEmptyDatabases(folder.path());
}

ProgramTest::~ProgramTest() {
    QuitProgram();
    harness.stop();
    InstallServiceHooks(previousHooks_);
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

void ProgramTest::MainCommand(int id) {
    Ui([id] { pl::SendMessage(mainWindow, pl::WM_COMMAND, static_cast<pl::WParam>(id), 0); });
}

void ProgramTest::FormCommand(int id) {
    Ui([id] { pl::SendMessage(GetCurrentFormDialog(), pl::WM_COMMAND, static_cast<pl::WParam>(id), 0); });
}

pl::Point ProgramTest::Centre(pl::Hwnd window) {
    pl::Rect r;
    pl::GetWindowRect(window, &r);
    return pl::Point{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

pl::Point ProgramTest::RowCentre(pl::Hwnd list, int row) {
    pl::Rect r;
    pl::SendMessage(list, pl::LVM_GETITEMRECT, static_cast<pl::WParam>(row), reinterpret_cast<pl::LParam>(&r));
    pl::Point p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    pl::ClientToScreen(list, &p);
    return p;
}

std::vector<uint32_t> ProgramTest::ScreenSample(int step) const {
    std::vector<uint32_t> pixels;
    pl::ScreenInfo screen = pl::GetScreenInfo();
    for (int y = 0; y < screen.height; y += step)
        for (int x = 0; x < screen.width; x += step) pixels.push_back(harness.pixel(x, y) & 0xF8F8F8u);
    return pixels;
}

std::vector<int64_t> ProgramTest::ShellCalls(const char* call, pl::Hwnd window) {
    std::vector<int64_t> values;
    for (const pl::ShellCall& c : pl::ShellCallLog())
        if (c.call == call && (!window || c.hwnd == window)) values.push_back(c.value);
    return values;
}

void ProgramTest::Shot(const char* name) const {
    if (const char* dir = std::getenv("ZENDAVORI_SHOT_DIR")) harness.savePng(std::string(dir) + "/" + name);
}
