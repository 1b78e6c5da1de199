#include "include_layers.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <tuple>

namespace fs = std::filesystem;

namespace {

struct LayerRow {
    const char* folder;
    int layer;
};

// Nested folders come before their parents: the longest match wins.
constexpr LayerRow kLayers[] = {
    {"catalog/screens", 6}, {"orbits/screens", 6}, {"platform", 0}, {"core", 1},   {"ephemeris", 2},
    {"catalog", 3},         {"orbits", 4},         {"ui", 5},       {"resources", 5}, {"chart", 6},
    {"objects", 6},         {"scope", 6},          {"assistants", 6}, {"eclipse", 6}, {"tools", 6},
    {"app", 7},             {"convert", 7},
};

// Top-level folders that may include anything.
bool IsFree(const std::string& top) {
    return top == "tests" || top == "bench" || top == "fuzz" || top == "scripts" || top.rfind("build", 0) == 0 ||
           top.rfind('.', 0) == 0;
}

const LayerRow* RowOf(const std::string& path) {
    for (const LayerRow& row : kLayers) {
        std::string folder = row.folder;
        if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/')
            return &row;
    }
    return nullptr;
}

bool IsSource(const fs::path& p) { return p.extension() == ".h" || p.extension() == ".cpp"; }

// Headers of the operating system and of the window and font libraries, which
// only platform/ includes.
bool IsSystemHeader(const std::string& header) {
    static const std::regex kSystem(
        R"re((sys|arpa|netinet|linux|SDL2|freetype)/.*|(unistd|fcntl|dirent|termios|poll|pthread|dlfcn|SDL|ft2build)\.h)re");
    return std::regex_match(header, kSystem);
}

void CheckFile(const fs::path& file, const std::string& rel, const LayerRow& own, std::vector<LayerFinding>* out) {
    static const std::regex kInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
    static const std::regex kSystemInclude(R"re(^\s*#\s*include\s*<([^>]+)>)re");
    std::ifstream in(file);
    std::string text;
    std::smatch m;
    for (int line = 1; std::getline(in, text); ++line) {
        if (text.find("include") == std::string::npos) continue;
        if (std::regex_search(text, m, kSystemInclude)) {
            if (own.layer > 0 && IsSystemHeader(m[1].str()))
                out->push_back({rel, line, "#include <" + m[1].str() + "> is a system header outside platform"});
            continue;
        }
        if (!std::regex_search(text, m, kInclude)) continue;
        const LayerRow* target = RowOf(m[1].str());
        if (!target)  // a relative path ("../app/x.h", "memo.h") would slip past the table
            out->push_back({rel, line, "#include \"" + m[1].str() + "\" is not a path from the top of the tree"});
        else if (target->layer > own.layer)
            out->push_back({rel, line,
                            "#include \"" + m[1].str() + "\" reaches up from " + own.folder + " to " + target->folder});
    }
}

}  // namespace

int LayerOf(const std::string& path) {
    const LayerRow* row = RowOf(path);
    return row ? row->layer : -1;
}

std::vector<LayerFinding> CheckIncludeLayers(const fs::path& root) {
    std::vector<LayerFinding> findings;
    for (const fs::directory_entry& top : fs::directory_iterator(root)) {
        std::string name = top.path().filename().string();
        if (!top.is_directory() || IsFree(name)) continue;
        bool placed = RowOf(name + "/") != nullptr;
        for (const fs::directory_entry& e : fs::recursive_directory_iterator(top.path())) {
            if (!e.is_regular_file() || !IsSource(e.path())) continue;
            std::string rel = fs::relative(e.path(), root).generic_string();
            if (!placed) {
                findings.push_back({name, 0, "sources in a folder that the layer table does not place"});
                break;
            }
            CheckFile(e.path(), rel, *RowOf(rel), &findings);
        }
    }
    std::sort(findings.begin(), findings.end(),
              [](const LayerFinding& a, const LayerFinding& b) { return std::tie(a.file, a.line) < std::tie(b.file, b.line); });
    return findings;
}

std::string FormatFinding(const LayerFinding& f) { return f.file + ":" + std::to_string(f.line) + ": " + f.what; }
