// Distance matrices, frequency and cross tables, and weighted neighbour sums.
#include "matrix_test_util.h"
#include "numerics/distances.h"
#include "numerics/frequency_tables.h"
#include "numerics/library_state.h"
#include "numerics/matrix_structure.h"
#include "numerics/neighbour_sums.h"
#include "support/result_support.h"

#include <cmath>
#include <limits>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;
using testing::RandomMatrix;

TEST(RowDistances, NormsOfTheWorkedExample)
{
    const trealmatrix m = Mat({ { 0, 0 }, { 3, 4 } });
    EXPECT_EQ(RowDistances(m, 2, false).Value()(1, 2), 25);
    EXPECT_EQ(RowDistances(m, 2, true).Value()(1, 2), 5);
    EXPECT_EQ(RowDistances(m, 1, false).Value()(1, 2), 7);
    EXPECT_EQ(RowDistances(m, 1, true).Value()(1, 2), 7);
    EXPECT_EQ(RowDistances(m, 0, false).Value()(1, 2), 2);
    EXPECT_EQ(RowDistances(m, 0, true).Value()(1, 2), 1);
    EXPECT_EQ(RowDistances(m, 3, false).Value()(1, 2), 91);
    EXPECT_NEAR(
        static_cast<double>(RowDistances(m, 3, true).Value()(1, 2)), std::cbrt(91.0), 1e-15);
    EXPECT_EQ(RowDistances(m, 2, true), Mat({ { 0, 5 }, { 5, 0 } }));
    // One differing coordinate of two: a share of 0.5.
    EXPECT_EQ(RowDistances(Mat({ { 1, 2 }, { 1, 3 } }), 0, true).Value()(2, 1), 0.5);
}

TEST(RowDistances, SecondMatrixHoldsTheComparisonColumns)
{
    std::mt19937 gen(5);
    const trealmatrix a = RandomMatrix(gen, 4, 3);
    const trealmatrix b = RandomMatrix(gen, 3, 5);
    const trealmatrix d = RowDistances(a, b, 2, false).Value();
    ASSERT_EQ(d.Dims(), (tMatDims { 4, 5 }));
    long double expected = 0;
    for (int32_t k = 1; k <= 3; ++k)
        expected += (a(2, k) - b(k, 4)) * (a(2, k) - b(k, 4));
    EXPECT_EQ(d(2, 4), expected);
    // The symmetric form equals the general one with the transpose.
    EXPECT_EQ(RowDistances(a, Transpose(a), 2, true), RowDistances(a, 2, true).Value());
    EXPECT_EQ(RowDistances(a, 1, false), RowDistances(a, Transpose(a), 1, false).Value());
    EXPECT_EQ(FailureCode(RowDistances(a, RandomMatrix(gen, 2, 5), 2, true)), 1);
}

TEST(RowDistances, NegativeNormIsRefused)
{
    EXPECT_FALSE(FailureMessage(RowDistances(Mat({ { 1, 2 }, { 3, 4 } }), -1, true)).empty());
}

TEST(FrequencyTable, DistinctValuesAndCountsPerRow)
{
    EXPECT_EQ(FrequencyTable(Mat({ { 1, 2, 2 }, { 3, 1, 1 } })),
        Mat({ { 1, 2, 3 }, { 1, 2, 0 }, { 2, 0, 1 } }));
    // Negative zero and zero are one value; an empty matrix has no values.
    EXPECT_EQ(FrequencyTable(Mat({ { -0.0L, 0, 5 } })), Mat({ { 0, 5 }, { 2, 1 } }));
    EXPECT_EQ(FrequencyTable(trealmatrix(2, 0)).Value().Dims(), (tMatDims { 3, 0 }));
    EXPECT_EQ(ValueFrequencies(tRealVector(0)).values.Count(), 0);
}

TEST(FrequencyTable, TooManyDistinctValuesAreRefused)
{
    // 6000 distinct values in as many rows: 6001 x 6000 cells.
    trealmatrix m(6000, 1);
    for (int32_t r = 1; r <= m.Rows(); ++r)
        m(r, 1) = r;
    EXPECT_NE(
        FailureMessage(FrequencyTable(m)).find("zu viele verschiedene Werte"), std::string::npos);
    EXPECT_EQ(CrossTable(Mat({ { 1, 2 }, { 3, 4 } })).Value()[0], Mat({ { 1, 0 }, { 0, 1 } }));
}

