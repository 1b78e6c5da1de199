// Star labels: the proper name, the Flamsteed and Bayer designation, or the
// HR number, drawn piece by piece.
#include "chart/star_labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/stars.h"
#include "chart_test.h"
#include "platform/fonts.h"
#include "support/catalog_fixture.h"
#include "support/recording_services.h"
#include "ui/font_set.h"
#include "ui/text_drawing.h"

namespace {

class StarLabelsTest : public ChartDrawTest {
protected:
    // Default star i has HR 10 i; HR 1000 is named "Vega" by the cross
    // references, HR 1000 and 2000 are 3 alpha^2 Lyr, HR 3000 is beta Ori.
    void SetUp() override {
        ChartDrawTest::SetUp();
        pl::ResetFontResources();
        ResetCatalogState();
        ResetStarCatalog();
        InstallSymbolFont(folder.root());
        std::vector<fixture::Bytes> stars;
        for (int i = 0; i < kBrightStarCount; ++i) {
            auto hr = static_cast<int16_t>(10 * i);
            fixture::StarFile s = i == 100 || i == 200 ? fixture::StarFile{hr, 52, 1, 1, 0, 0, 3, 'a', 2}
                                  : i == 300           ? fixture::StarFile{hr, 60, 1, 1, 0, 0, 0, 'b', 0}
                                                       : fixture::StarFile{hr, 0, 1, 1};
            stars.push_back(fixture::StarBytes(s));
        }
        Open(&defaultStarDb, "zendavori_default_stars.ppc", 44, stars);
        fixture::CrossRef vega{28, {0, 0, 0}, 1000, {0, 0, 0}, "Vega*"};
        Open(&crossRefDb, "zendavori_obj_cross_ref.ppc", 48,
             {fixture::CrossRefBytes({}, 48), fixture::CrossRefBytes(vega, 48)});
    }
    void TearDown() override {
        ResetCatalogState();
        ResetStarCatalog();
        ChartDrawTest::TearDown();
        pl::ResetFontResources();
    }
    void Open(RecordDbHandle** slot, const std::string& name, uint32_t size,
              const std::vector<fixture::Bytes>& records) {
        folder.WriteDb("data\\" + name, 1, size, records);
        ASSERT_TRUE(OpenRecordDb(slot, "pl00", "ZDV1", "data\\", name));
    }
    // The texts drawn from (2, 4) in `font`, with DrawLabelText or DrawPlainText,
    // the pen moved on by each one's width; a text starting with '@' is the
    // letter after it in the symbol font.
    DrawWindowRecord* Expected(const std::vector<std::string>& texts, bool label, int font) {
        DrawWindowRecord* r = DibWindow(160, 20);
        int x = 2;
        SelectFont(font);
        for (std::string t : texts) {
            if (t[0] == '@') DrawSymbolChar((t = t.substr(1))[0], x, 4);
            else if (label) DrawLabelText(t.c_str(), static_cast<int>(t.size()), x, 4);
            else DrawPlainText(t.c_str(), static_cast<int>(t.size()), x, 4);
            x += CharsWidth(t.c_str(), static_cast<int>(t.size()));
        }
        return r;
    }

    fixture::CatalogFolder folder;
    RecordingServices services;
};

TEST_F(StarLabelsTest, NameElseDesignationElseHrNumber) {
    struct Case {
        int hr, bold;
        std::vector<std::string> texts;
        bool label;
        int font;
    } cases[] = {
        {1000, 0, {"Vega"}, false, 0},  // the name alone (its last character dropped)
        {1000, 1, {"Vega"}, true, 4},
        {2000, 0, {"3", "@a", "2", " Lyr"}, false, 0},
        {2000, 1, {"3", "@a", "2", " Lyr"}, true, 4},
        {3000, 0, {"@b", " Ori"}, false, 0},
        {4000, 1, {"HR4000"}, true, 4},
        {4005, 1, {"HR4005"}, false, 0},  // not a default star: plain, even when bold
    };
    for (const Case& c : cases) {
        DrawWindowRecord* expected = Expected(c.texts, c.label, c.font);
        DrawWindowRecord* r = DibWindow(160, 20);
        SelectFont(0);
        DrawStarName(c.hr, 2, 4, c.bold);
        EXPECT_EQ(GetCurrentFontId(), 0) << c.hr;
        EXPECT_LT(Count(expected, 0), 160 * 20) << c.hr;  // something to compare
        EXPECT_EQ(Differences(r, expected), 0) << c.hr << " bold " << c.bold;
    }
}

}  // namespace
