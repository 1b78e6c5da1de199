#include "core/delta_t.h"

#include "core/julian_day.h"
#include "core/preferences.h"

// Delta T at 1 January of the even years 1620..2008 in tenths of a second
// (after Meeus, Astronomical Algorithms, table 10.A, carried on to 2008).
const int16_t deltaTTable[kDeltaTTableSize] = {
    1210, 1120, 1030, 950, 880, 820, 770, 720, 680, 630,   // 1620
    600,  560,  530,  510, 480, 460, 440, 420, 400, 380,   // 1640
    350,  330,  310,  290, 260, 240, 220, 200, 180, 160,   // 1660
    140,  120,  110,  100, 90,  80,  70,  70,  70,  70,    // 1680
    70,   70,   80,   80,  90,  90,  90,  90,  90,  100,   // 1700
    100,  100,  100,  100, 100, 100, 100, 110, 110, 110,   // 1720
    110,  110,  120,  120, 120, 120, 130, 130, 130, 140,   // 1740
    140,  140,  140,  150, 150, 150, 150, 150, 160, 160,   // 1760
    160,  160,  160,  160, 160, 160, 150, 150, 140, 130,   // 1780
    131,  125,  122,  120, 120, 120, 120, 120, 120, 119,   // 1800
    116,  110,  102,  92,  82,  71,  62,  56,  54,  53,    // 1820
    54,   56,   59,   62,  65,  68,  71,  73,  75,  76,    // 1840
    77,   73,   62,   52,  27,  14,  -12, -28, -38, -48,   // 1860
    -55,  -53,  -56,  -57, -59, -60, -63, -65, -62, -47,   // 1880
    -28,  -1,   26,   53,  77,  104, 133, 160, 182, 202,   // 1900
    212,  224,  235,  238, 243, 240, 239, 239, 237, 240,   // 1920
    243,  253,  262,  273, 282, 291, 300, 307, 314, 322,   // 1940
    331,  340,  350,  365, 383, 402, 422, 445, 465, 485,   // 1960
    505,  522,  538,  549, 558, 569, 583, 600, 616, 630,   // 1980
    638,  643,  648,  649, 660,                             // 2000
};

namespace {

// True for the dates whose Delta T is the user's preference.
bool UsesCurrentDeltaT(int year, int month, int day) {
    long key = year * 10000L + month * 100L + day;
    return key >= 20060101L && key <= 20491231L;
}

}  // namespace

double ComputeDeltaT(int year, int month, int day) {
    if (UsesCurrentDeltaT(year, month, day)) return GetCurrentDeltaT();
    double y = DateToDecimalYear(year, month, day, 0, 0, 0);
    double t = (y - 2000) / 100;
    if (y < 948) {
        double u = (y - 1820) / 100;
        return 31 * u * u;
    }
    if (y < 1620) return 22.5 * t * t + 67.5 * t + 50.6;
    if (y <= 2006) {
        int i = static_cast<int>((y - 1620) / 2);
        double a = deltaTTable[i];
        double b = deltaTTable[i + 1];
        return (a + (b - a) * ((y - 1620) / 2 - i)) / 10;
    }
    if (y < 2100) return 102 + 102 * t + 25.3 * t * t + 0.37 * (y - 2100);
    return 102 + 102 * t + 25.3 * t * t;
}
