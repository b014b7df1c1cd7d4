// The arithmetic operators on every shape pair: results, datatypes, tags, misfits and faults.
#include "numerics/run_time_error.h"
#include "variable_test_support.h"
#include "variables/variable_operators.h"

#include <limits>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using namespace zelvora::testing;

constexpr int32_t intMax = std::numeric_limits<int32_t>::max();
constexpr int32_t intMin = std::numeric_limits<int32_t>::min();

TEST(Addition, ScalarsNumbersAndTexts)
{
    const tVariable sum = VarAdd(Int(2), Int(3));
    EXPECT_EQ(KindOf(sum), (tKind { dtInteger, tgNone, shScalar }));
    EXPECT_EQ(sum.intvalue, 5);
    EXPECT_EQ(VarAdd(Int(2), Real(0.5L)).realvalue, 2.5L);
    EXPECT_EQ(VarAdd(Int(7), Str("a")).strvalue, "7a");
    EXPECT_EQ(VarAdd(Str("a"), Real(2.5L)).strvalue, "a2.5");
    EXPECT_EQ(VarAdd(Real(0.25L), Str("x")).strvalue, "0.25x");
    EXPECT_EQ(VarAdd(Str("a"), Str("b")).strvalue, "ab");
    EXPECT_EQ(VarAdd(Bool(true), Int(1)).shape, shEmpty);
    EXPECT_EQ(VarAdd(Str("a"), Bool(true)).shape, shEmpty);
    EXPECT_EQ(VarAdd(tVariable(), Int(1)).shape, shEmpty);
    // A 32-bit sum that does not fit is the range error, not a wrapped value.
    // Beyond 32 bits the exact sum is a real.
    EXPECT_EQ(VarAdd(Int(intMax), Int(1)).datatype, dtReal);
    EXPECT_EQ(VarAdd(Int(intMax), Int(1)).realvalue, 2147483648.0L);
    EXPECT_THROW(VarAdd(Real(1e4932L), Real(1e4932L)), tFloatOverflowError);
}

