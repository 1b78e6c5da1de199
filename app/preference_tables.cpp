#include "app/preference_tables.h"

#include "scope/drive_table.h"

namespace {

using Rows = const char* const[];

constexpr Rows kConnection = {"Upon need", "Persistant"};
constexpr Rows kCorrection = {"Geocentric", "Geoc. + Refract", "Topocentric", "Topo + Refract"};
constexpr Rows kAlign = {"Zendavori 2 Stars", "External"};
constexpr Rows kHorizon = {"0\xB0", "2\xB0", "4\xB0", "5\xB0", "6\xB0", "8\xB0", "10\xB0"};

constexpr Rows kExperience = {"Beginner", "Hobbyst", "Expert"};
constexpr Rows kAge = {"15", "25", "35", "45", "55", "65", "75", "85", ">95"};
constexpr Rows kVision = {"2/10", "3/10", "4/10", "5/10", "6/10", "7/10", "8/10", "9/10", "10/10", "11/10", "12/10"};
constexpr Rows kDiameter = {"50",  "60",  "70",  "80",  "90",  "100", "125", "150", "166", "180", "203",
                            "235", "254", "280", "304", "368", "457", "558", "635", "762", "Other"};
constexpr Rows kFRatio = {"4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "Other"};
constexpr Rows kMount = {"Equatorial", "Azimuth", "Azimuth+Eq Platform"};
constexpr Rows kMaxItems = {"25", "50", "100", "150", "200", "250", "300", "350", "400", "450", "500"};
constexpr Rows kTimeUpdate = {"Automatic", "Manual"};
constexpr Rows kNightMode = {"Off", "Dark", "Medium", "Bright"};

constexpr Rows kStarColor = {"Color", "Black&White"};
constexpr Rows kBackground = {"Black", "Dark Blue", "White"};
constexpr Rows kLineColor = {"Blue", "Red", "Gray", "Black"};
constexpr Rows kStars = {"All", "Only Constellation", "Only default stars"};
constexpr Rows kCardCatalog = {"No expansion card", "Hipparchos 16K", "Hipparchos 32K", "Hipparchos 64K",
                               "Hipparchos 110K",   "Tycho 390K",     "Tycho 2.5 Million"};
constexpr Rows kConstLines = {"Classic", "Rey Lines"};
constexpr Rows kChartType = {"Sky Map", "Horizon View", "Whole Sky", "Visible Sky", "Equatorial Sky"};
constexpr Rows kFontSize = {"Small", "Medium", "Large"};
constexpr Rows kTimeStep = {"None",   "1 mn",    "2 mn",    "5 mn",    "10 mn",      "15 mn",
                            "1 Hour", "6 Hours", "1 Day",   "1 Sid. Day", "2 Days",  "5 Days",
                            "10 Days", "14 Days", "1 Lunation", "30 Days", "60 Days", "90 Days"};
constexpr Rows kCursor = {"Fix", "Blinking", "None"};

constexpr Rows kObjects180 = {"All", "<3", "<4", "<5", "Scope", "Eyes"};
constexpr Rows kObjects120 = {"All", "<4", "<5", "<6", "<7", "Scope", "Eyes"};
constexpr Rows kObjects90 = {"All", "<5", "<6", "<7", "<8", "<9", "Scope", "Eyes"};
constexpr Rows kObjects60 = {"All", "<6", "<7", "<8", "<9", "<10", "Scope", "Eyes"};
constexpr Rows kObjects45 = {"All", "<7", "<8", "<9", "<10", "<11", "Scope", "Eyes"};
constexpr Rows kObjects20 = {"All", "<8", "<9", "<10", "<11", "<12", "Scope", "Eyes"};
constexpr Rows kObjects5 = {"All", "<9", "<10", "<11", "<12", "<13", "Scope", "Eyes"};
constexpr Rows kStars45 = {"<5", "<6", "<6.5", "<7", "<7.5", "Scope", "Eyes"};
constexpr Rows kStars30 = {"<5", "<6", "<6.5", "<7", "<7.5", "<8", "Scope", "Eyes"};
constexpr Rows kStars20 = {"<5", "<7", "<7.5", "<8", "<8.5", "<9", "Scope", "Eyes"};
constexpr Rows kStars10 = {"<5", "<8", "<8.5", "<9", "<9.5", "<10", "Scope", "Eyes"};
constexpr Rows kStars5 = {"<10", "<10.5", "<11", "<11.5", "<12", "Scope", "Eyes"};
// The view popups draw their rows as orientation icons; the texts name them.
constexpr Rows kViews = {"North up", "Mirrored", "Turned", "Reversed"};

constexpr Rows kDeltaTFormula = {"Chapront&Touz\xE9 1997", "JPL Horizon"};
constexpr Rows kRaFormat = {"23.75", "23:45:00", "23h45m00", "23h45.0"};
constexpr Rows kDecFormat = {"-70.75", "-70:45:00", "-70\xB0" "45'00", "-70\xB0" "45.0"};
constexpr Rows kDistFormat = {"Parsec (pc)", "Light Year (ly)"};

const PreferencePopup kPage1[] = {
    {1409, 1410, 0, DriveListNames(), 16}, {1396, 1397, 242, kConnection}, {1413, 1414, 10, kCorrection},
    {1415, 1416, 8, kAlign},      {1417, 1418, 22, kHorizon},
};
constexpr PreferencePopup kPage2[] = {
    {1431, 1432, 19, kExperience}, {1433, 1434, 20, kAge},      {1435, 1436, 21, kVision},
    {1437, 1438, 13, kDiameter, 12}, {1439, 1440, 14, kFRatio, 12}, {1411, 1412, 9, kMount},
    {1441, 1442, 18, kMaxItems},  {1443, 1444, 23, kTimeUpdate}, {1445, 1446, 24, kNightMode},
};
constexpr PreferencePopup kPage3[] = {
    {1451, 1452, 25, kStarColor},  {1453, 1454, 26, kBackground}, {1455, 1456, 27, kLineColor},
    {1457, 1458, 28, kStars},      {1472, 1473, 115, kCardCatalog}, {1464, 1465, 243, kConstLines},
    {1480, 1481, 117, kChartType}, {1474, 1475, 116, kFontSize},  {1459, 1460, 29, kTimeStep, 10},
    {1398, 1399, 238, kCursor},
};
constexpr PreferencePopup kPage4[] = {
    {1660, 1661, 65, kObjects180}, {1658, 1659, 66, kObjects180}, {1656, 1657, 67, kObjects120},
    {1652, 1653, 68, kObjects90},  {1654, 1655, 69, kObjects60},  {1638, 1639, 70, kObjects45},
    {1640, 1641, 71, kObjects45},  {1642, 1643, 72, kObjects20},  {1644, 1645, 73, kObjects20},
    {1646, 1647, 74, kObjects5},   {1624, 1625, 54, kStars45},    {1626, 1627, 55, kStars30},
    {1628, 1629, 56, kStars20},    {1630, 1631, 57, kStars10},    {1632, 1633, 58, kStars5},
    {1662, 1663, 140, kViews},     {1664, 1665, 141, kViews},     {1666, 1667, 142, kViews},
    {1668, 1669, 143, kViews},     {1670, 1671, 144, kViews},     {1672, 1673, 145, kViews},
    {1674, 1675, 146, kViews},     {1676, 1677, 147, kViews},     {1678, 1679, 148, kViews},
    {1680, 1681, 149, kViews},
};
constexpr PreferencePopup kPage6[] = {
    {1497, 1498, 239, kDeltaTFormula}, {1403, 1404, 5, kRaFormat}, {1405, 1406, 6, kDecFormat},
    {1421, 1422, 248, kDistFormat},
};

// Ranges: the encoder steps, the platform delay and Delta T those the start
// check keeps; the diameter, the telrad rings and the delay what their input
// holds (3 characters); the F-Ratio the one the page always took.
constexpr NumberField kFields[] = {
    {1419, "Az encoder steps", "Az:", 7, -32127, 32127, NumberForm::Count},
    {1420, "Alt encoder steps", "Alt:", 7, -32127, 32127, NumberForm::Count},
    {1535, "Diameter", "Diameter:", 4, 20, 999, NumberForm::Count, " mm"},
    {1536, "F-Ratio", "F-Ratio:", 5, 1.2, 100},
    {1532, "Telrad 1", "Telrad 1:", 4, 0, 90, NumberForm::Decimal, "\xB0"},
    {1533, "Telrad 2", "Telrad 2:", 4, 0, 90, NumberForm::Decimal, "\xB0"},
    {1534, "Telrad 3", "Telrad 3:", 4, 0, 90, NumberForm::Decimal, "\xB0"},
    {1477, "GRS Longitude", "GRS Long.:", 6, 0, 360, NumberForm::Decimal, "\xB0"},
    {1478, "DeltaT", "DeltaT", 6, 40, 200, NumberForm::Decimal, " s", true},
    {1565, "EQPlatForm Delay", "Delay", 4, 0, 999, NumberForm::Count, " min"},
};

constexpr PreferenceHelp kHelps[] = {
    {1485,
     "\x95 Select your drive from the list or tap None if yours is not present.\n"
     "\x95 Encoders require binary input pulses and negative value for a reverse setting!",
     "\x95 If applicable set Scope Port, GPS Port,and Camera Port."},
    {1487,
     "\x95 A star's position will be corrected for refraction and/or Earth effects of aberration, precession & "
     "nutation.",
     "\x95 Use Polar for polar aligned scopes and 2-Star for all others.\n"
     "\x95 Horizon is used to compute rise and set."},
    {1488,
     "\x95 These items are used, along with the Sun's and Moon's brightness, to compute your naked eye visual "
     "magnitude limit.",
     "\x95 It is a VezizIvodozi selection criteria."},
    {1489, "\x95 Scope Diameter (in mm) and F-Ratio are used to compute an object's visibility indicator.",
     "\x95 Mount Type is used for the 2- and N-StarAlignment tools."},
    {1490, "\x95 The number selected is the set of objects to be displayed on the SkyChart.",
     "\x95 Time mode allows you to manually enter a date and time.\n"
     "\x95 Night Mode will darken and redden the display to preserve night vision."},
    {1469, "\x95 Set Rendering to Precision to get more accurate star and object positions.",
     "\x95 Select your eyepiece to display its field of view within Skychart."},
    {1623, "Set Star and Object magnitude limit for each Zoom Level.", ""},
    {1492, "\x95 Jupiter's Great Red Spot (GRS) longitude is used to compute its transit time.",
     "\x95 DeltaT (difference between \"Terrestrial Time\" TT, and \"Universal Time\" UT) is used to compute "
     "Topocentric positions."},
    {1486, "\x95 Set the format for RA and Dec.", "\x95 Set the unit of display of the distances."},
};

constexpr PreferenceCheck kChecks[] = {
    {1510, 121}, {1522, 45},  {1524, 122}, {1513, 44},  {1512, 41},  {1530, 126}, {1341, 237},
    {1516, 42},  {1515, 47},  {1508, 235}, {1511, 120}, {1342, 240}, {1531, 127}, {1343, 241},
    {1514, 43},  {1527, 123}, {1528, 124}, {1335, 131}, {1336, 132},
};

}  // namespace

std::span<const PreferencePopup> PreferencePopups(int page) {
    switch (page) {
    case 1: return kPage1;
    case 2: return kPage2;
    case 3: return kPage3;
    case 4: return kPage4;
    case 6: return kPage6;
    default: return {};
    }
}

const PreferencePopup* FindPreferencePopup(int page, int listId) {
    for (const PreferencePopup& p : PreferencePopups(page))
        if (p.list == listId) return &p;
    return nullptr;
}

std::span<const NumberField> PreferenceFields() { return kFields; }

const NumberField* FindPreferenceField(int id) { return FindNumberField(kFields, id); }

std::span<const PreferenceHelp> PreferenceHelps() { return kHelps; }

const PreferenceHelp* FindPreferenceHelp(int button) {
    for (const PreferenceHelp& h : kHelps)
        if (h.button == button) return &h;
    return nullptr;
}

std::span<const PreferenceCheck> PreferenceChecks() { return kChecks; }
