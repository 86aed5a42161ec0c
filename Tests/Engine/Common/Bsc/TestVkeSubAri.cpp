// Arithmetic helpers: divisors, fractions, fixed-scale stretch sizes, random numbers, exponent.
#include "VktSupport.h"
#include <float.h>
#include <limits.h>
#include <math.h>

using Ari = VktSubFixture;

TEST_F(Ari, GreatestCommonDivisor)
{
    int g = 0;
    EXPECT_EQ(VkeSubCalcGrtCmnDiv(sub, 12, 18, &g), 0);
    EXPECT_EQ(g, 6);
    EXPECT_EQ(VkeSubCalcGrtCmnDiv(sub, 7, 7, &g), 0);
    EXPECT_EQ(g, 7);
    EXPECT_EQ(VkeSubCalcGrtCmnDiv(sub, 100000000, 1000000, &g), 0);
    EXPECT_EQ(g, 1000000);
    EXPECT_EQ(VkeSubCalcGrtCmnDiv(sub, INT_MIN, -1, &g), 0); // no overflow trap
    EXPECT_EQ(VkeSubCalcGrtCmnDiv(sub, 0, 5, &g), -9);
    EXPECT_EQ(VkeSubCalcGrtCmnDiv(sub, 5, 0, &g), -9);
    EXPECT_EQ(VkeSubCalcGrtCmnDiv(sub, 5, 5, nullptr), -9);
}

TEST_F(Ari, Fractions)
{
    struct Row {
        double scale;
        int precision, rc, num, den;
    } rows[] = {
        {0.5, 0, 0, 1, 2},         {1.25, 2, 0, 5, 4},      {100.0, 6, 0, 100, 1},
        {0.001, 0, -9, 0, 1},      {0.001, 1, 0, 1, 1000},  {0.000001, 6, 0, 1, 1000000},
        {0.333333, 6, 0, 333333, 1000000}, {2.0 / 3.0, 2, 0, 6667, 10000}, {99.99, 6, 0, 9999, 100},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.scale);
        int num = -1, den = -1;
        EXPECT_EQ(VkeSubGetFraction(sub, r.scale, r.precision, &num, &den), r.rc);
        EXPECT_EQ(num, r.num);
        EXPECT_EQ(den, r.den);
    }
    int num = -1, den = -1;
    EXPECT_EQ(VkeSubGetFraction(sub, 0.0000009, 6, &num, &den), -9);
    EXPECT_EQ(VkeSubGetFraction(sub, 100.0001, 6, &num, &den), -9);
    EXPECT_EQ(VkeSubGetFraction(sub, NAN, 6, &num, &den), -9);
    EXPECT_EQ(VkeSubGetFraction(sub, 1.0, 7, &num, &den), -9);
    EXPECT_EQ(VkeSubGetFraction(sub, 1.0, -1, &num, &den), -9);
    EXPECT_EQ(VkeSubGetFraction(sub, 1.0, 1, nullptr, &den), -9);
    EXPECT_EQ(num, -1); // untouched on a refused argument
}

TEST_F(Ari, StretchFixedScale)
{
    int num = 0, den = 0;
    EXPECT_EQ(VkeSubGetStretchFixedScale(sub, 200, 100, 400, 400, &num, &den), 0);
    EXPECT_EQ(num, 100);
    EXPECT_EQ(den, 400);
    EXPECT_EQ(VkeSubGetStretchFixedScale(sub, 100, 100, 100, 100, &num, &den), 0);
    EXPECT_EQ(num, 100);
    EXPECT_EQ(den, 100);
    EXPECT_EQ(VkeSubGetStretchFixedScale(sub, 300, 1000, 100, 100, &num, &den), 0);
    EXPECT_EQ(num, 300); // width limits
    EXPECT_EQ(den, 100);
    // Scale limits: exactly 100 passes, above gives 1/1 and -13.
    EXPECT_EQ(VkeSubGetStretchFixedScale(sub, 100, 100, 1, 1, &num, &den), 0);
    EXPECT_EQ(VkeSubGetStretchFixedScale(sub, 101, 101, 1, 1, &num, &den), -13);
    EXPECT_EQ(num, 1);
    EXPECT_EQ(den, 1);
    EXPECT_EQ(VkeSubGetStretchFixedScale(sub, 1, 1, 1000000, 1000000, &num, &den), 0); // 0.000001
    EXPECT_EQ(VkeSubGetStretchFixedScale(sub, 1, 1, 1000001, 1000001, &num, &den), -13);
    EXPECT_EQ(VkeSubGetStretchFixedScale(sub, 0, 1, 1, 1, &num, &den), -9);
    EXPECT_EQ(VkeSubGetStretchFixedScale(sub, 1, 1, 1, 1, nullptr, &den), -9);
}

TEST_F(Ari, StretchFixedScaleSizeCutsTowardZero)
{
    int w = 0, h = 0;
    EXPECT_EQ(VkeSubGetStretchFixedScaleSize(sub, 200, 100, 400, 400, &w, &h), 0);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 100);
    EXPECT_EQ(VkeSubGetStretchFixedScaleSize(sub, 100, 100, 300, 200, &w, &h), 0);
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 66); // 66.67 cut
    EXPECT_EQ(VkeSubGetStretchFixedScaleSize(sub, 1, 1, 3000, 1, &w, &h), -13);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(VkeSubGetStretchFixedScaleSize(sub, 101, 101, 1, 1, &w, &h), -13);
    EXPECT_EQ(w, 1);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(VkeSubGetStretchFixedScaleSize(sub, 1, 1, 1, 1, &w, nullptr), -9);
}

TEST_F(Ari, RandomNumbers)
{
    ASSERT_EQ(VkeSubInitRand(sub), 0);
    float lo = 2.0f, hi = -1.0f;
    for (int i = 0; i < 2000; ++i) {
        float r = -1;
        ASSERT_EQ(VkeSubRand01(sub, &r), 0);
        ASSERT_GE(r, 0.0f);
        ASSERT_LE(r, 1.0f);
        lo = fminf(lo, r);
        hi = fmaxf(hi, r);
        float v = 0;
        ASSERT_EQ(VkeSubRandRange(sub, 10.0f, 20.0f, &v), 0);
        ASSERT_GE(v, 10.0f);
        ASSERT_LE(v, 20.0f);
    }
    EXPECT_LT(lo, 0.05f);
    EXPECT_GT(hi, 0.95f);
    EXPECT_EQ(VkeSubRand01(sub, nullptr), -9);
}

TEST_F(Ari, Exponent)
{
    float y = -1;
    EXPECT_EQ(VkeSubExponent(sub, 0.0f, &y), 0);
    EXPECT_EQ(y, 1.0f);
    EXPECT_EQ(VkeSubExponent(sub, -126.0f, &y), 0);
    EXPECT_EQ(y, 0.0f);
    EXPECT_EQ(VkeSubExponent(sub, 200.0f, &y), 0);
    EXPECT_EQ(y, FLT_MAX);
    EXPECT_EQ(VkeSubExponent(sub, 100.0f, &y), 0);
    EXPECT_TRUE(isinf(y));
    EXPECT_EQ(VkeSubExponent(sub, NAN, &y), 0);
    EXPECT_EQ(y, 0.0f);
    EXPECT_EQ(VkeSubExponent(sub, 1.0f, &y), 0);
    EXPECT_NEAR(y, 2.7182817f, 1e-6f);
    EXPECT_EQ(VkeSubExponent(sub, 1.0f, nullptr), -9);
}