TEST(Addition, ScalarWithMatrix)
{
    const tVariable ints = VarAdd(Int(2), IntMat({ { 1, 2 } }));
    EXPECT_EQ(KindOf(ints), (tKind { dtInteger, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(ints.matrix, Mat({ { 3, 4 } })));

    const tVariable fromVector = VarAdd(Real(0.5L), Vec({ 1, 2 }));
    EXPECT_EQ(KindOf(fromVector), (tKind { dtReal, tgVector, shMatrix })) << "R's tag";
    EXPECT_TRUE(MatrixNear(fromVector.matrix, Mat({ { 1.5L, 2.5L } })));

    const tVariable mirrored = VarAdd(BoolMat({ { 1 } }, tgLogical), Int(1));
    EXPECT_EQ(mirrored.shape, shEmpty) << "boolean pairs do not add";
    const tVariable right = VarAdd(RealMat({ { 1, 2 } }, tgLogical), Int(1));
    EXPECT_EQ(KindOf(right), (tKind { dtReal, tgLogical, shMatrix })) << "L's tag";

    const tVariable before = VarAdd(Str("x"), IntMat({ { 1.6L, -2 } }));
    EXPECT_EQ(KindOf(before), (tKind { dtString, tgPlain, shMatrix }));
    EXPECT_EQ(before.strmatrix, TextMat({ { "x2", "x-2" } }));
    EXPECT_EQ(VarAdd(Str("x"), RealMat({ { 1.5L } })).strmatrix, TextMat({ { "x1.5" } }));
    EXPECT_EQ(VarAdd(Int(3), StrMat({ { "a", "b" } })).strmatrix, TextMat({ { "3a", "3b" } }));
    EXPECT_EQ(VarAdd(StrMat({ { "a", "b" } }), Str("!")).strmatrix, TextMat({ { "a!", "b!" } }));
    EXPECT_EQ(VarAdd(RealMat({ { 0.5L } }), Str("!")).strmatrix, TextMat({ { "0.5!" } }));
}

TEST(Addition, MatricesBroadcastAndTakeThePairTag)
{
    const tVariable sum = VarAdd(IntMat({ { 1, 2 }, { 3, 4 } }), IntMat({ { 10, 20 } }));
    EXPECT_EQ(KindOf(sum), (tKind { dtInteger, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(sum.matrix, Mat({ { 11, 22 }, { 13, 24 } })));

    EXPECT_EQ(VarAdd(RealMat({ { 1 } }, tgLogical), Vec({ 1 })).tag, tgVector);
    EXPECT_EQ(VarAdd(Vec({ 1 }), RealMat({ { 1 } })).tag, tgVector);
    EXPECT_EQ(VarAdd(IntMat({ { 1 } }), RealMat({ { 1 } })).datatype, dtReal);
    // Shapes that do not broadcast give no value, which the machine words as the failure.
    EXPECT_EQ(VarAdd(RealMat({ { 1, 2, 3 } }), RealMat({ { 1, 2 } })).shape, shEmpty);
    EXPECT_EQ(VarAdd(StrMat({ { "a", "b" } }), StrMat({ { "a", "b", "c" } })).shape, shEmpty);
    EXPECT_EQ(VarSubtract(RealMat({ { 1, 2, 3 } }), RealMat({ { 1, 2 } })).shape, shEmpty);

    const tVariable texts = VarAdd(StrMat({ { "a" }, { "b" } }), IntMat({ { 1, 2 } }));
    EXPECT_EQ(KindOf(texts), (tKind { dtString, tgLogical, shMatrix }));
    EXPECT_EQ(texts.strmatrix, TextMat({ { "a1", "a2" }, { "b1", "b2" } }));
    EXPECT_EQ(
        VarAdd(RealMat({ { 0.5L } }), StrMat({ { "x" } })).strmatrix, TextMat({ { "0.5x" } }));
}

TEST(Addition, RangeOperandsGiveRangeLists)
{
    const tVariable shifted = VarAdd(Int(1), Ranges({ { 1, 3 }, { 5, 6 } }));
    EXPECT_EQ(KindOf(shifted), (tKind { dtInteger, tgRange, shRange }));
    EXPECT_TRUE(MatrixNear(shifted.matrix, Mat({ { 2, 4 }, { 6, 7 } })));
    const tVariable real = VarAdd(Ranges({ { 1, 3 } }), Real(0.5L));
    EXPECT_EQ(real.datatype, dtReal);
    EXPECT_TRUE(MatrixNear(real.matrix, Mat({ { 1.5L, 3.5L } })));
    EXPECT_TRUE(MatrixNear(
        VarAdd(Ranges({ { 1, 3 } }), Ranges({ { 10, 20 } })).matrix, Mat({ { 11, 23 } })));
    EXPECT_TRUE(
        MatrixNear(VarAdd(RealMat({ { 1, 1 } }), Ranges({ { 1, 3 } })).matrix, Mat({ { 2, 4 } })));
    EXPECT_EQ(VarAdd(Str("a"), Ranges({ { 1, 3 } })).shape, shEmpty);
}

TEST(Subtraction, RealMatricesAndRanges)
{
    const tVariable difference = VarSubtract(Int(2), IntMat({ { 1, 2 } }));
    EXPECT_EQ(KindOf(difference), (tKind { dtReal, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(difference.matrix, Mat({ { 1, 0 } })));
    EXPECT_TRUE(MatrixNear(VarSubtract(IntMat({ { 1, 2 } }), Int(2)).matrix, Mat({ { -1, 0 } })));
    EXPECT_EQ(VarSubtract(Int(5), Int(7)).intvalue, -2);
    EXPECT_EQ(VarSubtract(Real(5), Int(7)).realvalue, -2);
    EXPECT_EQ(VarSubtract(Int(intMin), Int(1)).realvalue, -2147483649.0L);
    EXPECT_EQ(VarSubtract(Str("a"), Str("b")).shape, shEmpty);
    EXPECT_EQ(VarSubtract(Bool(true), Int(1)).shape, shEmpty);

    const tVariable pairTag = VarSubtract(IntMat({ { 5 } }), BoolMat({ { 1 } }, tgLogical));
    EXPECT_EQ(pairTag.shape, shEmpty) << "boolean matrices are not numeric";
    EXPECT_EQ(VarSubtract(RealMat({ { 5 } }, tgLogical), RealMat({ { 1 } })).tag, tgLogical);

    const tVariable fromRange = VarSubtract(Int(10), Ranges({ { 1, 3 } }));
    EXPECT_EQ(KindOf(fromRange), (tKind { dtInteger, tgRange, shRange }));
    EXPECT_TRUE(MatrixNear(fromRange.matrix, Mat({ { 9, 7 } })));
    EXPECT_TRUE(MatrixNear(VarSubtract(Ranges({ { 1, 3 } }), Int(1)).matrix, Mat({ { 0, 2 } })));
}

TEST(Multiplication, MatrixProductAndElementwise)
{
    const tVariable a = IntMat({ { 1, 2 }, { 3, 4 } });
    const tVariable b = IntMat({ { 5, 6 }, { 7, 8 } });
    const tVariable product = VarMultiply(a, b, 0);
    EXPECT_EQ(KindOf(product), (tKind { dtInteger, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(product.matrix, Mat({ { 19, 22 }, { 43, 50 } })));
    EXPECT_TRUE(MatrixNear(VarMultiply(a, b, 1).matrix, Mat({ { 5, 12 }, { 21, 32 } })));
    EXPECT_EQ(VarMultiply(a, RealMat({ { 1, 2, 3 } }), 0).shape, shEmpty);
    EXPECT_EQ(VarMultiply(a, RealMat({ { 1, 2, 3 } }), 1).shape, shEmpty);
    EXPECT_EQ(VarMultiply(a, Vec({ 1, 1 }), 1).tag, tgLogical);

    EXPECT_EQ(VarMultiply(Int(6), Int(7), 0).intvalue, 42);
    EXPECT_EQ(VarMultiply(Int(65536), Int(65536), 0).datatype, dtReal);
    EXPECT_EQ(VarMultiply(Int(65536), Int(65536), 0).realvalue, 4294967296.0L);
    EXPECT_EQ(VarMultiply(Int(46340), Int(46340), 0).datatype, dtInteger); // fits: stays integer
    EXPECT_EQ(VarMultiply(Real(1.5L), Int(2), 0).realvalue, 3);
    EXPECT_EQ(VarMultiply(Int(2), Vec({ 1, 2 }), 0).tag, tgVector);
    EXPECT_EQ(VarMultiply(Vec({ 1, 2 }), Int(2), 0).tag, tgPlain);
    EXPECT_TRUE(MatrixNear(VarMultiply(Ranges({ { 1, 2 } }), Int(3), 0).matrix, Mat({ { 3, 6 } })));
    EXPECT_EQ(VarMultiply(Str("a"), Int(3), 0).shape, shEmpty);
}

TEST(Division, ScalarsMatricesAndThePseudoInverse)
{
    EXPECT_EQ(VarDivide(Int(5), Int(0), 0).shape, shEmpty);
    const tVariable quotient = VarDivide(Int(7), Int(2), 0);
    EXPECT_EQ(KindOf(quotient), (tKind { dtReal, tgNone, shScalar }));
    EXPECT_EQ(quotient.realvalue, 3.5L);
    EXPECT_TRUE(MatrixNear(VarDivide(IntMat({ { 1, 2 } }), Int(0), 0).matrix, Mat({ { 0, 0 } })));
    EXPECT_TRUE(MatrixNear(VarDivide(Int(0), IntMat({ { 2, 0 } }), 0).matrix, Mat({ { 0, 0 } })));
    EXPECT_TRUE(MatrixNear(VarDivide(Int(4), IntMat({ { 2, 0 } }), 0).matrix, Mat({ { 2, 0 } })));

    // Plain matrices: L * pinv(R); the column [1; 2] has the pseudo-inverse [0.2, 0.4].
    const tVariable solved = VarDivide(RealMat({ { 1 } }), RealMat({ { 1 }, { 2 } }), 0);
    EXPECT_EQ(KindOf(solved), (tKind { dtReal, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(solved.matrix, Mat({ { 0.2L, 0.4L } }), 1e-18L));
    const tVariable square = VarDivide(RealMat({ { 4, 2 } }), RealMat({ { 2, 1 }, { 1, 1 } }), 0);
    EXPECT_TRUE(MatrixNear(square.matrix, Mat({ { 2, 0 } }), 1e-18L));
    EXPECT_TRUE(MatrixNear(
        VarDivide(RealMat({ { 4, 2 } }), RealMat({ { 2, 0 } }), 1).matrix, Mat({ { 2, 0 } })));

    const tVariable logical = VarDivide(RealMat({ { 4, 2 } }, tgLogical), RealMat({ { 2, 1 } }), 0);
    EXPECT_EQ(logical.tag, tgLogical);
    EXPECT_TRUE(MatrixNear(logical.matrix, Mat({ { 2, 2 } })));
    EXPECT_TRUE(MatrixNear(VarDivide(Int(12), Ranges({ { 3, 4 } }), 0).matrix, Mat({ { 4, 3 } })));
}

TEST(IntegerDivision, ScalarsFollowTruncation)
{
    EXPECT_EQ(VarIntRemainder(Int(7), Int(-2)).intvalue, 1);
    EXPECT_EQ(VarIntRemainder(Int(-7), Int(2)).intvalue, -1);
    EXPECT_EQ(VarIntQuotient(Int(-7), Int(2)).intvalue, -3);
    EXPECT_EQ(VarIntQuotient(Real(7.5L), Int(2)).intvalue, 4) << "7.5 rounds to 8";
    EXPECT_EQ(VarIntQuotient(Real(7.5L), Int(2)).datatype, dtInteger);
    EXPECT_THROW(VarIntRemainder(Int(7), Int(0)), tIntDivisionByZeroError);
    EXPECT_THROW(VarIntQuotient(Int(7), Real(0.2L)), tIntDivisionByZeroError);
    EXPECT_EQ(VarIntRemainder(Int(intMin), Int(-1)).intvalue, 0);
    EXPECT_EQ(VarIntQuotient(Int(intMin), Int(-1)).realvalue, 2147483648.0L);
    EXPECT_EQ(VarIntQuotient(Str("7"), Int(2)).shape, shEmpty);
}

TEST(IntegerDivision, MatricesAndRanges)
{
    const tVariable into = VarIntRemainder(Int(7), IntMat({ { 2, 0, -4 } }));
    EXPECT_EQ(KindOf(into), (tKind { dtInteger, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(into.matrix, Mat({ { 1, 0, 3 } })));
    EXPECT_TRUE(
        MatrixNear(VarIntQuotient(IntMat({ { 7, -7 } }), Int(0)).matrix, Mat({ { 0, 0 } })));
    EXPECT_TRUE(
        MatrixNear(VarIntQuotient(IntMat({ { 7, -7 } }), Int(2)).matrix, Mat({ { 3, -3 } })));

    const tVariable remainders = VarIntRemainder(IntMat({ { 7, 8 } }), IntMat({ { 3, 0 } }));
    EXPECT_EQ(remainders.tag, tgLogical);
    EXPECT_TRUE(MatrixNear(remainders.matrix, Mat({ { 1, 0 } })));
    EXPECT_EQ(VarIntQuotient(IntMat({ { 7, 8 } }), IntMat({ { 3, 0 } })).tag, tgPlain);

    const tVariable range = VarIntQuotient(Ranges({ { 4.5L, 9 } }, false), Int(2));
    EXPECT_EQ(KindOf(range), (tKind { dtInteger, tgRange, shRange }));
    EXPECT_TRUE(MatrixNear(range.matrix, Mat({ { 2, 4 } })));
}

TEST(Binomial, ScalarsAndElementByElement)
{
    EXPECT_EQ(VarBinomial(Int(5), Int(2)).intvalue, 10);
    EXPECT_EQ(VarBinomial(Int(5), Int(7)).intvalue, 0);
    EXPECT_EQ(VarBinomial(Int(5), Int(5)).intvalue, 1);
    EXPECT_EQ(VarBinomial(Real(5.2L), Int(2)).datatype, dtInteger);
    EXPECT_EQ(VarBinomial(Int(40), Int(20)).realvalue, 137846528820.0L)
        << "137846528820 needs more than 32 bits";
    EXPECT_EQ(VarBinomial(Str("5"), Int(2)).shape, shEmpty);

    const tVariable row = VarBinomial(Int(4), IntMat({ { 0, 1, 2, 3, 4 } }));
    EXPECT_EQ(KindOf(row), (tKind { dtInteger, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(row.matrix, Mat({ { 1, 4, 6, 4, 1 } })));
    EXPECT_TRUE(
        MatrixNear(VarBinomial(IntMat({ { 40 } }), Int(20)).matrix, Mat({ { 137846528820.0L } })));
    EXPECT_TRUE(MatrixNear(VarBinomial(IntMat({ { 5 }, { 6 } }), IntMat({ { 1, 2 } })).matrix,
        Mat({ { 5, 10 }, { 6, 15 } })));
    EXPECT_EQ(VarBinomial(IntMat({ { 5, 6, 7 } }), IntMat({ { 1, 2 } })).shape, shEmpty);
}

} // namespace
} // namespace zelvora
