// The record of a list entry, the distance texts and the class filter of list
// entries.
#include "catalog/object_display.h"

#include <gtest/gtest.h>

#include <string>

#include "catalog/selection_list.h"
#include "core/preferences.h"
#include "core/shared_state.h"

namespace {

ObjectRecord WithDistance(uint32_t type, float distance) {
    ObjectRecord r{};
    r.objectType = type;
    r.distance = distance;
    return r;
}

// The edge cases of the distance texts. Stored deep-sky distances are d with
// d x 0.014084507 x 0.001 megaparsecs: 1420000 gives 20 Mpc (65.2 Mly),
// 710000 exactly 10 Mpc and 710 exactly 0.01 Mpc in single precision,
// 58220 gives 0.82 Mpc and 31.95 gives 450 pc.
TEST(DistanceText, ByTypeUnitAndSize) {
    struct Case {
        uint32_t type;
        float distance;
        int lightYears;
        const char* text;
    } cases[] = {
        {27, 1.5f, 0, "1.5000 AU"},       {13, 0.005f, 0, "747990 km"},    {18, 0.01f, 0, "1495980 km"},
        {30, 1e6f, 0, "-"},               {14, 1e6f, 0, "-"},              {15, 1e6f, 0, "-"},
        {37, 1e6f, 0, "-"},               {16, 0.0f, 0, "-"},              {16, 1420000.0f, 0, "20 mpc"},
        {16, 1420000.0f, 1, "65 mly"},    {16, -1420000.0f, 0, "20 mpc"}, {16, 710000.0f, 0, "10000 kpc"},
        {16, 710.0f, 0, "10000 pc"},      {16, 58220.0f, 0, "820 kpc"},   {16, 31.95f, 0, "450 pc"},
        {16, 3.0e38f, 0, "2147483647 mpc"},  // a damaged distance is held in the integer range
    };
    for (const Case& c : cases) {
        preferences.word[kPrefDistFormat] = c.lightYears << 16;
        ObjectRecord r = WithDistance(c.type, c.distance);
        char text[32];
        FormatDistance(&r, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.type << " " << c.distance;
    }
    preferences.word[kPrefDistFormat] = 0;
}

// A list entry back as a record: magnitude 57 tenths is 5.7, index 30 is
// number 31, the byte codes and 16-bit fields keep their signs; the distance
// and the name stay.
TEST(DisplayFields, CopiedFromAListEntry) {
    SelectionEntry e{};
    e.sourceIndex = 30;
    e.designation = -2;
    e.objectType = 16;
    e.constellation = 88;
    e.rightAscension = 20.5f;
    e.declination = -12.25f;
    e.mag10 = 57;
    e.size1 = 12;
    e.size2 = -3;
    e.smallCode = 0xF0;
    e.typeCode = 0x7F;
    ObjectRecord r{};
    r.distance = 9.0f;
    SetObjectRecordName(&r, "Kept");
    CopyObjectDisplayFields(&r, &e);
    EXPECT_EQ(r.number, 31);
    EXPECT_EQ(static_cast<int32_t>(r.designationId), -2);
    EXPECT_EQ(std::make_tuple(r.objectType, r.constellation), std::make_tuple(16u, 88u));
    EXPECT_EQ(std::make_tuple(r.rightAscension, r.declination, r.size1, r.size2),
              std::make_tuple(20.5f, -12.25f, 12.0f, -3.0f));
    EXPECT_FLOAT_EQ(r.magnitude, 5.7f);
    EXPECT_EQ(std::make_tuple(static_cast<int16_t>(r.objectCode), r.classCode), std::make_tuple(-16, 127));
    EXPECT_EQ(std::make_tuple(r.distance, std::string(r.name)), std::make_tuple(9.0f, std::string("Kept")));
    e.sourceIndex = 0xFFFF;  // read as -1
    CopyObjectDisplayFields(&r, &e);
    EXPECT_EQ(r.number, 0);
    CopyObjectDisplayFields(nullptr, &e);
    CopyObjectDisplayFields(&r, nullptr);
}

// Filter rows: 0 All, 4 Galaxy (class code 6), 1 Star (11); positions outside
// the entries in use pass.
TEST(ClassFilter, EntriesInTheCurrentClass) {
    SelectionEntry entries[2] = {};
    entries[0].objectType = 16;  // galaxy
    entries[1].objectType = 30;  // star
    selectionList = entries;
    selectionCount = 2;
    struct Case {
        int filter, position, passes;
    } cases[] = {{0, 1, 1}, {4, 0, 1}, {4, 1, 0}, {1, 1, 1}, {1, 0, 0}, {4, -1, 1}, {4, 2, 1}, {7, 1, 1}};
    for (const Case& c : cases) {
        selectionClassFilter = c.filter;
        EXPECT_EQ(IsEntryInCurrentClass(c.position), c.passes) << c.filter << " " << c.position;
    }
    selectionList = nullptr;
    selectionCount = -1;
    selectionClassFilter = 0;
}

}  // namespace
