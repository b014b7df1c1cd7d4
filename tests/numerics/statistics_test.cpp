// Grouped reductions, deviations, z-values, scaling, running sums, contingency tables and ranges.
#include "matrix_test_util.h"
#include "numerics/contingency.h"
#include "numerics/matrix_convert.h"
#include "numerics/matrix_structure.h"
#include "numerics/medians.h"
#include "numerics/missing_values.h"
#include "numerics/percentiles.h"
#include "numerics/range_marks.h"
#include "numerics/run_time_error.h"
#include "numerics/statistics_groups.h"
#include "numerics/statistics_reduce.h"
#include "numerics/statistics_transform.h"
#include "support/result_support.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::Mat;

constexpr long double tolerance = 1e-17L;

void ExpectNear(const trealmatrix& actual, const trealmatrix& expected)
{
    ASSERT_EQ(actual.Dims(), expected.Dims());
    for (int32_t r = 1; r <= actual.Rows(); ++r) {
        for (int32_t c = 1; c <= actual.Cols(); ++c)
            EXPECT_NEAR(actual(r, c), expected(r, c), tolerance) << "at " << r << "," << c;
    }
}

const trealmatrix square = Mat({ { 1, 2 }, { 3, 4 } });

TEST(Statistics, ReductionsInThreeDirections)
{
    EXPECT_EQ(Reduce(square, 1, tReduction::Sum).Value(), Mat({ { 3 }, { 7 } }));
    EXPECT_EQ(Reduce(square, 2, tReduction::Sum).Value(), Mat({ { 4, 6 } }));
    EXPECT_EQ(Reduce(square, 3, tReduction::Sum), Mat({ { 10 } }));
    EXPECT_EQ(Reduce(square, 1, tReduction::Mean), Mat({ { 1.5L }, { 3.5L } }));
    EXPECT_EQ(Reduce(square, 3, tReduction::Count), Mat({ { 4 } }));
    EXPECT_EQ(Reduce(square, 3, tReduction::Product), Mat({ { 24 } }));
    EXPECT_EQ(Reduce(square, 2, tReduction::SquareSum), Mat({ { 10, 20 } }));
    EXPECT_EQ(Reduce(Mat({ { 3, 4 } }), 3, tReduction::Hypotenuse), Mat({ { 5 } }));
    // Stddev is the root mean square: no mean is subtracted.
    EXPECT_EQ(Reduce(Mat({ { 1, -1, 1, -1 } }), 3, tReduction::Stddev), Mat({ { 1 } }));
    EXPECT_EQ(Reduce(Mat({ { 2, 2 } }), 3, tReduction::Stddev), Mat({ { 2 } }));
    EXPECT_EQ(
        Reduce(Deviations(Mat({ { 2, 4 } }), 3).Value(), 3, tReduction::Stddev), Mat({ { 1 } }));
    EXPECT_EQ(FailureCode(Reduce(square, 4, tReduction::Sum)), 1);
    // Columns are reduced in blocks; every column agrees with the row reduction of the transpose.
    trealmatrix wide(5, 7);
    for (int32_t r = 1; r <= 5; ++r) {
        for (int32_t c = 1; c <= 7; ++c)
            wide(r, c) = 1.0L / (r + 3 * c) - 0.01L * c;
    }
    const trealmatrix across = Transpose(wide);
    for (tReduction reduction : { tReduction::Sum, tReduction::Product, tReduction::Stddev }) {
        EXPECT_EQ(Reduce(wide, 2, reduction), Transpose(Reduce(across, 1, reduction).Value()));
        EXPECT_EQ(Reduce(wide, 2, reduction, Mat({ { 1 }, { 2 }, { 1 }, { 1 }, { 2 } })),
            Transpose(Reduce(across, 1, reduction, Mat({ { 1, 2, 1, 1, 2 } })).Value()));
    }
}

