// The functions of one value on variable records: kinds of results by operand, domains, the
// choice between whole-matrix and element-by-element functions, and the failures that end a run.
#include "numerics/matrix_product.h"
#include "numerics/run_time_error.h"
#include "variable_test_support.h"
#include "variables/factorial.h"
#include "variables/integer_functions.h"
#include "variables/unary_functions.h"
#include "variables/value_functions.h"

#include <cmath>
#include <numbers>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using namespace zelvora::testing;

// The value of a function that did not fail.
tVariable Unary(const tVariable& v, tUnaryFunction function)
{
    return VarUnaryFunction(v, function).Value();
}
tVariable PartialExp(const tVariable& v, std::int32_t count, std::int32_t index)
{
    return VarPartialExp(v, count, index).Value();
}

TEST(Factorial, TableGammaAndMatrices)
{
    EXPECT_EQ(VarFactorial(Int(12)).intvalue, 479001600);
    EXPECT_EQ(KindOf(VarFactorial(Int(0))), (tKind { dtInteger, tgNone, shScalar }));
    EXPECT_EQ(VarFactorial(Int(-3)).intvalue, 1);
    const tVariable thirteen = VarFactorial(Int(13));
    EXPECT_EQ(KindOf(thirteen), (tKind { dtReal, tgNone, shScalar }));
    EXPECT_EQ(thirteen.realvalue, 6227020800.0L);
    EXPECT_NEAR(VarFactorial(Real(2.5L)).realvalue, 3.3233509704478425512L, 1e-15L);
    EXPECT_EQ(VarFactorial(Real(-1)).realvalue, 0); // pole of the gamma function
    const tVariable m = VarFactorial(IntMat({ { 0, 3 }, { 5, 13 } }, tgLogical));
    EXPECT_EQ(KindOf(m), (tKind { dtReal, tgLogical, shMatrix }));
    EXPECT_TRUE(MatrixNear(m.matrix, Mat({ { 1, 6 }, { 120, 6227020800.0L } })));
    EXPECT_NEAR(VarFactorial(RealMat({ { 0.5L } })).matrix(1, 1), 0.88622692545275801365L, 1e-15L);
    EXPECT_EQ(VarFactorial(Str("5")).shape, shEmpty);
    EXPECT_EQ(VarFactorial(Ranges({ { 1, 3 } })).shape, shEmpty);
}

TEST(Factorial, GammaOfIntegersIsExactAndHugeOnesOverflow)
{
    long double exact = 1;
    for (int n = 1; n <= 20; ++n) {
        exact *= n;
        EXPECT_EQ(FactorialOf(n, false), exact) << n;
    }
    EXPECT_THROW(VarFactorial(Int(2000)), tFloatOverflowError);
    EXPECT_THROW(VarFactorial(Real(1e6L)), tFloatOverflowError);
    EXPECT_THROW(VarFactorial(RealMat({ { 1, 3000.5L } })), tFloatOverflowError);
}

TEST(ValueFunctions, AbsNegateSign)
{
    EXPECT_EQ(VarAbs(Int(-3)).intvalue, 3);
    EXPECT_EQ(VarAbs(Int(-2147483647 - 1)).realvalue, 2147483648.0L);
    EXPECT_EQ(VarAbs(Real(-2.5L)).realvalue, 2.5L);
    EXPECT_EQ(VarAbs(Bool(false)).boolvalue, 1);
    EXPECT_EQ(VarAbs(Str("-x")).strvalue, "-x");
    const tVariable range = VarAbs(Ranges({ { -3, -1 } }));
    EXPECT_EQ(KindOf(range), KindOf(Ranges({ { -3, -1 } })));
    EXPECT_TRUE(MatrixNear(range.matrix, Mat({ { 3, 1 } })));
    EXPECT_EQ(VarNegate(Bool(true)).boolvalue, 0);
    EXPECT_EQ(VarNegate(Str("a")).shape, shEmpty);
    EXPECT_TRUE(MatrixNear(VarNegate(BoolMat({ { 1, 0 } })).matrix, Mat({ { 0, 1 } })));
    EXPECT_EQ(VarNegate(StrMat({ { "a" } })).strmatrix(1, 1), "a");
    EXPECT_EQ(KindOf(VarSign(Bool(true))), (tKind { dtInteger, tgNone, shScalar }));
    EXPECT_EQ(VarSign(Bool(true)).intvalue, 1);
    EXPECT_EQ(VarSign(Bool(false)).intvalue, -1);
    EXPECT_EQ(VarSign(Real(-0.0L)).realvalue, 0);
    EXPECT_EQ(VarSign(Real(1e-4000L)).realvalue, 0); // decided in double precision
    EXPECT_TRUE(MatrixNear(VarSign(IntMat({ { -4, 0, 9 } })).matrix, Mat({ { -1, 0, 1 } })));
}

