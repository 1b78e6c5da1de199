// The SDL window backend under a virtual X server (Debian's Xvfb, started
// here when no display is set): the window shows the framebuffer's pixels,
// and SDL's input reaches the program as the handheld's input. Without an X
// server the tests skip themselves.
#include "platform/sdl_backend.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/backend.h"
#include "platform/controls.h"
#include "platform/device_services.h"
#include "platform/focus.h"
#include "platform/framebuffer.h"
#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "support/recording_window.h"
#include "support/window_capture.h"

// The X and SDL libraries keep allocations for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libX11\nleak:libxcb\nleak:libSDL2\nleak:libdbus\nleak:libXext\nleak:libXcursor\n"
           "leak:libXi\nleak:libXrandr\nleak:libasound\nleak:libpulse\nleak:libGL\nleak:libEGL\n";
}

namespace {

using namespace pl;

// A private X server for the tests of this process, unless a display is
// already set. One for the whole process: SDL stays connected to it.
class VirtualDisplay {
    // Starts Xvfb writing its display number to `fd`; it dies with this
    // process and keeps away from the test's output (which ctest waits on).
    static pid_t Spawn(int fd) {
        std::string number = std::to_string(fd);
        pid_t pid = fork();
        if (pid != 0) return pid < 0 ? 0 : pid;
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        const char* argv[] = {"Xvfb", "-displayfd", number.c_str(), "-screen", "0", "1024x768x24",
                              "-nolisten", "tcp", nullptr};
        execvp("Xvfb", const_cast<char**>(argv));
        _exit(127);
    }

public:
    VirtualDisplay() {
        const char* display = std::getenv("DISPLAY");
        if (display && *display) {
            ready_ = true;
            return;
        }
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = Spawn(fds[1]);
        close(fds[1]);
        std::string number;
        pollfd p{fds[0], POLLIN, 0};
        char c;
        while (pid_ && poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (number.empty()) return;
        setenv("DISPLAY", (":" + number).c_str(), 1);
        ready_ = owned_ = true;
    }
    ~VirtualDisplay() {
        if (owned_) unsetenv("DISPLAY");
        if (pid_) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool ready() const { return ready_; }

private:
    pid_t pid_ = 0;
    bool ready_ = false;
    bool owned_ = false;
};

const VirtualDisplay& TheDisplay() {
    static VirtualDisplay display;
    return display;
}

class SdlBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenInfo(kHeadlessScreen);
        RegisterControlClasses();
        if (!TheDisplay().ready()) GTEST_SKIP() << "no X server could be started";
        setenv("SDL_AUDIODRIVER", "dummy", 0);  // sound is played, to no device
        main = rec.Top({0, 0, 240, 320});
        if (!StartSdlBackend(2)) GTEST_SKIP() << "SDL could not open a window";
    }
    void TearDown() override {
        StopSdlBackend();
        SetCloseCommand(nullptr, 0);
    }
    void Push(SDL_Event e) { SDL_PushEvent(&e); }
    // Takes the fed input, translating and dispatching it.
    void Pump() {
        Msg m;
        while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessage(&m);
        }
    }
    static SDL_Event Mouse(uint32_t type, int x, int y) {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_MOUSEMOTION) {
            e.motion.x = x;
            e.motion.y = y;
        } else {
            e.button.button = SDL_BUTTON_LEFT;
            e.button.x = x;
            e.button.y = y;
            e.button.clicks = 1;
        }
        return e;
    }
    static SDL_Event Key(uint32_t type, SDL_Keycode key, uint16_t mod = 0) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.sym = key;
        e.key.keysym.mod = mod;
        return e;
    }

    testwin::CleanPlatform clean;
    testwin::Recorder rec;
    Hwnd main = nullptr;
};

// Reads the window's pixels back from the X server.
TEST_F(SdlBackendTest, WindowShowsTheFramebufferPixelForPixel) {
    // Something to show: rows of text with a selection in a framed list.
    CreateParams p;
    p.className = kListViewClass;
    p.style = WS_CHILD | WS_VISIBLE | WS_BORDER;
    p.x = p.y = 10;
    p.width = p.height = 150;
    p.parent = main;
    Hwnd list = CreateWindow(p);
    for (const char* t : {"Saturn", "Jupiter", "Mars"}) ListViewInsertItem(list, 0, t);
    ListViewSetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);
    Pump();
    CurrentBackend().present();

    std::vector<uint32_t> shown;
    ASSERT_TRUE(CaptureSdlWindow(SdlWindowHandle(), 480, 640, &shown));
    int differences = 0;
    const uint32_t* fb = ScreenPixels();
    for (int y = 0; y < 640; ++y)
        for (int x = 0; x < 480; ++x)
            differences += shown[static_cast<size_t>(y * 480 + x)] != fb[(y / 2) * 240 + x / 2];
    EXPECT_EQ(differences, 0);
}