TEST(Statistics, ExtremesKeepTheFirstPosition)
{
    const trealmatrix m = Mat({ { 3, 1 }, { 1, 5 } });
    EXPECT_EQ(Reduce(m, 3, tReduction::IndexOfMin), Mat({ { 1, 2 } }));
    EXPECT_EQ(Reduce(m, 2, tReduction::IndexOfMax), Mat({ { 1, 2 } }));
    EXPECT_EQ(Reduce(m, 1, tReduction::IndexOfMin), Mat({ { 2 }, { 1 } }));
    EXPECT_EQ(Reduce(Mat({ { 4, 9, 9 } }), 1, tReduction::IndexOfMax), Mat({ { 2 } }));
    EXPECT_EQ(Reduce(m, 2, tReduction::Min), Mat({ { 1, 1 } }));
    EXPECT_EQ(Reduce(m, 3, tReduction::Max), Mat({ { 5 } }));
    // The square flag applies before the comparison.
    tReduceFlags flags = ReductionFlags(tReduction::Max);
    flags.square = true;
    EXPECT_EQ(Reduce(Mat({ { -7, 5 } }), 3, flags), Mat({ { 49 } }));
}

TEST(Statistics, Groups)
{
    const tIntvector codes = CategoryCodes(RealsToVector({ 7, 5, 7, -1 }));
    EXPECT_EQ(codes[0], 3);
    EXPECT_EQ(codes, IntsToVector({ 3, 2, 3, 1 }));
    EXPECT_EQ(
        Reduce(Mat({ { 1, 2, 3 } }), 1, tReduction::Sum, Mat({ { 7, 5, 7 } })), Mat({ { 2, 4 } }));
    // Direction 2 takes the grouping argument's first column, one code per row.
    EXPECT_EQ(
        Reduce(Mat({ { 1 }, { 2 }, { 3 } }), 2, tReduction::Mean, Mat({ { 1 }, { 2 }, { 1 } })),
        Mat({ { 2 }, { 2 } }));
    EXPECT_EQ(Reduce(square, 3, tReduction::IndexOfMax, Mat({ { 1, 2, 2, 1 } })),
        Mat({ { 2, 2, 2, 1 } }));
    EXPECT_THROW(Reduce(square, 1, tReduction::Sum, Mat({ { 1 } })), tRangeError);
    // A longer grouping row can name groups without elements: they give neutral values.
    EXPECT_EQ(Reduce(Mat({ { 4 } }), 1, tReduction::Mean, Mat({ { 1, 2 } })), Mat({ { 4, 0 } }));
    EXPECT_EQ(Reduce(Mat({ { 4 } }), 1, tReduction::Product, Mat({ { 1, 2 } })), Mat({ { 4, 1 } }));
    EXPECT_EQ(
        Reduce(Mat({ { 4 } }), 1, tReduction::IndexOfMin, Mat({ { 1, 2 } })), Mat({ { 1, 0 } }));
}

TEST(Statistics, EmptyAndMissingInputs)
{
    const trealmatrix none(0, 3);
    EXPECT_EQ(Reduce(none, 2, tReduction::Mean), Mat({ { 0, 0, 0 } }));
    EXPECT_EQ(Reduce(none, 2, tReduction::Count), Mat({ { 0, 0, 0 } }));
    EXPECT_EQ(Reduce(none, 1, tReduction::Sum).Value().Dims(), (tMatDims { 0, 1 }));
    EXPECT_EQ(Reduce(none, 3, tReduction::IndexOfMax), Mat({ { 0, 0 } }));
    EXPECT_EQ(Deviations(none, 3).Value().Dims(), none.Dims());
    EXPECT_EQ(ZValues(none, 2).Value().Dims(), none.Dims());
    EXPECT_EQ(Reduce(Mat({ { 5 } }), 3, tReduction::Stddev), Mat({ { 5 } }));
    // A missing value makes a mean missing; the extremes' positions are those of present values.
    EXPECT_EQ(
        Reduce(Mat({ { MissingNumber, 2 } }), 3, tReduction::Mean), Mat({ { MissingNumber } }));
    EXPECT_EQ(Reduce(Mat({ { MissingNumber, 2 } }), 3, tReduction::IndexOfMin), Mat({ { 1, 2 } }));
    // Only the requested accumulation runs: large values have a mean even if their product
    // would overflow.
    EXPECT_EQ(Reduce(Mat({ { 1e3000L, 1e3000L } }), 3, tReduction::Mean), Mat({ { 1e3000L } }));
    EXPECT_THROW(
        Reduce(Mat({ { 1e3000L, 1e3000L } }), 3, tReduction::Product), tFloatOverflowError);
}

