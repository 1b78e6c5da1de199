// Common set-up of the chart drawing tests: the program's bitmaps, the 96 dpi
// test screen (GetScreenScale 2, scale 1), ground-coloured DIBs as the draw
// window, and comparisons of what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/color.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "resources/program_resources.h"
#include "support/draw_fixture.h"
#include "ui/markers.h"
#include "ui/screen_layout.h"

constexpr uint16_t kGround = 0x0421;

// A rectangle of a bitmap resource; id 0 for none.
struct BitmapPart {
    int id = 0;
    int x = 0, y = 0, width = 0, height = 0;
};

class ChartDrawTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        pl::ClearResourceGroups();
        InstallProgramResources();
        UseScreenDpi(96);
        FreeMarkerBitmaps();
    }
    void TearDown() override {
        FreeMarkerBitmaps();
        UseScreenDpi(96);
        pl::ClearResourceGroups();
        DrawFixture::TearDown();
    }
    static void UseScreenDpi(int dpi) {
        pl::SetScreenInfo(pl::ScreenInfo{240, 320, dpi});
        ResetScreenScale();
    }
    DrawWindowRecord* Ground(int width, int height, uint16_t colour = kGround) {
        DrawWindowRecord* r = DibWindow(width, height);
        Fill(r, colour);
        return r;
    }
    // Pixels that differ from the part copied onto the ground with its corner
    // at (left, top), its key pixels left out when keyed.
    static int Mismatches(const DrawWindowRecord* r, const BitmapPart& part, int left, int top, bool keyed) {
        std::vector<uint32_t> p;
        const pl::BitmapTemplate* b = part.id ? pl::FindBitmapTemplate(part.id) : nullptr;
        if (part.id && (!b || !pl::RenderBitmapTemplate(*b, &p))) return -1;
        int bad = 0;
        for (int y = 0; y < r->bottom; ++y)
            for (int x = 0; x < r->right; ++x) {
                int u = x - left, v = y - top;
                uint16_t expected = kGround;
                if (b && u >= 0 && v >= 0 && u < part.width && v < part.height) {
                    uint32_t rgb = p[static_cast<size_t>((part.y + v) * b->width + part.x + u)];
                    if (!keyed || rgb != p[0]) expected = pl::ToPixel555(pl::Rgb(rgb >> 16, rgb >> 8 & 255, rgb & 255));
                }
                bad += Pixel(r, x, y) != expected;
            }
        return bad;
    }
    static int Differences(const DrawWindowRecord* a, const DrawWindowRecord* b) {
        int n = 0;
        for (int y = 0; y < a->bottom; ++y)
            for (int x = 0; x < a->right; ++x) n += Pixel(a, x, y) != Pixel(b, x, y);
        return n;
    }
};
