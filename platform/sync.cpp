// Events, threads, message queues and waiting on them. Every object lives in
// one table under the platform mutex and every wait uses the platform's
// condition variable, so the test harness sees the worker thread's progress.
#include "platform/sync.h"

#include <chrono>
#include <cstring>
#include <deque>
#include <memory>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/core_internal.h"
#include "platform/power.h"

namespace pl {

struct KernelObject {
    enum class Kind { Event, Thread, Queue, PowerRequest } kind = Kind::Event;
    bool set = false;  // events
    bool manualReset = false;
    bool ended = false;  // threads
    bool starting = false;  // has not yet waited on anything
    uint32_t exitCode = 0;
    std::thread thread;
    std::deque<std::vector<uint8_t>> messages;  // queues
    uint32_t maxMessages = 0;
    uint32_t maxMessageSize = 0;
    bool inFlight = false;  // a notification went in and its reader has not waited again since
    Handle queue = nullptr;  // power requests
    uint32_t mask = 0;

    ~KernelObject() {
        if (thread.joinable()) thread.detach();
    }
};

namespace {

using ObjectPtr = std::shared_ptr<KernelObject>;

std::uintptr_t nextHandle = 0x20000;
std::unordered_map<std::uintptr_t, ObjectPtr> objects;
thread_local KernelObject* currentThread = nullptr;

Handle AddLocked(const ObjectPtr& o) {
    nextHandle += 4;
    objects[nextHandle] = o;
    return reinterpret_cast<Handle>(nextHandle);
}

ObjectPtr FindLocked(Handle h) {
    auto it = objects.find(reinterpret_cast<std::uintptr_t>(h));
    return it == objects.end() ? nullptr : it->second;
}

bool Signalled(const KernelObject& o) {
    switch (o.kind) {
    case KernelObject::Kind::Event: return o.set;
    case KernelObject::Kind::Thread: return o.ended;
    case KernelObject::Kind::Queue: return !o.messages.empty();
    case KernelObject::Kind::PowerRequest: return false;
    }
    return false;
}

// Waits with the mutex held until `ready` or the time-out; false on time-out.
// A thread that waits for the first time has finished starting.
template <class Ready>
bool WaitLocked(std::unique_lock<std::mutex>& lock, uint32_t timeoutMs, Ready ready) {
    if (currentThread && currentThread->starting && timeoutMs != 0) {
        currentThread->starting = false;
        detail::Cv().notify_all();
    }
    if (timeoutMs == INFINITE) {
        detail::Cv().wait(lock, ready);
        return true;
    }
    return detail::Cv().wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
}

}  // namespace

Handle CreateEvent(bool manualReset, bool initiallySet) {
    auto o = std::make_shared<KernelObject>();
    o->manualReset = manualReset;
    o->set = initiallySet;
    std::lock_guard<std::mutex> lock(detail::Mutex());
    return AddLocked(o);
}

bool SetEvent(Handle event) {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    ObjectPtr o = FindLocked(event);
    if (!o || o->kind != KernelObject::Kind::Event) return false;
    o->set = true;
    detail::Cv().notify_all();
    return true;
}

bool ResetEvent(Handle event) {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    ObjectPtr o = FindLocked(event);
    if (!o || o->kind != KernelObject::Kind::Event) return false;
    o->set = false;
    return true;
}

Handle CreateThread(uint32_t (*body)(void* param), void* param) {
    if (!body) return nullptr;
    auto o = std::make_shared<KernelObject>();
    o->kind = KernelObject::Kind::Thread;
    o->starting = true;
    std::lock_guard<std::mutex> lock(detail::Mutex());
    Handle h = AddLocked(o);
    o->thread = std::thread([o, body, param] {
        currentThread = o.get();
        uint32_t code = body(param);
        std::lock_guard<std::mutex> done(detail::Mutex());
        currentThread = nullptr;
        o->exitCode = code;
        o->ended = true;
        o->starting = false;
        detail::Cv().notify_all();
    });
    return h;
}

bool GetExitCodeThread(Handle thread, uint32_t* code) {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    ObjectPtr o = FindLocked(thread);
    if (!o || o->kind != KernelObject::Kind::Thread || !o->ended) return false;
    *code = o->exitCode;
    return true;
}

uint32_t WaitForSingleObject(Handle handle, uint32_t timeoutMs) {
    return WaitForMultipleObjects(1, &handle, false, timeoutMs);
}

uint32_t WaitForMultipleObjects(uint32_t count, const Handle* handles, bool waitAll, uint32_t timeoutMs) {
    std::unique_lock<std::mutex> lock(detail::Mutex());
    std::vector<ObjectPtr> set;
    for (uint32_t i = 0; i < count; ++i) {
        ObjectPtr o = FindLocked(handles[i]);
        if (!o) return WAIT_FAILED;
        // A reader waiting on an empty queue has dealt with what came in.
        if (o->kind == KernelObject::Kind::Queue && o->messages.empty() && o->inFlight) {
            o->inFlight = false;
            detail::Cv().notify_all();
        }
        set.push_back(o);
    }
    size_t index = 0;
    auto ready = [&] {
        size_t signalled = 0;
        for (size_t i = set.size(); i-- > 0;) {
            if (Signalled(*set[i])) {
                index = i;
                ++signalled;
            }
        }
        return waitAll ? signalled == set.size() : signalled > 0;
    };
    if (set.empty() || !WaitLocked(lock, timeoutMs, ready)) return WAIT_TIMEOUT;
    for (size_t i = 0; i < set.size(); ++i) {
        KernelObject& o = *set[i];
        if (o.kind == KernelObject::Kind::Event && !o.manualReset && (waitAll || i == index)) o.set = false;
    }
    return WAIT_OBJECT_0 + static_cast<uint32_t>(waitAll ? 0 : index);
}

bool CloseHandle(Handle handle) {
    ObjectPtr o;
    {
        std::lock_guard<std::mutex> lock(detail::Mutex());
        o = FindLocked(handle);
        if (!o) return false;
        objects.erase(reinterpret_cast<std::uintptr_t>(handle));
        o->inFlight = false;
        detail::Cv().notify_all();
    }
    if (o->kind == KernelObject::Kind::Thread && o->thread.joinable()) {
        if (o->thread.get_id() == std::this_thread::get_id()) o->thread.detach();
        else if (o->ended) o->thread.join();
        else o->thread.detach();
    }
    return true;
}

Handle CreateMsgQueue(const MsgQueueOptions& options) {
    if (!options.readAccess) return nullptr;
    auto o = std::make_shared<KernelObject>();
    o->kind = KernelObject::Kind::Queue;
    o->maxMessages = options.maxMessages;
    o->maxMessageSize = options.maxMessageSize;
    std::lock_guard<std::mutex> lock(detail::Mutex());
    return AddLocked(o);
}

bool ReadMsgQueue(Handle queue, void* buffer, uint32_t size, uint32_t* bytesRead, uint32_t timeoutMs,
                  uint32_t* flags) {
    std::unique_lock<std::mutex> lock(detail::Mutex());
    ObjectPtr o = FindLocked(queue);
    if (!o || o->kind != KernelObject::Kind::Queue || !buffer) return false;
    if (!WaitLocked(lock, timeoutMs, [&] { return !o->messages.empty(); })) return false;
    const std::vector<uint8_t>& m = o->messages.front();
    if (m.size() > size) return false;
    std::memcpy(buffer, m.data(), m.size());
    if (bytesRead) *bytesRead = static_cast<uint32_t>(m.size());
    if (flags) *flags = 0;
    o->messages.pop_front();
    return true;
}

bool CloseMsgQueue(Handle queue) { return CloseHandle(queue); }

Handle RequestPowerNotifications(Handle queue, uint32_t mask) {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    ObjectPtr q = FindLocked(queue);
    if (!q || q->kind != KernelObject::Kind::Queue || mask == 0) return nullptr;
    auto o = std::make_shared<KernelObject>();
    o->kind = KernelObject::Kind::PowerRequest;
    o->queue = queue;
    o->mask = mask;
    return AddLocked(o);
}

bool StopPowerNotifications(Handle request) {
    std::lock_guard<std::mutex> lock(detail::Mutex());
    ObjectPtr o = FindLocked(request);
    if (!o || o->kind != KernelObject::Kind::PowerRequest) return false;
    objects.erase(reinterpret_cast<std::uintptr_t>(request));
    return true;
}

void BroadcastPowerNotification(uint32_t type, uint32_t flags) {
    std::vector<uint8_t> message(kPowerNotificationSize, 0);
    for (int i = 0; i < 4; ++i) {
        message[i] = static_cast<uint8_t>(type >> (8 * i));
        message[4 + i] = static_cast<uint8_t>(flags >> (8 * i));
    }
    std::lock_guard<std::mutex> lock(detail::Mutex());
    for (auto& entry : objects) {
        const KernelObject& r = *entry.second;
        if (r.kind != KernelObject::Kind::PowerRequest || !(r.mask & type)) continue;
        ObjectPtr q = FindLocked(r.queue);
        if (!q) continue;
        if (q->maxMessages && q->messages.size() >= q->maxMessages) continue;
        if (q->maxMessageSize && message.size() > q->maxMessageSize) continue;
        q->messages.push_back(message);
        q->inFlight = true;
    }
    detail::Cv().notify_all();
}

namespace detail {

bool WorkersIdleLocked() {
    for (const auto& entry : objects) {
        if (entry.second->inFlight || entry.second->starting) return false;
    }
    return true;
}

}  // namespace detail
}  // namespace pl
