// Sounds, the idle timer, the wait cursor and the last error.
#include "platform/device_services.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/last_error.h"
#include "platform/resources.h"

namespace {

using namespace pl;

constexpr ToneTemplate kBeep[] = {{1000, 20}, {0, 10}};  // a tone and a pause
constexpr SoundTemplate kSounds[] = {{"startTimer", kBeep}};
const ResourceGroup kGroup = {.sounds = kSounds};

size_t heardSamples = 0;
bool heardWait = false;
bool Output(const int16_t*, size_t count, bool wait) {
    heardSamples = count;
    heardWait = wait;
    return true;
}
int cursorCalls = 0;
bool cursorWait = false;
void Cursor(bool wait) {
    ++cursorCalls;
    cursorWait = wait;
}

class DeviceServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearResourceGroups();
        AddResourceGroup(kGroup);
        ResetDeviceServices();
    }
    void TearDown() override {
        SetSoundOutput(nullptr);
        SetCursorOutput(nullptr);
        ClearResourceGroups();
        ResetDeviceServices();
    }
};

TEST_F(DeviceServicesTest, SoundsAreRecordedAndReachAnInstalledOutput) {
    EXPECT_TRUE(PlaySound("startTimer", true));
    EXPECT_FALSE(PlaySound("stopTimer", true));  // no such resource
    std::vector<SoundRecord> log = SoundLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].name, "startTimer");
    EXPECT_TRUE(log[0].async && log[0].found && !log[0].played);
    EXPECT_FALSE(log[1].found);
    SetSoundOutput(Output);
    EXPECT_TRUE(PlaySound("startTimer", false));
    EXPECT_EQ(heardSamples, static_cast<size_t>(kSoundSampleRate * 30 / 1000));
    EXPECT_TRUE(heardWait);
    EXPECT_TRUE(SoundLog().back().played);
}

TEST_F(DeviceServicesTest, IdleResetsAreCountedAndTheWaitCursorFollows) {
    SetCursorOutput(Cursor);
    cursorCalls = 0;
    SystemIdleTimerReset();
    SystemIdleTimerReset();
    EXPECT_EQ(IdleTimerResetCount(), 2);
    SetWaitCursor(true);
    EXPECT_TRUE(IsWaitCursorShown() && cursorWait);
    SetWaitCursor(false);
    EXPECT_FALSE(IsWaitCursorShown() || cursorWait);
    EXPECT_EQ(cursorCalls, 2);
}

TEST(LastError, KeptPerThreadWithTheSystemsText) {
    SetLastError(2);
    EXPECT_EQ(GetLastError(), 2u);
    EXPECT_EQ(ErrorText(2), "No such file or directory");
    uint32_t other = 99;
    std::thread([&] { other = GetLastError(); }).join();
    EXPECT_EQ(other, 0u);
    EXPECT_NE(ErrorText(999999).find("999999"), std::string::npos);
}

}  // namespace
