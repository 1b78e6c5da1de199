// The drive table: names and families by id, and the one set of encoder boxes
// that both the preference page and the alignment read.
#include <gtest/gtest.h>

#include <string>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "scope/drive_table.h"

namespace {

TEST(DriveTable, NamesFamiliesAndEncoderBoxes) {
    ResetSharedState();
    using enum DriveFamily;
    const struct {
        int id;
        std::string name;
        DriveFamily family;
        int encoders;
    } cases[] = {
        {0, "None", kNone, 0},           {1, "AAM Skyvector", kEncoder, 1}, {7, "Magelan-II", kMeade, 0},
        {8, "Nexstar 5&8", kNexStar, 0}, {13, "ServoCat", kServoCat, 0},    {14, "Takahashi", kTakahashi, 0},
        {18, "SiderealTech", kSiderealTech, 0}, {19, "SkyCommander", kSkyCommander, 0},
        {21, "SkyWizard", kEncoder, 0},  {22, "SkyWizard", kEncoder, 1},    {101, "Dynastar", kUnsupported, 0},
        {23, "", kNone, 0},
    };
    for (const auto& c : cases) {
        preferences.word[kPrefDriveId] = c.id;
        std::string name;
        for (const DriveInfo& d : DriveTable())
            if (d.id == c.id) name = d.name;
        EXPECT_EQ(name, c.name) << c.id;
        EXPECT_EQ(GetDriveFamily(c.id), c.family) << c.id;
        EXPECT_EQ(IsEncoderDrive(), c.encoders) << c.id;
    }
    int boxes = 0;
    for (const DriveInfo& d : DriveTable()) boxes += DriveHasEncoders(d.id);
    EXPECT_EQ(boxes, 7);  // 1, 3, 4, 11, 12, 16, 22
    ASSERT_EQ(DriveListNames().size(), 21u);
    EXPECT_STREQ(DriveListNames()[20], "SkyScan EQ6");
}

}  // namespace
