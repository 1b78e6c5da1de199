// The two screens of the handheld, for tests that check a form on both.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "platform/harness.h"

// Runs `body` once on each screen, 240 x 320 at 96 dpi and 480 x 640 at 192,
// after the harness changed to it; failures name the screen's width.
inline void OnBothScreens(pl::Harness& harness, const std::function<void()>& body) {
    struct Screen {
        int width, height, dpi;
    };
    for (const Screen& s : {Screen{240, 320, 96}, Screen{480, 640, 192}}) {
        SCOPED_TRACE(s.width);
        harness.changeScreen(s.width, s.height, s.dpi);
        body();
    }
}
