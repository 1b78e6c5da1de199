// Events, threads, message queues and power notifications.
#include "platform/sync.h"

#include <gtest/gtest.h>

#include <atomic>

#include "platform/power.h"

using namespace pl;

namespace {

TEST(Sync, AutoResetEventLetsOneWaitThrough) {
    Handle e = CreateEvent(false, false);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(e, 0));
    SetEvent(e);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(e, 0));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(e, 0));
    EXPECT_TRUE(CloseHandle(e));
    EXPECT_EQ(WAIT_FAILED, WaitForSingleObject(e, 0));
    EXPECT_FALSE(SetEvent(e));
}

TEST(Sync, ManualResetEventStaysSet) {
    Handle e = CreateEvent(true, true);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(e, 0));
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(e, 0));
    ResetEvent(e);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(e, 0));
    CloseHandle(e);
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

TEST(Sync, WaitForMultipleGivesTheFirstSignalled) {
    Handle a = CreateEvent(false, false);
    Handle b = CreateEvent(false, true);
    Handle both[2] = {a, b};
    EXPECT_EQ(WAIT_OBJECT_0 + 1, WaitForMultipleObjects(2, both, false, 0));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForMultipleObjects(2, both, false, 0));
    SetEvent(a);
    SetEvent(b);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForMultipleObjects(2, both, true, 0));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(b, 0));  // both reset by the wait for all
    CloseHandle(a);
    CloseHandle(b);
}

uint32_t Read32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

TEST(Power, ResumeReachesQueuesRegisteredForIt) {
    Handle queue = CreateMsgQueue({4, 536, true});
    Handle other = CreateMsgQueue({4, 536, true});
    Handle request = RequestPowerNotifications(queue, POWER_TRANSITION | POWER_RESUME | POWER_INFO_CHANGE);
    Handle otherRequest = RequestPowerNotifications(other, POWER_TRANSITION);
    ASSERT_NE(nullptr, request);
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(queue, 0));
    BroadcastPowerNotification(POWER_RESUME, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(queue, 0));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(other, 0));
    uint8_t buffer[536];
    uint32_t got = 0, flags = 1;
    ASSERT_TRUE(ReadMsgQueue(queue, buffer, sizeof buffer, &got, 0, &flags));
    EXPECT_EQ(kPowerNotificationSize, got);
    EXPECT_EQ(POWER_RESUME, Read32(buffer));
    EXPECT_EQ(0u, flags);
    EXPECT_FALSE(ReadMsgQueue(queue, buffer, sizeof buffer, &got, 0, &flags));
    EXPECT_TRUE(StopPowerNotifications(request));
    BroadcastPowerNotification(POWER_RESUME, 0);
    EXPECT_FALSE(ReadMsgQueue(queue, buffer, sizeof buffer, &got, 0, &flags));
    StopPowerNotifications(otherRequest);
    CloseMsgQueue(queue);
    CloseMsgQueue(other);
}

TEST(Power, FullQueueDropsAndSmallBufferLeavesTheMessage) {
    Handle queue = CreateMsgQueue({2, 536, true});
    Handle request = RequestPowerNotifications(queue, POWER_RESUME);
    for (int i = 0; i < 3; ++i) BroadcastPowerNotification(POWER_RESUME, static_cast<uint32_t>(i));
    uint8_t small[4];
    uint32_t got = 0;
    EXPECT_FALSE(ReadMsgQueue(queue, small, sizeof small, &got, 0, nullptr));
    uint8_t buffer[64];
    int count = 0;
    while (ReadMsgQueue(queue, buffer, sizeof buffer, &got, 0, nullptr)) ++count;
    EXPECT_EQ(2, count);
    EXPECT_EQ(nullptr, RequestPowerNotifications(nullptr, POWER_RESUME));
    StopPowerNotifications(request);
    CloseMsgQueue(queue);
}

}  // namespace