TEST(ValueFunctions, IntegerAndFractionalPartsAndRounding)
{
    const tVariable whole = VarIntegerPart(Real(-2.7L));
    EXPECT_EQ(KindOf(whole), (tKind { dtInteger, tgNone, shScalar }));
    EXPECT_EQ(whole.intvalue, -2);
    EXPECT_THROW(VarIntegerPart(Real(3e9L)), tRangeError);
    EXPECT_EQ(VarIntegerPart(RealMat({ { 3e9L } })).matrix(1, 1), 3e9L); // no 32-bit limit
    EXPECT_EQ(VarIntegerPart(RealMat({ { 1.5L } }, tgLogical)).datatype, dtInteger);
    EXPECT_NEAR(VarFractionalPart(Real(-2.7L)).realvalue, -0.7L, 1e-18L);
    EXPECT_EQ(VarFractionalPart(Int(5)).datatype, dtReal);
    EXPECT_EQ(VarFractionalPart(Bool(true)).boolvalue, 0);
    EXPECT_EQ(VarRound(Real(2.5L), 0).realvalue, 2);
    EXPECT_EQ(VarRound(Real(3.5L), 0).realvalue, 4);
    EXPECT_EQ(VarRound(Real(25), 1).realvalue, 20);
    EXPECT_NEAR(VarRound(Real(3.14159L), -2).realvalue, 3.14L, 1e-15L);
    EXPECT_EQ(VarRound(Int(25), 1).intvalue, 25);
    EXPECT_EQ(KindOf(VarRound(Real(2.5L), 0)), (tKind { dtReal, tgNone, shScalar }));
    EXPECT_TRUE(MatrixNear(VarRound(IntMat({ { 15, 25 } }), 1).matrix, Mat({ { 20, 20 } })));
    EXPECT_THROW(VarRound(Real(1), 38), tRangeError);
    EXPECT_THROW(VarRound(Int(1), -38), tRangeError);
    EXPECT_EQ(VarRound(Real(1234.5L), 37).realvalue, 0); // far below a multiple of 10^37
}

TEST(ValueFunctions, NumericValue)
{
    EXPECT_EQ(VarNumericValue(Str(" 2.5 ")).realvalue, 2.5L);
    EXPECT_EQ(KindOf(VarNumericValue(Str("zwei"))), (tKind { dtReal, tgNone, shScalar }));
    EXPECT_EQ(VarNumericValue(Str("zwei")).realvalue, 0);
    EXPECT_EQ(VarNumericValue(Bool(true)).realvalue, 1);
    const tVariable bools = VarNumericValue(BoolMat({ { 1, 0 } }, tgLogical));
    EXPECT_EQ(KindOf(bools), (tKind { dtReal, tgLogical, shMatrix }));
    EXPECT_TRUE(MatrixNear(bools.matrix, Mat({ { 1, 0 } })));
    EXPECT_TRUE(
        MatrixNear(VarNumericValue(StrMat({ { "1.5", "x" } })).matrix, Mat({ { 1.5L, 0 } })));
    EXPECT_EQ(VarNumericValue(tVariable {}).shape, shEmpty);
}

