#include "support/comet_element_texts_entry.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "catalog/record_writer.h"
#include "orbits/comet_editing.h"
#include "orbits/comet_lists.h"

namespace {

constexpr int kFields = 11;

std::string* Field(CometElementTexts& t, int i) {
    std::string* fields[kFields] = {&t.name,        &t.year,          &t.month, &t.day,         &t.distance,
                                    &t.meanAnomaly, &t.eccentricity, &t.argPerihelion, &t.node, &t.inclination,
                                    &t.magnitude};
    return fields[i];
}

// An ordinary record of each kind: 2P/Encke and 1 Ceres.
CometRecord Ordinary(bool comet) {
    CometRecord r{};
    r.kind = comet ? kCometRecordKind : kMinorPlanetRecordKind;
    r.year = 2023, r.month = 10, r.day = 22.6f;
    r.epochJulianDay = 2459800.5f, r.semiMajorAxis = 2.767f, r.meanAnomaly = 334.3f;
    r.perihelionDistance = 0.339f, r.eccentricity = comet ? 0.848f : 0.0786f;
    r.argPerihelion = 186.5f, r.node = 334.6f, r.inclination = 11.4f, r.absoluteMagnitude = 11.5f, r.slope = 6.0f;
    return r;
}

bool Within(float v, double low, double high) { return std::isfinite(v) && v >= low && v <= high; }

bool ValuesInRange(const CometRecord& r, bool comet) {
    const float distance = comet ? r.perihelionDistance : r.semiMajorAxis;
    return r.month >= 1 && r.month <= 12 && Within(distance, 0.00001f, 10000) &&
           Within(r.eccentricity, 0, comet ? 100 : 0.99999f) && Within(r.argPerihelion, 0, 360) &&
           Within(r.node, 0, 360) && Within(r.inclination, 0, 180) && Within(r.absoluteMagnitude, -100, 100) &&
           (comet || (Within(r.meanAnomaly, 0, 360) && r.perihelionDistance > 0.0f)) && Within(r.day, 0, 32);
}

bool SameTexts(CometElementTexts a, CometElementTexts b) {
    for (int i = 0; i < kFields; ++i)
        if (*Field(a, i) != *Field(b, i)) return false;
    return true;
}

}  // namespace

int RunCometElementTexts(const uint8_t* data, std::size_t size) {
    const bool comet = size > 0 && (data[0] & 1) != 0;
    CometElementTexts texts = CometElementTextsOf(Ordinary(comet));
    const std::string input(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
    std::size_t at = 0;
    for (int i = 0; i < kFields && at <= input.size() && size > 1; ++i) {
        const std::size_t end = std::min(input.find('\0', at), input.size());
        *Field(texts, i) = input.substr(at, end - at);
        at = end + 1;
    }
    CometRecord record = Ordinary(comet);
    const record_writer::Bytes before = record_writer::CometBytes(record);
    std::string refused;
    if (!ReadCometElementTexts(texts, comet, &record, &refused))
        return record_writer::CometBytes(record) == before && !refused.empty() ? 0 : 2;
    if (!ValuesInRange(record, comet)) return 1;
    const CometElementTexts shown = CometElementTextsOf(record);
    CometRecord again = record;
    if (!ReadCometElementTexts(shown, comet, &again, &refused)) return 3;
    return SameTexts(CometElementTextsOf(again), shown) ? 0 : 3;
}
