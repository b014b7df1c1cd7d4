// Cell formats, the general format and the numbers of text renderings.
#include "variables/number_format.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using NumberFormatTest = ::testing::Test;

tTextLayout CellLayout(std::int32_t kind, std::int32_t width, std::int32_t decimals)
{
    tTextLayout layout;
    layout.CellKind = kind;
    layout.CellWidth = width;
    layout.CellDecimals = decimals;
    return layout;
}

TEST_F(NumberFormatTest, DefaultCellsAreFixedRightAligned)
{
    const tTextLayout layout = DefaultCopyLayout();
    EXPECT_EQ(FormatRealCell(layout, 3.14159L, '.'), "   3.142");
    EXPECT_EQ(FormatIntCell(layout, 42), "      42");
    EXPECT_EQ(FormatRealCell(layout, -1234567.5L, '.'), "-1234567.500");
    EXPECT_EQ(FormatRealCell(layout, 3.14159L, ','), "   3,142");
    EXPECT_EQ(FormatRealCell(CellLayout(3, 0, 2), -0.002L, ','), "-2,0E-003");
}

TEST_F(NumberFormatTest, ExponentAndGeneralCells)
{
    EXPECT_EQ(FormatRealCell(CellLayout(3, 12, 3), 31415.9L, '.'), "   3.14E+004");
    EXPECT_EQ(FormatRealCell(CellLayout(3, 0, 1), -0.002L, '.'), "-2.E-003");
    EXPECT_EQ(FormatRealCell(CellLayout(3, 0, 2), 1e-300L, '.'), "1.0E-300");
    EXPECT_EQ(FormatRealCell(CellLayout(3, 0, 2), 1e1000L, '.'), "1.0E+1000");

    const tTextLayout general = CellLayout(1, 8, 3);
    EXPECT_EQ(FormatRealCell(general, 3.14159L, '.'), "    3.14");
    EXPECT_EQ(FormatRealCell(general, 100, '.'), "     100");
    EXPECT_EQ(FormatRealCell(general, 999.6L, '.'), "  1E+003");
    EXPECT_EQ(FormatRealCell(general, 1234, '.'), "1.23E+003");
    EXPECT_EQ(FormatRealCell(general, 0.00001L, '.'), " 0.00001");
    EXPECT_EQ(FormatRealCell(general, 0.000001L, '.'), "  1E-006");
    EXPECT_EQ(FormatRealCell(general, 0, '.'), "       0");
    EXPECT_EQ(FormatRealCell(general, -0.5L, '.'), "    -0.5");
}

TEST_F(NumberFormatTest, OtherKindsAndNonFiniteValues)
{
    EXPECT_EQ(FormatRealCell(CellLayout(0, 8, 3), 1, '.'), "");
    EXPECT_EQ(FormatIntCell(CellLayout(4, 8, 3), 1), "");
    const long double inf = std::numeric_limits<long double>::infinity();
    EXPECT_EQ(FormatRealCell(CellLayout(2, 6, 3), -inf, '.'), "  -INF");
    EXPECT_EQ(FormatRealCell(CellLayout(1, 0, 3), std::nanl(""), '.'), "NAN");
    // Layouts out of any sensible range still give bounded texts.
    EXPECT_LE(FormatRealCell(CellLayout(2, 1 << 30, 1 << 30), 1, '.').size(), 400u);
    EXPECT_EQ(BoolText(true), "TRUE");
    EXPECT_EQ(BoolText(false), "FALSE");
}

TEST_F(NumberFormatTest, GeneralTextWithFifteenDigits)
{
    EXPECT_EQ(GeneralText15(0.1L, '.'), "0.1");
    EXPECT_EQ(GeneralText15(1.0L / 3, '.'), "0.333333333333333");
    EXPECT_EQ(GeneralText15(1e20L, '.'), "1E20");
    EXPECT_EQ(GeneralText15(-2.5e-7L, '.'), "-2.5E-7");
    EXPECT_EQ(GeneralText15(123456789012345.0L, '.'), "123456789012345");
    EXPECT_EQ(GeneralText15(1234567890123456.0L, '.'), "1.23456789012346E15");
    EXPECT_EQ(GeneralText15(2.5L, ','), "2,5");
}

TEST_F(NumberFormatTest, TextNumbers)
{
    EXPECT_EQ(TextNumber(2.5L, 8, 2), "    2.50");
    EXPECT_EQ(TextNumber(-2.555L, 3, 1), "-2.6");
    EXPECT_EQ(TextNumber(2.5L, -1, 2), "2.50");
    EXPECT_EQ(TextNumber(2.5L, 0, 0), "2");
    // Exponent form: k = width - 8 digits, limited to 2..18, four exponent digits.
    EXPECT_EQ(TextNumber(1, 8, -1), " 1.0E+0000");
    EXPECT_EQ(TextNumber(-12345, 14, -1), "-1.23450E+0004");
    EXPECT_EQ(TextNumber(0.00012345L, 16, -1), " 1.2345000E-0004");
    EXPECT_EQ(TextNumber(1, std::numeric_limits<std::int32_t>::min(), -3), " 1.0E+0000");
}

} // namespace
} // namespace zelvora

namespace zelvora {
namespace {

// The console's cells: the fixed format where it shows the value, the general format where it
// would show no significant digit or an endless row of digits.
TEST(ReadableRealCellTest, FixedFormatFallsBackWhereItShowsNothingUseful)
{
    const tTextLayout fixed = DefaultCopyLayout(); // fixed, width 8, 3 decimals
    EXPECT_EQ(ReadableRealCell(fixed, 3.14159L, '.'), "   3.142");
    EXPECT_EQ(ReadableRealCell(fixed, 0, '.'), "   0.000");
    EXPECT_EQ(ReadableRealCell(fixed, 0.0006L, '.'), "   0.001"); // rounds to a digit: stays fixed
    EXPECT_EQ(ReadableRealCell(fixed, 1e-20L, '.'), "   1E-20");
    EXPECT_EQ(ReadableRealCell(fixed, -1.23456e-20L, '.'), "-1.23E-20");
    EXPECT_EQ(ReadableRealCell(fixed, 0.0004L, '.'), "  0.0004");
    EXPECT_EQ(ReadableRealCell(fixed, 999999999999999.0L, '.'), "999999999999999.000");
    EXPECT_EQ(ReadableRealCell(fixed, 1e30L, '.'), "    1E30");
    // Other formats and values that are no number are shown as the format says.
    EXPECT_EQ(ReadableRealCell(CellLayout(3, 8, 3), 1e-20L, '.'),
        FormatRealCell(CellLayout(3, 8, 3), 1e-20L, '.'));
    EXPECT_EQ(ReadableRealCell(fixed, std::numeric_limits<long double>::infinity(), '.'),
        FormatRealCell(fixed, std::numeric_limits<long double>::infinity(), '.'));
}

} // namespace
} // namespace zelvora
