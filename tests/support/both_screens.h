// The two screens of the handheld, 240 x 320 at 96 dpi and 480 x 640 at 192,
// for tests that check a form on both. The program keeps the layout scale and
// the fonts of the screen it started on, so each screen is a test of its own
// that starts the program there.
#pragma once

#include <gtest/gtest.h>

#include "platform/screen.h"

inline constexpr pl::ScreenInfo kBothScreens[] = {pl::kHeadlessScreen, pl::kWindowScreen};

// `Fixture` with a screen as its parameter, to instantiate with
// ::testing::ValuesIn(kBothScreens).
template <class Fixture>
class OnBothScreens : public Fixture, public ::testing::WithParamInterface<pl::ScreenInfo> {};
