// Templates of the six preference pages (forms 1400, 1430, 1450, 1620, 1476
// and 1337): a title, group headings with their information buttons, one row
// per setting (label and popup trigger with its hidden list, or text field)
// and the Ok, Prev and Next buttons at the bottom.
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kCheckBoxControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kNoId = -1;
constexpr int kPopupX = 58;
constexpr int kPopupWidth = 76;

constexpr ControlTemplate Title(int id) { return {kStaticControl, id, "Title", 0, 0, 80, 14, 0}; }
constexpr ControlTemplate Heading(int id, const char* text, int y) { return {kStaticControl, id, text, 2, y, 100, 10, 0}; }
constexpr ControlTemplate Info(int id, int y) { return {kButtonControl, id, "Inf", 124, y, 10, 10, 0}; }
constexpr ControlTemplate Label(const char* text, int y, int x = 4, int width = 52) {
    return {kStaticControl, kNoId, text, x, y, width, 10, 0};
}
constexpr ControlTemplate Trigger(int id, int y, int x = kPopupX, int width = kPopupWidth) {
    return {kStaticControl, id, "", x, y, width, 10, 0};
}
constexpr ControlTemplate List(int id, int y, int x = kPopupX, int width = kPopupWidth) {
    return {kListViewControl, id, "", x, y + 10, width, 40, kHidden | pl::kNoHeader};
}
constexpr ControlTemplate Field(int id, int x, int y, int width) { return {kStaticControl, id, "", x, y, width, 10, 0}; }
constexpr ControlTemplate Button(int id, const char* text, int x) { return {kButtonControl, id, text, x, 170, 30, 12, 0}; }
constexpr ControlTemplate Check(int id, const char* text, int x, int y) {
    return {kCheckBoxControl, id, text, x, y, 66, 10, 0};
}

constexpr ControlTemplate kPage1[] = {
    Title(8004),
    Heading(138, "Interfaces", 17), Info(1485, 17),
    Label("Scope Drive", 29), Trigger(1409, 29), List(1410, 29),
    Label("Connection", 41), Trigger(1396, 41), List(1397, 41),
    {kStaticControl, 1427, "Encoder Step", 4, 53, 46, 10, 0},
    {kStaticControl, 1495, "Az:", 52, 53, 12, 10, 0}, Field(1419, 65, 53, 26),
    {kStaticControl, 1496, "Alt:", 93, 53, 14, 10, 0}, Field(1420, 108, 53, 26),
    Label("Scope Port", 65), Trigger(1407, 65), List(1408, 65),
    Label("GPS Port", 77), Trigger(1401, 77), List(1402, 77),
    Label("Camera Port", 89), Trigger(1428, 89), List(1429, 89),
    Heading(139, "Computation", 104), Info(1487, 104),
    Label("Correction", 116), Trigger(1413, 116), List(1414, 116),
    Label("Align Method", 128), Trigger(1415, 128), List(1416, 128),
    Label("Horizon", 140), Trigger(1417, 140), List(1418, 140),
    Button(1425, "Ok", 2), Button(1426, "Next", 106),
};

constexpr ControlTemplate kPage2[] = {
    Title(8005),
    Heading(138, "Observer", 17), Info(1488, 17),
    Label("Experience", 28), Trigger(1431, 28), List(1432, 28),
    Label("Age", 39), Trigger(1433, 39), List(1434, 39),
    Label("Vision", 50), Trigger(1435, 50), List(1436, 50),
    Heading(139, "Telescope", 63), Info(1489, 63),
    Label("Diameter", 74), Trigger(1437, 74, kPopupX, 40), List(1438, 74, kPopupX, 40), Field(1535, 102, 74, 32),
    Label("F-Ratio", 85), Trigger(1439, 85, kPopupX, 40), List(1440, 85, kPopupX, 40), Field(1536, 102, 85, 32),
    Label("Mount Type", 96), Trigger(1411, 96), List(1412, 96),
    Heading(140, "Display", 109), Info(1490, 109),
    Label("Max Selected items", 120, 2, 58), Trigger(1441, 120, 60, 74), List(1442, 120, 60, 74),
    Label("Time Update", 131), Trigger(1443, 131), List(1444, 131),
    Label("Night Mode", 142), Trigger(1445, 142), List(1446, 142),
    Button(1447, "Ok", 2), Button(1517, "Prev", 72), Button(1448, "Next", 106),
};