TEST(ValueFunctions, Format)
{
    EXPECT_EQ(VarFormat(Int(42), "5").strvalue, "   42");
    EXPECT_EQ(VarFormat(Real(3.14159L), "8.3").strvalue, "   3.142");
    EXPECT_EQ(VarFormat(Str("ab"), "-4").strvalue, "ab  ");
    EXPECT_EQ(VarFormat(Bool(true), "").strvalue, "TRUE");
    EXPECT_EQ(VarFormat(Str("%s%n"), "").strvalue, "%s%n"); // a text is never a pattern
    const tVariable texts = VarFormat(IntMat({ { 1, 22 } }), "3");
    EXPECT_EQ(KindOf(texts), (tKind { dtString, tgLogical, shMatrix }));
    EXPECT_EQ(texts.strmatrix(1, 2), " 22");
    EXPECT_EQ(VarFormat(RealMat({ { 0.5L } }), ".2").strmatrix(1, 1), "0.50");
    EXPECT_THROW(VarFormat(Int(1), "x"), tRunTimeError);
    EXPECT_THROW(VarFormat(Int(1), "%n"), tRunTimeError);
    EXPECT_THROW(VarFormat(Real(1), "99999"), tRunTimeError);
    EXPECT_EQ(VarFormat(Real(1), "255.255").strvalue.size(), 257u);
}

TEST(UnaryFunctions, ScalarsBooleansAndDomains)
{
    EXPECT_EQ(Unary(Real(-4), tUnaryFunction::Sqrt).realvalue, 0);
    EXPECT_EQ(Unary(Int(-1), tUnaryFunction::Ln).realvalue, 0);
    EXPECT_EQ(Unary(Str("x"), tUnaryFunction::Ln).realvalue, 0);
    EXPECT_EQ(KindOf(Unary(Bool(true), tUnaryFunction::Ln)), (tKind { dtReal, tgNone, shScalar }));
    EXPECT_EQ(Unary(Bool(true), tUnaryFunction::Exp).shape, shEmpty);
    EXPECT_EQ(Unary(Bool(true), tUnaryFunction::Sin).boolvalue, 1);
    EXPECT_EQ(Unary(Bool(true), tUnaryFunction::Cosh).boolvalue, 0);
    EXPECT_EQ(Unary(Bool(true), tUnaryFunction::ArcTan).boolvalue, 0);
    EXPECT_EQ(Unary(Str("x"), tUnaryFunction::Sin).shape, shEmpty);
    const tVariable square = Unary(Int(-7), tUnaryFunction::Square);
    EXPECT_EQ(KindOf(square), (tKind { dtInteger, tgNone, shScalar }));
    EXPECT_EQ(square.intvalue, 49);
    EXPECT_EQ(Unary(Int(65536), tUnaryFunction::Square).realvalue, 4294967296.0L);
    EXPECT_EQ(Unary(Int(1), tUnaryFunction::Exp).realvalue, std::exp(1.0L));
    EXPECT_THROW(Unary(Int(0), tUnaryFunction::Ln), tFloatDivisionByZeroError);
    EXPECT_THROW(Unary(Real(2), tUnaryFunction::ArcSin), tFloatInvalidError);
    EXPECT_THROW(Unary(Real(1e5L), tUnaryFunction::Exp), tFloatOverflowError);
}

