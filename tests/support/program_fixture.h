// The whole program under the headless harness: a fresh program folder (with
// the symbol font), the shared state reset, WinMain started on its UI thread,
// and helpers to read and answer the message boxes it opens. The program is
// shut down through its own quit command when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/services.h"
#include "platform/harness.h"
#include "platform/message_box.h"
#include "support/temp_program_folder.h"

// Makes "userlists" and puts a TrueType face at font\symbol.ttf, as the run
// command does.
void InstallSymbolFont(const std::filesystem::path& home);

// Puts default-star (all records zero), empty object (1k), moon and
// constellation-figure databases of the expected versions into "data", so that
// the home form's first drawing and the sky chart open them without a report.
void InstallEmptyDatabases(const std::filesystem::path& home);

class ProgramTest : public ::testing::Test {
public:
    // Screen centre of a window, and of row `row` of a list view.
    static pl::Point Centre(pl::Hwnd window);
    static pl::Point RowCentre(pl::Hwnd list, int row);

protected:
    ProgramTest();
    ~ProgramTest() override;

    // Starts the program; false when it ended during start-up.
    bool StartProgram();
    // Quits through the main window's quit command, answering any box with OK.
    void QuitProgram();

    // Text of the box opened last, "" when none is open.
    std::string BoxText() const;
    int BoxCount() const;
    // Answers the box opened last as a tap on that button would.
    void Answer(int button);
    // Answers every open box with its first button.
    void AnswerAll();

    // Runs on the UI thread and waits until the program is idle again.
    void Ui(const std::function<void()>& call) { harness.runOnUi(call); }

    // Sends WM_COMMAND `id` to the main window, or to the open form.
    void MainCommand(int id);
    void FormCommand(int id);
    void Tap(pl::Point p) { harness.tap(p.x, p.y); }
    // Every `step`-th pixel of the screen in both directions, row by row, to
    // the 5 bits per channel of the 16-bit back buffers.
    std::vector<uint32_t> ScreenSample(int step) const;
    // Values of the shell calls named `call` (on `window` when given), in order.
    static std::vector<int64_t> ShellCalls(const char* call, pl::Hwnd window = nullptr);
    // Saves the screen as `name` in ZENDAVORI_SHOT_DIR when that is set.
    void Shot(const char* name) const;

    TempProgramFolder folder{"program"};
    pl::Harness harness;

private:
    ServiceHooks previousHooks_{};
};
