// Power notifications through a message queue. On Linux nothing sends one; the
// test harness sends a resume (powerResume).
#pragma once

#include <cstdint>

#include "platform/sync.h"

namespace pl {

// Notification types; a registration's mask is a sum of them.
constexpr uint32_t POWER_TRANSITION = 1;
constexpr uint32_t POWER_RESUME = 2;
constexpr uint32_t POWER_INFO_CHANGE = 8;

// Size of a notification: its type, flags and name length as little-endian
// 32-bit words (the name is empty).
constexpr uint32_t kPowerNotificationSize = 12;

struct MsgQueueOptions {
    uint32_t maxMessages = 0;     // 0: no limit
    uint32_t maxMessageSize = 0;
    bool readAccess = true;
};

// A queue of byte messages; as a handle it is signalled while not empty.
Handle CreateMsgQueue(const MsgQueueOptions& options);
// Takes the next message, waiting up to timeoutMs; false on time-out, for an
// invalid queue, or when the buffer is too small (the message then stays).
bool ReadMsgQueue(Handle queue, void* buffer, uint32_t size, uint32_t* bytesRead, uint32_t timeoutMs,
                  uint32_t* flags);
bool CloseMsgQueue(Handle queue);

// Asks for the notifications of `mask` in the queue; null on failure.
Handle RequestPowerNotifications(Handle queue, uint32_t mask);
bool StopPowerNotifications(Handle request);

// Puts a notification of this type into every queue registered for it.
void BroadcastPowerNotification(uint32_t type, uint32_t flags);

}  // namespace pl