TEST_F(SdlBackendTest, LeftButtonIsTheStylusAtTheZoomedScale) {
    Push(Mouse(SDL_MOUSEMOTION, 50, 50));  // the stylus is up: no move
    Push(Mouse(SDL_MOUSEBUTTONDOWN, 21, 31));
    Push(Mouse(SDL_MOUSEMOTION, 41, 51));
    Push(Mouse(SDL_MOUSEBUTTONUP, 61, 71));
    Push(Mouse(SDL_MOUSEMOTION, 80, 80));
    Pump();
    std::vector<uint32_t> ids = rec.Ids(WM_MOUSEFIRST, WM_MOUSELAST);
    EXPECT_EQ(ids, (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP}));
    std::vector<testwin::Record> down = rec.Of(WM_LBUTTONDOWN, main);
    ASSERT_EQ(down.size(), 1u);
    EXPECT_EQ(PointX(down[0].lParam), 10);
    EXPECT_EQ(PointY(down[0].lParam), 15);
    EXPECT_EQ(PointX(rec.Of(WM_LBUTTONUP, main)[0].lParam), 30);
}

// Control with a letter is that key with Control held; typed text comes as
// text, not as keys.
TEST_F(SdlBackendTest, KeysBecomeTheHandheldsKeysAndTextItsCharacters) {
    SetFocus(main);
    Push(Key(SDL_KEYDOWN, SDLK_F1));
    Push(Key(SDL_KEYUP, SDLK_F1));
    Push(Key(SDL_KEYDOWN, SDLK_F4));
    Push(Key(SDL_KEYDOWN, SDLK_PAGEDOWN));
    Push(Key(SDL_KEYDOWN, SDLK_LCTRL, KMOD_LCTRL));
    Push(Key(SDL_KEYDOWN, SDLK_q, KMOD_LCTRL));
    Push(Key(SDL_KEYDOWN, SDLK_a));
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    std::strcpy(text.text.text, "a\xC3\xA9\xE2\x80\xA2");  // "a", e acute, bullet
    Push(text);
    Pump();
    std::vector<WParam> keys, chars;
    for (const testwin::Record& r : rec.Of(WM_KEYDOWN, main)) keys.push_back(r.wParam);
    for (const testwin::Record& r : rec.Of(WM_CHAR, main)) chars.push_back(r.wParam);
    EXPECT_EQ(keys, (std::vector<WParam>{VK_APP1, VK_APP4, VK_NEXT, VK_CONTROL, 'Q', 'A', 0, 0}));
    EXPECT_EQ(chars, (std::vector<WParam>{'a', 0xE9, 0x95}));
}

// The key map the README gives: F1 to F4 are the handheld's four hardware
// keys, Enter (the main one or the keypad's) its action key, the arrows its
// direction pad.
TEST_F(SdlBackendTest, ReadmeKeyMapGivesTheHandheldsKeys) {
    SetFocus(main);
    const std::pair<SDL_Keycode, WParam> map[] = {
        {SDLK_F1, VK_APP1},       {SDLK_F2, VK_APP2},         {SDLK_F3, VK_APP3}, {SDLK_F4, VK_APP4},
        {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN}, {SDLK_UP, VK_UP},   {SDLK_DOWN, VK_DOWN},
        {SDLK_LEFT, VK_LEFT},     {SDLK_RIGHT, VK_RIGHT}};
    std::vector<WParam> expected, keys;
    for (auto [key, vk] : map) {
        Push(Key(SDL_KEYDOWN, key));
        Push(Key(SDL_KEYUP, key));
        expected.push_back(vk);
    }
    Pump();
    for (const testwin::Record& r : rec.Of(WM_KEYDOWN, main)) keys.push_back(r.wParam);
    EXPECT_EQ(keys, expected);
}

// Control let go before the letter: the letter's release still comes.
TEST_F(SdlBackendTest, LetterReleasedAfterControlStayedDownForEver) {
    SetFocus(main);
    Push(Key(SDL_KEYDOWN, SDLK_LCTRL, KMOD_LCTRL));
    Push(Key(SDL_KEYDOWN, SDLK_q, KMOD_LCTRL));
    Push(Key(SDL_KEYUP, SDLK_LCTRL));
    Push(Key(SDL_KEYUP, SDLK_q));
    Pump();
    EXPECT_EQ(GetAsyncKeyState('Q') & 0x8000, 0);
    EXPECT_EQ(rec.Count(WM_KEYUP, main), 2);
    Push(Key(SDL_KEYUP, SDLK_w));  // a letter that was typed as text gives no key of its own
    Pump();
    EXPECT_EQ(rec.Count(WM_KEYUP, main), 2);
}

