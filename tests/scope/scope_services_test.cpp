// Services of the telescope folder that the home form and the preference pages
// call: the port names, the encoder offsets and the alignment restore offer.
#include <gtest/gtest.h>

#include <string>

#include "core/preferences.h"
#include "core/shared_state.h"
#include "scope/alignment.h"
#include "scope/alignment_restore.h"
#include "scope/encoder_offsets.h"
#include "scope/serial_port_list.h"
#include "support/recording_services.h"

namespace {

std::string PortName(int i) {
    char name[8];
    GetSerialPortName(i, name);
    return name;
}

// Each build of preference page 1 used to append another "COM1:".
TEST(SerialPortList, RepeatedInitDoesNotGrowTheList) {
    ResetSerialPortList();
    EXPECT_EQ(GetSerialPortCount(), 0);
    EXPECT_EQ(InitSerialPortList(), 10);
    EXPECT_EQ(InitSerialPortList(), 10);
    EXPECT_EQ(PortName(0), "None");
    EXPECT_EQ(PortName(1), "COM1:");
    EXPECT_EQ(PortName(9), "COM9:");
    EXPECT_EQ(PortName(10), "");
    EXPECT_EQ(PortName(-1), "");
    GetSerialPortName(1, nullptr);
}

TEST(EncoderOffsets, ResetForgetsThem) {
    encoderOffsets = EncoderOffsets{1, 120, -40};
    EXPECT_EQ(ResetEncoderOffsets(), 0);
    EXPECT_EQ(encoderOffsets.initialized, 0);
    EXPECT_EQ(encoderOffsets.altOffset, 0);
    EXPECT_EQ(encoderOffsets.azOffset, 0);
}

class AlignmentRestoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSharedState();
        ResetAlignmentRestore();
        ResetAlignmentModel();
        currentDateTime = DateTime{2024, 3, 5, 22, 0, 0};
        restored = 0;
        restoreAlignmentHook = [] { ++restored; };
    }
    void TearDown() override {
        ResetAlignmentRestore();
        ResetAlignmentModel();
    }
    static int restored;
    RecordingServices services;
};
int AlignmentRestoreTest::restored = 0;

TEST_F(AlignmentRestoreTest, NothingSavedAsksNothing) {
    AskRestoreLastAlignment();
    EXPECT_TRUE(services.questions.empty());
    EXPECT_EQ(restoreOffered, 0);
}

TEST_F(AlignmentRestoreTest, SameNightAlignmentIsOfferedOnceAndRestoredOnYes) {
    preferences.SetDouble(kPrefAlignmentSavedJd, 2460375.25);  // 2024-03-05 18h UT, four hours earlier
    services.yesNoAnswer = 0;
    AskRestoreLastAlignment();
    ASSERT_EQ(services.questions.size(), 1u);
    EXPECT_NE(services.questions[0].find("Would you want to restore your last alignment?"), std::string::npos);
    EXPECT_EQ(restored, 1);
    AskRestoreLastAlignment();
    EXPECT_EQ(services.questions.size(), 1u);
}

TEST_F(AlignmentRestoreTest, NoForgetsTheSavedAlignment) {
    preferences.SetDouble(kPrefAlignmentSavedJd, 2460375.25);
    preferences.word[220] = 17;
    preferences.word[221] = 23;
    encoderOffsets = EncoderOffsets{1, 5, 6};
    services.yesNoAnswer = 1;
    AskRestoreLastAlignment();
    EXPECT_EQ(restored, 0);
    EXPECT_EQ(preferences.GetDouble(kPrefAlignmentSavedJd), 0.0);
    EXPECT_EQ(preferences.word[220], 0);
    EXPECT_EQ(preferences.word[221], 0);
    EXPECT_EQ(encoderOffsets.initialized, 0);
}

TEST_F(AlignmentRestoreTest, OldAlignmentOrValidModelIsNotOffered) {
    preferences.SetDouble(kPrefAlignmentSavedJd, 2460374.5);  // the day before
    AskRestoreLastAlignment();
    EXPECT_TRUE(services.questions.empty());
    ResetAlignmentRestore();
    preferences.SetDouble(kPrefAlignmentSavedJd, 2460375.25);
    alignmentModel.valid = 1;
    AskRestoreLastAlignment();
    EXPECT_TRUE(services.questions.empty());
}

}  // namespace