constexpr ControlTemplate kPage3[] = {
    Title(8006),
    Heading(138, "SkyChart Rendering", 17), Info(1469, 17),
    Label("Star Color", 28), Trigger(1451, 28), List(1452, 28),
    Label("Background", 39), Trigger(1453, 39), List(1454, 39),
    Label("Line Color", 50), Trigger(1455, 50), List(1456, 50),
    Label("Stars", 61), Trigger(1457, 61), List(1458, 61),
    Label("Card Catalog", 72), Trigger(1472, 72), List(1473, 72),
    Label("Const. Lines", 83), Trigger(1464, 83), List(1465, 83),
    Label("Eyepiece", 94), Trigger(1467, 94), List(1468, 94),
    Label("Chart Type", 105), Trigger(1480, 105), List(1481, 105),
    Label("Font Size", 116), Trigger(1474, 116), List(1475, 116),
    Label("Time Step", 127), Trigger(1459, 127), List(1460, 127),
    {kStaticControl, 148, "Cursor", 4, 138, 52, 10, 0}, Trigger(1398, 138), List(1399, 138),
    Button(1463, "Ok", 2), Button(1518, "Prev", 72), Button(1466, "Next", 106),
};

// Page 4: one line per zoom step from y = 37, 11 units apart.
constexpr int Row(int k) { return 37 + 11 * k; }
constexpr ControlTemplate Fov(const char* text, int k) { return {kStaticControl, kNoId, text, 4, Row(k), 22, 10, 0}; }
constexpr ControlTemplate Fixed5(int k) { return {kStaticControl, kNoId, "<5", 30, Row(k), 30, 10, 0}; }
constexpr ControlTemplate StarTrigger(int id, int k) { return Trigger(id, Row(k), 30, 32); }
constexpr ControlTemplate StarList(int id, int k) { return List(id, Row(k), 30, 32); }
constexpr ControlTemplate ObjTrigger(int id, int k) { return Trigger(id, Row(k), 66, 34); }
constexpr ControlTemplate ObjList(int id, int k) { return List(id, Row(k), 66, 34); }
constexpr ControlTemplate View(int trigger, int k) { return {kStaticControl, trigger, "", 104, Row(k), 30, 10, 0}; }
constexpr ControlTemplate ViewList(int list, int k) { return List(list, Row(k), 104, 30); }

constexpr ControlTemplate kPage4[] = {
    Title(8007),
    Heading(138, "SkyChart Zoom Settings", 16), Info(1623, 16),
    {kStaticControl, kNoId, "FOV", 4, 27, 22, 9, 0},
    {kStaticControl, kNoId, "Stars", 30, 27, 32, 9, 0},
    {kStaticControl, kNoId, "Objects", 66, 27, 34, 9, 0},
    {kStaticControl, kNoId, "View", 104, 27, 30, 9, 0},
    Fov("180\xB0", 0), Fixed5(0), ObjTrigger(1660, 0), ObjList(1661, 0), View(1662, 0), ViewList(1663, 0),
    Fov("150\xB0", 1), Fixed5(1), ObjTrigger(1658, 1), ObjList(1659, 1), View(1664, 1), ViewList(1665, 1),
    Fov("120\xB0", 2), Fixed5(2), ObjTrigger(1656, 2), ObjList(1657, 2), View(1666, 2), ViewList(1667, 2),
    Fov("90\xB0", 3), Fixed5(3), ObjTrigger(1652, 3), ObjList(1653, 3), View(1668, 3), ViewList(1669, 3),
    Fov("60\xB0", 4), Fixed5(4), ObjTrigger(1654, 4), ObjList(1655, 4), View(1670, 4), ViewList(1671, 4),
    Fov("45\xB0", 5), StarTrigger(1624, 5), StarList(1625, 5), ObjTrigger(1638, 5), ObjList(1639, 5),
    View(1672, 5), ViewList(1673, 5),
    Fov("30\xB0", 6), StarTrigger(1626, 6), StarList(1627, 6), ObjTrigger(1640, 6), ObjList(1641, 6),
    View(1674, 6), ViewList(1675, 6),
    Fov("20\xB0", 7), StarTrigger(1628, 7), StarList(1629, 7), ObjTrigger(1642, 7), ObjList(1643, 7),
    View(1676, 7), ViewList(1677, 7),
    Fov("10\xB0", 8), StarTrigger(1630, 8), StarList(1631, 8), ObjTrigger(1644, 8), ObjList(1645, 8),
    View(1678, 8), ViewList(1679, 8),
    Fov("<10\xB0", 9), StarTrigger(1632, 9), StarList(1633, 9), ObjTrigger(1646, 9), ObjList(1647, 9),
    View(1680, 9), ViewList(1681, 9),
    Button(1621, "Ok", 2), Button(1519, "Prev", 72), Button(1622, "Next", 106),
};

