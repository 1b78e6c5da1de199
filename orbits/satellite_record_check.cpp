#include "orbits/satellite_record_check.h"

#include <cmath>
#include <cstring>
#include <initializer_list>

#include "orbits/satellite_import.h"
#include "orbits/satellite_propagation.h"

namespace {

bool KeptContract(bool ok, double position[4], double velocity[4]) {
    for (int k = 0; k < 3; ++k) {
        if (ok != std::isfinite(position[k]) || ok != std::isfinite(velocity[k])) return false;
        if (!ok && !(std::isnan(position[k]) && std::isnan(velocity[k]))) return false;
    }
    if (!ok) return true;
    ConvertStateToKm(position, velocity);
    return std::isfinite(position[3]) && std::isfinite(velocity[3]);
}

bool FieldIsElementLine(const char* field, int lineNumber) {
    return IsElementLine(field, strnlen(field, sizeof(SatelliteRecord::line1)), lineNumber);
}

}  // namespace

bool CheckSatelliteRecordBytes(const uint8_t* data, std::size_t size) {
    SatelliteRecord record;
    std::memset(&record, ' ', sizeof record);
    if (size > 0) std::memcpy(&record, data, size < sizeof record ? size : sizeof record);
    SatelliteElements elements{};
    InitSatelliteElements(&record, &elements);
    bool held = true;
    for (double tsince : {-1440.0, 0.0, 97.5, 1440.0, 525960.0, 5259600.0}) {
        for (auto propagate : {PropagateSgp, PropagateSgp4}) {
            double position[4], velocity[4];
            bool ok = propagate(tsince, position, velocity, &elements);
            held = KeptContract(ok, position, velocity) && held;
        }
    }
    return held;
}

bool CheckElementSetTextBytes(const uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    const ElementSetText read = ReadElementSetText(text, size);
    std::size_t lines = size > 0 ? 1 : 0;
    for (std::size_t i = 0; i < size; ++i) lines += text[i] == '\n';
    bool held = read.skipped >= 0 && read.records.size() * 3 + static_cast<std::size_t>(read.skipped) <= lines;
    for (const SatelliteRecord& record : read.records) {
        SatelliteElements elements{};
        held = held && record.nameLine[0] != '\0' && FieldIsElementLine(record.line1, 1) &&
               FieldIsElementLine(record.line2, 2) && InitSatelliteElements(&record, &elements);
        held = CheckSatelliteRecordBytes(reinterpret_cast<const uint8_t*>(&record), sizeof record) && held;
    }
    return held;
}
