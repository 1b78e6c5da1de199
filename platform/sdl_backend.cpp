#include "platform/sdl_backend.h"

#include <SDL2/SDL.h>
#include <dlfcn.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/device_services.h"
#include "platform/framebuffer.h"
#include "platform/input.h"
#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include "platform/text_encoding.h"
#include "platform/window.h"

namespace pl {
namespace {

struct SdlState {
    SDL_Window* window = nullptr;
    int zoom = 1;
    uint32_t wakeEvent = 0;
    SDL_AudioDeviceID audio = 0;
    bool audioTried = false;  // the device is opened at the first sound
    SDL_Cursor* waitCursor = nullptr;
    bool penDown = false;
    uint32_t lettersDown = 0;  // letters fed as keys (with Control), bit 0 for A
};

SdlState sdl;
Hwnd closeWindow = nullptr;
int closeCommand = 0;

// --- Output ---------------------------------------------------------------

void Present() {
    if (!sdl.window) return;
    int w = ScreenWidth();
    int h = ScreenHeight();
    int ww = 0;
    int wh = 0;
    SDL_GetWindowSize(sdl.window, &ww, &wh);
    if (ww != w * sdl.zoom || wh != h * sdl.zoom) SDL_SetWindowSize(sdl.window, w * sdl.zoom, h * sdl.zoom);
    SDL_Surface* target = SDL_GetWindowSurface(sdl.window);
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(ScreenPixels()), w, h, 32, w * 4,
                                                             SDL_PIXELFORMAT_RGB888);
    if (target && source) {
        SDL_Rect all{0, 0, w * sdl.zoom, h * sdl.zoom};
        SDL_BlitScaled(source, nullptr, target, &all);
        SDL_UpdateWindowSurface(sdl.window);
    }
    SDL_FreeSurface(source);
}

// ALSA's library writes every failure of its own to standard error (a
// machine without a sound card gets a screenful at the first sound). SDL
// loads the library by name when it probes its drivers; loaded first here,
// the same library takes a handler that says nothing. Machines without the
// library have nothing to silence.
void QuietAlsaHandler(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsaErrors() {
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetHandler = int (*)(Handler);
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
    if (!library) return;  // kept loaded for the rest of the run: SDL uses the same one
    if (auto set = reinterpret_cast<SetHandler>(dlsym(library, "snd_lib_error_set_handler"))) set(QuietAlsaHandler);
}

// Opens the audio device once, at the first sound, so that a machine without
// a sound card is only probed when something is to be heard; the probe is
// silent. False when there is no device: the sounds are then skipped.
bool OpenAudio() {
    if (sdl.audioTried) return sdl.audio != 0;
    sdl.audioTried = true;
    SilenceAlsaErrors();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec want{};
    want.freq = kSoundSampleRate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = 1024;
    sdl.audio = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    return sdl.audio != 0;
}

bool PlaySamples(const int16_t* samples, size_t count, bool wait) {
    if (!OpenAudio()) return false;
    if (SDL_QueueAudio(sdl.audio, samples, static_cast<uint32_t>(count * sizeof(int16_t))) != 0) return false;
    SDL_PauseAudioDevice(sdl.audio, 0);
    while (wait && SDL_GetQueuedAudioSize(sdl.audio) > 0) SDL_Delay(5);
    return true;
}

void ShowWaitCursor(bool wait) {
    if (!sdl.window) return;
    if (wait && !sdl.waitCursor) sdl.waitCursor = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_WAIT);
    SDL_SetCursor(wait && sdl.waitCursor ? sdl.waitCursor : SDL_GetDefaultCursor());
}

// --- Input ----------------------------------------------------------------

// Virtual key of a key that is not typed text; 0 for none.
int KeyOf(SDL_Keycode key, bool control) {
    switch (key) {
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_F1: return VK_APP1;
    case SDLK_F2: return VK_APP2;
    case SDLK_F3: return VK_APP3;
    case SDLK_F4: return VK_APP4;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    default: break;
    }
    // With Control held a letter is a key of its own (typed text does not come).
    if (control && key >= SDLK_a && key <= SDLK_z) return std::toupper(static_cast<int>(key));
    return 0;
}

void FeedKey(const SDL_KeyboardEvent& e) {
    int vk = KeyOf(e.keysym.sym, (e.keysym.mod & KMOD_CTRL) != 0);
    // A letter fed with Control is released even when Control went up first.
    bool letter = e.keysym.sym >= SDLK_a && e.keysym.sym <= SDLK_z;
    uint32_t bit = letter ? 1u << (e.keysym.sym - SDLK_a) : 0;
    if (e.type == SDL_KEYUP && (sdl.lettersDown & bit)) vk = std::toupper(static_cast<int>(e.keysym.sym));
    if (letter && vk != 0) {
        if (e.type == SDL_KEYDOWN) sdl.lettersDown |= bit;
        else sdl.lettersDown &= ~bit;
    }
    if (vk == 0) return;
    InputEvent event;
    event.kind = e.type == SDL_KEYDOWN ? InputKind::KeyDown : InputKind::KeyUp;
    event.vk = vk;
    if (e.type == SDL_KEYDOWN && (vk == VK_RETURN || vk == VK_BACK)) event.character = CharacterOfKey(vk);
    FeedInput(event);
}

// The Windows-1252 byte of a code point; 0 when the code page has none.
unsigned char ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (int b = 0x80; b < 0xA0; ++b)
        if (Cp1252ToCodePoint(static_cast<unsigned char>(b)) == cp) return static_cast<unsigned char>(b);
    return 0;
}

