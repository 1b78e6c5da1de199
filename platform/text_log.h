// The text log: while it runs, every line of text drawn is kept with where its
// pixels landed, so that tests can tell whether texts on the screen are whole
// and keep clear of each other. The log follows the pixels: a solid fill or an
// opaque text cell that covers a run's ink removes the run, and a block copy
// carries the runs of its source rectangle to its destination (a form's back
// buffer saved and put back keeps its texts). Drawing code whose texts overlap
// by nature (chart labels, compass roses, maps) marks them with a
// TextLogExemption while it draws.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dc.h"
#include "platform/types.h"

namespace pl {

struct TextRun {
    uint64_t surface = 0;  // the surface drawn on (ScreenSurfaceSerial() for the screen)
    Hwnd window = nullptr;  // the window whose context drew it first; null for memory contexts
    std::string text;       // program text
    Rect cell;              // the line's cell on the surface
    Rect ink;               // bounds of its pixels that were drawn (empty: none)
    bool cut = false;       // some of its pixels fell outside the context's clip
    bool opaque = false;    // its cell was filled with the background colour
    bool exempt = false;    // drawn under a TextLogExemption
};

// Starts an empty log; StopTextLog ends it and forgets the runs.
void StartTextLog();
void StopTextLog();
bool TextLogRunning();

// The runs still to be seen on a surface, in drawing order.
std::vector<TextRun> LoggedTexts(uint64_t surface);
// The serial of the screen's surface, and of the surface a context draws on
// (0 for none).
uint64_t ScreenSurfaceSerial();
uint64_t SurfaceSerialOf(Hdc dc);

// While one lives, the texts drawn are marked exempt. Nests.
class TextLogExemption {
public:
    TextLogExemption();
    ~TextLogExemption();
    TextLogExemption(const TextLogExemption&) = delete;
    TextLogExemption& operator=(const TextLogExemption&) = delete;
};

// Internal to the graphics code: a run drawn, a solid fill (surface
// rectangles, after clipping) and a block copy (the disjoint destination
// rectangles it wrote, after clipping, and the offset from source to
// destination, both surfaces named by serial). A run carried only in part
// (the rest under a window above, or past the copy's edge) is cut.
void LogTextRun(TextRun run);
void LogFill(uint64_t surface, const Rect& filled);
void LogCopy(uint64_t source, uint64_t destination, const std::vector<Rect>& destinationParts, int dx, int dy);

}  // namespace pl