TEST(UnaryFunctions, WholeMatrixOrElementwise)
{
    const tVariable diag = RealMat({ { 4, 0 }, { 0, 9 } });
    EXPECT_TRUE(
        MatrixNear(Unary(diag, tUnaryFunction::Sqrt).matrix, Mat({ { 2, 0 }, { 0, 3 } }), 1e-8L));
    const tVariable full = RealMat({ { 1, 2 }, { 3, 4 } });
    EXPECT_TRUE(
        MatrixNear(Unary(full, tUnaryFunction::Square).matrix, Mat({ { 7, 10 }, { 15, 22 } })));
    const tVariable logical = RealMat({ { 1, 2 }, { 3, 4 } }, tgLogical);
    const tVariable squares = Unary(logical, tUnaryFunction::Square);
    EXPECT_EQ(KindOf(squares), (tKind { dtReal, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(squares.matrix, Mat({ { 1, 4 }, { 9, 16 } })));
    // Not square: element by element, outside the domain 0.
    const tVariable row = RealMat({ { -1, 4, 0 } });
    EXPECT_TRUE(MatrixNear(Unary(row, tUnaryFunction::Sqrt).matrix, Mat({ { 0, 2, 0 } })));
    const tVariable logs = Unary(RealMat({ { 1 }, { 2 } }, tgLogical), tUnaryFunction::Ln);
    EXPECT_EQ(KindOf(logs), (tKind { dtReal, tgLogical, shMatrix }));
    // Exp keeps shape and tag and takes range lists; the element type becomes real.
    const tVariable exps = Unary(IntMat({ { 0, 1 } }), tUnaryFunction::Exp);
    EXPECT_EQ(KindOf(exps), (tKind { dtReal, tgPlain, shMatrix }));
    EXPECT_EQ(exps.matrix(1, 2), std::exp(1.0L));
    EXPECT_EQ(Unary(Ranges({ { 0, 1 } }), tUnaryFunction::Exp).shape, shRange);
    EXPECT_EQ(Unary(Ranges({ { 0, 1 } }), tUnaryFunction::Sin).shape, shEmpty);
    EXPECT_EQ(Unary(Vec({ 1, 2 }), tUnaryFunction::Ln).shape, shEmpty);
    EXPECT_EQ(Unary(StrMat({ { "1" } }), tUnaryFunction::Sqrt).shape, shEmpty);
}

TEST(UnaryFunctions, SinSquaredPlusCosSquaredElementwise)
{
    std::mt19937 random(15);
    std::uniform_real_distribution<double> angle(-50, 50);
    trealmatrix m(3, 7);
    for (std::int32_t r = 1; r <= 3; ++r)
        for (std::int32_t c = 1; c <= 7; ++c)
            m(r, c) = angle(random);
    tVariable v;
    VarSetMatrix(v, m, tgPlain);
    const tVariable s = Unary(v, tUnaryFunction::Sin);
    const tVariable c = Unary(v, tUnaryFunction::Cos);
    for (std::int32_t i = 1; i <= 3; ++i)
        for (std::int32_t j = 1; j <= 7; ++j)
            EXPECT_NEAR(
                s.matrix(i, j) * s.matrix(i, j) + c.matrix(i, j) * c.matrix(i, j), 1, 1e-18L);
}

// A symmetric positive definite matrix with eigenvalues in [1/2, 3/2] from a seeded rotation.
trealmatrix SpdMatrix(std::int32_t n, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> uniform(-1, 1);
    trealmatrix a(n, n);
    for (std::int32_t r = 1; r <= n; ++r)
        for (std::int32_t c = 1; c <= n; ++c)
            a(r, c) = uniform(random);
    trealmatrix gram = GramProduct(a, 1).Value();
    long double norm = 0;
    for (std::int32_t r = 1; r <= n; ++r)
        for (std::int32_t c = 1; c <= n; ++c)
            norm += gram(r, c) * gram(r, c);
    norm = std::sqrt(norm);
    for (std::int32_t r = 1; r <= n; ++r) {
        for (std::int32_t c = 1; c <= n; ++c)
            gram(r, c) /= norm;
        gram(r, r) += 0.5L;
    }
    return gram;
}

long double RelativeError(const trealmatrix& actual, const trealmatrix& expected)
{
    long double difference = 0;
    long double size = 0;
    for (std::int32_t r = 1; r <= expected.Rows(); ++r) {
        for (std::int32_t c = 1; c <= expected.Cols(); ++c) {
            difference += (actual(r, c) - expected(r, c)) * (actual(r, c) - expected(r, c));
            size += expected(r, c) * expected(r, c);
        }
    }
    return std::sqrt(difference / size);
}

TEST(UnaryFunctions, MatrixFunctionsInvertEachOtherOnSpdMatrices)
{
    for (std::int32_t n : { 1, 2, 5, 8 }) {
        const std::uint32_t seed = 1500 + static_cast<std::uint32_t>(n);
        SCOPED_TRACE(::testing::Message() << "n " << n << " seed " << seed);
        tVariable a;
        VarSetMatrix(a, SpdMatrix(n, seed), tgPlain);
        const tVariable root = Unary(a, tUnaryFunction::Sqrt);
        // Heron's iteration stops once the squared residual is below 1e-16: the last step leaves
        // an error far below that, but not at the extended precision's rounding level.
        EXPECT_LT(RelativeError(MatMul(root.matrix, root.matrix).Value(), a.matrix), 1e-11L);
        const tVariable back = Unary(Unary(a, tUnaryFunction::Ln), tUnaryFunction::Exp);
        // The series stop once a term's squared size is below 1e-16.
        EXPECT_LT(RelativeError(back.matrix, a.matrix), 1e-8L);
    }
}

TEST(UnaryFunctions, PartialExpAndAngle)
{
    EXPECT_EQ(PartialExp(Real(0.5L), 1, 0).realvalue, std::exp(0.5L));
    EXPECT_NEAR(PartialExp(Real(0.5L), 2, 1).realvalue, std::cosh(0.5L), 1e-18L);
    EXPECT_NEAR(PartialExp(Real(0.5L), 2, 2).realvalue, std::sinh(0.5L), 1e-18L);
    EXPECT_EQ(PartialExp(Real(0.5L), 2, -5).realvalue, PartialExp(Real(0.5L), 2, 1).realvalue);
    EXPECT_THROW(PartialExp(Real(0.5L), 2, 3), tRangeError);
    EXPECT_THROW(PartialExp(Real(0.5L), 100000, 1), tRangeError);
    EXPECT_NEAR(PartialExp(RealMat({ { 0.5L, 1 } }), 2, 2).matrix(1, 2), std::sinh(1.0L), 1e-18L);
    EXPECT_EQ(PartialExp(Bool(true), 3, 1).shape, shEmpty);
    // A plain square matrix: count 1 is the matrix exponential, larger counts work per element.
    const tVariable nilpotent = RealMat({ { 0, 1 }, { 0, 0 } });
    EXPECT_TRUE(MatrixNear(PartialExp(nilpotent, 1, 0).matrix, Mat({ { 1, 1 }, { 0, 1 } })));
    EXPECT_TRUE(MatrixNear(
        PartialExp(nilpotent, 2, 1).matrix, Mat({ { 1, std::cosh(1.0L) }, { 1, 1 } }), 1e-18L));
    EXPECT_EQ(VarAngle(Int(0), Int(1)).Value().realvalue, std::numbers::pi_v<long double> / 2);
    EXPECT_EQ(VarAngle(Bool(true), Int(1)).Value().boolvalue, 0);
    EXPECT_EQ(VarAngle(Int(1), Str("1")).Value().shape, shEmpty);
    EXPECT_NEAR(VarAngle(RealMat({ { 1, 0 } }), RealMat({ { 1, 0 } })).Value().matrix(1, 1),
        std::numbers::pi_v<long double> / 4, 1e-18L);
}

TEST(IntegerFunctions, PrimesAndRanges)
{
    EXPECT_EQ(VarPrimeNo(Int(1)).intvalue, 2);
    EXPECT_EQ(VarPrimeNo(Int(0)).intvalue, 0);
    const tVariable fifth = VarPrimeNo(Real(3.9L));
    EXPECT_EQ(KindOf(fifth), (tKind { dtReal, tgNone, shScalar }));
    EXPECT_EQ(fifth.realvalue, 5);
    EXPECT_EQ(VarPrimeNo(Int(6542)).intvalue, 65521); // the last prime of the table
    EXPECT_EQ(VarPrimeNo(Int(6543)).intvalue, 0); // beyond the table
    EXPECT_THROW(VarPrimeNo(Int(65536)), tRangeError);
    EXPECT_THROW(VarPrimeNo(Real(-1)), tRangeError);
    EXPECT_THROW(VarPrimeNo(Real(1e30L)), tRangeError);
    EXPECT_TRUE(MatrixNear(
        VarPrimeNo(RealMat({ { 1, 2.7L, 0, 10001, -3 } })).matrix, Mat({ { 2, 3, 0, 0, 0 } })));
    EXPECT_EQ(VarPrimeNo(Bool(true)).shape, shEmpty);
}

TEST(IntegerFunctions, GcdFamily)
{
    EXPECT_EQ(VarGcd(Real(12.2L), tGcdKind::All).intvalue, 12);
    EXPECT_EQ(
        VarGcdPair(VarGcdPair(Int(12), Int(18), tGcdKind::All), Int(8), tGcdKind::All).intvalue, 2);
    const tVariable m = IntMat({ { 12, 18 }, { 30, 42 } });
    EXPECT_EQ(VarGcd(m, tGcdKind::All).matrix(1, 1), 6);
    EXPECT_EQ(VarGcd(m, tGcdKind::All).datatype, dtInteger);
    EXPECT_TRUE(MatrixNear(VarGcd(m, tGcdKind::Rows).matrix, Mat({ { 6 }, { 6 } })));
    EXPECT_TRUE(
        MatrixNear(VarGcdPair(Int(4), m, tGcdKind::All).matrix, Mat({ { 4, 2 }, { 2, 2 } })));
    EXPECT_TRUE(
        MatrixNear(VarGcdPair(m, Int(9), tGcdKind::All).matrix, Mat({ { 3, 9 }, { 3, 3 } })));
    EXPECT_EQ(VarGcdPair(Bool(true), Int(9), tGcdKind::All).shape, shEmpty);
    EXPECT_EQ(VarGcd(Str("12"), tGcdKind::All).shape, shEmpty);
}

TEST(IntegerFunctions, LargestPowersAndOrders)
{
    EXPECT_EQ(VarMaxExponent(Int(48), 2, false).intvalue, 4);
    EXPECT_EQ(KindOf(VarMaxExponent(Int(48), 2, true)), (tKind { dtReal, tgNone, shScalar }));
    EXPECT_EQ(VarMaxExponent(Int(48), 2, true).realvalue, 16);
    EXPECT_EQ(VarMaxExponent(Int(48), 1, true).intvalue, 1);
    EXPECT_EQ(VarMaxExponent(Int(48), -1, false).intvalue, 1);
    const tVariable powers = VarMaxExponent(IntMat({ { 48, 7 } }, tgLogical), 2, true);
    EXPECT_EQ(KindOf(powers), (tKind { dtInteger, tgLogical, shMatrix }));
    EXPECT_TRUE(MatrixNear(powers.matrix, Mat({ { 16, 1 } })));
    EXPECT_TRUE(MatrixNear(VarMaxExponent(IntMat({ { 48 } }), 0, true).matrix, Mat({ { 0 } })));
    EXPECT_EQ(VarMaxExponent(Str("8"), 2, false).shape, shEmpty);
    EXPECT_EQ(VarMultiplicativeOrder(Int(36), tVariable {}).intvalue, 12);
    EXPECT_EQ(VarMultiplicativeOrder(Int(7), Int(0)).intvalue, 6);
    EXPECT_EQ(VarMultiplicativeOrder(Int(7), Int(2)).intvalue, 3);
    EXPECT_EQ(VarMultiplicativeOrder(Int(7), Int(3)).intvalue, 6);
    EXPECT_EQ(VarMultiplicativeOrder(Int(2147483647), Int(16807)).intvalue, 2147483646);
    EXPECT_EQ(VarMultiplicativeOrder(Int(12), Int(4)).intvalue, 0); // not coprime
    EXPECT_EQ(VarMultiplicativeOrder(Int(-3), tVariable {}).intvalue, 0);
}

} // namespace
} // namespace zelvora
