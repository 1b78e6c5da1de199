#include "assistants/mars_features.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

struct FeatureType {
    const char* prefix;
    const char* sizeFormat;
};
constexpr FeatureType kTypes[] = {
    {"cavus_", "Cavus %d km "},     {"mons_", "Mons %d km "},         {"crater_", "Crater %d km "},
    {"planitia_", "Plannitia %d km "}, {"planum_", "Planum %d km "}, {"landing_", "Landing %d km "},
    {"catena_", "Catena %d km "},   {"chasma_", "Chasma %d km "},     {"rupes_", "Rupes %d km "},
    {"terra_", "Terra %d km "},
};
constexpr int kTypeCount = sizeof kTypes / sizeof kTypes[0];

std::string Coordinate(const char* label, float value, char positive, char negative) {
    char text[48];
    std::snprintf(text, sizeof text, "%s%s\xB0%c", label, OneDecimalText(std::fabs(value)).c_str(),
                  value < 0 ? negative : positive);
    return text;
}

}  // namespace

const char* MarsFeaturePicturePrefix(int type) { return type >= 0 && type < kTypeCount ? kTypes[type].prefix : ""; }

std::string MarsFeatureSizeText(const MarsFeatureRecord& feature) {
    if (feature.group < 0 || feature.group >= kTypeCount) return "";
    char text[48];
    std::snprintf(text, sizeof text, kTypes[feature.group].sizeFormat, static_cast<int>(feature.size));
    return text;
}

std::string MarsFeaturePictureName(const MarsFeatureRecord& feature) {
    std::string name(feature.name, strnlen(feature.name, sizeof feature.name));
    return MarsFeaturePicturePrefix(feature.group) + name.substr(0, name.find(' '));
}

bool IsMarsRegion(int type) { return type == 3 || type == 4 || type == 9; }

bool IsMarsMapLabel(const MarsFeatureRecord& feature) {
    if (feature.group == 3 || feature.group == 4) return feature.size >= 1000;
    return feature.group == 9 && feature.size >= 500;
}

std::string MarsLatitudeText(float latitude) { return Coordinate("Lat: ", latitude, 'N', 'S'); }

std::string MarsLongitudeText(float longitude) { return Coordinate("Long: ", longitude, 'E', 'W'); }

std::string OneDecimalText(double value) {
    double tenths = std::trunc((value + 0.05) * 10);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", tenths / 10);
    return text;
}
