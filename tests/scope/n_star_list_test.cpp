// The N-star list as the sky chart fills it: what an entry keeps, the
// refusals, the predicted places of each alignment source and output, and the
// refit of the pointing model.
#include "scope/n_star_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/angle_text.h"
#include "core/preferences.h"
#include "core/shared_buffers.h"
#include "platform/clock.h"
#include "scope/pointing_model.h"
#include "support/reference_table.h"
#include "support/scope_fixture.h"
#include "support/test_site.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
// 2024-03-05 21:10 UT at Greenwich: mean sidereal time 8 h 06.41 min (Meeus,
// Astronomical Algorithms, 1998, eq. 12.4).
constexpr double kLstHours = 8.0 + 6.41 / 60.0;

AlignmentStar Candidate(const char* name, double raDeg, double decDeg, int index = 7, int kind = 40) {
    AlignmentStar s{};
    std::snprintf(s.name, sizeof s.name, "%s", name);
    s.ra = raDeg;
    s.dec = decDeg;
    s.index = index;
    s.kind = kind;
    return s;
}

class NStarList : public ScopeTest {
protected:
    NStarList() {
        alignmentStars = static_cast<uint8_t*>(AllocSharedBuffer(kAlignmentStarsSize));
        ResetNStarList();
        SetTestSite(51.0, 0.0, 0);
        pl::SetVirtualLocalTime(pl::LocalTime{2024, 3, 5, 21, 10, 0});
    }
    ~NStarList() override {
        FreeSharedBuffer(alignmentStars);
        ResetNStarList();
    }
    static const AlignmentStar& Entry(int i) { return GetAlignmentStarList()[i]; }
};

// "External" with EQ output keeps the place itself as the prediction; the
// reading, the identity and the device clock's time (21:10:00 is 317.5 deg)
// and sidereal time go with it; the name keeps 9 characters.
TEST_F(NStarList, AnEntryKeepsItsPlaceReadingAndClock) {
    AlignmentStar c = Candidate("Andromeda Gx", 10.8, 41.3, 224, 40);
    ASSERT_EQ(AddNStarEntry(&c, 11.0, 41.1), 1);
    ASSERT_EQ(alignmentStarCount, 1);
    EXPECT_EQ(nStarCurrentRow, 0);
    const AlignmentStar& e = Entry(0);
    EXPECT_EQ(std::string(e.name), "Andromeda");
    EXPECT_EQ(e.index, 224);
    EXPECT_EQ(e.kind, 40);
    EXPECT_EQ(e.measured1, 11.0);
    EXPECT_EQ(e.measured2, 41.1);
    EXPECT_DOUBLE_EQ(e.time, 317.5);
    EXPECT_NEAR(e.sidereal, kLstHours, 0.001);
    for (double v : {e.model1, e.reading1, e.corrected1}) EXPECT_EQ(v, 10.8);
    for (double v : {e.model2, e.reading2, e.corrected2}) EXPECT_EQ(v, 41.3);
    EXPECT_TRUE(services.messages.empty());
}

// AZ and Encoder output predict azimuth and altitude at the entry's sidereal
// time: a star on the meridian at latitude 51 culminates in the south at
// 90 - 51 + dec.
TEST_F(NStarList, AzimuthOutputPredictsTheHorizonPlace) {
    for (int output : {1, 2}) {
        SCOPED_TRACE(output);
        ResetNStarList();
        preferences.word[kPrefMountType] = output;
        AlignmentStar c = Candidate("Meridian", kLstHours * 15.0, 20.0);
        ASSERT_EQ(AddNStarEntry(&c, 180.5, 58.5), 1);
        EXPECT_NEAR(Entry(0).model1, 180.0, 0.01);
        EXPECT_NEAR(Entry(0).model2, 59.0, 0.001);
        EXPECT_EQ(Entry(0).corrected1, Entry(0).model1);
        EXPECT_EQ(Entry(0).reading2, Entry(0).model2);
    }
}

// A place within 0.5 deg of right ascension and 1 deg of declination of an
// entry is refused with its message; just outside either bound it is taken.
TEST_F(NStarList, APlaceNextToAnEntryIsRefused) {
    AlignmentStar first = Candidate("First", 100.0, 20.0);
    ASSERT_EQ(AddNStarEntry(&first, 0, 0), 1);
    const struct {
        double dRa, dDec;
        int added;
    } cases[] = {{0.49, 0.99, 0}, {-0.49, -0.99, 0}, {0.5, 0.0, 1}, {0.0, -1.0, 1}, {0.0, 0.0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dRa) + " " + std::to_string(c.dDec));
        ResetNStarList();
        ASSERT_EQ(AddNStarEntry(&first, 0, 0), 1);
        services.messages.clear();
        AlignmentStar next = Candidate("Next", 100.0 + c.dRa, 20.0 + c.dDec);
        EXPECT_EQ(AddNStarEntry(&next, 0, 0), c.added);
        EXPECT_EQ(alignmentStarCount, 1 + c.added);
        EXPECT_EQ(services.Texts(), c.added ? std::vector<std::string>{}
                                            : std::vector<std::string>{
                                                  "There is already a star selected at this position"});
    }
}

