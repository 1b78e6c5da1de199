// The program run as a user runs it: a second start in a folder in use, a
// display on which no window can be made, and bad environment values, each
// read from the exit status and standard error.
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/start_environment.h"
#include "platform/files.h"
#include "platform/instance_lock.h"
#include "support/program_fixture.h"
#include "support/temp_program_folder.h"

extern char** environ;

namespace {

struct Finished {
    int status = -1;  // exit status; -1 when it did not exit by itself in time
    std::string errors;
};

// Runs the program in `folder` (also its program folder) with this process's
// environment changed by `changes` (no value: the variable is removed).
Finished RunProgram(const std::filesystem::path& folder,
                    const std::map<std::string, std::optional<std::string>>& changes) {
    std::map<std::string, std::string> variables;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        std::size_t equals = entry.find('=');
        if (equals != std::string::npos) variables[entry.substr(0, equals)] = entry.substr(equals + 1);
    }
    // The X, Wayland and SDL libraries keep allocations for the life of the
    // process; the leak checker of a sanitized build is told so.
    const std::filesystem::path suppressions = folder / "lsan.supp";
    std::ofstream(suppressions) << "leak:libX11\nleak:libxcb\nleak:libSDL2\nleak:libdbus\nleak:libwayland\n";
    variables["LSAN_OPTIONS"] = "suppressions=" + suppressions.string();
    variables["ZENDAVORI_HOME"] = folder.string();
    variables["ZENDAVORI_SCREENSHOT"] = (folder / "screen.png").string();
    for (const auto& [name, value] : changes) {
        if (value) variables[name] = *value;
        else variables.erase(name);
    }
    std::vector<std::string> texts;
    for (const auto& [name, value] : variables) texts.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& t : texts) envp.push_back(t.data());
    envp.push_back(nullptr);
    const std::string program = ZENDAVORI_PROGRAM;
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    int fds[2];
    if (pipe(fds) != 0) return {};
    const std::string where = folder.string();
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(fds[1], 2);
        close(fds[0]);
        if (chdir(where.c_str()) != 0) _exit(126);
        execve(program.c_str(), argv, envp.data());
        _exit(127);
    }
    close(fds[1]);
    Finished done;
    pollfd p{fds[0], POLLIN, 0};
    char buffer[512];
    bool ended = false;  // standard error closed: the program is ending
    while (!ended && poll(&p, 1, 120000) > 0) {
        ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n > 0) done.errors.append(buffer, static_cast<std::size_t>(n));
        else ended = true;
    }
    close(fds[0]);
    int status = 0;
    if (!ended) kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    if (!ended) return done;
    if (WIFEXITED(status)) done.status = WEXITSTATUS(status);
    return done;
}

const std::map<std::string, std::optional<std::string>> kNoDisplay = {
    {"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}, {"SDL_VIDEODRIVER", std::nullopt},
    {"ZENDAVORI_SCREEN", std::nullopt}, {"ZENDAVORI_ZOOM", std::nullopt},
    {"ZENDAVORI_SCOPE_SIMULATION", std::nullopt}};

std::map<std::string, std::optional<std::string>> NoDisplayAnd(
    const std::map<std::string, std::optional<std::string>>& more) {
    auto changes = kNoDisplay;
    for (const auto& [name, value] : more) changes[name] = value;
    return changes;
}

int Occurrences(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// A second start in a folder whose lock is held (here by the test) once
// exited 0 without a word.
TEST(ProgramStart, SecondStartSaysSoOnStandardErrorAndExits1) {
    TempProgramFolder folder("second_start");
    ASSERT_TRUE(pl::AcquireInstanceLock());
    const Finished run = RunProgram(folder.path(), kNoDisplay);
    pl::ReleaseInstanceLock();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "zendavori: Zendavori is already running for this folder.\n");
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "screen.png"));
}

// A named display without a server: the reason and status 1, not a quiet
// headless run leaving a picture behind.
TEST(ProgramStart, DisplayWithoutAWindowSaysWhyAndExits1) {
    TempProgramFolder folder("no_window");
    const Finished run = RunProgram(folder.path(), NoDisplayAnd({{"DISPLAY", ":987"}}));
    EXPECT_EQ(run.status, 1) << run.errors;
    // (The display libraries SDL probes may write lines of their own.)
    EXPECT_EQ(Occurrences("\n" + run.errors, "\nzendavori: cannot open a window on the display: no display answers at "
                                      "DISPLAY=:987"),
              1)
        << run.errors;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "screen.png"));
}

// Each bad value once, with the value used instead (the headless screen is
// 240x320@96); the run itself goes on and writes its picture.
TEST(ProgramStart, EachBadEnvironmentValueIsReportedOnce) {
    TempProgramFolder folder("bad_values");
    InstallSymbolFont(folder.path());
    const Finished run = RunProgram(
        folder.path(),
        NoDisplayAnd({{"ZENDAVORI_SCREEN", "big"}, {"ZENDAVORI_ZOOM", "9"}, {"ZENDAVORI_SCOPE_SIMULATION", "yes"}}));
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(Occurrences(run.errors, "ZENDAVORI_SCREEN"), 1) << run.errors;
    EXPECT_EQ(Occurrences(run.errors, "zendavori: ZENDAVORI_SCREEN is not WxH@DPI; using 240x320@96\n"), 1);
    EXPECT_EQ(Occurrences(run.errors, "zendavori: ZENDAVORI_ZOOM is not a whole number 1..8; using 1\n"), 1);
    EXPECT_EQ(Occurrences(run.errors, "zendavori: ZENDAVORI_SCOPE_SIMULATION is not 0 or 1; using 0\n"), 1);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "screen.png"));
}

// In a window the screen's default is 480x640@192; good values say nothing.
TEST(ProgramStart, StartEnvironmentInAWindow) {
    setenv("ZENDAVORI_SCREEN", "480x640", 1);
    setenv("ZENDAVORI_ZOOM", "3", 1);
    setenv("ZENDAVORI_SCOPE_SIMULATION", "1", 1);
    StartEnvironment e = ReadStartEnvironment(true);
    EXPECT_EQ(e.warnings, std::vector<std::string>{"ZENDAVORI_SCREEN is not WxH@DPI; using 480x640@192"});
    EXPECT_EQ(e.zoom, 3);
    setenv("ZENDAVORI_SCREEN", "320x240@96", 1);
    e = ReadStartEnvironment(true);
    EXPECT_TRUE(e.warnings.empty());
    EXPECT_EQ(std::make_tuple(e.screen.width, e.screen.height, e.screen.dpi), std::make_tuple(320, 240, 96));
    for (const char* name : {"ZENDAVORI_SCREEN", "ZENDAVORI_ZOOM", "ZENDAVORI_SCOPE_SIMULATION"}) unsetenv(name);
}

}  // namespace
