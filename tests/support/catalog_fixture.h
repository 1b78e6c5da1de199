// Catalogue files written by tests: a temporary program folder (with "data" and
// "usercatalogs") that is the program folder while the object lives, and encoders
// that lay out every record kind byte by byte, little-endian, at the documented
// offsets, so tests never depend on real catalogue files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/comet_satellite_db.h"
#include "catalog/mars_features.h"
#include "catalog/object_catalog.h"
#include "core/moon_records.h"

namespace fixture {

using Bytes = std::vector<uint8_t>;

// Little-endian byte builder.
class ByteWriter {
public:
    ByteWriter& U8(uint32_t v);
    ByteWriter& U16(uint32_t v);
    ByteWriter& U32(uint32_t v);
    ByteWriter& F32(float v);
    // The text in a field `width` bytes wide, zero-filled (not terminated when it fills the field).
    ByteWriter& Text(const std::string& text, std::size_t width);
    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

class CatalogFolder {
public:
    CatalogFolder();
    ~CatalogFolder();
    CatalogFolder(const CatalogFolder&) = delete;
    CatalogFolder& operator=(const CatalogFolder&) = delete;

    // Host path of the folder.
    const std::string& root() const { return root_; }

    // A record database: the 16-byte header {version, 0, count, recordSize} and the
    // records, each zero-padded or cut to recordSize. count < 0 writes the number
    // of records given.
    void WriteDb(const std::string& programPath, uint32_t version, uint32_t recordSize,
                 const std::vector<Bytes>& records, int64_t count = -1) const;

    // Any bytes (damaged files), its folders made as needed.
    void WriteRaw(const std::string& programPath, const Bytes& bytes) const;

    void Remove(const std::string& programPath) const;

private:
    std::string HostFile(const std::string& programPath) const;

    std::string root_;
};

// Record encoders.

// Deep-sky object record: the current layout (distance at 40, name at 44), or the
// layout of user catalogues before version 26 (name at 40, no distance).
Bytes ObjectBytes(const ObjectRecord& o);
Bytes ObjectBytesV25(const ObjectRecord& o);

// Default star as stored in the file (position in hours and degrees).
struct StarFile {
    int16_t hr = 0;
    int16_t constellation = 0;
    float raHours = 0;
    float decDegrees = 0;
    int16_t magnitude16 = 0;
    int16_t colour = 0;
    uint8_t flamsteed = 0;
    uint8_t bayer = 0;
    uint8_t superscript = 0;
};
Bytes StarBytes(const StarFile& s);

Bytes BrightStarNameBytes(const std::string& name, int16_t starIndex);

Bytes DescriptionBytes(int32_t designationId, int32_t number, const std::string& text, std::size_t recordSize);

struct CrossRef {
    int16_t id = 0;
    int16_t altIds[3] = {0, 0, 0};
    int32_t number = 0;
    int32_t altNumbers[3] = {0, 0, 0};
    std::string name;
};
Bytes CrossRefBytes(const CrossRef& c, std::size_t recordSize);

// Object index record of up to 15 entries (the rest zero).
Bytes ObjectIndexBytes(const std::vector<ObjectIndexEntry>& entries);

Bytes CometBytes(const CometRecord& c);
Bytes SatelliteBytes(const std::string& name, const std::string& line1, const std::string& line2);
Bytes MoonBytes(const MoonFeatureRecord& m);
Bytes MarsBytes(const MarsFeatureRecord& m);
Bytes EyepieceBytes(const std::string& maker, const std::string& model, float focalLength, uint32_t value);
Bytes ConstellationLineBytes(int16_t figureSet, int16_t a, int16_t firstStar, int16_t secondStar);

// A packed star of the stellar catalogues: id, right ascension h m s and
// declination d m s (each byte carrying the sign), magnitude x 16, colour.
struct PackedStarFile {
    uint32_t id = 0;
    int8_t ra[3] = {0, 0, 0};
    int8_t dec[3] = {0, 0, 0};
    uint8_t magnitude16 = 0;
    int8_t colour = 0;
};
Bytes PackedStarBytes(const PackedStarFile& s);

// A stellar catalogue record: the stars back to back, zero-filled to
// `starsPerRecord` stars.
Bytes StellarRecordBytes(const std::vector<PackedStarFile>& stars, int starsPerRecord);

// A Hipparcos or HR index record: 42 stellar record numbers.
Bytes StellarIndexBytes(const std::vector<int16_t>& records);

// A Tycho index record: the lowest and highest declination of a region.
Bytes TychoIndexBytes(float lowest, float highest);

}  // namespace fixture
