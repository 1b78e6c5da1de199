#include "platform/last_error.h"

#include <cstdio>
#include <cstring>

namespace pl {
namespace {

thread_local uint32_t lastError = 0;

}  // namespace

uint32_t GetLastError() { return lastError; }

void SetLastError(uint32_t code) { lastError = code; }

std::string ErrorText(uint32_t code) {
    char buf[256];
    // The GNU strerror_r returns its text, which may or may not be in buf.
    const char* text = strerror_r(static_cast<int>(code), buf, sizeof buf);
    if (text) return text;
    char unknown[32];
    std::snprintf(unknown, sizeof unknown, "Unknown error %u", static_cast<unsigned>(code));
    return unknown;
}

}  // namespace pl
