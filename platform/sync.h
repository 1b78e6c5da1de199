// Kernel objects the program uses: events, the worker thread, and waiting on
// them together with the power message queue (platform/power.h).
#pragma once

#include <cstdint>

namespace pl {

struct KernelObject;
using Handle = KernelObject*;

constexpr uint32_t INFINITE = 0xFFFFFFFFu;
constexpr uint32_t WAIT_OBJECT_0 = 0;
constexpr uint32_t WAIT_TIMEOUT = 258;
constexpr uint32_t WAIT_FAILED = 0xFFFFFFFFu;

// An event: an auto-reset event lets one wait through and resets itself; a
// manual-reset event stays set until reset. Null on failure.
Handle CreateEvent(bool manualReset, bool initiallySet);
bool SetEvent(Handle event);
bool ResetEvent(Handle event);

// Starts a thread running body(param); its handle is signalled when it ends.
Handle CreateThread(uint32_t (*body)(void* param), void* param);
// The thread's result; false while it runs or for another kind of handle.
bool GetExitCodeThread(Handle thread, uint32_t* code);

// Waits until the object is signalled (an event set, a thread ended, a message
// queue not empty): WAIT_OBJECT_0, WAIT_TIMEOUT after timeoutMs of real time
// (INFINITE: no limit), or WAIT_FAILED for an invalid handle.
uint32_t WaitForSingleObject(Handle handle, uint32_t timeoutMs);
// The same for several: WAIT_OBJECT_0 + the index of the first signalled one
// (with waitAll: when all are), WAIT_TIMEOUT or WAIT_FAILED.
uint32_t WaitForMultipleObjects(uint32_t count, const Handle* handles, bool waitAll, uint32_t timeoutMs);

// Closes a handle. A running thread goes on; an event or queue is gone.
bool CloseHandle(Handle handle);

}  // namespace pl
