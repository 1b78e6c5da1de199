// Common set-up of the bitmap tests: the program's resources installed, and
// the pixels of one of its bitmaps.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/resources.h"
#include "resources/program_resources.h"

// Pixels (0x00RRGGBB, top row first) of bitmap `id`; none when there is no
// such bitmap or it is not of the given size.
inline std::vector<uint32_t> Pixels(int id, int width, int height) {
    const pl::BitmapTemplate* b = pl::FindBitmapTemplate(id);
    std::vector<uint32_t> pixels;
    if (b && b->width == width && b->height == height) pl::RenderBitmapTemplate(*b, &pixels);
    return pixels;
}

class ProgramBitmapsTest : public ::testing::Test {
protected:
    void SetUp() override { InstallProgramResources(); }
    void TearDown() override { pl::ClearResourceGroups(); }
};
