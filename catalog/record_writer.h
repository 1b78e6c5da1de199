// Encoders of the catalogue record files: every record kind laid out byte by
// byte, little-endian, at its documented offsets, and the 16-byte record-database
// header. Shared by the catalogue converter and the tests, so both write exactly
// the layout the readers expect.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/comet_satellite_db.h"
#include "catalog/mars_features.h"
#include "catalog/object_catalog.h"
#include "core/moon_records.h"

namespace record_writer {

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

// A whole record-database file: the header {version, 0, count, recordSize} and
// the records, each zero-padded or cut to recordSize. count < 0 writes the
// number of records given.
Bytes RecordDbBytes(uint32_t version, uint32_t recordSize, const std::vector<Bytes>& records, int64_t count = -1);

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

// A location record: two names, latitude (north +) and longitude (EAST +) in
// degrees, the standard-time zone in minutes.
Bytes LocationBytes(const std::string& firstName, const std::string& secondName, float latitude, float longitude,
                    int16_t zoneMinutes);

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

}  // namespace record_writer