// Twenty entries fill the list: the next is dropped without a message.
TEST_F(NStarList, AFullListTakesNothingMore) {
    for (int i = 0; i < 20; ++i) {
        AlignmentStar c = Candidate("Star", i * 10.0, 0.0);
        ASSERT_EQ(AddNStarEntry(&c, 0, 0), 1) << i;
    }
    EXPECT_EQ(nStarCurrentRow, 19);
    AlignmentStar extra = Candidate("Extra", 300.0, 60.0);
    EXPECT_EQ(AddNStarEntry(&extra, 0, 0), 0);
    EXPECT_EQ(alignmentStarCount, 20);
    EXPECT_TRUE(services.messages.empty());
}

// The program's own alignment: without a valid one the entry is refused and
// not counted; with the two-star alignment of an equatorial mount turned by a
// known rotation, the prediction is the mount's reading made by ERFA
// (alignment_erfa.csv, third "eq" row at its own clock time).
TEST_F(NStarList, OwnAlignmentPredictsTheMountReading) {
    preferences.word[kPrefAlignMethod] = 0;
    AlignmentStar c = Candidate("Vega", 279.2, 38.8);
    EXPECT_EQ(AddNStarEntry(&c, 0, 0), 0);
    EXPECT_EQ(alignmentStarCount, 0);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Please do 2 stars alignment first."});

    ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "alignment_erfa.csv");
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < t.rows.size(); ++i)
        if (t.Text(i, "case") == "eq") rows.push_back(i);
    ASSERT_GE(rows.size(), 3u);
    AlignmentStar star[2] = {};
    for (int k = 0; k < 2; ++k) {
        star[k].time = ParseHoursToDegrees(t.Text(rows[k], "clock").c_str());
        star[k].ra = t.Get(rows[k], "ra_h") * 15.0;
        star[k].dec = t.Get(rows[k], "dec_deg");
        star[k].reading1 = t.Get(rows[k], "axis1_deg");
        star[k].reading2 = t.Get(rows[k], "axis2_deg");
    }
    ASSERT_EQ(ComputeAlignmentMatrix("20:00:00", &star[0], &star[1]), 1);
    const std::size_t r = rows[2];
    int h = 0, m = 0, s = 0;
    ASSERT_EQ(std::sscanf(t.Text(r, "clock").c_str(), "%d:%d:%d", &h, &m, &s), 3);
    pl::SetVirtualLocalTime(pl::LocalTime{2024, 3, 5, h, m, s});
    c = Candidate("Third", t.Get(r, "ra_h") * 15.0, t.Get(r, "dec_deg"));
    ASSERT_EQ(AddNStarEntry(&c, 0, 0), 1);
    EXPECT_LT(SeparationArcsec(Entry(0).model1 / 15.0, Entry(0).model2, t.Get(r, "axis1_deg") / 15.0,
                               t.Get(r, "axis2_deg")),
              1.0);
}

// The chart's refit (flag 1) fits the pointing model from a single entry: the
// two index errors are its reading less its prediction, and the entry's
// corrected place becomes its reading. With nothing listed, or from the
// N-star form (flag 0) with the program's own alignment, nothing is fitted.
TEST_F(NStarList, TheChartsRefitTakesOneEntry) {
    EXPECT_EQ(ComputePointingCorrection(1), 0);
    AlignmentStar c = Candidate("One", 150.0, 30.0);
    ASSERT_EQ(AddNStarEntry(&c, 150.25, 29.9), 1);
    preferences.word[kPrefAlignMethod] = 0;
    EXPECT_EQ(ComputePointingCorrection(0), 0);
    EXPECT_EQ(pointingCoefficients[0], 0.0);
    EXPECT_EQ(ComputePointingCorrection(1), 1);
    EXPECT_NEAR(pointingCoefficients[0], 0.25 * kDegToRad, 1e-12);
    EXPECT_NEAR(pointingCoefficients[1], -0.1 * kDegToRad, 1e-12);
    EXPECT_NEAR(Entry(0).corrected1, 150.25, 1e-9);
    EXPECT_NEAR(Entry(0).corrected2, 29.9, 1e-9);
}

// Before start-up allocates the buffer there is no list to add to.
TEST_F(NStarList, NoBufferNoEntry) {
    FreeSharedBuffer(alignmentStars);
    AlignmentStar c = Candidate("None", 10.0, 10.0);
    EXPECT_EQ(AddNStarEntry(&c, 0, 0), 0);
    EXPECT_EQ(ComputePointingCorrection(1), 0);
}

}  // namespace

