// Generated matrices, random numbers, primes, the gamma function and partial exponential sums.
#include "matrix_test_util.h"
#include "numerics/gamma.h"
#include "numerics/generators.h"
#include "numerics/matrix_convert.h"
#include "numerics/primes.h"
#include "numerics/random_matrices.h"
#include "numerics/run_time_error.h"
#include "numerics/statistics_reduce.h"
#include "numerics/statistics_transform.h"
#include "support/result_support.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::Mat;
using testing::Texts;

trealmatrix SelectLastRow(const trealmatrix& m)
{
    trealmatrix row(1, m.Cols());
    for (int32_t c = 1; c <= m.Cols(); ++c)
        row(1, c) = m(m.Rows(), c);
    return row;
}

TEST(Generators, FilledTriangularAndHilbert)
{
    EXPECT_EQ(MakeFilled(2, 2, 7), Mat({ { 7, 7 }, { 7, 7 } }));
    EXPECT_EQ(MakeFilled(1, 2, std::string("x")), Texts({ { "x", "x" } }));
    EXPECT_EQ(MakeTriangle(3, 7), Mat({ { 7, 0, 0 }, { 7, 7, 0 }, { 7, 7, 7 } }));
    EXPECT_EQ(MakeTriangle(2, std::string("a")), Texts({ { "a", "" }, { "a", "a" } }));
    EXPECT_EQ(
        MakeHilbert(2, 3), Mat({ { 1, 1.0L / 2, 1.0L / 3 }, { 1.0L / 2, 1.0L / 3, 1.0L / 4 } }));
    EXPECT_EQ(MakeHilbert(trealmatrix(1, 2)), Mat({ { 1, 0.5L } }));
    EXPECT_EQ(MakeFilled(0, 3, 1).Dims(), (tMatDims { 0, 3 }));
}

TEST(Generators, TypeMatrices)
{
    const trealmatrix pascal
        = Mat({ { 1, 0, 0, 0 }, { 1, 1, 0, 0 }, { 1, 2, 1, 0 }, { 1, 3, 3, 1 } });
    EXPECT_EQ(MakeTypeMatrix("binomial", 4), pascal);
    EXPECT_EQ(MakeTypeMatrix("PASCAL", 4), pascal);
    EXPECT_EQ(SelectLastRow(MakeTypeMatrix("st2", 4)), Mat({ { 1, 7, 6, 1 } }));
    EXPECT_EQ(SelectLastRow(MakeTypeMatrix("St1", 4)), Mat({ { -6, 11, -6, 1 } }));
    EXPECT_EQ(MakeTypeMatrix("st1", 6).Dims(), (tMatDims { 6, 6 }));
    EXPECT_TRUE(MakeTypeMatrix("fibonacci", 4).IsAbsent());
    EXPECT_EQ(MakeTypeMatrix("gm", 0).Dims(), (tMatDims { 0, 0 }));
}

TEST(Generators, PowerSumCoefficients)
{
    const trealmatrix gm = MakeTypeMatrix("gm", 3);
    const trealmatrix expected
        = Mat({ { 1, 0, 0 }, { -0.5L, 0.5L, 0 }, { 1.0L / 6, -0.5L, 1.0L / 3 } });
    for (int32_t r = 1; r <= 3; ++r) {
        for (int32_t c = 1; c <= 3; ++c)
            EXPECT_NEAR(gm(r, c), expected(r, c), 1e-17L);
    }
    EXPECT_EQ(MakeTypeMatrix("gp", 3)(2, 1), 0.5L);
    // Row k + 1 sums the k-th powers: 0^4 + 1^4 + ... + 9^4 from the coefficients of N = 10.
    const trealmatrix gm8 = MakeTypeMatrix("gm", 8);
    long double sum = 0;
    for (int32_t j = 1; j <= 5; ++j)
        sum += gm8(5, j) * std::pow(10.0L, j);
    EXPECT_NEAR(sum, 15333, 1e-12L);
    EXPECT_EQ(gm8(8, 3), 0); // vanishes exactly
}

