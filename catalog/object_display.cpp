#include "catalog/object_display.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "catalog/designations.h"
#include "core/preferences.h"
#include "core/text_numbers.h"

namespace {

constexpr double kKmPerAu = 149597970.0;
constexpr float kStoredToKpc = 0.014084507f;
constexpr double kLightYearsPerParsec = 3.26163626;

// A byte of the entry read as signed and widened.
int16_t SignedByte(uint8_t b) { return static_cast<int8_t>(b); }

// v + 0.5 truncated, held inside the int range (a damaged distance is not undefined).
int Rounded(double v) {
    double r = v + 0.5;
    return r >= 2147483647.0 ? 2147483647 : static_cast<int>(r);
}

int WriteText(char* text, std::size_t size, const char* value) {
    return std::snprintf(text, size, "%s", value);
}

// The distance in AU: 4 decimals, or whole kilometres when 0.01 AU or closer.
int FormatAu(double au, char* text, std::size_t size) {
    char number[48];
    if (au > 0.01) {
        DoubleToStr(number, sizeof number, au, 4);
        return std::snprintf(text, size, "%s AU", number);
    }
    DoubleToStr(number, sizeof number, au * kKmPerAu, 0);
    return std::snprintf(text, size, "%s km", number);
}

// The stored deep-sky distance in megaparsecs (or mega light years), in the
// precisions the text depends on: the product in single precision, the scale
// to mega in double, each result kept as a float.
int FormatDeepSky(float stored, char* text, std::size_t size) {
    float kpc = std::fabs(stored) * kStoredToKpc;
    auto m = static_cast<float>(static_cast<double>(kpc) * 0.001);
    const char* unit = "pc";
    int16_t format = static_cast<int16_t>(static_cast<uint32_t>(preferences.word[kPrefDistFormat]) >> 16);
    if (format != 0) {
        m = static_cast<float>(m * kLightYearsPerParsec);
        unit = "ly";
    }
    if (m > 10.0f) return std::snprintf(text, size, "%d m%s", Rounded(m), unit);
    if (m > 0.01) return std::snprintf(text, size, "%d k%s", Rounded(m * 1000.0), unit);
    if (m > 0.0f) return std::snprintf(text, size, "%d %s", Rounded(m * 1000000.0), unit);
    return WriteText(text, size, "-");
}

}  // namespace

void CopyObjectDisplayFields(ObjectRecord* destination, const SelectionEntry* source) {
    if (!destination || !source) return;
    ObjectRecord& d = *destination;
    d.designationId = static_cast<uint32_t>(static_cast<int32_t>(source->designation));
    d.number = static_cast<int16_t>(source->sourceIndex) + 1;
    d.objectType = static_cast<uint32_t>(static_cast<int32_t>(source->objectType));
    d.constellation = static_cast<uint32_t>(static_cast<int32_t>(source->constellation));
    d.rightAscension = source->rightAscension;
    d.declination = source->declination;
    d.magnitude = static_cast<float>(source->mag10 * 0.1);
    d.size1 = source->size1;
    d.size2 = source->size2;
    d.objectCode = static_cast<uint16_t>(SignedByte(source->smallCode));
    d.classCode = SignedByte(source->typeCode);
}

int MapObjectTypeCode(int objectType) {
    // By the class byte of the type's row: 1 cluster .. 7 planet.
    static constexpr int kCodeOfClass[] = {99, 4, 10, 6, 8, 11, 5, 1};
    if (objectType < 0 || objectType >= kObjectTypeCount) return 99;
    int objectClass = objectTypeTable[objectType].objectClass;
    return objectClass < 8 ? kCodeOfClass[objectClass] : 99;
}

int FormatDistance(const ObjectRecord* object, char* text, std::size_t size) {
    if (!object || !text || size == 0) return 0;
    uint32_t type = object->objectType;
    if (type == 13 || type == 18 || type == 27) return FormatAu(object->distance, text, size);
    if (type == 14 || type == 15 || (type >= 30 && type <= 37)) return WriteText(text, size, "-");
    return FormatDeepSky(object->distance, text, size);
}
