#include "platform/text_log.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

#include "platform/framebuffer.h"
#include "platform/gdi_internal.h"

namespace pl {
namespace {

struct Log {
    std::mutex mutex;
    bool running = false;
    int exemptions = 0;
    std::map<uint64_t, std::vector<TextRun>> runs;  // by surface
};

Log& TheLog() {
    static Log log;
    return log;
}

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

Rect Bounds(const Rect& a, const Rect& b) {
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

// Drops the runs of a surface whose ink lies wholly in `area`.
void Cover(std::vector<TextRun>& runs, const Rect& area) {
    std::erase_if(runs, [&](const TextRun& r) { return r.ink.IsEmpty() || Inside(r.ink, area); });
}

}  // namespace

void StartTextLog() {
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    log.runs.clear();
    log.running = true;
}

void StopTextLog() {
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    log.runs.clear();
    log.running = false;
}

bool TextLogRunning() {
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    return log.running;
}

std::vector<TextRun> LoggedTexts(uint64_t surface) {
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    auto it = log.runs.find(surface);
    return it == log.runs.end() ? std::vector<TextRun>{} : it->second;
}

uint64_t ScreenSurfaceSerial() { return ScreenSurface().serial; }

uint64_t SurfaceSerialOf(Hdc dc) {
    int x = 0, y = 0;
    Surface* s = SourceSurface(dc, &x, &y);
    return s ? s->serial : 0;
}

TextLogExemption::TextLogExemption() {
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    ++log.exemptions;
}

TextLogExemption::~TextLogExemption() {
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    --log.exemptions;
}

void LogTextRun(TextRun run) {
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    if (!log.running) return;
    std::vector<TextRun>& runs = log.runs[run.surface];
    if (run.opaque) Cover(runs, run.cell);
    run.exempt = log.exemptions > 0;
    if (!run.ink.IsEmpty()) runs.push_back(std::move(run));
}

void LogFill(uint64_t surface, const Rect& filled) {
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    if (!log.running || filled.IsEmpty()) return;
    auto it = log.runs.find(surface);
    if (it != log.runs.end()) Cover(it->second, filled);
}

void LogCopy(uint64_t source, uint64_t destination, const std::vector<Rect>& destinationParts, int dx, int dy) {
    Log& log = TheLog();
    std::lock_guard lock(log.mutex);
    if (!log.running || destinationParts.empty()) return;
    std::vector<TextRun> carried;
    if (auto it = log.runs.find(source); it != log.runs.end()) {
        for (TextRun r : it->second) {
            r.surface = destination;
            r.cell = Offset(r.cell, dx, dy);
            const Rect moved = Offset(r.ink, dx, dy);
            // What of the ink lands: its parts in the destination's drawable rectangles.
            Rect ink{};
            int64_t landed = 0;
            for (const Rect& part : destinationParts) {
                Rect piece = Intersect(moved, part);
                if (piece.IsEmpty()) continue;
                landed += int64_t{piece.Width()} * piece.Height();
                ink = ink.IsEmpty() ? piece : Bounds(ink, piece);
            }
            if (ink.IsEmpty()) continue;
            r.cut = r.cut || landed < int64_t{moved.Width()} * moved.Height();
            r.ink = ink;
            carried.push_back(std::move(r));
        }
    }
    std::vector<TextRun>& runs = log.runs[destination];
    for (const Rect& part : destinationParts) Cover(runs, part);
    runs.insert(runs.end(), carried.begin(), carried.end());
}

}  // namespace pl
