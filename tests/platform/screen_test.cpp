// Screen presets from ZENDAVORI_SCREEN.
#include "platform/screen.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace pl;

namespace {

TEST(ScreenPreset, ParseRefusesMalformedOrOutOfRangeText) {
    const struct {
        const char* text;
        bool valid;
        ScreenInfo screen;
    } cases[] = {
        {"240x320@96", true, {240, 320, 96}}, {"320X240@96", true, {320, 240, 96}}, {"480x640", false, {}},
        {"x640@96", false, {}},               {"0x640@96", false, {}},              {"480x640@96 ", false, {}},
        {"-480x640@96", false, {}},           {"99999999x640@96", false, {}},       {"480x640@10", false, {}},
        {"", false, {}},
    };
    for (const auto& c : cases) {
        ScreenInfo s{1, 2, 3};
        EXPECT_EQ(c.valid, ParseScreenPreset(c.text, &s)) << c.text;
        EXPECT_EQ((c.valid ? c.screen : ScreenInfo{1, 2, 3}), s) << c.text;
    }
    EXPECT_FALSE(ParseScreenPreset(nullptr, nullptr));
}

TEST(ScreenPreset, EnvironmentOrFallback) {
    ScreenInfo s;
    unsetenv("ZENDAVORI_SCREEN");
    EXPECT_TRUE(ScreenFromEnvironment(kWindowScreen, &s));
    EXPECT_EQ(kWindowScreen, s);
    setenv("ZENDAVORI_SCREEN", "480x640@192", 1);
    EXPECT_TRUE(ScreenFromEnvironment(kHeadlessScreen, &s));
    EXPECT_EQ((ScreenInfo{480, 640, 192}), s);
    setenv("ZENDAVORI_SCREEN", "big", 1);
    EXPECT_FALSE(ScreenFromEnvironment(kHeadlessScreen, &s));
    EXPECT_EQ(kHeadlessScreen, s);
    unsetenv("ZENDAVORI_SCREEN");
}

}  // namespace
