// Backends: what turns real input into the raw-input feed and shows the
// framebuffer. The headless backend (the default, used by the tests) does
// neither; a window backend fills in the hooks.
#pragma once

namespace pl {

struct Backend {
    const char* name = "headless";
    // The UI thread is about to wait for work: show what was drawn.
    void (*present)() = nullptr;
    // Waits up to timeoutMs (-1: no limit, 0: only look) for real input and
    // feeds it (FeedInput). Returns early when wake() is called.
    void (*waitInput)(int timeoutMs) = nullptr;
    // Ends a waitInput early (any thread): work was queued.
    void (*wake)() = nullptr;
};

// The backend in use; the headless one until another is set.
const Backend& CurrentBackend();
void SetBackend(const Backend& backend);
// Takes waiting real input without blocking (the polls of the UI thread).
void PumpBackendInput();

}  // namespace pl
