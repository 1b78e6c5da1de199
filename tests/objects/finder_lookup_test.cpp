// The finder's keypad rules and identifier texts, the shared texts of the
// finder and the observing list's panel, and the picture names of list
// entries, without windows.
#include "objects/finder_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/databases.h"
#include "catalog/designations.h"
#include "core/shared_state.h"
#include "objects/list_panel.h"
#include "objects/object_texts.h"
#include "objects/selected_object.h"
#include "support/list_entries.h"
#include "support/recording_services.h"

namespace {

class FinderKeypad : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ResetCatalogState();
        UseObjectFileRanges(false);  // the small object file: IC and NGC only
        ClearSelectedObject();
    }
    void TearDown() override { ResetCatalogState(); }
    RecordingServices services;
};

// Each case: catalogue, the identifier field, the digits typed one after the
// other (the field taking what each wrote), the field at the end, the typed
// digits and the messages. Ranges and limits as the finder's catalogues give
// them: Messier and best of NGC 1..110, Caldwell 1..109, Herschel 1..400, three
// digits; HR four, HIP and SAO six, Tycho twelve.
TEST_F(FinderKeypad, DigitsStopAtTheCataloguesRangeAndLimit) {
    const struct {
        int kind;
        const char* field;
        const char* keys;
        const char* written;
        const char* digits;
        std::vector<std::string> messages;
    } cases[] = {
        {kDesignationMessier, "", "111", "M11", "11", {}},               // M111 does not exist
        {kDesignationMessier, "M", "0", "M", "", {}},                    // M0 neither
        {kDesignationCaldwell, "C109", "5", "C109", "109", {}},
        {kDesignationHerschel, "H", "4001", "H400", "400", {}},
        {kDesignationBestNgc, "SAC", "1100", "SAC110", "110", {}},
        {kDesignationHr, "HR", "123456", "HR1234", "1234", {}},          // cut at four digits
        {kDesignationHip, "HIP", "12345678", "HIP123456", "123456", {}},
        {kDesignationTycho, "TYC", "46600", "TYC46600", "46600", {}},
        {kDesignationNgc, "NGC", "22401", "NGC2240", "2240", {}},        // any other catalogue: four
        {kDesignationHr, "HR123456", "7", "HR123456", "123456", {"To many digits"}},
        {kDesignationPlanet, "", "3", "", "",
         {"Please use the popup list to select your object and not the numeric keyboard."}},
        {kDesignationConstellation, "", "1", "", "",
         {"Please use the popup list to select your object and not the numeric keyboard."}},
        {2, "B", "3", "B", "",  // Barnard: no record in the small object file
         {"Sorry, there is no object available from this catalog using your current object database."}},
    };
    for (const auto& c : cases) {
        ClearSelectedObject();
        services.messages.clear();
        std::string field = c.field;
        for (const char* k = c.keys; *k; ++k) {
            std::string written;
            if (ApplyFinderDigit(c.kind, field.c_str(), *k - '0', &written) == FinderDigit::kWritten) field = written;
        }
        EXPECT_EQ(field, c.written) << c.kind << " " << c.keys;
        EXPECT_STREQ(selectedObject.entryDigits, c.digits) << c.kind << " " << c.keys;
        EXPECT_EQ(services.Texts(), c.messages) << c.kind << " " << c.keys;
    }
}

// A keypad press in a catalogue without records clears the found object.
TEST_F(FinderKeypad, CatalogueWithoutRecordsLeavesNothingFound) {
    selectedObject.found = 1;
    std::string written = "unchanged";
    EXPECT_EQ(ApplyFinderDigit(2, "", 1, &written), FinderDigit::kNoObjects);
    EXPECT_EQ(selectedObject.found, 0);
    EXPECT_EQ(written, "unchanged");
}

// "rrrr-ssssss-1": region x 100000 + star; nothing after the region is refused.
TEST(TychoIdentifier, RegionAndStarMakeTheRecordNumber) {
    const struct {
        const char* digits;
        bool read;
        int32_t record;
    } cases[] = {
        {"4660-123-1", true, 466000123}, {"4660-123", true, 466000123}, {"1-1-1", true, 100001},
        {"9537-99999-1", true, 953799999}, {"4660", false, 0},          {"4660-", false, 0},
        {"", false, 0},
        // Beyond 32 bits: the region times 100000, or the star itself (read as 1 when it wrapped).
        {"99999-1-1", false, 0}, {"1-4294967297-1", false, 0},
    };
    for (const auto& c : cases) {
        int32_t record = 0;
        EXPECT_EQ(ParseTychoDigits(c.digits, &record), c.read) << c.digits;
        EXPECT_EQ(record, c.record) << c.digits;
    }
}

