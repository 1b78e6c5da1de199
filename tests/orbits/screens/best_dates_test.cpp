// The orbit assistant's Best Dates view on both screens: each row is a
// closest approach to the Earth, and its magnitude is the one Brightest
// lists for that date.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/julian_day.h"
#include "core/shared_state.h"
#include "orbit_form_fixture.h"
#include "orbits/comet_lists.h"
#include "orbits/comet_position.h"
#include "support/both_screens.h"
#include "support/reference_table.h"

namespace {

// A minor planet from JPL osculating elements at MJD 59800, as the catalogue
// converter stores it (G 0.15 where the row has none).
CometRecord MinorPlanet(const char* name, float e, float a, float i, float node, float w, float m, float h,
                        float g = 0.15f) {
    CometRecord c{};
    std::strncpy(c.name, name, sizeof c.name - 1);
    c.kind = kMinorPlanetRecordKind, c.eccentricity = e, c.semiMajorAxis = a, c.inclination = i, c.node = node;
    c.argPerihelion = w, c.meanAnomaly = m, c.absoluteMagnitude = h, c.slope = g, c.epochJulianDay = 2459800.5f;
    SetMinorPlanetPerihelion(&c, 2459800.5);
    return c;
}

// The records of scripts/reference/best_dates_pyephem.py, in its order:
// Minor Planet Center comets (K = 2.5 x the list's G) and JPL minor planets
// of Debian's kstars-data 5:3.6.2-2, as scripts/catalogues converts them.
std::vector<CometRecord> ReferenceObjects() {
    return {TestComet("161P/Hartley-IRAS", 2026, 11, 28.4138f, 1.271548f, 0.835275f, 47.0082f, 1.5843f, 95.8024f,
                      8.5f, 15.0f),
            TestComet("P/2009 Y2 (Kowalski)", 2026, 12, 2.4802f, 2.379681f, 0.636683f, 172.1313f, 262.0399f,
                      29.9584f, 13.0f, 10.0f),
            MinorPlanet("324 Bamberga (A892 DA)", 0.34152883f, 2.6814253f, 11.10284f, 327.85864f, 44.148773f,
                        359.48914f, 7.11f, 0.09f),
            MinorPlanet("990 Yerkes (A922 WE)", 0.21840031f, 2.6688879f, 8.788281f, 353.94327f, 9.415207f, 354.4726f,
                        11.84f),
            MinorPlanet("1 Ceres (A801 AA)", 0.07863576f, 2.766619f, 10.586795f, 80.26643f, 73.531624f, 334.32718f,
                        3.33f, 0.12f),
            MinorPlanet("828 Lindemannia (A916 QH)", 0.02759487f, 3.1920724f, 1.1249471f, 1.8175688f, 296.2093f,
                        270.44647f, 10.41f),
            MinorPlanet("48 Doris (A857 SA)", 0.06958654f, 3.1189995f, 6.556999f, 183.44861f, 251.02109f, 286.919f,
                        7.2f)};
}

// The row of the current list that holds record `index`, or -1.
int RowOf(int index) {
    for (int row = 0; row < cometMagCount; ++row)
        if (CometMagList[row].index == index) return row;
    return -1;
}

using BestDates = OnBothScreens<OrbitFormTest>;

// Best Dates on 15/12/2026 21:00 at zone 0 (the form's time read as UT).
// Expected: each row's date within 1 day of the closest approach near the
// record's reference date (the least distance within 180 days of it; for
// 48 Doris, whose distance falls all through that span, the first minimum
// before it), and the distance the Ephemeris view shows at the row taken up
// within 0.005 AU of PyEphem's there (tests/reference/best_dates_pyephem.csv,
// from PyEphem's two-body orbits by scripts/reference/best_dates_pyephem.py);
// the row's magnitude within 0.1 of Brightest's at the row's date and time.
// The list had shown the end of its 30-day search span (161P on 29/10/2026
// at 0.87 AU, PyEphem 0.515 AU on 02/10), dates up to 107 days off, and
// magnitudes of the perihelion's Sun distance and phase (Ceres 7.57 where
// Brightest says 6.79).
TEST_P(BestDates, ListedTheSearchSpansEndAndAnotherDatesMagnitude) {
    const ReferenceTable ref = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "best_dates_pyephem.csv");
    const std::vector<CometRecord> objects = ReferenceObjects();
    ASSERT_EQ(ref.rows.size(), objects.size());
    WriteComets(objects);
    harness.changeScreen(GetParam().width, GetParam().height, GetParam().dpi);
    Start(2026, 12, 15, 21, 0);
    Ui([] { currentSite.zoneMinutes = 0; });
    Open();
    for (int index = 0; index < static_cast<int>(objects.size()); ++index) {
        SCOPED_TRACE(ref.Text(index, "name"));
        Ui([] { orbitFormTime = OrbitFormTime{2026, 12, 15, 21, 0, 0}; });  // as a row taken up left it
        ChooseView(1);
        ASSERT_EQ(cometMagCount, static_cast<int>(objects.size()));
        const int row = RowOf(index);
        ASSERT_GE(row, 0);
        const CometMagEntry best = CometMagList[row];
        const double jd = JulianDayFromDateTime(best.year, best.month, best.day, best.hour, best.minute, 0, 0);
        EXPECT_NEAR(jd, ref.Get(index, "jd"), 1.0);
        TapRow(2547, row);  // the form's date and time become the row's
        ChooseView(0);
        ASSERT_FALSE(LastOrbitEphemerisRows().empty());
        EXPECT_NEAR(LastOrbitEphemerisRows()[0].jd, jd, 1e-6);
        EXPECT_NEAR(LastOrbitEphemerisRows()[0].delta, ref.Get(index, "delta"), 0.005);
        ChooseView(2);
        ASSERT_GE(RowOf(index), 0);
        EXPECT_NEAR(best.magnitude, CometMagList[RowOf(index)].magnitude, 0.1);
    }
}

INSTANTIATE_TEST_SUITE_P(BothScreens, BestDates, ::testing::ValuesIn(kBothScreens));

}  // namespace
