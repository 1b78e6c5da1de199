// The star files: the default stars with their proper names and the
// constellation figures drawn between them, and the packed stellar catalogues
// (HR, and four Hipparcos sizes) with their number indexes.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "catalog/record_writer.h"
#include "convert/star_sources.h"

namespace convert {

struct StarSources {
    std::vector<BscStar> bsc;
    std::vector<HipStar> hip;         // levels 0-2, components repeat a HIP number
    std::map<int, int> hipToHr;
    std::map<int, std::pair<int, int>> hrToHip;  // HR -> (HIP, component)
    std::vector<Figure> classicFigures;  // figure set 0
    std::vector<Figure> reyFigures;      // figure set 1
};

struct StellarFile {
    std::string name;
    std::vector<record_writer::Bytes> records;
};

struct StarFiles {
    std::vector<record_writer::Bytes> defaultStars;   // 1646 records, ascending HR
    std::vector<record_writer::Bytes> brightNames;    // N by name, then N by HR
    std::vector<record_writer::Bytes> figureLines;    // set 0, then set 1
    std::vector<StellarFile> stellar;                 // the HR file, then the Hipparcos files
    std::vector<StellarFile> indexes;                 // HR index, Hipparcos index
    std::vector<std::pair<int, std::string>> starNames;  // (HR, name) of every named HR star
};

StarFiles BuildStarFiles(const StarSources& sources);

// A packed star: position rounded to whole seconds, magnitude code V x 16
// clamped to 0..255, colour code 10 x (B-V).
record_writer::PackedStarFile PackStar(uint32_t id, double raHours, double decDegrees, double vmag, double bv);

}  // namespace convert
