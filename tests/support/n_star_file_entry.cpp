#include "support/n_star_file_entry.h"

#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

#include "scope/n_star_file.h"

namespace {

bool WithinLimits(const AlignmentStar& e) {
    const double numbers[] = {e.time,      e.ra,        e.dec,        e.reading1,   e.reading2,   e.model1,
                              e.model2,    e.measured1, e.measured2,  e.corrected1, e.corrected2, e.sidereal};
    for (double v : numbers)
        if (!std::isfinite(v) || std::fabs(v) > 1000.0) return false;
    return e.name[sizeof e.name - 1] == '\0' && e.ra >= 0.0 && e.ra <= 360.0 && std::fabs(e.dec) <= 90.0;
}

// Field by field (the record has padding), numbers bit for bit.
bool Same(const AlignmentStar& a, const AlignmentStar& b) {
    const double x[] = {a.time, a.ra, a.dec, a.reading1, a.reading2, a.model1, a.model2, a.measured1, a.measured2,
                        a.corrected1, a.corrected2, a.sidereal};
    const double y[] = {b.time, b.ra, b.dec, b.reading1, b.reading2, b.model1, b.model2, b.measured1, b.measured2,
                        b.corrected1, b.corrected2, b.sidereal};
    return std::memcmp(x, y, sizeof x) == 0 && std::memcmp(a.name, b.name, sizeof a.name) == 0 &&
           a.kind == b.kind && a.index == b.index;
}

// Lines that hold more than blanks.
int FilledLines(const uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), data ? size : 0);
    int n = 0;
    for (std::size_t start = 0; start < all.size();) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        n += line.find_first_not_of(' ') != std::string_view::npos;
        start = end + 1;
    }
    return n;
}

}  // namespace

int RunNStarFile(const uint8_t* data, std::size_t size) {
    const NStarFileContents read = ParseNStarList(data, size);
    for (const AlignmentStar& e : read.entries)
        if (!WithinLimits(e)) return 1;
    const std::vector<uint8_t> written = EncodeNStarList(read.entries.data(), static_cast<int>(read.entries.size()));
    const NStarFileContents again = ParseNStarList(written.data(), written.size());
    if (!again.damagedLines.empty() || again.entries.size() != read.entries.size()) return 2;
    for (std::size_t i = 0; i < read.entries.size(); ++i)
        if (!Same(again.entries[i], read.entries[i])) return 2;
    const int counted = static_cast<int>(read.entries.size() + read.damagedLines.size());
    return counted == FilledLines(data, size) ? 0 : 3;
}
