// The batch kernels and the batch horizon projection give the scalar routines' integers.
#include "chart/fixed_trig_batch.h"

#include <random>
#include <vector>

#include "projection_test.h"

namespace {

// 10^6 inputs: angles over every 32-bit value and within a few turns, unit quantities a little
// beyond +-1, and the kernels' edges; a count that leaves a partial block.
TEST(FixedTrigBatch, BitIdenticalToTheScalarKernels) {
    const int n = 1000003;
    std::mt19937 rng(24);
    std::uniform_int_distribution<int32_t> any(INT32_MIN, INT32_MAX), turns(-4 * kFix24TwoPi, 4 * kFix24TwoPi),
        unit(-16777300, 16777300);
    std::vector<int32_t> a(n), b(n), c(n), s(n), atan(n), asin(n);
    for (int i = 0; i < n; ++i) a[i] = i % 2 ? any(rng) : turns(rng), b[i] = i % 3 ? unit(rng) : any(rng);
    const int32_t edges[] = {0, kFix24HalfPi, -kFix24HalfPi, kFix24Pi, kFix24TwoPi, INT32_MIN, INT32_MAX,
                             kFix24AsinSeriesLimit, kFix24AsinSeriesLimit + 1, 16441671, 16441672, -16441672};
    for (int i = 0; i < 12; ++i) a[i] = b[i] = edges[i];
    FixSinCos24Batch(a.data(), n, c.data(), s.data());
    FixAtan2_24Batch(a.data(), b.data(), n, atan.data());
    FixAsin24Batch(b.data(), n, asin.data());
    int bad[3] = {};
    for (int i = 0; i < n; ++i) {
        int32_t cs, sn;
        FixSinCos24(a[i], &cs, &sn);
        bad[0] += cs != c[i] || sn != s[i];
        bad[1] += FixAtan2_24(a[i], b[i]) != atan[i];
        bad[2] += FixAsin24(b[i]) != asin[i];
    }
    EXPECT_EQ(bad[0] + bad[1] + bad[2], 0) << bad[0] << " " << bad[1] << " " << bad[2];
}

using HorizonBatchTest = ProjectionTest;

TEST_F(HorizonBatchTest, BitIdenticalToProjectHourAngleToHorizon) {
    const int n = 5001;
    std::mt19937 rng(26);
    std::uniform_int_distribution<int32_t> ra(0, kFix24TwoPi - 1), dec(-kFix24HalfPi, kFix24HalfPi);
    std::vector<int32_t> alpha(n), delta(n), cosD(n), sinD(n), a(n), b(n);
    std::vector<uint8_t> above(n);
    for (int i = 0; i < n; ++i) alpha[i] = ra(rng), delta[i] = dec(rng);
    FixSinCos24Batch(delta.data(), n, cosD.data(), sinD.data());
    SetTestSite(-33, 0, 0);
    SetHorizonRotation(217);
    for (int view : {0, 1}) {
        chartView = view;
        ProjectHourAngleToHorizonBatch(FixHours(5.5), n, alpha.data(), cosD.data(), sinD.data(), a.data(), b.data(),
                                       above.data());
        for (int i = 0; i < n; ++i) {
            int32_t sa = a[i], sb = b[i];
            ASSERT_EQ(above[i], ProjectHourAngleToHorizon(FixHours(5.5), alpha[i], delta[i], &sa, &sb)) << i;
            ASSERT_TRUE(sa == a[i] && sb == b[i]) << i;
        }
    }
}

}  // namespace
