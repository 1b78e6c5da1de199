// Bitmaps and templates of the home form, the modal dialogs and the preference
// pages: sizes, transparent keys, Moon phases and the controls the forms use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/resources.h"
#include "resources/program_resources.h"

namespace {

class HomeResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        pl::ClearResourceGroups();
        InstallProgramResources();
    }
    void TearDown() override { pl::ClearResourceGroups(); }
    static std::vector<uint32_t> Pixels(int id, int* width = nullptr, int* height = nullptr) {
        const pl::BitmapTemplate* b = pl::FindBitmapTemplate(id);
        std::vector<uint32_t> pixels;
        EXPECT_NE(b, nullptr) << id;
        if (!b || !pl::RenderBitmapTemplate(*b, &pixels)) return {};
        if (width) *width = b->width;
        if (height) *height = b->height;
        return pixels;
    }
};

TEST_F(HomeResourcesTest, HomeIconsAre35By35) {
    for (int id : {5037, 5031, 5035, 5033, 5019, 5039, 5082, 5101, 5102, 5106, 5078, 5104, 5100, 5114, 5105, 5065,
                   5110, 5066, 5062, 5064}) {
        int w = 0, h = 0;
        std::vector<uint32_t> p = Pixels(id, &w, &h);
        EXPECT_EQ(w, 35) << id;
        EXPECT_EQ(h, 35) << id;
    }
}

TEST_F(HomeResourcesTest, InformationButtonIsGreenKeyed) {
    std::vector<uint32_t> p = Pixels(5076);
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p[0], 0x00FF00u);
}

TEST_F(HomeResourcesTest, ViewIconsAreWhiteKeyedAndFlipped) {
    int w = 0, h = 0;
    std::vector<uint32_t> normal = Pixels(1682, &w, &h), both = Pixels(1684);
    ASSERT_EQ(normal.size(), both.size());
    EXPECT_EQ(normal[0], 0xFFFFFFu);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) EXPECT_EQ(normal[y * w + x], both[(h - 1 - y) * w + (w - 1 - x)]);
    for (int id = 2008; id <= 2011; ++id) EXPECT_FALSE(Pixels(id).empty());
}

// The status block's full and new Moon (its other phases are the chart's icons).
TEST_F(HomeResourcesTest, FullAndNewMoonIcons) {
    auto lit = [](const std::vector<uint32_t>& p) { return std::count(p.begin(), p.end(), 0xF0F0DCu); };
    EXPECT_EQ(lit(Pixels(6065)), 0);
    EXPECT_GT(lit(Pixels(6064)), 150);
    for (int id = 6051; id <= 6063; ++id) {
        int w = 0, h = 0;
        Pixels(id, &w, &h);
        EXPECT_EQ(w, 14) << id;  // drawn at the chart's size
        EXPECT_EQ(h, 14) << id;
    }
}

const pl::ControlTemplate* FindControl(int dialog, int id) {
    const pl::DialogTemplate* d = pl::FindDialogTemplate(dialog);
    if (!d) return nullptr;
    for (const pl::ControlTemplate& c : d->controls)
        if (c.id == id) return &c;
    return nullptr;
}

TEST_F(HomeResourcesTest, DialogTemplatesHoldTheirControls) {
    struct Case {
        int dialog;
        std::vector<int> ids;
    } cases[] = {
        {135, {136, 137, 1, 2}},
        {2950, {8016, 2957, 2951, 2952, 2958, 2959, 2953, 2954, 2955, 2956}},
        {1999, {141, 142, 143, 136, 1, 2, 138, 139, 140}},
        {1400, {8004, 1409, 1410, 1396, 1397, 1419, 1420, 1495, 1496, 1427, 1407, 1408, 1401, 1402, 1428, 1429,
                1413, 1414, 1415, 1416, 1417, 1418, 1485, 1487, 1425, 1426}},
        {1430, {8005, 1431, 1432, 1433, 1434, 1435, 1436, 1437, 1438, 1535, 1439, 1440, 1536, 1411, 1412, 1441,
                1442, 1443, 1444, 1445, 1446, 1488, 1489, 1490, 1447, 1517, 1448}},
        {1450, {8006, 1451, 1452, 1453, 1454, 1455, 1456, 1457, 1458, 1472, 1473, 1464, 1465, 1467, 1468, 1480,
                1481, 1474, 1475, 1459, 1460, 148, 1398, 1399, 1469, 1463, 1518, 1466}},
        {1620, {8007, 1624, 1625, 1632, 1633, 1660, 1661, 1646, 1647, 1662, 1663, 1680, 1681, 1623, 1621, 1519, 1622}},
        {1476, {8008, 1510, 1522, 1524, 1513, 1512, 1530, 1341, 1516, 1515, 1508, 1511, 1342, 1531, 1343, 1514,
                1527, 1528, 1335, 1336, 1532, 1533, 1534, 1479, 1520, 1338}},
        {1337, {8009, 1477, 1497, 1498, 1478, 1565, 1403, 1404, 1405, 1406, 1421, 1422, 1492, 1486, 1340, 1339}},
    };
    for (const Case& c : cases)
        for (int id : c.ids) EXPECT_NE(FindControl(c.dialog, id), nullptr) << c.dialog << " " << id;
    EXPECT_EQ(pl::FindDialogTemplate(135)->width, 138);
    EXPECT_EQ(pl::FindDialogTemplate(135)->height, 100);
    EXPECT_EQ(pl::FindDialogTemplate(2950)->height, 65);
    EXPECT_EQ(pl::FindDialogTemplate(1999)->height, 70);
}

}  // namespace
