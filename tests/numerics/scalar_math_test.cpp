// Safe scalar arithmetic, gcd, rounding and the power rule.
#include "numerics/run_time_error.h"
#include "numerics/scalar_math.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

constexpr long double huge = LDBL_MAX;
constexpr long double inf = std::numeric_limits<long double>::infinity();
constexpr int64_t int64Min = std::numeric_limits<int64_t>::min();

TEST(SafeArithmetic, FallbackOnlyForMathErrors)
{
    EXPECT_EQ(SafeMul(3, 4, -1), 12);
    EXPECT_EQ(SafeMul(huge, 2, -1), -1);
    EXPECT_EQ(SafeMul(inf, 0, -1), -1);
    EXPECT_EQ(SafeMul(inf, 2, -1), inf); // an infinite operand raises nothing
    EXPECT_EQ(SafeMul(1e-4000L, 1e-4000L, -1), 0); // underflow is no error

    EXPECT_EQ(SafeDiv(1, 4, -1), 0.25L);
    EXPECT_EQ(SafeDiv(1, 0, -1), -1);
    EXPECT_EQ(SafeDiv(0, 0, -1), -1);
    EXPECT_EQ(SafeDiv(huge, 0.5L, -1), -1);
}

TEST(SafeArithmetic, IntegerDivisionRoundsBothOperands)
{
    EXPECT_EQ(SafeIntDiv(7.4L, 2.5L, -1), 3); // 7 div 2
    EXPECT_EQ(SafeIntDiv(-7, 2, -1), -3); // toward zero
    EXPECT_EQ(SafeIntMod(-7, 2, -1), -1); // sign of the dividend
    EXPECT_EQ(SafeIntMod(7, -2, -1), 1);
    EXPECT_EQ(SafeIntDiv(2.5L, 1.5L, -1), 1); // ties to even: 2 div 2
    EXPECT_EQ(SafeIntDiv(5, 0.4L, -1), -1); // divisor rounds to 0
    EXPECT_EQ(SafeIntMod(5, 0.4L, -1), -1);
    EXPECT_EQ(SafeIntDiv(1e30L, 3, -1), -1); // not a 64-bit integer
    EXPECT_EQ(SafeIntDiv(static_cast<long double>(int64Min), -1, -1), 9223372036854775808.0L);
    EXPECT_EQ(SafeIntMod(static_cast<long double>(int64Min), -1, -1), 0);
}

TEST(Gcd, RulesInTheirOrder)
{
    EXPECT_EQ(Gcd64(0, -6), -6);
    EXPECT_EQ(Gcd64(-6, 0), -6);
    EXPECT_EQ(Gcd64(-6, 6), -6); // |x| = |y| gives x unchanged
    EXPECT_EQ(Gcd64(-1, 7), 1);
    EXPECT_EQ(Gcd64(-12, 18), 6);
    EXPECT_EQ(Gcd64(12, -18), 6);
    EXPECT_EQ(Gcd64(int64Min, int64Min), int64Min);
    EXPECT_EQ(Gcd64(int64Min, 6), 2);
    EXPECT_EQ(Gcd64(int64Min, int64Min / 2), -(int64Min / 2));
}

TEST(Rounding, TiesToEvenAndRangeErrors)
{
    EXPECT_EQ(RoundToInt32(2.5L), 2);
    EXPECT_EQ(RoundToInt32(3.5L), 4);
    EXPECT_EQ(RoundToInt32(-2.5L), -2);
    EXPECT_EQ(RoundToInt32(2147483647.4L), 2147483647);
    EXPECT_THROW(RoundToInt32(2147483647.5L), tRangeError);
    EXPECT_EQ(RoundToInt32(-2147483648.0L), -2147483648);
    EXPECT_THROW(RoundToInt32(1e300L), tRangeError);
    EXPECT_THROW(RoundToInt32(NAN), tFloatInvalidError);
    EXPECT_EQ(RoundToInt64(-9223372036854775808.0L), int64Min);
    EXPECT_THROW(RoundToInt64(9223372036854775808.0L), tFloatInvalidError);
    EXPECT_THROW(RoundToInt64(inf), tFloatInvalidError);
}

TEST(PowerRule, SpecialCasesAndFaults)
{
    EXPECT_EQ(PowerRule(0, 0), 1);
    EXPECT_EQ(PowerRule(NAN, 0), 1);
    EXPECT_EQ(PowerRule(0, 2.5L), 0);
    EXPECT_EQ(PowerRule(-2, 3), -8);
    EXPECT_EQ(PowerRule(2, -2), 0.25L);
    EXPECT_EQ(PowerRule(3, 40), 12157665459056928801.0L); // exact: 3^40 needs 64 bits
    EXPECT_NEAR(PowerRule(2, 0.5L), std::sqrt(2.0L), 1e-18L);
    EXPECT_THROW(PowerRule(0, -1), tFloatDivisionByZeroError);
    EXPECT_THROW(PowerRule(-8, 1.0L / 3), tFloatInvalidError);
    EXPECT_THROW(PowerRule(10, 5000), tFloatOverflowError);
    EXPECT_THROW(PowerRule(10, -5000), tFloatOverflowError); // 10^5000 overflows before 1/x
    EXPECT_THROW(PowerRule(10, 5000.5L), tFloatOverflowError);
    EXPECT_EQ(PowerRule(0.5L, 100000), 0); // underflow is no error

    long double result = 7;
    EXPECT_EQ(TryPower(-8, 1.0L / 3, &result), tMathFault::Invalid);
    EXPECT_EQ(TryPower(0, -0.5L, &result), tMathFault::DivisionByZero);
}

TEST(MathErrorWatch, ReportsTheWorstFlag)
{
    volatile long double big = huge;
    tMathErrorWatch watch;
    EXPECT_EQ(watch.Fault(), tMathFault::None);
    volatile long double product = big * 2;
    (void)product;
    EXPECT_EQ(watch.Fault(), tMathFault::Overflow);
    EXPECT_THROW(watch.RaiseIfFaulted(), tFloatOverflowError);
    volatile long double zero = 0;
    volatile long double invalid = zero / zero;
    (void)invalid;
    EXPECT_EQ(watch.Fault(), tMathFault::Invalid);
}

} // namespace
} // namespace zelvora
