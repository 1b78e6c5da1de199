// The include check on the source tree, and on a small made-up tree that breaks
// each rule once.
#include "include_layers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/temp_program_folder.h"

namespace {

std::vector<std::string> Texts(const std::vector<LayerFinding>& findings) {
    std::vector<std::string> texts;
    for (const LayerFinding& f : findings) texts.push_back(FormatFinding(f));
    return texts;
}

TEST(IncludeLayers, SourceTreePointsOneWay) {
    std::vector<std::string> findings = Texts(CheckIncludeLayers(ZENDAVORI_SOURCE_DIR));
    EXPECT_TRUE(findings.empty()) << ::testing::PrintToString(findings);
}

// The table of the layers, bottom up; a nested screens folder is a layer of
// its own, above its parent.
TEST(IncludeLayers, LayerOfAPath) {
    const struct {
        const char* path;
        int layer;
    } cases[] = {{"platform/window.h", 0},        {"core/julian_day.h", 1},   {"ephemeris/pluto.h", 2},
                 {"catalog/memo.h", 3},           {"orbits/comet_place.h", 4}, {"ui/colors.h", 5},
                 {"resources/strings.h", 5},      {"chart/chart_state.h", 6}, {"catalog/screens/memo_dialog.h", 6},
                 {"orbits/screens/pass_view.h", 6}, {"app/main_window.h", 7},  {"convert/catalogue.h", 7},
                 {"support/program_fixture.h", -1}, {"catalogue/x.h", -1},     {"memo.h", -1}};
    for (const auto& c : cases) EXPECT_EQ(LayerOf(c.path), c.layer) << c.path;
}

class FakeTree : public ::testing::Test {
protected:
    void Write(const std::string& file, const std::string& text) {
        std::filesystem::path p = folder.path() / file;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p) << text;
    }
    TempProgramFolder folder{"include_layers"};
};

// Each upward include is named with its file and line; same-layer and downward
// includes, system headers, includes in comments and the free folders pass.
TEST_F(FakeTree, UpwardIncludesAreNamed) {
    Write("catalog/records.cpp",
          "#include \"catalog/records.h\"\n#include <vector>\n#include \"core/julian_day.h\"\n"
          "#include \"chart/chart_state.h\"\n// #include \"app/main_window.h\"\n");
    Write("catalog/screens/view.cpp", "#include \"ui/colors.h\"\n#include \"catalog/memo.h\"\n  #  include \"app/x.h\"\n");
    Write("orbits/place.h", "#pragma once\n#include \"catalog/screens/view.h\"\n");
    Write("ui/draw.h", "#include \"resources/strings.h\"\n");
    Write("chart/chart.cpp", "#include \"objects/finder.h\"\n#include \"orbits/place.h\"\n");
    Write("tests/catalog/records_test.cpp", "#include \"app/main_window.h\"\n");
    Write("bench/b.cpp", "#include \"app/main_window.h\"\n");
    Write("build/san/generated.cpp", "#include \"app/main_window.h\"\n");
    EXPECT_EQ(Texts(CheckIncludeLayers(folder.path())),
              (std::vector<std::string>{
                  "catalog/records.cpp:4: #include \"chart/chart_state.h\" reaches up from catalog to chart",
                  "catalog/screens/view.cpp:3: #include \"app/x.h\" reaches up from catalog/screens to app",
                  "orbits/place.h:2: #include \"catalog/screens/view.h\" reaches up from orbits to catalog/screens",
              }));
}

// An include by a relative path cannot be placed in a layer, so it is named
// too: "../app/x.h" from catalog/ would otherwise reach up unseen.
TEST_F(FakeTree, RelativeIncludesAreNamed) {
    Write("catalog/records.cpp", "#include \"records.h\"\n#include \"../app/main_window.h\"\n#include \"core/angle.h\"\n");
    Write("tests/catalog/records_test.cpp", "#include \"catalog_test.h\"\n");
    EXPECT_EQ(Texts(CheckIncludeLayers(folder.path())),
              (std::vector<std::string>{
                  "catalog/records.cpp:1: #include \"records.h\" is not a path from the top of the tree",
                  "catalog/records.cpp:2: #include \"../app/main_window.h\" is not a path from the top of the tree",
              }));
}

// Operating-system headers belong to platform/ alone; the standard library
// and the converter's libraries may be included anywhere.
TEST_F(FakeTree, SystemHeadersOutsidePlatformAreNamed) {
    Write("platform/files.cpp", "#include <sys/stat.h>\n#include <unistd.h>\n#include <SDL.h>\n");
    Write("catalog/records.cpp", "#include <cstdio>\n#include <sys/stat.h>\n# include <unistd.h>\n");
    Write("convert/pictures.cpp", "#include <png.h>\n#include <SDL2/SDL.h>\n");
    Write("tests/catalog/records_test.cpp", "#include <unistd.h>\n");
    EXPECT_EQ(Texts(CheckIncludeLayers(folder.path())),
              (std::vector<std::string>{
                  "catalog/records.cpp:2: #include <sys/stat.h> is a system header outside platform",
                  "catalog/records.cpp:3: #include <unistd.h> is a system header outside platform",
                  "convert/pictures.cpp:2: #include <SDL2/SDL.h> is a system header outside platform",
              }));
}

// A source folder that the table does not place is reported, so that the table
// grows with the tree.
TEST_F(FakeTree, FolderOutsideTheTableIsReported) {
    Write("core/angle.h", "#pragma once\n");
    Write("network/socket.cpp", "#include \"core/angle.h\"\n");
    Write("docs/notes.txt", "#include \"app/x.h\"\n");
    EXPECT_EQ(Texts(CheckIncludeLayers(folder.path())),
              (std::vector<std::string>{"network:0: sources in a folder that the layer table does not place"}));
}

}  // namespace
