#include "support/recording_window.h"

#include <stdexcept>

#include "platform/clock.h"
#include "platform/message_queue.h"

namespace testwin {
namespace {

Recorder* active = nullptr;

pl::LResult RecordingProc(pl::Hwnd hwnd, uint32_t id, pl::WParam wParam, pl::LParam lParam) {
    if (!active) return pl::DefWindowProc(hwnd, id, wParam, lParam);
    Record r{hwnd, id, wParam, lParam};
    active->records.push_back(r);
    pl::LResult result = 0;
    if (active->onMessage && active->onMessage(r, &result)) return result;
    return pl::DefWindowProc(hwnd, id, wParam, lParam);
}

}  // namespace

pl::Hwnd WindowThatThrowsInTheNextLoop(Recorder& rec) {
    constexpr uint32_t kThrow = pl::WM_USER + 7;
    rec.onMessage = [](const Record& r, pl::LResult*) {
        if (r.id == kThrow) throw std::runtime_error("stop");
        return false;
    };
    pl::Hwnd window = rec.Top({0, 0, 240, 320});
    pl::PostMessage(window, kThrow, 0, 0);
    return window;
}

VirtualClock::VirtualClock() { pl::UseVirtualClock(pl::LocalTime{}); }

VirtualClock::~VirtualClock() { pl::UseRealClock(); }

std::vector<uint32_t> Drain(bool dispatch) {
    std::vector<uint32_t> ids;
    pl::Msg m;
    while (pl::PeekMessage(&m, nullptr, 0, 0, pl::PM_REMOVE)) {
        ids.push_back(m.id);
        if (dispatch) pl::DispatchMessage(&m);
    }
    return ids;
}

Recorder::Recorder() {
    active = this;
    pl::RegisterClass({"Recorder", RecordingProc, 0, nullptr});
    pl::RegisterClass({"RecorderDbl", RecordingProc, pl::CS_DBLCLKS, nullptr});
}

Recorder::~Recorder() {
    if (active == this) active = nullptr;
}

pl::Hwnd Recorder::Top(pl::Rect r, pl::Hwnd owner, uint32_t style, const char* cls) {
    pl::CreateParams p;
    p.className = cls;
    p.style = style;
    p.x = r.left;
    p.y = r.top;
    p.width = r.Width();
    p.height = r.Height();
    p.parent = owner;
    return pl::CreateWindow(p);
}

pl::Hwnd Recorder::Child(pl::Hwnd parent, int id, pl::Rect r, uint32_t style) {
    pl::CreateParams p;
    p.className = "Recorder";
    p.style = style | pl::WS_CHILD;
    p.x = r.left;
    p.y = r.top;
    p.width = r.Width();
    p.height = r.Height();
    p.parent = parent;
    p.id = id;
    return pl::CreateWindow(p);
}

std::vector<Record> Recorder::Of(uint32_t id, pl::Hwnd hwnd) const {
    std::vector<Record> out;
    for (const Record& r : records) {
        if (r.id == id && (!hwnd || r.hwnd == hwnd)) out.push_back(r);
    }
    return out;
}

std::vector<uint32_t> Recorder::Ids(uint32_t first, uint32_t last) const {
    std::vector<uint32_t> out;
    for (const Record& r : records) {
        if (r.id >= first && r.id <= last) out.push_back(r.id);
    }
    return out;
}

}  // namespace testwin