// Code points of UTF-8 text (malformed bytes are skipped).
std::u32string DecodeUtf8(const char* text) {
    std::u32string out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        int extra = *p < 0x80 ? 0 : (*p >> 5) == 6 ? 1 : (*p >> 4) == 14 ? 2 : (*p >> 3) == 30 ? 3 : -1;
        if (extra < 0) {
            ++p;
            continue;
        }
        char32_t cp = extra == 0 ? *p : (*p & (0x3F >> extra));
        ++p;
        for (int i = 0; i < extra && (*p & 0xC0) == 0x80; ++i, ++p) cp = (cp << 6) | (*p & 0x3F);
        out.push_back(cp);
    }
    return out;
}

void FeedText(const char* text) {
    for (char32_t cp : DecodeUtf8(text)) {
        unsigned char c = ByteOf(cp);
        if (c < 0x20) continue;
        InputEvent down;
        down.kind = InputKind::KeyDown;
        down.vk = KeyOfCharacter(c);
        down.character = c;
        InputEvent up = down;
        up.kind = InputKind::KeyUp;
        up.character = 0;
        FeedInput(std::vector<InputEvent>{down, up});
    }
}

void FeedPen(InputKind kind, int x, int y, bool doubleTap = false) {
    InputEvent e;
    e.kind = kind;
    e.pos = Point{x / sdl.zoom, y / sdl.zoom};
    e.doubleTap = doubleTap;
    FeedInput(e);
}

void PostClose() {
    if (closeWindow && IsWindow(closeWindow))
        PostMessage(closeWindow, WM_COMMAND, static_cast<WParam>(closeCommand), 0);
    else
        PostQuitMessage(0);
}

void Handle(const SDL_Event& e) {
    switch (e.type) {
    case SDL_QUIT: PostClose(); break;
    case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) PostClose();
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED) Present();
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (e.button.button != SDL_BUTTON_LEFT) break;
        sdl.penDown = true;
        FeedPen(InputKind::PenDown, e.button.x, e.button.y, e.button.clicks == 2);
        break;
    case SDL_MOUSEMOTION:
        if (sdl.penDown) FeedPen(InputKind::PenMove, e.motion.x, e.motion.y);
        break;
    case SDL_MOUSEBUTTONUP:
        if (e.button.button != SDL_BUTTON_LEFT || !sdl.penDown) break;
        sdl.penDown = false;
        FeedPen(InputKind::PenUp, e.button.x, e.button.y);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: FeedKey(e.key); break;
    case SDL_TEXTINPUT: FeedText(e.text.text); break;
    default: break;
    }
}

