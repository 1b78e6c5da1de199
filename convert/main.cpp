// zendavori-convert SOURCES DATA [--keep FILE]...
// zendavori-convert --list
// Makes the catalogue files of DATA from the unpacked public catalogue packages
// of SOURCES; --keep leaves a file as it is. --list prints the names of the
// files it makes. Exit status 0 on success, 1 with a message on failure, 2 for
// unusable arguments.
#include <cstdio>
#include <cstring>
#include <exception>
#include <set>
#include <string>

#include "convert/convert.h"
#include "convert/source_files.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const std::string& name : convert::MadeFileNames()) std::printf("%s\n", name.c_str());
        return 0;
    }
    std::set<std::string> keep;
    for (int i = 3; i + 1 < argc && std::strcmp(argv[i], "--keep") == 0; i += 2) keep.insert(argv[i + 1]);
    if (argc < 3 || (argc - 3) != 2 * static_cast<int>(keep.size())) {
        std::fprintf(stderr, "usage: zendavori-convert SOURCES DATA [--keep FILE]...\n       zendavori-convert --list\n");
        return 2;
    }
    try {
        convert::ConvertCatalogues(argv[1], argv[2], keep);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zendavori-convert: %s\n", e.what());
        return 1;
    }
    return 0;
}
