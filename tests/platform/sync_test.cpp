// Events, the worker thread and power-notification queues.
#include "platform/sync.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/power.h"

using namespace pl;

namespace {

TEST(Sync, AutoResetEventLetsOneWaitThroughAndWaitForMultipleTakesTheFirst) {
    Handle a = CreateEvent(false, false);
    Handle b = CreateEvent(false, true);
    Handle both[2] = {a, b};
    EXPECT_EQ(WAIT_OBJECT_0 + 1, WaitForMultipleObjects(2, both, false, 0));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForMultipleObjects(2, both, false, 0));
    SetEvent(a);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(a, 0));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(a, 0));
    EXPECT_TRUE(CloseHandle(a));
    EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(a, 0));
    EXPECT_FALSE(SetEvent(a));
    CloseHandle(b);
}

std::atomic<int> ran{0};
Handle go = nullptr;
uint32_t Worker(void* param) {
    WaitForSingleObject(go, INFINITE);
    ran = *static_cast<int*>(param);
    return 17;
}

TEST(Sync, ThreadRunsWaitsAndEnds) {
    int value = 5;
    go = CreateEvent(false, false);
    Handle t = CreateThread(Worker, &value);
    ASSERT_NE(nullptr, t);
    uint32_t code = 0;
    EXPECT_FALSE(GetExitCodeThread(t, &code));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(t, 10));
    SetEvent(go);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(t, INFINITE));
    EXPECT_TRUE(GetExitCodeThread(t, &code));
    EXPECT_EQ(17u, code);
    EXPECT_EQ(5, ran);
    CloseHandle(t);
    CloseHandle(go);
}

// Resumes reach only queues registered for them; a full queue drops, and a
// buffer too small for a message leaves it queued.
TEST(Power, ResumeReachesRegisteredQueuesWithinTheirCapacity) {
    Handle queue = CreateMsgQueue({2, 536, true});
    Handle other = CreateMsgQueue({4, 536, true});
    Handle request = RequestPowerNotifications(queue, POWER_TRANSITION | POWER_RESUME | POWER_INFO_CHANGE);
    Handle otherRequest = RequestPowerNotifications(other, POWER_TRANSITION);
    ASSERT_NE(nullptr, request);
    EXPECT_EQ(nullptr, RequestPowerNotifications(nullptr, POWER_RESUME));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(queue, 0));
    for (int i = 0; i < 3; ++i) BroadcastPowerNotification(POWER_RESUME, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(queue, 0));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(other, 0));
    uint8_t buffer[536];
    uint32_t got = 0, flags = 1;
    EXPECT_FALSE(ReadMsgQueue(queue, buffer, 4, &got, 0, &flags));
    ASSERT_TRUE(ReadMsgQueue(queue, buffer, sizeof buffer, &got, 0, &flags));
    EXPECT_EQ(kPowerNotificationSize, got);
    EXPECT_EQ(POWER_RESUME, buffer[0] | buffer[1] << 8 | buffer[2] << 16 | static_cast<uint32_t>(buffer[3]) << 24);
    EXPECT_EQ(0u, flags);
    EXPECT_TRUE(ReadMsgQueue(queue, buffer, sizeof buffer, &got, 0, &flags));
    EXPECT_FALSE(ReadMsgQueue(queue, buffer, sizeof buffer, &got, 0, &flags));  // the third was dropped
    EXPECT_TRUE(StopPowerNotifications(request));
    BroadcastPowerNotification(POWER_RESUME, 0);
    EXPECT_FALSE(ReadMsgQueue(queue, buffer, sizeof buffer, &got, 0, &flags));
    StopPowerNotifications(otherRequest);
    CloseMsgQueue(queue);
    CloseMsgQueue(other);
}

}  // namespace
