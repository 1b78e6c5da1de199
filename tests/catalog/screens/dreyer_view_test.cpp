// An object's Dreyer description and its translation drawn into a rectangle of
// a 16-bit picture made the current draw window.
#include "catalog/screens/dreyer_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/object_catalog.h"
#include "core/shared_buffers.h"
#include "platform/fonts.h"
#include "platform/text.h"
#include "support/catalog_fixture.h"
#include "support/draw_fixture.h"
#include "support/recording_services.h"
#include "ui/colors.h"
#include "ui/font_set.h"

using fixture::Bytes;

namespace {

constexpr uint16_t kMarker = 0x0001;  // the picture before drawing
constexpr int kWidth = 240;
constexpr int kHeight = 200;

// The worked example and its translation.
constexpr char kExample[] = "vF, S, R, bM";
constexpr char kExampleTranslation[] = "very faint ,  small ,  round ,  brighter middle ";
constexpr char kLong[] = "!!! eeB, eL, vmE, iF, bM, *10 p, sev st inv, pRi";

uint16_t To555(pl::ColorRef c) {
    return static_cast<uint16_t>(((c & 0xFF) >> 3) << 10 | ((c >> 8 & 0xFF) >> 3) << 5 | (c >> 16 & 0xFF) >> 3);
}

class DreyerViewTest : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        ResetCatalogState();
        pl::ResetFontResources();
        InstallSymbolFont(folder.root());
        // Sorted by designation and number; comets, constellations, the star
        // catalogues, meteor showers, planets, SAO doubles, the brightest stars,
        // Tycho and the user catalogue have records here too, which must not be shown.
        std::vector<Bytes> records = {Record(0, 0, "header")};
        for (int id : {12, 13, 26, 28, 41}) records.push_back(Record(id, 224, kExample));
        records.push_back(Record(42, 224, kExample));
        records.push_back(Record(42, 891, kLong));
        for (int id : {45, 51, 54, 60, 63}) records.push_back(Record(id, 224, kExample));
        folder.WriteDb("data\\zendavori_obj_18k_desc.ppc", 1, 72, records);
        ASSERT_TRUE(OpenRecordDb(&descriptionDb, "pl10", "ZDV1", "data\\", "zendavori_obj_18k_desc.ppc"));
        txtBuffer = static_cast<char*>(AllocSharedBuffer(kTxtBufferSize));
        canvas = DibWindow(kWidth, kHeight);
        Fill(canvas, kMarker);
        background = To555(GetBackgroundColor());
    }
    void TearDown() override {
        FreeSharedBuffer(txtBuffer);
        ResetCatalogState();
        DrawFixture::TearDown();
        pl::ResetFontResources();
    }
    static Bytes Record(int id, int number, const std::string& text) {
        return fixture::DescriptionBytes(id, number, text, 72);
    }
    // Pixels that are neither the picture's nor the background: drawn text.
    int TextPixels(int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += Pixel(canvas, x, y) != kMarker && Pixel(canvas, x, y) != background;
        return n;
    }
    int MarkerPixels(int y0, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < kWidth; ++x) n += Pixel(canvas, x, y) == kMarker;
        return n;
    }

    fixture::CatalogFolder folder;
    RecordingServices services;
    DrawWindowRecord* canvas = nullptr;
    uint16_t background = 0;
};

// Without a rectangle nothing is drawn. Objects of the catalogues without
// descriptions, planets, a missing object and an object without a description:
// the rectangle is erased and stays empty.
TEST_F(DreyerViewTest, WithoutADescriptionOnlyTheRectangleIsErased) {
    DreyerObject ngc224{42, 224, 16};
    ShowDreyerDescription(&ngc224, nullptr);
    EXPECT_EQ(Count(canvas, kMarker), kWidth * kHeight);
    std::vector<DreyerObject> objects = {{42, 224, 27}, {42, 225, 16}, {29, 434, 16}};
    for (int id : {0, 12, 13, 26, 28, 41, 45, 51, 54, 60, 63}) objects.push_back({id, 224, 16});
    const XywhRect place{10, 20, 200, 100};
    auto check = [&](const DreyerObject* object, const std::string& what) {
        Fill(canvas, kMarker);
        XywhRect rect = place;
        ShowDreyerDescription(object, &rect);
        EXPECT_EQ(rect, place) << what;
        EXPECT_EQ(Count(canvas, background), 200 * 100) << what;
        EXPECT_EQ(Count(canvas, kMarker), kWidth * kHeight - 200 * 100) << what;
    };
    check(nullptr, "no object");
    for (const DreyerObject& o : objects) check(&o, std::to_string(o.designationId) + " " + std::to_string(o.number));
    EXPECT_TRUE(services.messages.empty());
}

// The four parts in their bands, the new top 2 x 13 x scaleY plus the
// description's height below the old one, the font selected before kept.
TEST_F(DreyerViewTest, DrawsTheDescriptionAndItsTranslation) {
    for (double scale : {1.0, 1.5}) {
        SetScale(scale);
        Fill(canvas, kMarker);
        SelectFont(2);
        pl::TextMetrics m;
        pl::GetTextMetrics(GetDrawDc(), &m);
        const int h = m.height;  // the description fits on one line of font 2
        SelectFont(3);
        const int s = static_cast<int>(13 * scale), y0 = 10;  // 13 and 19
        XywhRect rect{4, y0, 230, 180};
        DreyerObject ngc224{42, 224, 16};
        ShowDreyerDescription(&ngc224, &rect);
        EXPECT_EQ(GetCurrentFontId(), 3) << scale;
        EXPECT_STREQ(txtBuffer, kExampleTranslation);
        EXPECT_EQ(rect.y, y0 + 2 * s + h) << scale;
        EXPECT_GT(TextPixels(4, y0, 234, y0 + s), 0) << "label, " << scale;
        EXPECT_GT(TextPixels(4, y0 + s, 234, y0 + s + h), 0) << "description, " << scale;
        EXPECT_GT(TextPixels(4, y0 + s + h, 234, rect.y), 0) << "translation label, " << scale;
        EXPECT_GT(TextPixels(4, rect.y, 234, y0 + 180), 0) << "translation, " << scale;
        EXPECT_EQ(MarkerPixels(y0, y0 + 180), 240 * 180 - 230 * 180) << scale;
    }
}

// Where the translation may run is the implementer's: down to the rectangle's
// bottom, never below it. Without the shared text buffer (its allocation failed
// at start-up) the translation is still made and shown.
TEST_F(DreyerViewTest, TheTranslationStopsAtTheRectangleBottomAndNeedsNoSharedBuffer) {
    XywhRect rect{4, 10, 120, 90};
    DreyerObject ngc891{42, 891, 16};
    ShowDreyerDescription(&ngc891, &rect);
    ASSERT_LT(rect.y, 100);
    EXPECT_GT(TextPixels(4, rect.y, 124, 100), 0);
    EXPECT_EQ(MarkerPixels(100, kHeight), kWidth * (kHeight - 100));
    FreeSharedBuffer(txtBuffer);
    Fill(canvas, kMarker);
    rect = XywhRect{4, 10, 230, 180};
    DreyerObject ngc224{42, 224, 16};
    ShowDreyerDescription(&ngc224, &rect);
    EXPECT_GT(TextPixels(4, rect.y, 234, 190), 0);
}

}  // namespace
