// Statistics functions in formulas: directions, groups, positions, medians, ranges, missing values
// and the shapes that do not compute.
#include "dispatch_fixture.h"

#include <cmath>

namespace zelvora {
namespace {

using Statistics = testing::DispatchFixture;

TEST_F(Statistics, ReductionsInTheirThreeDirections)
{
    Store("M", "{{1,2},{3,4}}");
    const tVariable sum = One("Sum(M)");
    ASSERT_EQ(sum.shape, shMatrix);
    EXPECT_EQ(sum.datatype, dtReal);
    EXPECT_EQ(RowsOf(sum), (tRows { { 10 } }));
    EXPECT_EQ(RowsOf(One("SumSp(M)")), (tRows { { 4, 6 } }));
    EXPECT_EQ(RowsOf(One("SumZl(M)")), (tRows { { 3 }, { 7 } }));
    EXPECT_EQ(RowsOf(One("MeanZl(M)")), (tRows { { 1.5 }, { 3.5 } }));
    EXPECT_EQ(RowsOf(One("N(M)")), (tRows { { 4 } }));
    EXPECT_EQ(RowsOf(One("MaxZl(M)")), (tRows { { 2 }, { 4 } }));
    EXPECT_EQ(RowsOf(One("Stddev({2,2})")), (tRows { { 2 } })); // no mean is subtracted
    EXPECT_EQ(RowsOf(One("Stddev(Abw({2,4}))")), (tRows { { 1 } }));
    EXPECT_EQ(RowsOf(One("-Sum(M)")), (tRows { { -10 } }));
}

TEST_F(Statistics, GroupsComeFromAMatrixSecondArgument)
{
    EXPECT_EQ(RowsOf(One("SumZl({{1,2,3}}, {{7,5,7}})")), (tRows { { 2, 4 } }));
    // a range list is no grouping matrix: one group
    EXPECT_EQ(RowsOf(One("SumZl({{1,2,3}}, 1..3)")), (tRows { { 6 } }));
    EXPECT_THROW(One("SumZl({{1,2,3}}, {{1,2}})"), tRangeError); // grouping row too short
}

TEST_F(Statistics, ShapesThatDoNotCompute)
{
    EXPECT_EQ(One("Sum(5)").shape, shEmpty);
    // A range list is no matrix for Sum: the call fails instead of giving the slot's 1.
    EXPECT_TRUE(ArgumentsRefused("Sum(1..5)"));
    EXPECT_EQ(One("AMin({1,-2})").shape, shEmpty);
    EXPECT_EQ(One("iAMaxSp({1,-2})").shape, shEmpty);
    EXPECT_EQ(One("Perzentil({1,2})").shape, shEmpty); // no class count
    EXPECT_EQ(One("Anpassung({1,2})").shape, shEmpty);
    EXPECT_TRUE(ArgumentsRefused("St_ChiSq(3)"));
}

TEST_F(Statistics, PositionOfTheFirstExtremeGivesTwoIntegers)
{
    Store("M", "{{3,1},{1,5}}");
    const tVariableArray position = Eval("iMin(M)");
    ASSERT_EQ(position.size(), 3u);
    EXPECT_EQ(position[1].datatype, dtInteger);
    EXPECT_EQ(position[1].intvalue, 1);
    EXPECT_EQ(position[2].intvalue, 2);
    const tVariableArray negated = Eval("-iMax(M)");
    ASSERT_EQ(negated.size(), 3u);
    EXPECT_EQ(negated[1].intvalue, -2);
    EXPECT_EQ(negated[2].intvalue, -2);
    EXPECT_EQ(RowsOf(One("iMaxSp(M)")), (tRows { { 1, 2 } }));
    // no elements: position 0, not a read past the end
    const tVariableArray none = Eval("iMin(Minor({{1,2}}, 1))");
    ASSERT_EQ(none.size(), 3u);
    EXPECT_EQ(none[1].intvalue, 0);
}

TEST_F(Statistics, MediansSpreadTiesAndSkipTheMissingCode)
{
    EXPECT_EQ(RowsOf(One("Median({1,2,3,4})")), (tRows { { 2.5 } }));
    EXPECT_EQ(RowsOf(One("GMedian({1,2,3})")), (tRows { { 2.5 } }));
    EXPECT_EQ(RowsOf(One("Median({-999,4,6})")), (tRows { { 5 } }));
    EXPECT_EQ(RowsOf(One("MedianZl({{1,2,3},{4,4,9}})")), (tRows { { 2 }, { 6.5 } }));
    // a frequency table: counts 1, 2, 1 of the categories 10, 20, 30
    EXPECT_EQ(RowsOf(One("TabMedianZl({{1,2,1}}, {{10,20,30}})")), (tRows { { 22.5 } }));
    EXPECT_EQ(RowsOf(One("TabMedianZl({{1,2,1}}, {{10,20,30}}, 1 > 0)")), (tRows { { 25 } }));
}

TEST_F(Statistics, RangeMarksAndPositions)
{
    const tVariable marks = One("InRangeSp({{1,5},{3,4}}, 1..3)");
    EXPECT_EQ(marks.datatype, dtBoolean);
    EXPECT_EQ(marks.tag, tgLogical);
    EXPECT_EQ(RowsOf(marks), (tRows { { 1, 0 }, { 1, 0 } }));
    EXPECT_EQ(RowsOf(One("iInRangeZl({{1,5,2}}, 1..3)")), (tRows { { 1, 3 } }));
}

TEST_F(Statistics, TransformationsKeepTheShape)
{
    const tVariable z = One("zvalue({1,2,3})");
    ASSERT_EQ(z.matrix.Cols(), 3);
    EXPECT_NEAR(static_cast<double>(z.matrix(1, 1)), -1.224744871391589, 1e-15);
    EXPECT_EQ(z.matrix(1, 2), 0);
    EXPECT_EQ(RowsOf(One("KumulSp({{1,2},{3,4}})")), (tRows { { 1, 2 }, { 4, 6 } }));
    EXPECT_EQ(RowsOf(One("Erw({{10,20},{30,40}})")), (tRows { { 12, 18 }, { 28, 42 } }));
    EXPECT_EQ(RowsOf(One("PerzentilZl({{10,20,30,40}}, 4)")), (tRows { { 1, 2, 3, 4 } }));
    EXPECT_EQ(RowsOf(One("Anpassung({{4,3}}, \"x\")")), (tRows { { 4, 3 } }));
    EXPECT_GT(RowsOf(One("Anpassung({{1,2,3,4}}, \"z\")")).back().back(), 2.49L);
}

TEST_F(Statistics, ContingencyCoefficientsAreRealScalars)
{
    const tVariable chi = One("St_ChiSq({{10,20},{30,40}})");
    ASSERT_EQ(chi.shape, shScalar);
    EXPECT_EQ(chi.datatype, dtReal);
    EXPECT_NEAR(
        static_cast<double>(chi.realvalue), 4.0 / 12 + 4.0 / 18 + 4.0 / 28 + 4.0 / 42, 1e-15);
    // Cramer's V of a 2 x 2 table is the absolute phi coefficient
    const double phi = std::abs(10.0 * 40 - 20.0 * 30) / std::sqrt(30.0 * 70 * 40 * 60);
    EXPECT_NEAR(static_cast<double>(One("St_CramersV({{10,20},{30,40}})").realvalue), phi, 1e-15);
    EXPECT_EQ(One("St_CramersV({{1,2}})").realvalue, 0);
}

TEST_F(Statistics, MissingValuesReplacedByMeans)
{
    EXPECT_EQ(RowsOf(One("Miss2MeanZl({{1,-999,3}}, -999)")), (tRows { { 1, 2, 3 } }));
    EXPECT_EQ(RowsOf(One("Miss2MeanZl({{-999,-999}}, -999)")), (tRows { { 0, 0 } }));
    EXPECT_EQ(RowsOf(One("Miss2MeanSp({{1,2},{-999,6}}, -999)")), (tRows { { 1, 2 }, { 1, 6 } }));
    // the marker of a missing number lies in the range 0..0 in double precision
    trealmatrix m(1, 3);
    m(1, 1) = 2;
    m(1, 2) = MissingValue();
    m(1, 3) = 4;
    StoreMatrix("X", m);
    EXPECT_EQ(RowsOf(One("Miss2Mean(X, 0)")), (tRows { { 2, 3, 4 } }));
    // Without a range the missing cells alone are replaced; a genuine 0 stays and counts.
    EXPECT_EQ(RowsOf(One("Miss2Mean(X)")), (tRows { { 2, 3, 4 } }));
    m(1, 1) = 0;
    StoreMatrix("Y", m);
    EXPECT_EQ(RowsOf(One("Miss2MeanZl(Y)")), (tRows { { 0, 2, 4 } }));
    EXPECT_TRUE(CountRefused("Miss2Mean()"));
    EXPECT_TRUE(ArgumentsRefused("Miss2Mean(X, 0, 5)")); // a grouping argument that is no matrix
    EXPECT_EQ(RowsOf(One("Miss2MeanZl({{1,-999,3,-999}}, -999, {{1,1,2,2}})")),
        (tRows { { 1, 1, 3, 3 } }));
}

} // namespace
} // namespace zelvora
