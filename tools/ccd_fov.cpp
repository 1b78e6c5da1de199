#include "tools/ccd_fov.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/text_numbers.h"

const CcdCamera kCcdCameras[kCcdCameraCount] = {
    {"User Data", 0, 0, 0, 0},
    {"Canon 350D", 2220, 1480, 642, 642},
    {"ToUCam Pro", 460, 397, 560, 560},
    {"SBIG ST-4", 260, 260, 1375, 1600},
    {"SBIG ST-5C", 320, 240, 1000, 1000},
    {"SBIG ST-6B", 860, 650, 2300, 2700},
    {"SBIG ST-7,7E,XE", 690, 460, 900, 900},
    {"SBIG ST-8,8E,XE", 1380, 920, 900, 900},
    {"SBIG ST-9E,XE", 1020, 1020, 2000, 2000},
    {"SBIG ST-10E,XE", 1490, 1000, 680, 680},
    {"SBIG ST-1001E", 2460, 2460, 2400, 2400},
    {"SBIG ST-2000XM", 1180, 890, 740, 740},
    {"StarLight MX5", 490, 260, 980, 1260},
    {"StarLight HX5", 490, 260, 740, 740},
    {"StarLight MX916", 870, 670, 2320, 2240},
};

namespace {

constexpr double kRadToDeg = 57.29577951308232;

}  // namespace

void CcdSizeText(char* buffer, std::size_t size, int32_t word) {
    long magnitude = std::labs(static_cast<long>(word));
    std::snprintf(buffer, size, "%s%ld.%02ld", word < 0 ? "-" : "", magnitude / 100, magnitude % 100);
}

int32_t CcdSizeWord(const char* text) {
    double hundredths = std::clamp(ParseDouble(text) * 100.0, -2.0e9, 2.0e9);
    return static_cast<int32_t>(std::lround(hundredths));
}

double CcdFieldAngle(double sizeMm, double focalMm) { return 2.0 * std::atan(sizeMm / 2.0 / focalMm) * kRadToDeg; }

double CcdPixelScale(int32_t pixelWord, double focalMm) {
    return std::floor(pixelWord * 2.06 / focalMm * 100.0) * 0.01;
}
