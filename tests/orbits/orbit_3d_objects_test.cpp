// The 3D objects of the orbit assistant: the orbit shapes and sizes by the
// eccentricity, the clamping of sizes beyond the integer range, and the
// small body's distances against an exact orbit with ERFA's Earth.
#include "orbits/orbit_3d_objects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/shared_state.h"
#include "orbits/comet_position.h"
#include "support/reference_table.h"

namespace {

constexpr int kZoom = 5;

CometRecord Comet(float q, float e) {
    CometRecord c{};
    c.kind = 13;
    c.year = 2000, c.month = 2, c.day = 26.0f;
    c.perihelionDistance = q, c.eccentricity = e;
    c.argPerihelion = 30.0f, c.node = 80.0f, c.inclination = 10.0f;
    std::snprintf(c.name, sizeof c.name, "Test comet");
    FillCometWorkWords(&c);
    return c;
}

class Orbit3DObjects : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    // The objects at 2000-03-17 0h, zone 0.
    const Orbit3DObject& Fill(const CometRecord& c, int zoom = kZoom) {
        FillOrbit3DObjects(objects, c, 2000, 3, 17, 0, 0, 0, zoom);
        return objects[kOrbit3DBodySlot];
    }
    Orbit3DObject objects[kOrbit3DSlots];
};

// Shape 0 below e 0.9, 2 above 1.1, else 1; an ellipse's sizes are a 2^z and
// a sqrt(1 - e^2) 2^z with the focus e a 4096; for shapes 1 and 2 (e = 1
// included, where a is infinite) the size is q 2^z, the rest 0.
TEST_F(Orbit3DObjects, ShapesAndSizesByEccentricity) {
    EXPECT_EQ(Fill(Comet(1.0f, 0.85f)).shape, 0);
    EXPECT_EQ(Fill(Comet(1.0f, 0.95f)).shape, 1);
    EXPECT_EQ(Fill(Comet(1.0f, 1.2f)).shape, 2);
    const Orbit3DObject& ellipse = Fill(Comet(1.0f, 0.6f));  // a = 2.5, b = 2
    EXPECT_EQ(ellipse.orbitSize, 80);
    EXPECT_EQ(ellipse.orbitSecondSize, 64);
    EXPECT_EQ(ellipse.focusOffset, 6144);
    for (float e : {1.0f, 0.95f, 1.2f}) {
        const Orbit3DObject& o = Fill(Comet(0.5f, e));
        EXPECT_EQ(o.orbitSize, 16) << e;
        EXPECT_EQ(o.orbitSecondSize, 0) << e;
        EXPECT_EQ(o.focusOffset, 0) << e;
    }
}

// The Earth's slot is a circle of 1 AU; every slot carries q x 2^24; names.
TEST_F(Orbit3DObjects, EarthCircleAndPerihelionInEverySlot) {
    Fill(Comet(0.75f, 0.5f));
    const Orbit3DObject& earth = objects[kOrbit3DEarthSlot];
    EXPECT_EQ(earth.orbitSize, 32);
    EXPECT_EQ(earth.orbitSecondSize, 32);
    EXPECT_EQ(earth.focusOffset, 0);
    const double r = std::hypot(earth.position[0], earth.position[1], earth.position[2]) / 131072.0;
    EXPECT_NEAR(r, 0.995, 0.01);  // the Earth in mid-March, between 0.983 and 1.017 AU
    for (const Orbit3DObject& o : objects) EXPECT_EQ(o.perihelion, 12582912);
    EXPECT_STREQ(objects[0].name, "Sun");
    EXPECT_STREQ(objects[1].name, "Test comet");
    EXPECT_STREQ(objects[9].name, "Pluto");
    EXPECT_STREQ(earth.name, "Earth");
}

// A body beyond 128 AU overflows AU x 2^24: the values are held at the
// integer range's end, not converted out of range.
TEST_F(Orbit3DObjects, LargeOrbitsAreClamped) {
    const Orbit3DObject& far = Fill(Comet(300.0f, 0.5f), 7);
    EXPECT_EQ(far.perihelion, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ClampToInt32(1e300), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ClampToInt32(-1e300), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ClampToInt32(std::nan("")), 0);
    EXPECT_EQ(ClampToInt32(-2.7), -2);
}

// Orbit 0 of tests/reference/comet_places.csv at JD 2451620.5 (exact orbit,
// ERFA's Earth): the Sun distance within the picture's unit (2^-17 AU at
// zoom 5) and the Earth distance within 1e-3 AU (the approximate Earth,
// 0.02 degree).
TEST_F(Orbit3DObjects, SmallBodyDistancesAgainstExactOrbit) {
    ReferenceTable table = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "comet_places.csv");
    ASSERT_GT(table.rows.size(), 2u);
    ASSERT_EQ(table.Get(2, "jd"), 2451620.5);
    const Orbit3DObject& body = Fill(Comet(1.2f, 0.5f));
    EXPECT_NEAR(body.sunDistance, table.Get(2, "r"), 2e-5);
    EXPECT_NEAR(body.earthDistance, table.Get(2, "delta"), 1e-3);
}

}  // namespace