namespace {

// The N-star form's fit with the program's own alignment (flag 0) needs four
// entries: three give 0 and nothing is fitted; with four, whose readings are
// those of an equatorial mount with known mount errors (ERFA,
// mount_errors_erfa.csv), the mount errors are fitted, told, and every
// entry's corrected place follows. Without a valid alignment the fit is
// refused with its message rather than run on an empty matrix.
TEST_F(NStarList, OwnAlignmentFitNeedsFourEntries) {
    preferences.word[kPrefAlignMethod] = 0;
    ReferenceTable t = ReadReferenceTable(ZENDAVORI_SOURCE_DIR, "mount_errors_erfa.csv");
    ASSERT_GE(t.rows.size(), 6u);
    AlignmentStar* star[2] = {&alignStar1, &alignStar2};
    for (int k = 0; k < 2; ++k) {
        *star[k] = AlignmentStar{};
        star[k]->time = ParseHoursToDegrees(t.Text(k, "clock").c_str());
        star[k]->ra = t.Get(k, "ra_h") * 15.0;
        star[k]->dec = t.Get(k, "dec_deg");
        star[k]->reading1 = t.Get(k, "axis1_deg");
        star[k]->reading2 = t.Get(k, "axis2_deg");
    }
    std::snprintf(alignmentReferenceText, sizeof alignmentReferenceText, "%s", t.Text(0, "clock").c_str());
    ASSERT_EQ(ComputeAlignmentMatrix(alignmentReferenceText, &alignStar1, &alignStar2), 1);
    for (std::size_t r = 2; r < 6; ++r) {
        AlignmentStar c = Candidate("Ref", t.Get(r, "ra_h") * 15.0, t.Get(r, "dec_deg"));
        ASSERT_EQ(AddNStarEntry(&c, t.Get(r, "axis1_deg"), t.Get(r, "axis2_deg")), 1);
        if (r == 4) {
            EXPECT_EQ(ComputePointingCorrection(0), 0);
        }
    }
    ClearAlignmentValid();
    EXPECT_EQ(ComputePointingCorrection(0), 1);
    EXPECT_EQ(services.Texts(), std::vector<std::string>{"Please do 2 stars alignment first"});
    services.messages.clear();
    ASSERT_EQ(ComputeAlignmentMatrix(alignmentReferenceText, &alignStar1, &alignStar2), 1);
    EXPECT_EQ(ComputePointingCorrection(0), 1);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text.rfind("Converge in ", 0), 0u) << services.messages[0].text;
    // Four stars fix the constants less well than many (z1 = 0.002 rad).
    EXPECT_NEAR(alignmentModel.z1, 0.002, 5e-4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NE(Entry(i).corrected1, Entry(i).reading1) << i;
        EXPECT_NEAR(Entry(i).corrected2, t.Get(2 + i, "axis2_deg"), 0.002) << i;
    }
    ResetAlignmentModel();
}

// "External": a fit that fails (three entries at the pole of an equatorial
// mount, where collimation and non-perpendicularity are undefined) is told,
// and the model stays cleared.
TEST_F(NStarList, AFailedPointingFitIsTold) {
    for (int i = 0; i < 3; ++i) {
        AlignmentStar c = Candidate("Pole", i * 120.0, 90.0 - i * 1.5);
        ASSERT_EQ(AddNStarEntry(&c, i * 120.0 + 0.1, 89.0), 1);
        GetAlignmentStarList()[i].reading2 = 90.0;
    }
    pointingCoefficients[0] = 0.5;
    EXPECT_EQ(ComputePointingCorrection(0), 1);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_EQ(services.messages[0].text, "Pointing correction failed");
    EXPECT_EQ(services.messages[0].detail, "Add stars spread over the sky.");
    for (double c : pointingCoefficients) EXPECT_EQ(c, 0.0);
}

// The error beside "Mean Error :": with "External" the pointing model's
// figure (the root of the summed squares over the count: entries 3' and 4'
// off give 5'/2), with the own alignment the mean angular error in degrees
// ((3' + 4') / 2 for the same entries, one axis each).
TEST_F(NStarList, ShownErrorFollowsTheSource) {
    AlignmentStar e[2] = {};
    e[0].model1 = e[0].measured1 = 100.0;
    e[0].model2 = 20.0, e[0].measured2 = 20.0 + 3.0 / 60.0;
    e[1].model1 = 200.0, e[1].measured1 = 200.0 - 4.0 / 60.0;
    e[1].model2 = e[1].measured2 = -10.0;
    EXPECT_NEAR(ShowAlignmentResidual(e, 2), 5.0 / 60.0 / 2.0, 1e-12);
    preferences.word[kPrefAlignMethod] = 0;
    EXPECT_NEAR(ShowAlignmentResidual(e, 2), 7.0 / 60.0 / 2.0, 1e-12);
}

}  // namespace
