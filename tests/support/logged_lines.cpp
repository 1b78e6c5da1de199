#include "support/logged_lines.h"

#include <algorithm>
#include <map>

#include "platform/text_log.h"

std::vector<std::vector<std::string>> LoggedScreenLines() {
    std::map<int, std::vector<pl::TextRun>> lines;
    for (const pl::TextRun& run : pl::LoggedTexts(pl::ScreenSurfaceSerial())) lines[run.cell.top].push_back(run);
    std::vector<std::vector<std::string>> out;
    for (auto& [top, runs] : lines) {
        std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.cell.left < b.cell.left; });
        out.emplace_back();
        for (const pl::TextRun& run : runs) out.back().push_back(run.text);
    }
    return out;
}