TEST(Statistics, DeviationsAndZValues)
{
    const long double root = std::sqrt(1.5L);
    ExpectNear(ZValues(Mat({ { 1, 2, 3 } }), 3).Value(), Mat({ { -root, 0, root } }));
    ExpectNear(
        ZValues(Mat({ { 1 }, { 2 }, { 3 } }), 2).Value(), Mat({ { -root }, { 0 }, { root } }));
    EXPECT_EQ(Deviations(square, 1), Mat({ { -0.5L, 0.5L }, { -0.5L, 0.5L } }));
    EXPECT_EQ(Deviations(square, 2), Mat({ { -1, -1 }, { 1, 1 } }));
    EXPECT_EQ(Deviations(square, 3), Mat({ { -1.5L, -0.5L }, { 0.5L, 1.5L } }));
    EXPECT_EQ(Deviations(Mat({ { 1, 10, 3 } }), 1, Mat({ { 0, 1, 0 } })), Mat({ { -1, 0, 1 } }));
    // A constant group stays as it is, also when rounding makes its radicand negative.
    EXPECT_EQ(ZValues(Mat({ { 5, 5 } }), 1), Mat({ { 5, 5 } }));
    const trealmatrix constant = Mat({ { 1.1L, 1.1L, 1.1L } }); // 3 * 3.63 - 3.3^2 < 0 in rounding
    EXPECT_EQ(ZValues(constant, 1), constant);
}

TEST(Statistics, ScalingAndRunningSums)
{
    ExpectNear(NormaliseSquares(Mat({ { 3, 4 } }), 3).Value(), Mat({ { 0.6L, 0.8L } }));
    ExpectNear(NormaliseSquares(Mat({ { 3, 0 }, { 4, 0 } }), 2).Value(),
        Mat({ { 0.6L, 0 }, { 0.8L, 0 } }));
    EXPECT_EQ(NormaliseSquares(Mat({ { 0, 0 } }), 1).Value(), Mat({ { 0, 0 } }));
    EXPECT_EQ(Cumulate(Mat({ { 1, 2, 3 } }), 1).Value(), Mat({ { 1, 3, 6 } }));
    EXPECT_EQ(Cumulate(square, 2).Value(), Mat({ { 1, 2 }, { 4, 6 } }));
    EXPECT_THROW(Cumulate(Mat({ { 1e4932L, 1e4932L } }), 1).Value(), tFloatOverflowError);
}

TEST(Statistics, ContingencyTables)
{
    const trealmatrix table = Mat({ { 10, 20 }, { 30, 40 } });
    ExpectNear(ExpectedCounts(table).Value(), Mat({ { 12, 18 }, { 28, 42 } }));
    ExpectNear(ErwAbw(table).Value(), Mat({ { -2, 2 }, { 2, -2 } }));
    const trealmatrix parts = ChiSquareParts(table).Value();
    EXPECT_NEAR(parts(1, 1), 4.0L / 12, tolerance);
    const long double chi = 4.0L / 12 + 4.0L / 18 + 4.0L / 28 + 4.0L / 42;
    EXPECT_NEAR(*ChiSquareStatistic(table), chi, 1e-16L);
    // For a 2 x 2 table V is |phi| = |ad - bc| / sqrt of the four margins.
    const long double phi = std::fabs(10.0L * 40 - 20.0L * 30) / std::sqrt(30.0L * 70 * 40 * 60);
    EXPECT_NEAR(*CramersV(table), phi, 1e-17L);
    EXPECT_EQ(ExpectedCounts(Mat({ { 0, 0 } })).Value(), Mat({ { 0, 0 } }));
    EXPECT_EQ(*CramersV(Mat({ { 1, 2 } })), 0);
    EXPECT_EQ(*CramersV(Mat({ { 0, 0 }, { 0, 0 } })), 0);
    EXPECT_EQ(*ChiSquareStatistic(Mat({ { 1e4000L, 1 }, { 1, 1e-4000L } })), 0);
}

