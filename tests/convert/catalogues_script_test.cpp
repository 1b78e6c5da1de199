// scripts/catalogues with the tiny sources as its cache (so it fetches
// nothing) and the converter program: it converts once, says "up to date"
// after that, keeps an edited comet file, makes the pictures of a program
// folder, fetches a package again whose cache lacks a file, and offline
// changes nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "convert/convert.h"
#include "convert/tiny_sources.h"

namespace {

namespace fs = std::filesystem;

class CataloguesScriptTest : public ::testing::Test {
protected:
    CataloguesScriptTest() {
        char pattern[] = "/tmp/zendavori-script-XXXXXX";
        if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
        root_ = pattern;
    }
    ~CataloguesScriptTest() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    // Runs the script with `cache` for DATA (and the program folder `home`
    // when one is given); its output, and its exit status in *status.
    std::string Run(const std::string& cache, const std::string& environment = "", int* status = nullptr,
                    const std::string& home = "") {
        std::string command = environment + " ZENDAVORI_SOURCE_CACHE='" + cache + "' ZENDAVORI_CONVERT='" +
                              ZENDAVORI_CONVERT_PROGRAM + "' " ZENDAVORI_SOURCE_DIR "/scripts/catalogues '" + Data() +
                              "'" + (home.empty() ? "" : " '" + home + "'") + " 2>&1";
        std::FILE* pipe = popen(command.c_str(), "r");
        std::string output;
        char buffer[256];
        while (pipe && std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
        int result = pipe ? pclose(pipe) : -1;
        if (status) *status = result;
        return output;
    }
    std::string Data() const { return root_ + "/data"; }
    fs::file_time_type Written(const std::string& name) const { return fs::last_write_time(Data() + "/" + name); }

    tiny::SourceFolder sources;
    std::string root_;
};

TEST_F(CataloguesScriptTest, ConvertsOnceThenOnlyWhenSomethingChanged) {
    EXPECT_EQ(Run(sources.root()), "catalogues: made 19 files in " + Data() + "\n");
    for (const std::string& name : convert::MadeFileNames()) EXPECT_TRUE(fs::exists(Data() + "/" + name)) << name;
    fs::file_time_type objects = Written("zendavori_obj_18k.ppc");
    EXPECT_EQ(Run(sources.root()), "catalogues: up to date\n");
    EXPECT_EQ(Written("zendavori_obj_18k.ppc"), objects);

    std::ofstream(Data() + "/zendavori_comet.ppc", std::ios::app) << "edited";
    fs::remove(Data() + "/zendavori_mars.ppc");
    EXPECT_EQ(Run(sources.root()), "catalogues: zendavori_comet.ppc was edited since it was made; it is kept\n"
                                   "catalogues: made 19 files in " + Data() + "\n");
    EXPECT_TRUE(fs::exists(Data() + "/zendavori_mars.ppc"));
    fs::remove(Data() + "/zendavori_moon.ppc");
    Run(sources.root());
    std::ifstream comet(Data() + "/zendavori_comet.ppc", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(comet)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.substr(bytes.size() - 6), "edited");  // still kept on the next conversion
}

TEST_F(CataloguesScriptTest, OfflineFetchIsNamedAndChangesNothing) {
    // An apt-get that fails as it does without a network.
    fs::create_directories(root_ + "/bin");
    std::ofstream(root_ + "/bin/apt-get") << "#!/bin/sh\nexit 100\n";
    fs::permissions(root_ + "/bin/apt-get", fs::perms::owner_all);
    int status = -1;
    std::string output = Run(root_ + "/cache", "PATH='" + root_ + "/bin':\"$PATH\"", &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(output, "catalogues: could not fetch the Debian package xplanet (offline?); catalogue files left as they are\n");
    EXPECT_FALSE(fs::exists(Data()));
    EXPECT_TRUE(fs::is_empty(root_ + "/cache"));
}

// With the program folder the pictures are made too, once; a missing picture
// is made again. A cache that lacks a file the script keeps (a cache made
// before the pictures were kept) is fetched again: here, offline, that fails
// and is named.
TEST_F(CataloguesScriptTest, PicturesMadeOnceAndCacheLackingAKeptFileFetchedAgain) {
    EXPECT_EQ(Run(sources.root(), "", nullptr, root_),
              "catalogues: made 19 files in " + Data() + " and 10 pictures in " + root_ + "/img\n");
    EXPECT_EQ(Run(sources.root(), "", nullptr, root_), "catalogues: up to date\n");
    fs::remove(root_ + "/img/ngc/NGC224.jpg");
    EXPECT_EQ(Run(sources.root(), "", nullptr, root_),
              "catalogues: made 19 files in " + Data() + " and 10 pictures in " + root_ + "/img\n");
    EXPECT_TRUE(fs::exists(root_ + "/img/ngc/NGC224.jpg"));

    fs::create_directories(root_ + "/bin");
    std::ofstream(root_ + "/bin/apt-get") << "#!/bin/sh\nexit 100\n";
    fs::permissions(root_ + "/bin/apt-get", fs::perms::owner_all);
    fs::remove(sources.Path("stellarium-data/usr/share/stellarium/nebulae/default/textures.json"));
    EXPECT_EQ(Run(sources.root(), "PATH='" + root_ + "/bin':\"$PATH\"", nullptr, root_),
              "catalogues: could not fetch the Debian package stellarium-data (offline?); catalogue files left as "
              "they are\n");
}

}  // namespace
