// Scalar and element-by-element arithmetic, broadcasting, powers and the standard functions.
#include "matrix_test_util.h"
#include "numerics/library_state.h"
#include "numerics/matrix_arith.h"
#include "support/result_support.h"

#include <cfloat>
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::Mat;
using testing::SparesAreZero;
using testing::Texts;

class Arithmetic : public ::testing::Test {
    tNumericsContextScope m_context;
};

TEST_F(Arithmetic, BroadcastingInEveryDirection)
{
    const trealmatrix m = Mat({ { 1, 2, 3 }, { 4, 5, 6 }, { 7, 8, 9 }, { 10, 11, 12 } });
    const trealmatrix row = Mat({ { 100, 200, 300 } });
    const trealmatrix column = Mat({ { 10 }, { 20 }, { 30 }, { 40 } });

    const trealmatrix rowPlus = ElementwiseArith(row, m, tElementwiseOp::Add).Value();
    EXPECT_EQ(rowPlus,
        Mat({ { 101, 202, 303 }, { 104, 205, 306 }, { 107, 208, 309 }, { 110, 211, 312 } }));
    EXPECT_TRUE(SparesAreZero(rowPlus));
    EXPECT_EQ(ElementwiseArith(m, row, tElementwiseOp::Subtract),
        Mat({ { -99, -198, -297 }, { -96, -195, -294 }, { -93, -192, -291 },
            { -90, -189, -288 } }));
    EXPECT_EQ(ElementwiseArith(column, m, tElementwiseOp::Subtract),
        Mat({ { 9, 8, 7 }, { 16, 15, 14 }, { 23, 22, 21 }, { 30, 29, 28 } }));
    EXPECT_EQ(ElementwiseArith(m, column, tElementwiseOp::Divide),
        Mat({ { 0.1L, 0.2L, 0.3L }, { 0.2L, 0.25L, 0.3L }, { 7 / 30.0L, 8 / 30.0L, 0.3L },
            { 0.25L, 0.275L, 0.3L } }));
    EXPECT_EQ(ElementwiseArith(Mat({ { 2 } }), m, tElementwiseOp::Multiply).Value(),
        ElementwiseArith(m, m, tElementwiseOp::Add));
    // A row against a column spans the outer shape.
    EXPECT_EQ(
        ElementwiseArith(Mat({ { 1, 2 } }), Mat({ { 10 }, { 20 }, { 30 } }), tElementwiseOp::Add),
        Mat({ { 11, 12 }, { 21, 22 }, { 31, 32 } }));
    EXPECT_EQ(FailureCode(ElementwiseArith(Mat({ { 1, 2, 3 }, { 4, 5, 6 } }),
                  Mat({ { 1, 2 }, { 3, 4 }, { 5, 6 } }), tElementwiseOp::Add)),
        1);
    EXPECT_EQ(FailureCode(ElementwiseArith(row, Mat({ { 1, 2 } }), tElementwiseOp::Add)), 1);
    EXPECT_EQ(ElementwiseArith(trealmatrix(0, 3), row, tElementwiseOp::Add).Value().Dims(),
        (tMatDims { 0, 3 }));
}

TEST_F(Arithmetic, ElementwiseDivisionAndIntegerOperationsGiveZeroForZeroDivisors)
{
    const trealmatrix a = Mat({ { 7, -7, 5, 1e30L } });
    const trealmatrix b = Mat({ { 2, 2, 0, 3 } });
    EXPECT_EQ(
        ElementwiseArith(a, b, tElementwiseOp::Divide), Mat({ { 3.5L, -3.5L, 0, 1e30L / 3 } }));
    EXPECT_EQ(ElementwiseArith(a, b, tElementwiseOp::IntDivide), Mat({ { 3, -3, 0, 0 } }));
    EXPECT_EQ(ElementwiseArith(a, b, tElementwiseOp::Modulo), Mat({ { 1, -1, 0, 0 } }));
}