TEST(Statistics, RangesAndMissingValues)
{
    trealrangelist ranges(1);
    ranges[1] = RealRange(1, 3);
    EXPECT_EQ(InRangeMarks(Mat({ { 0, 1, 2.5L, 3, 4 } }), ranges), Mat({ { 0, 1, 1, 1, 0 } }));
    // The comparison is made in double precision.
    EXPECT_EQ(InRangeMarks(Mat({ { 3 + 1e-17L, 1e400L } }), ranges), Mat({ { 1, 0 } }));
    const trealmatrix m = Mat({ { 2, 9, 1 }, { 7, 3, 8 } });
    EXPECT_EQ(InRangeIndices(m, ranges, 2).Value(), Mat({ { 1, 2, 1 } }));
    EXPECT_EQ(InRangeIndices(m, ranges, 1).Value(), Mat({ { 1, 3 }, { 2, 0 } }));
    EXPECT_EQ(InRangeIndices(Mat({ { 9 } }), ranges, 1).Value().Dims(), (tMatDims { 1, 0 }));

    trealrangelist missing(1);
    missing[1] = RealRange(-999);
    EXPECT_EQ(MissingToMean(Mat({ { 1, -999, 3 } }), missing, 1), Mat({ { 1, 2, 3 } }));
    EXPECT_EQ(MissingToMean(Mat({ { -999, -999 } }), missing, 1), Mat({ { 0, 0 } }));
    EXPECT_EQ(
        MissingToMean(Mat({ { 1, -999 }, { 5, 4 } }), missing, 2), Mat({ { 1, 4 }, { 5, 4 } }));
    EXPECT_EQ(
        MissingToMean(Mat({ { 1, -999 }, { 5, 3 } }), missing, 3), Mat({ { 1, 3 }, { 5, 3 } }));
    EXPECT_EQ(MissingToMean(Mat({ { 1, -999, 8, 6 } }), missing, 1, Mat({ { 1, 2, 1, 2 } })),
        Mat({ { 1, 6, 8, 6 } }));
}

// A missing cell (the '.' of a file) makes the reductions over it missing, never a 0 in the sum.
TEST(Statistics, ReductionsOverAMissingCellAreMissing)
{
    const long double x = MissingNumber;
    const trealmatrix m = Mat({ { 2, 1 }, { x, 3 }, { 8, 5 } });
    EXPECT_EQ(Reduce(m, 2, tReduction::Mean), Mat({ { x, 3 } }));
    EXPECT_EQ(Reduce(m, 1, tReduction::Sum), Mat({ { 3 }, { x }, { 13 } }));
    EXPECT_EQ(Reduce(m, 3, tReduction::Stddev), Mat({ { x } }));
    EXPECT_EQ(Reduce(m, 2, tReduction::SquareSum), Mat({ { x, 35 } }));
    EXPECT_EQ(Reduce(m, 2, tReduction::Min), Mat({ { x, 1 } }));
    EXPECT_EQ(Reduce(m, 2, tReduction::Product), Mat({ { x, 15 } }));
    // Groups without a missing cell keep their results; counts count every cell; positions are
    // those of the present values.
    EXPECT_EQ(
        Reduce(m, 2, tReduction::Sum, Mat({ { 1 }, { 2 }, { 2 } })), Mat({ { 2, 1 }, { x, 8 } }));
    EXPECT_EQ(Reduce(m, 2, tReduction::Count), Mat({ { 3, 3 } }));
    EXPECT_EQ(Reduce(m, 2, tReduction::IndexOfMin), Mat({ { 1, 1 } }));
    // So is a median.
    EXPECT_EQ(MedianOf(m, 2, trealmatrix(), tMedianKind::Plain).Value(), Mat({ { x, 3 } }));
    // Deviations of a column with a missing cell are missing too, so its spread is.
    EXPECT_EQ(Deviations(m, 2, trealmatrix()), Mat({ { x, -2 }, { x, 0 }, { x, 2 } }));
}

