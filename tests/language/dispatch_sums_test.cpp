// Sum and product of all arguments and the conditional value in formulas.
#include "dispatch_fixture.h"

namespace zelvora {
namespace {

using Sums = testing::DispatchFixture;

TEST_F(Sums, SumAndProductCollectEveryArgument)
{
    const tVariable sum = One("Summe(1, {2,3}, 4)");
    EXPECT_EQ(sum.shape, shScalar);
    EXPECT_EQ(sum.datatype, dtReal);
    EXPECT_EQ(sum.realvalue, 10);
    EXPECT_EQ(One("Summe(\"a\", 2)").realvalue, 2);
    EXPECT_EQ(One("Summe(1..3, 1 > 0)").realvalue, 5); // a range list by its bounds, true as 1
    EXPECT_EQ(One("Produkt(2, {{3},{4}})").realvalue, 24);
    EXPECT_EQ(One("SumOf(-1.5, 2)").realvalue, 0.5L);
    EXPECT_TRUE(CountRefused("1 + Summe()"));
    EXPECT_TRUE(CountRefused("3 * Produkt()"));
    EXPECT_EQ(One("-Summe(2, 3)").realvalue, -5);
    EXPECT_THROW(One("Summe(1, {\"a\",\"b\"})"), tRangeError);
}

// A missing cell makes the sum and the product missing, not a sum with a 0 in it.
TEST_F(Sums, SumAndProductOverAMissingCellAreMissing)
{
    trealmatrix m(1, 2);
    m(1, 1) = 4;
    m(1, 2) = MissingValue();
    StoreMatrix("X", m);
    EXPECT_EQ(One("Summe(1, X)").realvalue, MissingValue());
    EXPECT_EQ(One("Produkt(X, 2)").realvalue, MissingValue());
    EXPECT_EQ(One("Summe(1, Miss2Mean(X))").realvalue, 9);
}

TEST_F(Sums, ConditionalValueOfAScalarCondition)
{
    EXPECT_EQ(One("Wenn(1 > 2, 5)").shape, shEmpty);
    EXPECT_EQ(One("Wenn(1 > 2, 5, 6)").intvalue, 6);
    EXPECT_EQ(One("Wenn(0, 5, 6)").intvalue, 6);
    EXPECT_EQ(One("Wenn(2.5, 5)").intvalue, 5);
    EXPECT_EQ(One("Wenn(\"ja\", 5, 6)").intvalue, 6); // a text is false
    EXPECT_EQ(One("Wenn(1)").shape, shEmpty);
    EXPECT_EQ(One("Wenn(1 < 2, \"a\", 6)").strvalue, "a");
    EXPECT_TRUE(ArgumentsRefused("Wenn(1..3, 5, 6)"));
}

TEST_F(Sums, ConditionalValueOfAConditionMatrix)
{
    Store("C", "{1,2} > {0,5}");
    Store("A", "{1.5,2.5}");
    const tVariable chosen = One("Wenn(C, A)");
    ASSERT_EQ(chosen.shape, shMatrix);
    EXPECT_EQ(chosen.datatype, dtInteger); // boolean condition, no alternative
    EXPECT_EQ(chosen.tag, tgPlain);
    EXPECT_EQ(RowsOf(chosen), (tRows { { 1.5, 0 } }));
    EXPECT_EQ(One("Wenn(C, A, A)").datatype, dtReal);
    EXPECT_EQ(One("Wenn(C, A, C)").datatype, dtBoolean);
    EXPECT_EQ(RowsOf(One("Wenn({{1},{0}}, {{1,2}}, {{3,4}})")), (tRows { { 1, 2 }, { 3, 4 } }));
    EXPECT_EQ(RowsOf(One("Wenn({1, 0.999, 2}, 5, 7)")), (tRows { { 5, 7, 7 } }));

    Eval("Wenn({{1,0,1},{0,1,0},{1,1,1}}, {{1,2},{3,4}})");
    EXPECT_EQ(machine.EvalErrorCode(), 11);
    EXPECT_EQ(machine.EvalErrorMessage(), "Dimensionen inkompatibel");
}

} // namespace
} // namespace zelvora
