#include "platform/screen.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

namespace pl {
namespace {

std::mutex screenMutex;
ScreenInfo current = kHeadlessScreen;
ScreenChangeHook changeHook = nullptr;

// Reads a decimal number in [lo, hi] at *p and moves past it.
bool ReadNumber(const char** p, int lo, int hi, int* value) {
    const char* s = *p;
    long v = 0;
    int digits = 0;
    while (*s >= '0' && *s <= '9' && digits < 6) {
        v = v * 10 + (*s - '0');
        ++s;
        ++digits;
    }
    if (digits == 0 || (*s >= '0' && *s <= '9') || v < lo || v > hi) return false;
    *value = static_cast<int>(v);
    *p = s;
    return true;
}

}  // namespace

ScreenInfo GetScreenInfo() {
    std::lock_guard<std::mutex> lock(screenMutex);
    return current;
}

void SetScreenInfo(const ScreenInfo& screen) {
    ScreenChangeHook hook;
    {
        std::lock_guard<std::mutex> lock(screenMutex);
        current = screen;
        hook = changeHook;
    }
    if (hook) hook(screen);
}

bool ParseScreenPreset(const char* text, ScreenInfo* out) {
    if (!text) return false;
    ScreenInfo s;
    const char* p = text;
    if (!ReadNumber(&p, 1, 4096, &s.width) || (*p != 'x' && *p != 'X')) return false;
    ++p;
    if (!ReadNumber(&p, 1, 4096, &s.height) || *p != '@') return false;
    ++p;
    if (!ReadNumber(&p, 24, 1200, &s.dpi) || *p != '\0') return false;
    *out = s;
    return true;
}

bool ScreenFromEnvironment(const ScreenInfo& fallback, ScreenInfo* out) {
    *out = fallback;
    const char* text = std::getenv("ZENDAVORI_SCREEN");
    if (!text || !*text) return true;
    return ParseScreenPreset(text, out);
}

ScreenChangeHook SetScreenChangeHook(ScreenChangeHook hook) {
    std::lock_guard<std::mutex> lock(screenMutex);
    ScreenChangeHook previous = changeHook;
    changeHook = hook;
    return previous;
}

}  // namespace pl