TEST_F(Arithmetic, OverflowPropagatesFromPlainOperationsOnly)
{
    const trealmatrix big = Mat({ { 1, LDBL_MAX } });
    EXPECT_THROW(ElementwiseArith(big, big, tElementwiseOp::Add), tFloatOverflowError);
    EXPECT_THROW(ElementwiseArith(big, Mat({ { -LDBL_MAX } }), tElementwiseOp::Subtract),
        tFloatOverflowError);
    EXPECT_THROW(ElementwiseArith(big, big, tElementwiseOp::Multiply), tFloatOverflowError);
    EXPECT_EQ(ElementwiseArith(big, Mat({ { 0.5 } }), tElementwiseOp::Divide), Mat({ { 2, 0 } }));
    EXPECT_THROW(ScalarArith(big, tScalarOp::Add, LDBL_MAX), tFloatOverflowError);
    EXPECT_THROW(ScalarArith(big, tScalarOp::SubtractFrom, -LDBL_MAX), tFloatOverflowError);
    EXPECT_EQ(ScalarArith(big, tScalarOp::Multiply, 4), Mat({ { 4, 0 } }));
    EXPECT_EQ(ScalarArith(big, tScalarOp::DivideInto, 1e-4000L), Mat({ { 1e-4000L, 0 } }));
    // NaN operands pass through without a fault; infinity minus infinity is one.
    const long double inf = INFINITY;
    const trealmatrix odd
        = ElementwiseArith(Mat({ { NAN, inf } }), Mat({ { 1, 1 } }), tElementwiseOp::Add).Value();
    EXPECT_TRUE(std::isnan(odd(1, 1)));
    EXPECT_EQ(odd(1, 2), inf);
    EXPECT_THROW(ElementwiseArith(Mat({ { inf } }), Mat({ { inf } }), tElementwiseOp::Subtract),
        tFloatInvalidError);
}

