#include "support/catalog_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "platform/files.h"

namespace fixture {

ByteWriter& ByteWriter::U8(uint32_t v) {
    bytes_.push_back(static_cast<uint8_t>(v));
    return *this;
}

ByteWriter& ByteWriter::U16(uint32_t v) { return U8(v).U8(v >> 8); }

ByteWriter& ByteWriter::U32(uint32_t v) { return U16(v).U16(v >> 16); }

ByteWriter& ByteWriter::F32(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return U32(bits);
}

ByteWriter& ByteWriter::Text(const std::string& text, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) U8(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    return *this;
}

CatalogFolder::CatalogFolder() {
    char pattern[] = "/tmp/zendavori-catalog-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
    std::filesystem::create_directory(root_ + "/data");
    std::filesystem::create_directory(root_ + "/usercatalogs");
    pl::SetProgramFolder(root_);
}

CatalogFolder::~CatalogFolder() {
    pl::SetProgramFolder("");
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void CatalogFolder::WriteDb(const std::string& programPath, uint32_t version, uint32_t recordSize,
                            const std::vector<Bytes>& records, int64_t count) const {
    ByteWriter w;
    w.U32(version).U32(0).U32(count < 0 ? records.size() : static_cast<uint32_t>(count)).U32(recordSize);
    Bytes file = w.bytes();
    for (Bytes r : records) {
        r.resize(recordSize, 0);
        file.insert(file.end(), r.begin(), r.end());
    }
    WriteRaw(programPath, file);
}

std::string CatalogFolder::HostFile(const std::string& programPath) const {
    std::string path = root_ + "/" + programPath;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

void CatalogFolder::Remove(const std::string& programPath) const { std::remove(HostFile(programPath).c_str()); }

void CatalogFolder::WriteRaw(const std::string& programPath, const Bytes& bytes) const {
    std::string path = HostFile(programPath);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

namespace {

ByteWriter ObjectHead(const ObjectRecord& o) {
    ByteWriter w;
    w.U32(o.designationId).U32(static_cast<uint32_t>(o.number)).U32(o.objectType).U32(o.constellation);
    w.F32(o.rightAscension).F32(o.declination).F32(o.magnitude).F32(o.size1).F32(o.size2);
    w.U16(o.objectCode).U16(static_cast<uint16_t>(o.classCode));
    return w;
}

}  // namespace

Bytes ObjectBytes(const ObjectRecord& o) { return ObjectHead(o).F32(o.distance).Text(o.name, 20).bytes(); }

Bytes ObjectBytesV25(const ObjectRecord& o) { return ObjectHead(o).Text(o.name, 20).Text("", 4).bytes(); }

Bytes StarBytes(const StarFile& s) {
    ByteWriter w;
    w.U16(static_cast<uint16_t>(s.hr)).U16(static_cast<uint16_t>(s.constellation)).F32(s.raHours).F32(s.decDegrees);
    w.U16(static_cast<uint16_t>(s.magnitude16)).U16(static_cast<uint16_t>(s.colour));
    w.U8(s.flamsteed).U8(s.bayer).U8(s.superscript).U8(0);
    return w.Text("", 24).bytes();
}

Bytes BrightStarNameBytes(const std::string& name, int16_t starIndex) {
    return ByteWriter().Text(name, 18).U16(static_cast<uint16_t>(starIndex)).bytes();
}

Bytes DescriptionBytes(int32_t designationId, int32_t number, const std::string& text, std::size_t recordSize) {
    return ByteWriter().U32(designationId).U32(number).Text(text, recordSize - 8).bytes();
}

Bytes CrossRefBytes(const CrossRef& c, std::size_t recordSize) {
    ByteWriter w;
    w.U16(static_cast<uint16_t>(c.id));
    for (int16_t id : c.altIds) w.U16(static_cast<uint16_t>(id));
    w.U32(static_cast<uint32_t>(c.number));
    for (int32_t n : c.altNumbers) w.U32(static_cast<uint32_t>(n));
    return w.Text(c.name, recordSize - 24).bytes();
}

Bytes ObjectIndexBytes(const std::vector<ObjectIndexEntry>& entries) {
    ByteWriter w;
    for (std::size_t i = 0; i < 15; ++i) {
        ObjectIndexEntry e = i < entries.size() ? entries[i] : ObjectIndexEntry{};
        w.U32(e.number).U16(static_cast<uint16_t>(e.designationId)).U16(static_cast<uint16_t>(e.objectRecord));
        w.U32(static_cast<uint32_t>(e.rightAscension)).U32(static_cast<uint32_t>(e.declination));
        w.U16(static_cast<uint16_t>(e.objectType)).U16(static_cast<uint16_t>(e.magnitude10));
    }
    return w.bytes();
}

Bytes CometBytes(const CometRecord& c) {
    ByteWriter w;
    w.U32(c.kind).Text(c.name, 44);
    for (float f : {c.day, c.epochJulianDay, c.workPerihelionTime, c.workEccentricity, c.semiMajorAxis,
                    c.workPerihelionDistance, c.workArgPerihelion, c.workNode, c.workInclination, c.workEquinox,
                    c.perihelionDistance, c.meanAnomaly, c.eccentricity, c.argPerihelion, c.node, c.inclination,
                    c.absoluteMagnitude, c.slope})
        w.F32(f);
    w.U16(c.reserved1).U16(static_cast<uint16_t>(c.year)).U16(static_cast<uint16_t>(c.month)).U16(c.reserved2);
    return w.bytes();
}

Bytes SatelliteBytes(const std::string& name, const std::string& line1, const std::string& line2) {
    return ByteWriter().Text(name, 71).Text(line1, 71).Text(line2, 71).bytes();
}

Bytes MoonBytes(const MoonFeatureRecord& m) {
    ByteWriter w;
    w.U16(m.type).U16(static_cast<uint16_t>(m.sortKey)).U16(static_cast<uint16_t>(m.mapY));
    w.U16(static_cast<uint16_t>(m.mapSize)).F32(m.latitude).F32(m.longitude).F32(m.diameter);
    return w.Text(m.name, 24).bytes();
}

Bytes MarsBytes(const MarsFeatureRecord& m) {
    ByteWriter w;
    w.Text(m.name, 20).U16(static_cast<uint16_t>(m.group)).U16(static_cast<uint16_t>(m.mapX));
    w.U16(static_cast<uint16_t>(m.mapY)).U16(static_cast<uint16_t>(m.size)).F32(m.latitude).F32(m.longitude);
    return w.bytes();
}

Bytes EyepieceBytes(const std::string& maker, const std::string& model, float focalLength, uint32_t value) {
    return ByteWriter().Text("", 28).Text(maker, 4).Text(model, 32).F32(focalLength).U32(value).bytes();
}

Bytes ConstellationLineBytes(int16_t figureSet, int16_t a, int16_t firstStar, int16_t secondStar) {
    return ByteWriter()
        .U16(static_cast<uint16_t>(figureSet))
        .U16(static_cast<uint16_t>(a))
        .U16(static_cast<uint16_t>(firstStar))
        .U16(static_cast<uint16_t>(secondStar))
        .bytes();
}

Bytes PackedStarBytes(const PackedStarFile& s) {
    ByteWriter w;
    w.U32(s.id);
    for (int8_t b : s.ra) w.U8(static_cast<uint8_t>(b));
    for (int8_t b : s.dec) w.U8(static_cast<uint8_t>(b));
    return w.U8(s.magnitude16).U8(static_cast<uint8_t>(s.colour)).bytes();
}

Bytes StellarRecordBytes(const std::vector<PackedStarFile>& stars, int starsPerRecord) {
    Bytes record;
    for (const PackedStarFile& s : stars) {
        Bytes b = PackedStarBytes(s);
        record.insert(record.end(), b.begin(), b.end());
    }
    record.resize(static_cast<std::size_t>(starsPerRecord) * 12, 0);
    return record;
}

Bytes StellarIndexBytes(const std::vector<int16_t>& records) {
    ByteWriter w;
    for (std::size_t i = 0; i < 42; ++i) w.U16(static_cast<uint16_t>(i < records.size() ? records[i] : 0));
    return w.bytes();
}

Bytes TychoIndexBytes(float lowest, float highest) { return ByteWriter().F32(lowest).F32(highest).bytes(); }

}  // namespace fixture