TEST(Random, SequenceIsFixedBySeed)
{
    // After the first draw the seed advances as seed * 134775813 + 1.
    tRandomGenerator generator(0);
    const std::uint32_t start = generator.Next();
    EXPECT_EQ(generator.Next(), static_cast<uint32_t>(start * 134775813ull + 1));
    generator.SetSeed(0x80000000u);
    generator.Next();
    generator.SetSeed(0x80000000u); // setting the seed again starts the same way
    const std::uint32_t seeded = generator.Next();
    const std::uint32_t state = generator.Seed();
    EXPECT_EQ(state, seeded);
    EXPECT_EQ(generator.UniformDeviate(), ((state * 134775813ull + 1) & 0xFFFFFFFFull) * 0x1p-32L);
    EXPECT_EQ(generator.IntegerDeviate(10),
        static_cast<uint32_t>(((generator.Seed() * 134775813ull + 1) & 0xFFFFFFFFull) * 10 >> 32));

    tRandomGenerator first(17);
    tRandomGenerator second(17);
    EXPECT_EQ(
        RandomNormal(3, 4, 10, 2, 3, first).Value(), RandomNormal(3, 4, 10, 2, 3, second).Value());
    EXPECT_EQ(first.Seed(), second.Seed());
    EXPECT_NE(
        RandomUniform(2, 2, 0, 1, 3, first).Value(), RandomUniform(2, 2, 0, 1, 3, first).Value());
}

// The first draw of a fresh generator, and of small seeds, is as random as the later ones: not the
// 1 * 2^-32 of seed 0 nor the 0.03 * s of a small seed s.
TEST(Random, FirstDrawsAreNotSmall)
{
    int small = 0;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        tRandomGenerator generator(seed);
        small += generator.UniformDeviate() < 0.05L ? 1 : 0;
    }
    EXPECT_LT(small, 30); // about 10 of 200 expected
    tRandomGenerator fresh;
    EXPECT_GT(fresh.UniformDeviate(), 1e-6L);
}

TEST(Random, NormalMatricesAreStandardised)
{
    tRandomGenerator generator(4711);
    const trealmatrix whole = RandomNormal(3, 4, 10, 2, 3, generator).Value();
    EXPECT_NEAR(Reduce(whole, 3, tReduction::Mean).Value()(1, 1), 10, 1e-15L);
    EXPECT_NEAR(
        Reduce(Deviations(whole, 3).Value(), 3, tReduction::Stddev).Value()(1, 1), 2, 1e-15L);
    const trealmatrix rows = RandomNormal(3, 4, 10, 2, 1, generator).Value();
    const trealmatrix rowMeans = Reduce(rows, 1, tReduction::Mean).Value();
    const trealmatrix rowSpread
        = Reduce(Deviations(rows, 1).Value(), 1, tReduction::Stddev).Value();
    const trealmatrix columns = RandomNormal(3, 4, -1, 0.5L, 2, generator).Value();
    const trealmatrix columnMeans = Reduce(columns, 2, tReduction::Mean).Value();
    const trealmatrix columnSpread
        = Reduce(Deviations(columns, 2).Value(), 2, tReduction::Stddev).Value();
    for (int32_t i = 1; i <= 3; ++i) {
        EXPECT_NEAR(rowMeans(i, 1), 10, 1e-15L);
        EXPECT_NEAR(rowSpread(i, 1), 2, 1e-15L);
    }
    for (int32_t j = 1; j <= 4; ++j) {
        EXPECT_NEAR(columnMeans(1, j), -1, 1e-15L);
        EXPECT_NEAR(columnSpread(1, j), 0.5L, 1e-15L);
    }
    EXPECT_EQ(FailureCode(RandomNormal(0, 5, 0, 1, 3, generator)), 1);
}

