// zendavori-convert SOURCES DATA [--pictures HOME] [--keep FILE]...
// zendavori-convert --list
// zendavori-convert --list-pictures SOURCES
// Makes the catalogue files of DATA from the unpacked public catalogue packages
// of SOURCES; --pictures also makes the deep-sky pictures in the img/ folder of
// the program folder HOME; --keep leaves a file as it is. --list prints the
// names of the files it makes in DATA, --list-pictures the program paths of
// the pictures it makes from SOURCES. Exit status 0 on success, 1 with a
// message on failure, 2 for unusable arguments.
#include <cstdio>
#include <cstring>
#include <exception>
#include <set>
#include <string>

#include "convert/convert.h"
#include "convert/source_files.h"

int main(int argc, char** argv) {
    try {
        if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
            for (const std::string& name : convert::MadeFileNames()) std::printf("%s\n", name.c_str());
            return 0;
        }
        if (argc == 3 && std::strcmp(argv[1], "--list-pictures") == 0) {
            for (const std::string& path : convert::PicturePaths(argv[2])) std::printf("%s\n", path.c_str());
            return 0;
        }
        std::set<std::string> keep;
        std::string home;
        bool usable = argc >= 3 && argc % 2 == 1;
        for (int i = 3; usable && i + 1 < argc; i += 2) {
            if (std::strcmp(argv[i], "--keep") == 0) keep.insert(argv[i + 1]);
            else if (std::strcmp(argv[i], "--pictures") == 0 && home.empty()) home = argv[i + 1];
            else usable = false;
        }
        if (!usable) {
            std::fprintf(stderr,
                         "usage: zendavori-convert SOURCES DATA [--pictures HOME] [--keep FILE]...\n"
                         "       zendavori-convert --list\n       zendavori-convert --list-pictures SOURCES\n");
            return 2;
        }
        convert::ConvertCatalogues(argv[1], argv[2], keep, home);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zendavori-convert: %s\n", e.what());
        return 1;
    }
    return 0;
}