// The transformations keep a missing cell missing: a unit square sum or a running sum that would
// need it is unknown, while classes and normal scores rank only the present values.
TEST(Statistics, TransformationsKeepMissingCellsMissing)
{
    const long double x = MissingNumber;
    EXPECT_EQ(NormaliseSquares(Mat({ { 3, x }, { 3, 4 } }), 1).Value(),
        Mat({ { x, x }, { 0.6L, 0.8L } }));
    EXPECT_EQ(NormaliseSquares(Mat({ { 3, x } }), 3).Value(), Mat({ { x, x } }));
    EXPECT_EQ(Cumulate(Mat({ { 1, x, 2, 3 } }), 1).Value(), Mat({ { 1, x, x, x } }));
    EXPECT_EQ(Cumulate(Mat({ { 1, 1 }, { x, 2 }, { 4, 3 } }), 2).Value(),
        Mat({ { 1, 1 }, { x, 3 }, { x, 6 } }));
    // Three classes over the three present values, as if the missing cell were not there.
    EXPECT_EQ(PercentileClasses(Mat({ { 5, x, 1, 9 } }), 3, 1).Value(), Mat({ { 2, x, 1, 3 } }));
    const trealmatrix scores = NormalScores(Mat({ { 5, x, 1 } }), "Z", 1).Value();
    EXPECT_EQ(scores(1, 2), x);
    EXPECT_EQ(scores(1, 1), NormalQuantile(1));
    EXPECT_EQ(scores(1, 3), NormalQuantile(0.5L));
}

TEST(Statistics, ContingencyTablesWithAMissingCountFail)
{
    const trealmatrix table = Mat({ { 10, 20 }, { MissingNumber, 40 } });
    const std::string where = "die Kreuztabelle hat einen fehlenden Wert in Zeile 2, Spalte 1";
    EXPECT_EQ(ExpectedCounts(table).Error().Message, where);
    EXPECT_FALSE(ErwAbw(table).Ok());
    EXPECT_FALSE(ChiSquareParts(table).Ok());
    EXPECT_EQ(ChiSquareStatistic(table).Error().Message, where);
    EXPECT_EQ(CramersV(table).Error().Message, where);
}

TEST(Statistics, MissingCellsBecomeTheMeanOfThePresentOnes)
{
    const long double x = MissingNumber;
    const trealrangelist none;
    // A genuine 0 is present and counts; the mean is that of 2, 0 and 8 down the column.
    EXPECT_EQ(MissingToMean(Mat({ { 2 }, { x }, { 0 }, { 7 } }), none, 2),
        Mat({ { 2 }, { 3 }, { 0 }, { 7 } }));
    EXPECT_EQ(MissingToMean(Mat({ { x, 1, 2 } }), none, 1), Mat({ { 1.5L, 1, 2 } }));
    EXPECT_EQ(MissingToMean(Mat({ { x, 1 }, { 3, x } }), none, 3), Mat({ { 2, 1 }, { 3, 2 } }));
    // Nothing present: the cell stays missing rather than becoming a made-up 0.
    EXPECT_EQ(MissingToMean(Mat({ { x, x } }), none, 1), Mat({ { x, x } }));
    // With a range, a missing cell is left out of the mean as well as the values in the range.
    trealrangelist code(1);
    code[1] = RealRange(-999);
    EXPECT_EQ(MissingToMean(Mat({ { 4, -999, x, 8 } }), code, 1), Mat({ { 4, 6, 6, 8 } }));
}

} // namespace
} // namespace zelvora