TEST(Random, UniformValuesAndPermutations)
{
    tRandomGenerator generator(99);
    const trealmatrix u = RandomUniform(20, 20, 0, 100, 3, generator).Value();
    EXPECT_GE(Reduce(u, 3, tReduction::Min).Value()(1, 1), 0);
    EXPECT_LT(Reduce(u, 3, tReduction::Max).Value()(1, 1), 100);
    EXPECT_EQ(FailureCode(RandomUniform(0, 5, 0, 100, 3, generator)), 1);
    // Mode 1 fills column by column from the same stream.
    tRandomGenerator a(5);
    tRandomGenerator b(5);
    const trealmatrix byRows = RandomUniform(2, 3, 0, 1, 3, a).Value();
    const trealmatrix byColumns = RandomUniform(3, 2, 0, 1, 1, b).Value();
    EXPECT_EQ(byColumns(1, 2), byRows(2, 1));

    tIntvector permutation = RandomPermutation(5, 5, generator);
    std::sort(permutation.Data() + 1, permutation.Data() + 6);
    EXPECT_EQ(permutation, IntsToVector({ 1, 2, 3, 4, 5 }));
    EXPECT_EQ(RandomPermutation(5, 2, generator).Count(), 2);
    EXPECT_EQ(RandomPermutation(3, 9, generator).Count(), 3);
    EXPECT_EQ(RandomPermutation(0, 2, generator).Count(), 0);
}

TEST(Primes, TableAndTrialDivision)
{
    EXPECT_TRUE(IsPrime(1));
    EXPECT_FALSE(IsPrime(0));
    EXPECT_FALSE(IsPrime(39));
    EXPECT_FALSE(IsPrime(49));
    EXPECT_TRUE(IsPrime(4294967291u)); // the largest 32-bit prime
    EXPECT_FALSE(IsPrime(65521u * 65537u));
    EXPECT_EQ(PrimeTable().list.Count(), 6543);
    EXPECT_EQ(NthPrime(0), 0);
    EXPECT_EQ(NthPrime(1), 2);
    EXPECT_EQ(NthPrime(10), 29);
    EXPECT_EQ(NthPrime(6542), 65521);
    // One past the last prime has no entry behind it.
    EXPECT_EQ(NthPrime(6543), 0);
    EXPECT_EQ(NthPrime(7000), 0);
    EXPECT_EQ(NthPrime(-3), 0);
}

TEST(Gamma, FactorialsAndPoles)
{
    EXPECT_NEAR(GammaFunction(6), 120, 1e-13L);
    EXPECT_NEAR(GammaFunction(1.5L), 0.886226925452758013649L, 3e-16L); // series accuracy
    EXPECT_NEAR(GammaFunction(-0.5L), -3.544907701811032054596L, 1e-15L);
    EXPECT_NEAR(GammaFunction(-1.5L), 2.363271801207354703064L, 1e-15L);
    EXPECT_NEAR(GammaFunction(20.25L) / std::tgamma(20.25L), 1, 1e-15L);
    EXPECT_EQ(GammaFunction(0), 0);
    // The negative integers are poles too, not the reciprocal of the series' rounding dust.
    EXPECT_EQ(GammaFunction(-1), 0);
    EXPECT_EQ(GammaFunction(-7), 0);
    // Far out the loops end once the value has left the extended range.
    EXPECT_EQ(GammaFunction(1e30L), 0);
    EXPECT_EQ(GammaFunction(-1e30L + 0.5L), 0);
}

TEST(Gamma, PartialExponentialSums)
{
    const textendedarr hyperbolic = PartialExp(1, 2);
    ASSERT_EQ(hyperbolic.size(), 3u);
    EXPECT_NEAR(hyperbolic[1], std::cosh(1.0L), 1e-18L);
    EXPECT_NEAR(hyperbolic[2], std::sinh(1.0L), 1e-18L);
    EXPECT_NEAR(PartialExp(-2.5L, 1)[1], std::exp(-2.5L), 1e-18L);
    const textendedarr thirds = PartialExp(2, 3);
    EXPECT_NEAR(thirds[1] + thirds[2] + thirds[3], std::exp(2.0L), 1e-17L);
    EXPECT_EQ(PartialExp(0, 2)[1], 1);
    EXPECT_THROW(PartialExp(1e5L, 1), tFloatOverflowError);
}

} // namespace
} // namespace zelvora
