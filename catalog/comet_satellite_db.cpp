#include "catalog/comet_satellite_db.h"

#include <cstring>
#include <string>

#include "catalog/databases.h"
#include "core/services.h"

static_assert(sizeof(CometRecord) == 128);

namespace {

constexpr std::size_t kCometRecordSize = 128;
constexpr std::size_t kSatelliteField = 71;

void DecodeComet(const uint8_t* r, CometRecord* c) {
    c->kind = LoadU32(r, 0);
    LoadText(r, 4, sizeof c->name, c->name, sizeof c->name);
    float* const floats[] = {&c->day,
                             &c->epochJulianDay,
                             &c->workPerihelionTime,
                             &c->workEccentricity,
                             &c->semiMajorAxis,
                             &c->workPerihelionDistance,
                             &c->workArgPerihelion,
                             &c->workNode,
                             &c->workInclination,
                             &c->workEquinox,
                             &c->perihelionDistance,
                             &c->meanAnomaly,
                             &c->eccentricity,
                             &c->argPerihelion,
                             &c->node,
                             &c->inclination,
                             &c->absoluteMagnitude,
                             &c->slope};
    std::size_t offset = 48;
    for (float* f : floats) {
        *f = LoadF32(r, offset);
        offset += 4;
    }
    c->reserved1 = LoadU16(r, 120);
    c->year = LoadI16(r, 122);
    c->month = LoadI16(r, 124);
    c->reserved2 = LoadU16(r, 126);
}

}  // namespace

int GetCometCount() { return GetRecDbCount(cometDb); }

bool GetCometData(int index, CometRecord* record) {
    if (!cometDb) return false;
    const uint8_t* r = FetchRecord(cometDb, index, kCometRecordSize);
    if (!r) {
        ShowInformation("GetCometData: Could not retrieve comet record! " + std::to_string(index), "");
        return false;
    }
    DecodeComet(r, record);
    return true;
}

int GetSatelliteCount() { return GetRecDbCount(satelliteDb); }

bool GetSatelliteRecord(int index, SatelliteRecord* record) {
    if (!satelliteDb) {
        ShowInformation("Satellite database isn't open!", WithMissingDataFile("", kSatelliteFile));
        return false;
    }
    const uint8_t* r = FetchRecord(satelliteDb, index, sizeof(SatelliteRecord));
    if (!r) {
        ShowInformation("Could not retrieve satellite record!", "");
        return false;
    }
    std::memcpy(record->nameLine, r, kSatelliteField);
    std::memcpy(record->line1, r + kSatelliteField, kSatelliteField);
    std::memcpy(record->line2, r + 2 * kSatelliteField, kSatelliteField);
    return true;
}

void GetSatelliteLine(const char* field, char* line) {
    std::size_t n = strnlen(field, kSatelliteField);
    std::memcpy(line, field, n);
    line[n] = '\0';
}
