// The deep-sky sources: Stellarium's deep-sky catalogue (catalog.dat, a gzip'd
// big-endian Qt data stream) with its proper names (names.dat), and OpenNGC as
// KStars ships it (an SQLite database).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace convert {

// Columns of catalog.dat's 29 catalogue numbers that the converter uses.
enum DsoColumn : int {
    kColNgc = 0, kColIc = 1, kColM = 2, kColC = 3, kColB = 4, kColSh2 = 5, kColVdb = 6, kColRcw = 7,
    kColLdn = 8, kColLbn = 9, kColCr = 10, kColMel = 11, kColPgc = 12, kColUgc = 13, kColCed = 14,
    kColAco = 20, kColTr = 25, kColSt = 26, kColRu = 27, kColVdbHa = 28,
    kDsoColumns = 29
};

// One object of catalog.dat. Angles J2000; 99 = unknown magnitude; numbers 0 =
// none (text columns keep their leading number: Ced "55d" is 55).
struct DsoObject {
    uint32_t id = 0;
    double raHours = 0;
    double decDegrees = 0;
    double bmag = 99;
    double vmag = 99;
    int type = 36;  // catalog.dat's object type 0..36
    std::string morphology;
    double majorDegrees = 0;
    double minorDegrees = 0;
    int orientation = 0;
    double distanceKpc = 0;
    long numbers[kDsoColumns] = {};
};

// Throws SourceError for a stream that ends inside a record or holds an
// impossible string length.
std::vector<DsoObject> ParseDsoCatalog(const std::string& stream, const std::string& source);

// Proper names of names.dat by catalog.dat id, in file order (several per object).
std::map<uint32_t, std::vector<std::string>> ParseDsoNames(const std::string& text,
                                                         const std::vector<DsoObject>& objects);

// One NGC or IC row of OpenNGC: one per number (the plain row, else row A).
struct OpenNgcRow {
    bool ic = false;
    long number = 0;
    int type = 255;  // OpenNGC's type code
    double raHours = 0;
    double decDegrees = 0;
    double magnitude = 0;
    bool hasMagnitude = false;
    double majorArcmin = 0, minorArcmin = 0;
    bool hasSize = false;
    double positionAngle = 0;
    bool hasPositionAngle = false;
    bool hasPosition = true;  // false for rows OpenNGC gives no place (ra = dec = 0)
};

// Keyed by (ic, number). Throws SourceError when the database cannot be read.
std::map<std::pair<bool, long>, OpenNgcRow> ReadOpenNgc(const std::string& path);

}  // namespace convert
