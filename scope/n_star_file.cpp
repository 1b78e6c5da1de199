#include "scope/n_star_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "core/kept_file.h"
#include "core/services.h"
#include "platform/files.h"
#include "scope/n_star_list.h"

namespace {

constexpr int kFields = 15;
constexpr std::size_t kNameLimit = sizeof(AlignmentStar{}.name) - 1;
constexpr double kAngleLimit = 1000.0;
constexpr int kMaxToldLines = 8;

double* Numbers(AlignmentStar& e, int i) {
    double* fields[] = {&e.time,      &e.ra,        &e.dec,        &e.reading1,   &e.reading2,   &e.model1,
                        &e.model2,    &e.measured1, &e.measured2,  &e.corrected1, &e.corrected2, &e.sidereal};
    return fields[i];
}

bool ReadWhole(std::string_view text, long* value) {
    if (text.empty() || text.size() > 12) return false;
    std::string s(text);
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (errno != 0 || end != s.c_str() + s.size() || v < INT32_MIN || v > INT32_MAX || std::isspace(static_cast<unsigned char>(s[0])))
        return false;
    *value = v;
    return true;
}

bool ReadNumber(std::string_view text, double* value) {
    if (text.empty() || text.size() > 40) return false;
    std::string s(text);
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || !std::isfinite(v) || std::isspace(static_cast<unsigned char>(s[0]))) return false;
    *value = v;
    return true;
}

bool ParseLine(std::string_view line, AlignmentStar* out) {
    std::string_view field[kFields];
    int count = 0;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        if (count == kFields) return false;
        field[count++] = line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    if (count != kFields || field[0].size() > kNameLimit) return false;
    for (char c : field[0])
        if (static_cast<unsigned char>(c) < 0x20) return false;
    AlignmentStar e{};
    long kind = 0, index = 0;
    if (!ReadWhole(field[1], &kind) || !ReadWhole(field[2], &index)) return false;
    for (int i = 0; i < kFields - 3; ++i)
        if (!ReadNumber(field[3 + i], Numbers(e, i)) || std::fabs(*Numbers(e, i)) > kAngleLimit) return false;
    if (e.ra < 0.0 || e.ra > 360.0 || std::fabs(e.dec) > 90.0) return false;
    field[0].copy(e.name, field[0].size());
    e.kind = static_cast<int32_t>(kind);
    e.index = static_cast<int32_t>(index);
    *out = e;
    return true;
}

// "2, 5, 9" for the first few line numbers, "..." after them.
std::string LineList(const std::vector<int>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == kMaxToldLines) return text + ", ...";
        text += (i ? ", " : "") + std::to_string(lines[i]);
    }
    return text;
}

}  // namespace

std::vector<uint8_t> EncodeNStarList(const AlignmentStar* list, int n) {
    std::string text;
    for (int i = 0; list && i < n; ++i) {
        AlignmentStar e = list[i];
        std::string name(e.name, strnlen(e.name, kNameLimit));
        for (char& c : name)
            if (static_cast<unsigned char>(c) < 0x20) c = ' ';
        char numbers[16];
        text += name;
        std::snprintf(numbers, sizeof numbers, "\t%d", e.kind);
        text += numbers;
        std::snprintf(numbers, sizeof numbers, "\t%d", e.index);
        text += numbers;
        for (int k = 0; k < kFields - 3; ++k) {
            char value[40];
            std::snprintf(value, sizeof value, "\t%.17g", *Numbers(e, k));
            text += value;
        }
        text += '\n';
    }
    return std::vector<uint8_t>(text.begin(), text.end());
}

NStarFileContents ParseNStarList(const uint8_t* bytes, std::size_t size) {
    NStarFileContents contents;
    const std::string_view all(reinterpret_cast<const char*>(bytes), bytes ? size : 0);
    int number = 0;
    for (std::size_t start = 0; start < all.size();) {
        std::size_t end = all.find('\n', start);
        if (end == std::string_view::npos) end = all.size();
        std::string_view line = all.substr(start, end - start);
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" ") == std::string_view::npos) continue;
        AlignmentStar e{};
        if (ParseLine(line, &e)) contents.entries.push_back(e);
        else contents.damagedLines.push_back(number);
    }
    return contents;
}

int SaveNStarList() {
    const AlignmentStar* list = GetAlignmentStarList();
    if (!list || alignmentStarCount < 1) {
        ShowInformation("Please add at least one stars.", "");
        return 0;
    }
    pl::MakeDirectory("userlists");
    if (!ReplaceKeptFile(kNStarFile, kNStarTemporaryFile, EncodeNStarList(list, alignmentStarCount))) {
        ShowInformation("Can't save the N-star list", kNStarFile);
        return 0;
    }
    return 1;
}

int LoadNStarList() {
    std::vector<uint8_t> bytes;
    if (!ReadKeptFile(kNStarFile, kNStarFileLargest, &bytes)) {
        ShowInformation("No saved N-star list", kNStarFile);
        return 0;
    }
    if (bytes.size() > kNStarFileLargest) {
        ShowInformation("This is not an N-star list", kNStarFile);
        return 0;
    }
    const NStarFileContents contents = ParseNStarList(bytes.data(), bytes.size());
    AlignmentStar* list = GetAlignmentStarList();
    if (!list || contents.entries.empty()) {
        ShowInformation("No star could be read from the saved list", kNStarFile);
        return 0;
    }
    const int n = static_cast<int>(std::min<std::size_t>(contents.entries.size(), kAlignmentStarCount));
    for (int i = 0; i < n; ++i) list[i] = contents.entries[static_cast<std::size_t>(i)];
    alignmentStarCount = n;
    nStarCurrentRow = 0;
    if (!contents.damagedLines.empty())
        ShowInformation("Damaged lines of the saved list were skipped", "Lines " + LineList(contents.damagedLines));
    if (contents.entries.size() > kAlignmentStarCount)
        ShowInformation("Only the first 20 stars of the saved list were loaded", "");
    return 1;
}