void WaitInput(int timeoutMs) {
    SDL_Event e;
    bool got = timeoutMs < 0 ? SDL_WaitEvent(&e) != 0 : SDL_WaitEventTimeout(&e, timeoutMs) != 0;
    while (got) {
        if (e.type != sdl.wakeEvent) Handle(e);
        got = SDL_PollEvent(&e) != 0;
    }
}

void Wake() {
    SDL_Event e{};
    e.type = sdl.wakeEvent;
    SDL_PushEvent(&e);
}

constexpr const char* kDisplayVariables[] = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};

// SDL falls back on drivers that show nothing when no display answers.
bool ShowsOnADisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

// "DISPLAY=:1" and the others that are set, for a message.
std::string NamedDisplays() {
    std::string named;
    for (const char* name : kDisplayVariables) {
        const char* value = std::getenv(name);
        if (!value || !*value) continue;
        named += (named.empty() ? "" : ", ") + std::string(name) + "=" + value;
    }
    return named;
}

bool Refuse(std::string* reason, const std::string& why) {
    if (reason) *reason = why;
    return false;
}

}  // namespace

// Without a named display SDL would only probe, complain and fall back on a
// driver that shows nothing.
bool DisplayNamed() { return !NamedDisplays().empty(); }

bool StartSdlBackend(int zoom, std::string* reason) {
    if (sdl.window) return true;
    if (!DisplayNamed()) return Refuse(reason, "no display is named");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return Refuse(reason, SDL_GetError());
    if (!ShowsOnADisplay()) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return Refuse(reason, "no display answers at " + NamedDisplays() + "; only a driver that shows nothing opened");
    }
    sdl.zoom = zoom < 1 ? 1 : zoom;
    ScreenInfo screen = GetScreenInfo();
    sdl.window = SDL_CreateWindow("Zendavori", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                  screen.width * sdl.zoom, screen.height * sdl.zoom, SDL_WINDOW_SHOWN);
    sdl.wakeEvent = SDL_RegisterEvents(1);
    if (!sdl.window || sdl.wakeEvent == static_cast<uint32_t>(-1)) {
        const std::string why = SDL_GetError();
        StopSdlBackend();
        return Refuse(reason, why);
    }
    SDL_StartTextInput();
    SetSoundOutput(PlaySamples);
    SetCursorOutput(ShowWaitCursor);
    SetBackend(Backend{"sdl", Present, WaitInput, Wake});
    Present();
    return true;
}

void StopSdlBackend() {
    if (sdl.window) SetBackend(Backend{});
    SetSoundOutput(nullptr);
    SetCursorOutput(nullptr);
    if (sdl.audio) SDL_CloseAudioDevice(sdl.audio);
    if (sdl.waitCursor) SDL_FreeCursor(sdl.waitCursor);
    if (sdl.window) SDL_DestroyWindow(sdl.window);
    sdl = SdlState{};
    // SDL itself stays initialised until the process ends: quitting it
    // unloads the X libraries, whose allocations then look leaked.
}

bool SdlBackendRunning() { return sdl.window != nullptr; }

bool ZoomFromEnvironment(int* zoom) {
    *zoom = 1;
    const char* text = std::getenv("ZENDAVORI_ZOOM");
    if (!text || !*text) return true;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 1 || value > 8) return false;
    *zoom = static_cast<int>(value);
    return true;
}

int ZoomFromEnvironment() {
    int zoom;
    ZoomFromEnvironment(&zoom);
    return zoom;
}

void SetCloseCommand(Hwnd window, int command) {
    closeWindow = window;
    closeCommand = command;
}

void* SdlWindowHandle() { return sdl.window; }

}  // namespace pl
