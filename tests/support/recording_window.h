// A window class for platform tests whose procedure records every message it
// gets, with an optional handler that may answer a message before the default
// handling. One Recorder is active at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/window.h"

namespace testwin {

// Drops every window, message and timer when made and when destroyed; declare
// it before the Recorder (which registers classes) in a fixture.
struct CleanPlatform {
    CleanPlatform() { pl::ResetWindows(); }
    ~CleanPlatform() { pl::ResetWindows(); }
};

// The virtual clock while the object lives.
struct VirtualClock {
    VirtualClock();
    ~VirtualClock();
};

// Takes every message there is without waiting, dispatching each unless told
// not to; their ids in order.
std::vector<uint32_t> Drain(bool dispatch = true);

struct Record {
    pl::Hwnd hwnd;
    uint32_t id;
    pl::WParam wParam;
    pl::LParam lParam;
};

class Recorder {
public:
    // Registers the classes "Recorder" and "RecorderDbl" (with double taps).
    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // A top-level window (owner may be null) and a child window; visible unless
    // the style says otherwise (pass WS_VISIBLE in `style` to keep it).
    pl::Hwnd Top(pl::Rect r, pl::Hwnd owner = nullptr, uint32_t style = pl::WS_VISIBLE, const char* cls = "Recorder");
    pl::Hwnd Child(pl::Hwnd parent, int id, pl::Rect r, uint32_t style = pl::WS_VISIBLE);

    // Records with this message id (and window, when given).
    std::vector<Record> Of(uint32_t id, pl::Hwnd hwnd = nullptr) const;
    int Count(uint32_t id, pl::Hwnd hwnd = nullptr) const { return static_cast<int>(Of(id, hwnd).size()); }
    // Message ids in order, optionally only those in [first, last].
    std::vector<uint32_t> Ids(uint32_t first = 0, uint32_t last = 0xFFFFFFFF) const;
    void Clear() { records.clear(); }

    std::vector<Record> records;
    // Called for every message after it is recorded; returns true when it
    // handled the message and put the result in *result.
    std::function<bool(const Record&, pl::LResult* result)> onMessage;
};

// A full-screen top-level window of `rec` with a message posted to it whose
// handling throws std::runtime_error: the next loop that dispatches it ends
// by that exception.
pl::Hwnd WindowThatThrowsInTheNextLoop(Recorder& rec);

}  // namespace testwin
