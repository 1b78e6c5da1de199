// Set-up of the tests of the chart's passes and overlays: chart_test.h's with
// the symbol face, the defaults, a catalogue folder, an empty bright-star table
// that counts as loaded (every star hidden), the screen lists, and the Sky Map
// about (120, 160) at latitude 51.
#pragma once

#include <cstring>

#include "catalog/databases.h"
#include "catalog/selection_list.h"
#include "chart/chart_screen_lists.h"
#include "chart/object_icons.h"
#include "chart/save_under.h"
#include "chart_test.h"
#include "platform/fonts.h"
#include "projection_test.h"
#include "support/catalog_fixture.h"
#include "support/recording_services.h"
#include "ui/colors.h"
#include "ui/font_set.h"
#include "ui/text_drawing.h"

class OverlayTest : public ChartDrawTest {
protected:
    void SetUp() override {
        ChartDrawTest::SetUp();
        ResetWithDefaults();
        ResetCatalogState();
        ResetChartState();
        ResetHorizonProjection();
        ResetStarCatalog();
        LoadStarCatalog(0);  // no default-star file: the table is the test's
        std::memset(brightStarTable, 0, sizeof brightStarTable);
        for (StarRecord& s : brightStarTable) s.hidden = 1;
        AllocChartScreenLists();
        pl::ResetFontResources();
        InstallSymbolFont(folder.root());
        SetTestSite(51, 0, 0);
        SetHorizonRotation(0);
        chartView = 0;
        chartState.originX = 120;
        chartState.originY = 160;
    }
    void TearDown() override {
        FreeObjectIconBitmap();
        FreeChartPatches();
        FreeChartScreenLists();
        ResetChartState();
        ResetCatalogState();
        ResetStarCatalog();
        selectionList = nullptr;
        selectionCount = -1;
        selectionClassFilter = 0;
        SetTextTransparent(false);
        ChartDrawTest::TearDown();
        pl::ResetFontResources();
    }
    static void Star(int i, int x, int y, int magnitude = 1, int bayer = 0, int flamsteed = 0) {
        StarRecord& s = brightStarTable[i];
        s.screenX = x;
        s.screenY = y;
        s.hidden = 0;
        s.magnitude16 = static_cast<int16_t>(magnitude * 16);
        s.bayer = static_cast<int8_t>(bayer);
        s.flamsteed = static_cast<uint8_t>(flamsteed);
    }
    // Pixels of `colour` (any but the ground when `any`) in the box w x h at (x, y).
    static int CountIn(const DrawWindowRecord* r, pl::ColorRef colour, int x, int y, int w, int h, bool any = false) {
        int n = 0;
        for (int v = std::max(0, y); v < std::min(r->bottom, y + h); ++v)
            for (int u = std::max(0, x); u < std::min(r->right, x + w); ++u)
                n += any ? Pixel(r, u, v) != kGround : Pixel(r, u, v) == pl::ToPixel555(colour);
        return n;
    }
    // Pixels that differ between two pictures in the box w x h at (x, y).
    static int DifferencesIn(const DrawWindowRecord* a, const DrawWindowRecord* b, int x, int y, int w, int h) {
        int n = 0;
        for (int v = y; v < y + h; ++v)
            for (int u = x; u < x + w; ++u) n += Pixel(a, u, v) != Pixel(b, u, v);
        return n;
    }
    // Texts drawn in `colour` on a fresh ground that stays the draw window: in
    // `font` (-1: the new context's own), as labels or plain.
    DrawWindowRecord* Texts(std::initializer_list<std::pair<const char*, pl::Point>> texts, pl::ColorRef colour,
                            int font = -1, bool label = false) {
        DrawWindowRecord* r = Ground(240, 320);
        if (font >= 0) SelectFont(font);
        SetForeColor(colour);
        SetTextColorRef(colour);
        for (const auto& [text, at] : texts) {
            int length = static_cast<int>(std::strlen(text));
            if (label) DrawLabelText(text, length, at.x, at.y);
            else DrawPlainText(text, length, at.x, at.y);
        }
        return r;
    }
    fixture::CatalogFolder folder;
    RecordingServices services;
};