TEST_F(Arithmetic, ScalarOperations)
{
    const trealmatrix m = Mat({ { 0, -2.5L, 7.5L, 4 } });
    EXPECT_EQ(ScalarArith(m, tScalarOp::Divide, 0), Mat({ { 0, 0, 0, 0 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::DivideInto, 5), Mat({ { 0, -2, 5 / 7.5L, 1.25L } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::SubtractFrom, 1), Mat({ { 1, 3.5L, -6.5L, -3 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::Mod, 3), Mat({ { 0, -2, 2, 1 } })); // -2.5 -> -2, 7.5 -> 8
    EXPECT_EQ(ScalarArith(m, tScalarOp::Div, 3), Mat({ { 0, 0, 2, 1 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::Mod, 0), Mat({ { 0, 0, 0, 0 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::Div, 0), Mat({ { 0, 0, 0, 0 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::ModInto, 10), Mat({ { 0, 0, 2, 2 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::DivInto, 10), Mat({ { 0, -5, 1, 2 } }));
    EXPECT_THROW(ScalarArith(Mat({ { 3e9 } }), tScalarOp::ModInto, 10), tRangeError);
    EXPECT_EQ(ScalarArith(Mat({ { 12, -18, 7 } }), tScalarOp::Gcd, 30), Mat({ { 6, 6, 1 } }));
    EXPECT_EQ(ScalarArith(Mat({ { 12 } }), tScalarOp::Gcd, 0), Mat({ { 0 } }));
    EXPECT_EQ(ScalarArith(Mat({ { static_cast<long double>(INT64_MIN) } }), tScalarOp::Div, -1),
        Mat({ { 9223372036854775808.0L } }));
    EXPECT_EQ(ScalarArith(Mat({ { static_cast<long double>(INT64_MIN), -7 } }), tScalarOp::Mod, -1),
        Mat({ { 0, 0 } }));

    EXPECT_EQ(ScalarArith(m, tScalarOp::Not), Mat({ { 1, 0, 0, 0 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::Negate), Mat({ { 0, 2.5L, -7.5L, -4 } }));
    EXPECT_FALSE(std::signbit(ScalarArith(m, tScalarOp::Negate)(1, 1))); // 0 - 0 is +0
    EXPECT_EQ(ScalarArith(m, tScalarOp::Abs), Mat({ { 0, 2.5L, 7.5L, 4 } }));
    EXPECT_EQ(ScalarArith(Mat({ { 0, -3, 1e-4000L, 1e4000L } }), tScalarOp::Sign),
        Mat({ { 0, -1, 0, 1 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::Int), Mat({ { 0, -2, 7, 4 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::Frac), Mat({ { 0, -0.5L, 0.5L, 0 } }));
}

TEST_F(Arithmetic, RoundingToDigitsInDoublePrecision)
{
    const trealmatrix m = Mat({ { 1234.5678L, 2.5L, -1250, 1.0L / 3 } });
    EXPECT_EQ(ScalarArith(m, tScalarOp::Round, -2), Mat({ { 1234.57, 2.5, -1250, 0.33 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::Round, 0), Mat({ { 1235, 2, -1250, 0 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::Round, 2), Mat({ { 1200, 0, -1200, 0 } })); // -12.5 -> -12
    EXPECT_EQ(ScalarArith(Mat({ { 1e300L } }), tScalarOp::Round, -2), Mat({ { 1e300 } }));
    EXPECT_THROW(ScalarArith(m, tScalarOp::Round, 38), tRangeError);
    EXPECT_THROW(ScalarArith(m, tScalarOp::Round, -38), tRangeError);
    EXPECT_NO_THROW(ScalarArith(m, tScalarOp::Round, 37));
}

TEST_F(Arithmetic, MaxExponentAndMaxPower)
{
    const trealmatrix m = Mat({ { 48, 1, 0, -48, 81, 7 } });
    EXPECT_EQ(MaxExponent(m, 2), Mat({ { 4, 0, 0, 4, 0, 0 } }));
    EXPECT_EQ(MaxPower(m, 2), Mat({ { 16, 1, 1, 16, 1, 1 } }));
    EXPECT_EQ(MaxExponent(m, -3), Mat({ { 1, 0, 0, 1, 4, 0 } }));
    EXPECT_EQ(MaxPower(m, -3), Mat({ { -3, 1, 1, -3, 81, 1 } }));
    // Bases 1, -1 and 0 end at once; powers beyond 32 bits do not wrap.
    for (int32_t base : { 1, -1, 0 })
        EXPECT_EQ(MaxExponent(m, base), trealmatrix(1, 6));
    EXPECT_EQ(MaxExponent(Mat({ { 1099511627776.0L } }), 2), Mat({ { 40 } })); // 2^40
    EXPECT_EQ(MaxExponent(Mat({ { 4611686018427387904.0L } }), 2), Mat({ { 62 } }));
    EXPECT_EQ(MaxExponent(Mat({ { 4611686018427387904.0L } }), 2147483647), Mat({ { 0 } }));
    EXPECT_EQ(ScalarArith(m, tScalarOp::MaxExponent, 2), MaxExponent(m, 2));
    EXPECT_THROW(MaxExponent(Mat({ { 1e30L } }), 2), tFloatInvalidError);
}

TEST_F(Arithmetic, PowersGiveZeroOnMathErrors)
{
    EXPECT_EQ(
        ElementwisePower(Mat({ { -8, 0, 0, 2, 10 } }), Mat({ { 1.0L / 3, 0, -1, 10, 5000 } })),
        Mat({ { 0, 1, 0, 1024, 0 } }));
    EXPECT_EQ(
        ElementwisePower(Mat({ { 2 }, { 3 } }), Mat({ { 1, 2 } })), Mat({ { 2, 4 }, { 3, 9 } }));
    EXPECT_EQ(
        ElementwisePower(Mat({ { 2, 3 } }), Mat({ { 1 }, { 2 } })), Mat({ { 2, 3 }, { 4, 9 } }));
    EXPECT_EQ(FailureCode(ElementwisePower(Mat({ { 1, 2 } }), Mat({ { 1, 2, 3 } }))), 1);
    EXPECT_EQ(ElementwisePower(-8, Mat({ { 1.0L / 3, 2, -1 } })), Mat({ { 0, 64, -0.125L } }));
    EXPECT_EQ(ElementwisePower(0, Mat({ { -1, 0, 3 } })), Mat({ { 0, 1, 0 } }));
    EXPECT_EQ(ElementwisePower(Mat({ { -8, 4, 0 } }), 0.5L), Mat({ { 0, 2, 0 } }));
    EXPECT_EQ(ElementwisePower(Mat({ { 1e3000L, 2 } }), 2), Mat({ { 0, 4 } }));
}

TEST_F(Arithmetic, StandardFunctionsAndTheirDomains)
{
    const long double e = std::numbers::e_v<long double>;
    EXPECT_EQ(ElementwiseFunction(Mat({ { -4, 4 } }), tElementFunction::Sqrt), Mat({ { 0, 2 } }));
    const trealmatrix logs
        = ElementwiseFunction(Mat({ { 0, e, -1 } }), tElementFunction::Ln).Value();
    EXPECT_EQ(logs(1, 1), 0);
    EXPECT_NEAR(logs(1, 2), 1, 1e-18L);
    EXPECT_EQ(logs(1, 3), 0);
    EXPECT_EQ(
        ElementwiseFunction(Mat({ { 2, -1.5 } }), tElementFunction::ArcSin), Mat({ { 0, 0 } }));
    EXPECT_EQ(ElementwiseFunction(Mat({ { 2 } }), tElementFunction::ArcCos), Mat({ { 0 } }));
    EXPECT_EQ(ElementwiseFunction(Mat({ { 0.5, 1, -3 } }), tElementFunction::ArcCosh),
        Mat({ { 0, 0, 0 } }));
    EXPECT_NEAR(ElementwiseFunction(Mat({ { 2 } }), tElementFunction::ArcCosh).Value()(1, 1),
        std::acosh(2.0L), 1e-18L);
    EXPECT_EQ(ElementwiseFunction(Mat({ { 2 } }), tElementFunction::ArcTanh), Mat({ { 0 } }));
    EXPECT_NEAR(ElementwiseFunction(Mat({ { 1 } }), tElementFunction::Tan).Value()(1, 1),
        std::tan(1.0L), 1e-18L);
    EXPECT_EQ(ElementwiseFunction(Mat({ { -3 } }), tElementFunction::Square), Mat({ { 9 } }));
}

TEST_F(Arithmetic, MathErrorInAnElementFailsWithCode99)
{
    const auto overflow
        = ElementwiseFunction(Mat({ { 100000, 1, -100000 } }), tElementFunction::Exp);
    EXPECT_EQ(FailureCode(overflow), 99);
    EXPECT_FALSE(FailureMessage(overflow).empty());
    EXPECT_EQ(FailureCode(ElementwiseFunction(Mat({ { 1, -1 } }), tElementFunction::ArcTanh)), 99);
    EXPECT_EQ(
        FailureCode(ElementwiseFunction(Mat({ { 1e3000L, 2 } }), tElementFunction::Square)), 99);
    EXPECT_EQ(FailureCode(ElementwiseFunction(Mat({ { INFINITY } }), tElementFunction::Sin)), 99);
    // Underflow is no error: the element is 0.
    EXPECT_EQ(ElementwiseFunction(Mat({ { -100000 } }), tElementFunction::Exp), Mat({ { 0 } }));
}

TEST_F(Arithmetic, TextJoining)
{
    const tStringmatrix s = Texts({ { "a", "b" }, { "c", "d" } });
    EXPECT_EQ(TextConcat("x", s), Texts({ { "xa", "xb" }, { "xc", "xd" } }));
    EXPECT_EQ(TextConcat(s, "!"), Texts({ { "a!", "b!" }, { "c!", "d!" } }));
    EXPECT_EQ(
        TextConcat(s, Texts({ { "1" }, { "2" } })), Texts({ { "a1", "b1" }, { "c2", "d2" } }));
    EXPECT_EQ(TextConcat(Texts({ { "1", "2" } }), s), Texts({ { "1a", "2b" }, { "1c", "2d" } }));
    EXPECT_EQ(FailureCode(TextConcat(s, Texts({ { "1", "2", "3" } }))), 1);
}

} // namespace
} // namespace zelvora
