// Generated and constructed matrices in formulas: sequences, counting matrices, filled, random and
// special matrices, and matrices laid out from argument values.
#include "dispatch_fixture.h"
#include "numerics/random_matrices.h"

#include <algorithm>

namespace zelvora {
namespace {

using Generators = testing::DispatchFixture;

TEST_F(Generators, SequencesCountFromStartToEnd)
{
    const tVariable ten = One("Seq(1, 10)");
    ASSERT_EQ(ten.matrix.Dims(), (tMatDims { 1, 10 }));
    EXPECT_EQ(ten.matrix(1, 10), 10);
    EXPECT_EQ(RowsOf(One("Seq(0, 1, 0.25)")), (tRows { { 0, 0.25, 0.5, 0.75, 1 } }));
    EXPECT_TRUE(CountRefused("0 + Seq()"));
    EXPECT_TRUE(CountRefused("Seq()"));
    EXPECT_EQ(RowsOf(One("Seq(3, 1, -1)")), (tRows { { 3, 2, 1 } }));
    EXPECT_EQ(One("Seq(5, 1)").matrix.Dims(), (tMatDims { 1, 0 }));
    EXPECT_THROW(One("Seq(0, 1e12)"), tRangeError);
    EXPECT_THROW(One("Seq(1, 2, 0)"), tFloatDivisionByZeroError);
}

TEST_F(Generators, CountingMatricesRunThroughEveryDigitRow)
{
    const tRows binary { { 0, 0 }, { 0, 1 }, { 1, 0 }, { 1, 1 } };
    EXPECT_EQ(RowsOf(One("Komb(2, 0, 1)")), binary);
    EXPECT_EQ(RowsOf(One("MkPerm(2, 0, 1)")), binary);
    const tVariable three = One("Comb(3, 1, 3)");
    ASSERT_EQ(three.matrix.Rows(), 27);
    EXPECT_EQ(RowsOf(three)[5], (std::vector<long double> { 1, 2, 3 }));
    EXPECT_TRUE(CountRefused("0 + Komb()"));
    EXPECT_THROW(One("Komb(40, 0, 1)"), tRangeError); // 2^40 rows
    EXPECT_EQ(RowsOf(One("Komb(3, 2, 2)")), (tRows { { 2, 2, 2 } })); // one digit value: one row
}

TEST_F(Generators, FilledTriangularAndHilbertMatrices)
{
    EXPECT_EQ(RowsOf(One("f\xFCllen(2, 3, 7)")), (tRows { { 7, 7, 7 }, { 7, 7, 7 } }));
    const tVariable text = One("fill(1, 2, \"x\")");
    EXPECT_EQ(text.datatype, dtString);
    EXPECT_EQ(text.strmatrix(1, 2), "x");
    EXPECT_TRUE(ArgumentsRefused("fill(1, 2, 1 > 0)"));
    EXPECT_EQ(RowsOf(One("Dreieck(3, 7)")), (tRows { { 7, 0, 0 }, { 7, 7, 0 }, { 7, 7, 7 } }));
    EXPECT_EQ(RowsOf(One("Dreieck(2)")), (tRows { { 0, 0 }, { 0, 0 } }));
    EXPECT_EQ(One("Triangular(2, \"a\")").strmatrix(2, 1), "a");
    const tVariable hilbert = One("Hilbert(2, 3)");
    EXPECT_EQ(hilbert.matrix.Dims(), (tMatDims { 2, 3 }));
    EXPECT_EQ(hilbert.matrix(2, 3), 0.25);
    EXPECT_EQ(One("Hilbert({{1,2},{3,4}})").matrix(2, 2), 1.0L / 3);
    EXPECT_TRUE(ArgumentsRefused("Hilbert(1..2)"));
}

TEST_F(Generators, RandomMatricesFollowTheSessionSeed)
{
    dispatch.Random().SetSeed(17);
    const tVariable first = One("RandomN(3, 4, 10, 2)");
    dispatch.Random().SetSeed(17);
    EXPECT_EQ(RowsOf(One("RandomN(3, 4, 10, 2)")), RowsOf(first));
    long double sum = 0;
    for (const auto& row : RowsOf(first))
        for (long double x : row)
            sum += x;
    EXPECT_NEAR(static_cast<double>(sum / 12), 10.0, 1e-15);
    for (const auto& row : RowsOf(One("RandomU(2, 2)")))
        for (long double x : row)
            EXPECT_TRUE(x >= 0 && x < 100);
    EXPECT_TRUE(ArgumentsRefused("RandomU(0, 5)"));

    const tVariable order = One("RandomIndex(5)");
    EXPECT_EQ(order.shape, shVector);
    std::vector<long double> values = RowsOf(order).front();
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (std::vector<long double> { 1, 2, 3, 4, 5 }));
    EXPECT_EQ(One("RandomIndex(5, 2)").matrix.Cols(), 2);
}

TEST_F(Generators, MatricesLaidOutFromValues)
{
    EXPECT_EQ(RowsOf(One("Mk(2, 3, 1, 2, 3, 4, 5, 6)")), (tRows { { 1, 3, 5 }, { 2, 4, 6 } }));
    EXPECT_EQ(RowsOf(One("Mk(2, 2, {1,2,3,4,5})")), (tRows { { 1, 3 }, { 2, 4 } }));
    EXPECT_EQ(RowsOf(One("Mk(2, 2, 9)")), (tRows { { 9, 0 }, { 0, 0 } }));
    EXPECT_EQ(RowsOf(One("Mk(1.5, 1, {2,3})")), (tRows { { 1, 2, 3 } }));
    const tRows symmetric { { 1, 0.5, 0.25 }, { 0.5, 1, 0.75 }, { 0.25, 0.75, 1 } };
    EXPECT_EQ(RowsOf(One("Mk(\"u\", 0.5, 0.25, 0.75)")), symmetric);
    EXPECT_EQ(RowsOf(One("Mk(\"O\", 0.5, 0.25, 0.75)")), symmetric);
    EXPECT_EQ(RowsOf(One("Mk(\"ud\", 1, 2, 3)")), (tRows { { 1, 2 }, { 2, 3 } }));
    EXPECT_EQ(RowsOf(One("Mk(\"udo\", 1, 2, 3, 4)")), (tRows { { 1, 3 }, { 3, 4 } }));
    EXPECT_EQ(RowsOf(One("Mk(\"d\", 4, 5)")), (tRows { { 4, 0 }, { 0, 5 } }));
    // values beyond the triangle are dropped, missing ones leave 0
    EXPECT_EQ(
        RowsOf(One("Mk(\"u\", 1, 2, 3, 4)")), (tRows { { 1, 1, 2 }, { 1, 1, 3 }, { 2, 3, 1 } }));
    EXPECT_TRUE(ArgumentsRefused("Mk(\"pascal\", 1)"));
    EXPECT_TRUE(ArgumentsRefused("Mk(1 > 0, 1)"));

    EXPECT_EQ(RowsOf(One("MkCorr(0.5)")), (tRows { { 1, 0.5 }, { 0.5, 1 } }));
    EXPECT_EQ(RowsOf(One("MkCorr(0.25, 0.5)")),
        (tRows { { 1, 0.25, 0.5 }, { 0.25, 1, 0 }, { 0.5, 0, 1 } }));
    EXPECT_EQ(RowsOf(One("MkDiag(1, {2,3})")), (tRows { { 1, 0, 0 }, { 0, 2, 0 }, { 0, 0, 3 } }));
    EXPECT_EQ(
        RowsOf(One("MkSubDiag(-1, 5, 6)")), (tRows { { 0, 0, 0 }, { 5, 0, 0 }, { 0, 6, 0 } }));
    EXPECT_EQ(RowsOf(One("MkSubDiag(1, 5)")), (tRows { { 0, 5 }, { 0, 0 } }));
    EXPECT_EQ(RowsOf(One("MkZl(1, {{2},{3}})")), (tRows { { 1, 2, 3 } }));
    EXPECT_TRUE(CountRefused("1 + MkZl()"));
}

TEST_F(Generators, TypeMatricesByKeyword)
{
    EXPECT_EQ(
        RowsOf(One("MkType(\"PASCAL\", 3)")), (tRows { { 1, 0, 0 }, { 1, 1, 0 }, { 1, 2, 1 } }));
    EXPECT_EQ(One("MkType(\"u\", 3)").shape, shEmpty);
    EXPECT_TRUE(ArgumentsRefused("MkType(3)"));
}

} // namespace
} // namespace zelvora
