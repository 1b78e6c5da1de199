// The include check: every `#include "folder/..."` of a source folder names a
// header of its own layer or of a layer below. The layers, bottom up:
//   platform; core; ephemeris; catalog; orbits; ui and resources; the form
//   subsystems chart, objects, scope, assistants, eclipse, tools and the
//   screens folders catalog/screens and orbits/screens; app and convert.
// Only platform/ includes the headers of the operating system (<unistd.h>,
// <sys/...>) and of SDL and FreeType. tests/, bench/, fuzz/, scripts/ and
// build folders may include anything and are not read.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Layer of a path from the top of the tree ("catalog/screens/memo_dialog.h" is
// in catalog/screens, "catalog/memo.h" in catalog): 0 for platform up to 7 for
// app; -1 for a folder outside the table.
int LayerOf(const std::string& path);

// One finding: `file` (from the top of the tree) at `line`, and what is wrong.
struct LayerFinding {
    std::string file;
    int line;
    std::string what;
};

// Reads every .h and .cpp of the source folders under `root` and reports each
// include of a higher layer, each system header outside platform/, each quoted include that is not a path from the
// top of the tree (it could not be placed), and each top-level folder holding
// sources that the table does not place (line 0). Sorted by file and line.
std::vector<LayerFinding> CheckIncludeLayers(const std::filesystem::path& root);

// "file:line: what".
std::string FormatFinding(const LayerFinding& finding);
