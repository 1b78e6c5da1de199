// The observing-list screens, laid out for the 240 x 320 screen in 138 x 180
// dialog units:
//   2350 the finder: the catalogue and object popups (the identifier field in
//        the object popup's place), camera and description buttons at the top
//        right, the ten-key pad with Clear, Find, Goto, Sky and Ok on the
//        right, the gauge and ephemeris buttons at the left of it; the rest is
//        the detail area the form draws;
//   1700 the selection criteria: the vision and object criteria as labelled
//        popups under their group titles with a trash button each, the date
//        and time row, and back, New and Add at the bottom left, Remove at
//        the bottom right;
//   1800 the observing list: the class and sort popups with Add and Del over
//        the list on the left, the panel of the selected object on the right
//        (the form draws the type picture at its top right and the two graphs
//        under "Rise & Set" and "Alt at Transit"), and the bottom strip: back,
//        sky and log at the left, criteria, row pictures, trash and List at
//        the right.
#include "resources/program_resources.h"

namespace {

using pl::ControlTemplate;
using pl::kButtonControl;
using pl::kHidden;
using pl::kListViewControl;
using pl::kStaticControl;

constexpr int kNoId = -1;
constexpr int kStripY = 171;
constexpr uint32_t kPopupList = kHidden | pl::kNoHeader | pl::kSingleSelect;
constexpr uint32_t kOwnerPopupList = kPopupList | pl::kOwnerDraw | pl::kOwnerData;

constexpr ControlTemplate Label(int id, const char* text, int x, int y, int width, uint32_t flags = 0) {
    return {kStaticControl, id, text, x, y, width, 9, flags};
}
constexpr ControlTemplate Field(int id, int x, int y, int width, uint32_t flags = 0) {
    return {kStaticControl, id, "", x, y, width, 9, flags};
}
constexpr ControlTemplate Icon(int id, int x, int y, uint32_t flags = 0) {
    return {kButtonControl, id, "", x, y, 12, 10, flags};
}
constexpr ControlTemplate Key(int id, const char* text, int x, int y) {
    return {kButtonControl, id, text, x, y, 19, 11, 0};
}
constexpr ControlTemplate Popup(int id, int x, int y, int width) { return {kStaticControl, id, "", x, y, width, 9, 0}; }
constexpr ControlTemplate List(int id, int x, int y, int width, uint32_t flags = kPopupList) {
    return {kListViewControl, id, "", x, y, width, 10, flags};
}

constexpr ControlTemplate kFinderControls[] = {
    {kStaticControl, 8018, "Title", 0, 0, 60, 9, 0},
    Icon(2369, 126, 1),
    Popup(2351, 1, 14, 70),
    List(2352, 1, 23, 70),
    Icon(2373, 104, 14, kHidden),
    Icon(2374, 118, 13),
    Popup(2376, 1, 26, 72),
    List(2377, 1, 35, 100, kOwnerPopupList),
    Field(2353, 1, 26, 72, kHidden),
    Key(2356, "1", 76, 26), Key(2357, "2", 96, 26), Key(2358, "3", 116, 26),
    Key(2359, "4", 76, 38), Key(2360, "5", 96, 38), Key(2361, "6", 116, 38),
    Key(2362, "7", 76, 50), Key(2363, "8", 96, 50), Key(2364, "9", 116, 50),
    Key(2371, "Clear", 76, 62), Key(2355, "0", 96, 62), Key(2372, "Find", 116, 62),
    Key(2368, "Goto", 76, 74), Key(2366, "Sky", 96, 74), Key(2354, "Ok", 116, 74),
    Icon(2379, 14, 54, kHidden),
    Icon(2380, 40, 40, kHidden),
};

// A criterion: its label at the left, the popup's trigger and list at the right.
constexpr ControlTemplate kCriteriaControls[] = {
    {kStaticControl, 8013, "Title", 0, 0, 90, 9, 0},
    Icon(1723, 126, 1),
    Label(138, "Vision Criteria", 2, 13, 80),
    Icon(1726, 124, 12),
    Label(kNoId, "Visibility", 4, 23, 46),
    Popup(1701, 52, 23, 84),
    List(1702, 52, 32, 84),
    Label(kNoId, "Best Eyepiece", 4, 32, 46),
    Popup(1703, 52, 32, 84),
    List(1704, 52, 41, 134, kOwnerPopupList),
    Label(kNoId, "Magnitude", 4, 41, 46),
    Popup(1705, 52, 41, 84),
    List(1706, 52, 50, 84),
    Label(139, "Object Criteria", 2, 52, 80),
    Icon(1727, 124, 51),
    Label(kNoId, "Catalog", 4, 62, 46),
    Popup(1716, 52, 62, 84),
    List(1717, 52, 71, 134),
    Label(kNoId, "Type", 4, 71, 46),
    Popup(1707, 52, 71, 84),
    List(1708, 52, 80, 134),
    Label(kNoId, "Constellation", 4, 80, 46),
    Popup(1709, 52, 80, 84),
    List(1710, 52, 89, 134),
    Label(kNoId, "Sky Elevation", 4, 89, 46),
    Popup(1711, 52, 89, 84),
    List(1712, 52, 98, 84),
    Label(140, "Time && Date Criteria", 2, 100, 100, kHidden),
    Label(141, "Obs. Date", 4, 110, 40, kHidden),
    Field(1713, 46, 110, 44, kHidden),
    Field(1714, 92, 110, 22, kHidden),
    Icon(1715, 118, 108, kHidden),
    Icon(1718, 1, kStripY, kHidden),
    Icon(1722, 15, kStripY, kHidden),
    Icon(1719, 29, kStripY, kHidden),
    Icon(1720, 125, kStripY, kHidden),
};

constexpr ControlTemplate Small(int id, const char* text, int x, int y, int width) {
    return {kStaticControl, id, text, x, y, width, 8, 0};
}

constexpr ControlTemplate kListControls[] = {
    {kStaticControl, 8014, "Title", 0, 0, 60, 9, 0},
    Icon(1834, 126, 1),
    Popup(1801, 1, 14, 54),
    List(1802, 1, 23, 54),
    Popup(1836, 1, 25, 26),
    List(1837, 1, 34, 30),
    {kButtonControl, 1719, "Add", 28, 25, 13, 9, 0},
    {kButtonControl, 1720, "Del", 42, 25, 13, 9, 0},
    {kListViewControl, 1803, "", 1, 36, 54, 133,
     pl::kOwnerDraw | pl::kOwnerData | pl::kNoHeader | pl::kSingleSelect | pl::kBorder},
    Field(1799, 57, 14, 55),
    Icon(1809, 100, 25, kHidden),
    Label(145, "Position", 57, 25, 40),
    Small(kNoId, "RA", 57, 34, 16), Small(1804, "", 74, 34, 38),
    Small(kNoId, "Dec", 57, 42, 16), Small(1805, "", 74, 42, 38),
    Small(kNoId, "Az", 57, 50, 16), Small(1806, "", 74, 50, 38),
    Small(kNoId, "Alt", 57, 58, 16), Small(1807, "", 74, 58, 38),
    Label(146, "Informations", 57, 68, 50),
    Small(1822, "", 57, 77, 40),
    Icon(1808, 112, 70),
    Small(1843, "Size", 57, 86, 19), Small(1824, "", 77, 86, 58),
    Small(143, "Const", 57, 94, 19), Small(1821, "", 77, 94, 30),
    Small(1841, "Mag", 57, 102, 19), Small(1819, "", 77, 102, 30),
    Small(1842, "Eyep", 57, 110, 19), Small(1823, "", 77, 110, 30),
    Small(1826, "Dist", 57, 118, 19), Small(1825, "", 77, 118, 58),
    Label(140, "Rise && Set", 57, 127, 50),
    Small(141, "Alt at Transit", 57, 149, 50), Small(1817, "", 108, 149, 24),
    Icon(1830, 1, kStripY),
    Icon(1832, 14, kStripY),
    Icon(1844, 27, kStripY),
    Icon(1831, 84, kStripY),
    Icon(1840, 97, kStripY),
    Icon(2247, 110, kStripY),
    Icon(2248, 123, kStripY),
};

constexpr pl::DialogTemplate kDialogs[] = {
    {2350, 0, 0, 138, 180, "", kFinderControls},
    {1700, 0, 0, 138, 180, "", kCriteriaControls},
    {1800, 0, 0, 138, 180, "", kListControls},
};

}  // namespace

const pl::ResourceGroup kObservingResources = {.dialogs = kDialogs};