TEST_F(SdlBackendTest, ClosingTheWindowPostsTheCloseCommand) {
    SetCloseCommand(main, 1035);
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    Push(e);
    Pump();
    std::vector<testwin::Record> commands = rec.Of(WM_COMMAND, main);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 1035u);
}

// A machine without a sound card: the start does not touch the audio device
// (whose library writes its complaints to standard error); the first sound
// opens it.
TEST(SdlAudio, DeviceOpensAtTheFirstSoundNotAtStart) {
    SetScreenInfo(kHeadlessScreen);
    if (!TheDisplay().ready()) GTEST_SKIP() << "no X server could be started";
    unsetenv("SDL_AUDIODRIVER");
    std::FILE* captured = std::tmpfile();
    ASSERT_NE(captured, nullptr);
    std::fflush(stderr);
    int savedErr = dup(2);
    dup2(fileno(captured), 2);
    bool started = StartSdlBackend(1);
    std::fflush(stderr);
    dup2(savedErr, 2);
    close(savedErr);
    ASSERT_TRUE(started);
    EXPECT_EQ(std::ftell(captured), 0L) << "start-up wrote to standard error";
    std::fclose(captured);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);

    static constexpr ToneTemplate kBeep[] = {{1000, 20}};
    static constexpr SoundTemplate kSounds[] = {{"startTimer", kBeep}};
    static const ResourceGroup kGroup = {.sounds = kSounds};
    AddResourceGroup(kGroup);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    EXPECT_TRUE(PlaySound("startTimer", false));
    EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_TRUE(SoundLog().back().played);
    ClearResourceGroups();
    StopSdlBackend();
}

// A machine without a sound card: the first sound finds no device and is
// skipped without a word on standard error (the audio library wrote its
// complaints there); on a machine with one it plays.
TEST(SdlAudio, NoSoundCardWritesNothingOnStandardError) {
    SetScreenInfo(kHeadlessScreen);
    if (!TheDisplay().ready()) GTEST_SKIP() << "no X server could be started";
    unsetenv("SDL_AUDIODRIVER");
    // The real drivers are probed again even when an earlier test opened the dummy one.
    while (SDL_WasInit(SDL_INIT_AUDIO)) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    ASSERT_TRUE(StartSdlBackend(1));
    static constexpr ToneTemplate kBeep[] = {{1000, 20}};
    static constexpr SoundTemplate kSounds[] = {{"stopTimer", kBeep}};
    static const ResourceGroup kGroup = {.sounds = kSounds};
    AddResourceGroup(kGroup);
    std::FILE* captured = std::tmpfile();
    ASSERT_NE(captured, nullptr);
    std::fflush(stderr);
    int savedErr = dup(2);
    dup2(fileno(captured), 2);
    bool played = PlaySound("stopTimer", false);
    std::fflush(stderr);
    dup2(savedErr, 2);
    close(savedErr);
    std::rewind(captured);
    std::string written;
    for (int c = std::fgetc(captured); c != EOF; c = std::fgetc(captured)) written += static_cast<char>(c);
    std::fclose(captured);
    EXPECT_EQ(written, "");
    EXPECT_TRUE(played);
    ClearResourceGroups();
    StopSdlBackend();
}

// Without a display the program keeps the headless backend.
TEST(SdlHeadless, NoDisplayLeavesTheHeadlessBackend) {
    if (SDL_WasInit(SDL_INIT_VIDEO)) GTEST_SKIP() << "SDL video is already open in this process";
    const char* display = std::getenv("DISPLAY");
    std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_FALSE(StartSdlBackend(1));
    EXPECT_FALSE(SdlBackendRunning());
    EXPECT_STREQ(CurrentBackend().name, "headless");
    if (!saved.empty()) setenv("DISPLAY", saved.c_str(), 1);
}

TEST(SdlZoom, FromTheEnvironment) {
    const struct {
        const char* value;
        int zoom;
    } cases[] = {{"3", 3}, {"1", 1}, {"8", 8}, {"0", 1}, {"9", 1}, {"2x", 1}, {"", 1}};
    for (const auto& c : cases) {
        setenv("ZENDAVORI_ZOOM", c.value, 1);
        EXPECT_EQ(ZoomFromEnvironment(), c.zoom) << c.value;
    }
    unsetenv("ZENDAVORI_ZOOM");
    EXPECT_EQ(ZoomFromEnvironment(), 1);
}

}  // namespace