// The object popup's rows of the catalogues that need no file.
TEST(FinderLists, RowsOfTheBuiltInCatalogues) {
    ResetCatalogState();
    UseObjectFileRanges(true);
    const int cases[][2] = {
        {kDesignationCaldwell, 109}, {kDesignationHerschel, 400}, {kDesignationMessier, 110},
        {kDesignationBestNgc, 110},  {kDesignationConstellation, 89}, {kDesignationPlanet, 10},
        {kDesignationHr, 0},         {kDesignationTycho, 0},      {kDesignationHip, 0},
        {kDesignationIc, 9978 - 4345}, {5, 0},  // Bernes: no records
    };
    for (const auto& c : cases) EXPECT_EQ(FinderListRowCount(c[0]), c[1]) << c[0];
    ResetCatalogState();
}

// Meteor-shower gauge by activity class; dates "%02d-%s" with the program's
// month abbreviations ("Fev" as written).
TEST(ObjectTexts, ShowerRatingAndDates) {
    const std::pair<int, float> ratings[] = {{1, 3.0f}, {2, 2.0f}, {3, 1.5f}, {4, 1.0f}, {0, 2.0f}, {9, 2.0f}};
    for (auto [activity, rating] : ratings) EXPECT_EQ(MeteorShowerRating(activity), rating) << activity;
    const struct {
        int day, month;
        const char* text;
    } dates[] = {{15, 2, "15-Fev"}, {3, 1, "03-Jan"}, {31, 12, "31-Dec"}, {7, 13, "07-"}};
    char text[16];
    for (const auto& d : dates) {
        FormatShowerDate(text, sizeof text, d.day, d.month);
        EXPECT_STREQ(text, d.text);
    }
}

// Sizes as whole arcminutes and the remaining arcseconds; the eyepiece of the
// best power, "None" below a power of 1.
TEST(ObjectTexts, SizesAndEyepieces) {
    char text[16];
    const std::pair<double, const char*> sizes[] = {{32.24, "32'14"}, {10.0, "10'0"}, {0.5, "0'30"}, {178.0, "178'0"}};
    for (auto [arcminutes, expected] : sizes) {
        FormatArcminutes(text, sizeof text, arcminutes);
        EXPECT_STREQ(text, expected) << arcminutes;
    }
    FormatBestEyepiece(text, sizeof text, 2000.0, 80);
    EXPECT_STREQ(text, "25mm");
    FormatBestEyepiece(text, sizeof text, 2000.0, 0);
    EXPECT_STREQ(text, "None");
}

// A constellation's picture is asked for by its row (BuildImagePath reads the
// row for kind 13), Messier and planet entries by their names, others by
// prefix and number.
TEST(ListEntryPictures, NameAndKindBySource) {
    SelectionEntry orion = ListEntry("Orion", kDesignationConstellation, 60, 14, 5.5f, 5.0f);
    orion.source = kSourceConstellation;
    SelectionEntry m31 = ListEntry("M31", kDesignationNgc, 224, 16, 0.7f, 41.3f);
    m31.source = kSourceMessier;
    SelectionEntry mars = ListEntry("Mars", kDesignationPlanet, 4, 27, 1.0f, 2.0f);
    mars.source = kSourcePlanet;
    SelectionEntry ic = ListEntry("Some name", kDesignationIc, 434, 20, 5.7f, -2.4f);
    ic.source = 8;
    const struct {
        SelectionEntry entry;
        const char* name;
        int kind;
    } cases[] = {{orion, "60", 13}, {m31, "M31", 40}, {mars, "Mars", 45}, {ic, "IC434", kDesignationIc}};
    for (const auto& c : cases) {
        const PictureRequest p = ListEntryPicture(c.entry);
        EXPECT_EQ(p.name, c.name);
        EXPECT_EQ(p.kind, c.kind) << c.name;
    }
}

}  // namespace