TEST(ValueFrequencies, SortedValuesWithCounts)
{
    tRealVector v(5);
    const long double values[] = { 4, -1, 4, 0.5L, 4 };
    for (int32_t i = 1; i <= 5; ++i)
        v[static_cast<std::size_t>(i)] = values[i - 1];
    const tRealFreq freq = ValueFrequencies(v);
    ASSERT_EQ(freq.values.Count(), 3);
    EXPECT_EQ(freq.values[1], -1);
    EXPECT_EQ(freq.values[2], 0.5L);
    EXPECT_EQ(freq.values[3], 4);
    EXPECT_EQ(freq.counts[1], 1);
    EXPECT_EQ(freq.counts[3], 3);
}

TEST(CrossTable, CountsOfValuePairs)
{
    const trealmatrixarr parts = CrossTable(Mat({ { 1, 1, 2 }, { 5, 6, 6 } })).Value();
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0], Mat({ { 1, 1 }, { 0, 1 } }));
    EXPECT_EQ(parts[1], Mat({ { 1 }, { 2 } }));
    EXPECT_EQ(parts[2], Mat({ { 5, 6 } }));
    // The counts add up to the number of cases; further rows are not read.
    const trealmatrixarr wide
        = CrossTable(Mat({ { 3, 1, 3, 2, 3 }, { 0, 0, 1, 1, 0 }, { 9, 9, 9, 9, 9 } })).Value();
    EXPECT_EQ(wide[0], Mat({ { 1, 0 }, { 0, 1 }, { 2, 1 } }));
    EXPECT_EQ(FailureCode(CrossTable(Mat({ { 1, 2 } }))), 1);
}

TEST(WeightedNeighbours, PlainSumsLookBackward)
{
    const trealmatrix m = Mat({ { 1, 2, 3, 4 }, { 10, 20, 30, 40 } });
    // W(1) weighs the element, W(2) its left neighbour.
    EXPECT_EQ(WeightedNeighbours(m, Mat({ { 1, 10 } }), false),
        Mat({ { 1, 12, 23, 34 }, { 10, 120, 230, 340 } }));
    // One weight row per row of M.
    EXPECT_EQ(WeightedNeighbours(m, Mat({ { 1, 0 }, { 0, 1 } }), false),
        Mat({ { 1, 2, 3, 4 }, { 0, 10, 20, 30 } }));
}

TEST(WeightedNeighbours, CentredSumsAndMask)
{
    const trealmatrix m = Mat({ { 1, 2, 3, 4 } });
    EXPECT_EQ(WeightedNeighbours(m, Mat({ { 1, 1, 1 } }), true), Mat({ { 3, 6, 9, 7 } }));
    // Weights 1, 2, 3: the third weighs the left neighbour, the first the right one.
    EXPECT_EQ(WeightedNeighbours(m, Mat({ { 1, 2, 3 } }), true), Mat({ { 4, 10, 16, 17 } }));
    // The mask leaves element 2 out and divides by the weights that took part.
    EXPECT_EQ(WeightedNeighbours(m, Mat({ { 1, 1, 1 } }), true, Mat({ { 1, 0, 1, 1 } })),
        Mat({ { 1, 2, 3.5L, 3.5L } }));
    EXPECT_EQ(WeightedNeighbours(m, Mat({ { 1 } }), false, Mat({ { 0, 0, 0, 0 } })),
        Mat({ { 0, 0, 0, 0 } }));
}

TEST(WeightedNeighbours, MisfittingWeightsAndMasksAreRefused)
{
    const trealmatrix m = Mat({ { 1, 2 }, { 3, 4 }, { 5, 6 } });
    EXPECT_NE(
        FailureMessage(WeightedNeighbours(m, Mat({ { 1 }, { 2 } }), false)).find("Gewichtsmatrix"),
        std::string::npos);
    EXPECT_NE(FailureMessage(WeightedNeighbours(m, Mat({ { 1 } }), false, Mat({ { 1, 1, 1 } })))
                  .find("Maske"),
        std::string::npos);
}

} // namespace
} // namespace zelvora