constexpr int kLeft = 4;
constexpr int kRight = 72;
constexpr ControlTemplate kPage5[] = {
    Title(8008),
    Check(1510, "Const. Names", kLeft, 18), Check(1522, "FOV: Eyepiece", kRight, 18),
    Check(1524, "Const. Lines", kLeft, 30), Check(1513, "FOV: CCD", kRight, 30),
    Check(1512, "Obj. Names", kLeft, 42), Check(1530, "Alt/Az Grid", kRight, 42),
    Check(1341, "Obj. Drilldown", kLeft, 54), Check(1516, "Hide Grid", kRight, 54),
    Check(1515, "Stars Legend", kLeft, 66), Check(1508, "Hide ToolBar", kRight, 66),
    Check(1511, "Stars Symbols", kLeft, 78), Check(1342, "Hide InfoBar", kRight, 78),
    Check(1531, "Ecliptic", kLeft, 90), Check(1343, "Hide Compass", kRight, 90),
    Check(1527, "More Stars", kLeft, 102), Check(1528, "More Objects", kRight, 102),
    Check(1335, "Show Grid", kLeft, 114), Check(1336, "Stars as Pixel", kRight, 114),
    {kCheckBoxControl, 1514, "Telrad", kLeft, 128, 36, 10, 0},
    Field(1532, 42, 128, 20), {kStaticControl, kNoId, "\xB0", 63, 128, 5, 10, 0},
    Field(1533, 72, 128, 20), {kStaticControl, kNoId, "\xB0", 93, 128, 5, 10, 0},
    Field(1534, 102, 128, 20), {kStaticControl, kNoId, "\xB0", 123, 128, 5, 10, 0},
    Button(1479, "Ok", 2), Button(1520, "Prev", 72), Button(1338, "Next", 106),
};

constexpr ControlTemplate kPage6[] = {
    Title(8009),
    Heading(138, "Constants", 17), Info(1492, 17),
    Label("GRS Longitude", 29), Field(1477, kPopupX, 29, 40),
    Label("DeltaT Formula", 41), Trigger(1497, 41), List(1498, 41),
    Label("Current DeltaT", 53), Field(1478, kPopupX, 53, 40),
    Label("EQPlatForm Delay (min)", 65, 4, 74), Field(1565, 80, 65, 30),
    Heading(139, "Output Formats", 82), Info(1486, 82),
    Label("RA Format", 94), Trigger(1403, 94), List(1404, 94),
    Label("Dec Format", 106), Trigger(1405, 106), List(1406, 106),
    Label("Dist Format", 118), Trigger(1421, 118), List(1422, 118),
    Button(1340, "Ok", 2), Button(1339, "Prev", 72),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {1400, 0, 0, 138, 186, "", kPage1}, {1430, 0, 0, 138, 186, "", kPage2}, {1450, 0, 0, 138, 186, "", kPage3},
    {1620, 0, 0, 138, 186, "", kPage4}, {1476, 0, 0, 138, 186, "", kPage5}, {1337, 0, 0, 138, 186, "", kPage6},
};

}  // namespace

const pl::ResourceGroup kPreferenceResources = {.dialogs = kDialogs};
