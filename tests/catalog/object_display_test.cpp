// The record of a list entry, the distance texts and the class filter.
#include "catalog/object_display.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "catalog/selection_list.h"
#include "core/preferences.h"

namespace {

// The edge cases of the distance texts. Stored deep-sky distances d give
// d x 0.014084507 x 0.001 Mpc: 1420000 is 20 Mpc (65.2 Mly), 710000 exactly
// 10 Mpc and 710 exactly 0.01 Mpc in single precision, 58220 0.82 Mpc, 31.95
// 450 pc; a damaged 3e38 is held in the integer range.
TEST(DistanceText, ByTypeUnitAndSize) {
    struct Case {
        uint32_t type;
        float distance;
        int lightYears;
        const char* text;
    } cases[] = {
        {27, 1.5f, 0, "1.5000 AU"},    {13, 0.005f, 0, "747990 km"},     {18, 0.01f, 0, "1495980 km"},
        {30, 1e6f, 0, "-"},            {14, 1e6f, 0, "-"},               {15, 1e6f, 0, "-"},
        {37, 1e6f, 0, "-"},            {16, 0.0f, 0, "-"},               {16, 1420000.0f, 0, "20 mpc"},
        {16, 1420000.0f, 1, "65 mly"}, {16, -1420000.0f, 0, "20 mpc"},   {16, 710000.0f, 0, "10000 kpc"},
        {16, 710.0f, 0, "10000 pc"},   {16, 58220.0f, 0, "820 kpc"},     {16, 31.95f, 0, "450 pc"},
        {16, 3.0e38f, 0, "2147483647 mpc"},
    };
    for (const Case& c : cases) {
        preferences.word[kPrefDistFormat] = c.lightYears << 16;
        ObjectRecord r{};
        r.objectType = c.type;
        r.distance = c.distance;
        char text[32];
        FormatDistance(&r, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.type << " " << c.distance;
    }
    preferences.word[kPrefDistFormat] = 0;
}

// Magnitude 57 tenths is 5.7, index 30 number 31 (0xFFFF reads as -1: 0); the
// byte codes and 16-bit fields keep their signs; distance and name stay.
TEST(DisplayFields, CopiedFromAListEntry) {
    SelectionEntry e{"", 0, 0, 30, -2, 16, 88, 20.5f, -12.25f, 0, 0, 0, 12, -3, 0, 0xF0, 0x7F, 57, 0, 0, 0, 0, 0, 0};
    ObjectRecord r{};
    r.distance = 9.0f;
    SetObjectRecordName(&r, "Kept");
    CopyObjectDisplayFields(&r, &e);
    EXPECT_EQ(std::make_tuple(r.number, static_cast<int32_t>(r.designationId), r.objectType, r.constellation),
              std::make_tuple(31, -2, 16u, 88u));
    EXPECT_EQ(std::make_tuple(r.rightAscension, r.declination, r.size1, r.size2, r.magnitude),
              std::make_tuple(20.5f, -12.25f, 12.0f, -3.0f, 5.7f));
    EXPECT_EQ(std::make_tuple(static_cast<int16_t>(r.objectCode), r.classCode, r.distance, std::string(r.name)),
              std::make_tuple(-16, 127, 9.0f, std::string("Kept")));
    e.sourceIndex = 0xFFFF;
    CopyObjectDisplayFields(&r, &e);
    EXPECT_EQ(r.number, 0);
}

// Filter rows 0 All, 4 Galaxy, 1 Star; positions out of use pass.
TEST(ClassFilter, EntriesInTheCurrentClass) {
    SelectionEntry entries[2] = {};
    entries[0].objectType = 16;
    entries[1].objectType = 30;
    selectionList = entries;
    selectionCount = 2;
    const int cases[][3] = {{0, 1, 1}, {4, 0, 1}, {4, 1, 0}, {1, 1, 1}, {1, 0, 0}, {4, -1, 1}, {4, 2, 1}, {7, 1, 1}};
    for (const auto& c : cases) {
        selectionClassFilter = c[0];
        EXPECT_EQ(IsEntryInCurrentClass(c[1]), c[2]) << c[0] << " " << c[1];
    }
    selectionList = nullptr;
    selectionCount = -1;
    selectionClassFilter = 0;
}

}  // namespace
