// The planets assistant's pages drawn into a 16-bit DIB made the draw window,
// at scale 1 (240 x 320 at 96 dpi), with the assistant's state reset and the
// form size set to the DIB's.
#pragma once

#include <cstdint>

#include "assistant_draw_fixture.h"
#include "assistants/planet_assistant.h"
#include "assistants/planet_events.h"
#include "support/temp_program_folder.h"
#include "text_probe.h"

constexpr uint16_t Word555(int r, int g, int b) {
    return static_cast<uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
}

class PlanetPageFixture : public AssistantDrawFixture {
protected:
    void SetUp() override {
        AssistantDrawFixture::SetUp();
        InstallSymbolFont(folder.path());
        ResetPlanetAssistantState();
        FreeEventList();
    }
    void TearDown() override {
        FreeEventList();
        AssistantDrawFixture::TearDown();
    }
    // A white page of width x height as the draw window and the form size.
    void Page(int width, int height = 320) {
        dib = DibWindow(width, height);
        formWidth = width, formHeight = height;
        SetForeColor(0xFFFFFF);
        FillRectangle(XywhRect{0, 0, width, height}, 0);
    }
    // Pixels of a colour in a rectangle.
    int CountIn(const XywhRect& r, uint16_t pixel) const {
        int n = 0;
        for (int y = r.y; y < r.y + r.height; ++y)
            for (int x = r.x; x < r.x + r.width; ++x) n += Pixel(dib, x, y) == pixel;
        return n;
    }
    TempProgramFolder folder{"planet_pages"};
    DrawWindowRecord* dib = nullptr;
};
