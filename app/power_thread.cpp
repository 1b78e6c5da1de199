#include "app/power_thread.h"

#include <cstring>
#include <vector>

#include "platform/message_queue.h"
#include "platform/messages.h"
#include "platform/power.h"
#include "ui/forms.h"

pl::Handle exitEvent = nullptr;
pl::Handle powerThread = nullptr;

namespace {

constexpr uint32_t kQueueMessages = 4;
constexpr uint32_t kQueueMessageSize = 536;
constexpr uint32_t kPowerMask = pl::POWER_TRANSITION | pl::POWER_RESUME | pl::POWER_INFO_CHANGE;  // 11

// Reads every waiting notification; a resume tells the main window.
void ReadNotifications(pl::Handle queue, pl::Hwnd mainWnd) {
    std::vector<unsigned char> buffer(kQueueMessageSize);
    uint32_t bytesRead = 0;
    uint32_t flags = 0;
    while (pl::ReadMsgQueue(queue, buffer.data(), kQueueMessageSize, &bytesRead, 0, &flags)) {
        if (bytesRead < 4) continue;
        uint32_t type = static_cast<uint32_t>(buffer[0]) | static_cast<uint32_t>(buffer[1]) << 8 |
                        static_cast<uint32_t>(buffer[2]) << 16 | static_cast<uint32_t>(buffer[3]) << 24;
        if (type == pl::POWER_RESUME) pl::PostMessage(mainWnd, pl::WM_COMMAND, kCmdPowerResume, 0);
    }
}

}  // namespace

uint32_t PowerNotifyThread(void* mainWnd) {
    pl::MsgQueueOptions options;
    options.maxMessages = kQueueMessages;
    options.maxMessageSize = kQueueMessageSize;
    options.readAccess = true;
    pl::Handle queue = pl::CreateMsgQueue(options);
    if (!queue) return 0;
    pl::Handle request = pl::RequestPowerNotifications(queue, kPowerMask);
    if (!request) {
        pl::CloseMsgQueue(queue);
        return 0;
    }
    const pl::Handle handles[2] = {queue, exitEvent};
    while (pl::WaitForMultipleObjects(2, handles, false, pl::INFINITE) == pl::WAIT_OBJECT_0)
        ReadNotifications(queue, static_cast<pl::Hwnd>(mainWnd));
    pl::StopPowerNotifications(request);
    pl::CloseMsgQueue(queue);
    return 0;
}

bool StartPowerThread(pl::Hwnd mainWnd) {
    exitEvent = pl::CreateEvent(false, false);
    if (!exitEvent) return false;
    powerThread = pl::CreateThread(PowerNotifyThread, mainWnd);
    return true;
}

void StopPowerThread() {
    if (!exitEvent) return;
    pl::SetEvent(exitEvent);
    if (powerThread) {
        pl::WaitForSingleObject(powerThread, pl::INFINITE);
        pl::CloseHandle(powerThread);
        powerThread = nullptr;
    }
    pl::CloseHandle(exitEvent);
    exitEvent = nullptr;
}

bool IsPowerThreadRunning() {
    uint32_t code = 0;
    return powerThread && !pl::GetExitCodeThread(powerThread, &code);
}
