// The number-text reader: exactly its view, the accepted forms, and the limits of long double.
#include "numerics/decimal_text.h"

#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

long double Read(std::string_view text)
{
    long double value = -1;
    EXPECT_EQ(ReadDecimal(text, value), tDecimalRead::Number) << text;
    return value;
}

TEST(DecimalText, ReadsNoBytePastItsView)
{
    // The bytes after each view would continue the number if they were read.
    const std::string buffer = "4.57e3 12";
    EXPECT_EQ(Read(std::string_view(buffer).substr(0, 3)), 4.5L);
    EXPECT_EQ(Read(std::string_view(buffer).substr(0, 1)), 4.0L);
    EXPECT_EQ(Read(std::string_view(buffer).substr(7, 1)), 1.0L);
    // A view that ends inside an exponent is no number.
    long double value = 0;
    EXPECT_EQ(ReadDecimal(std::string_view(buffer).substr(0, 5), value), tDecimalRead::NotANumber);
    // Long texts are read whole as well.
    const std::string longText = "0." + std::string(100, '0') + "1";
    EXPECT_EQ(Read(longText), 1e-101L);
}

TEST(DecimalText, AcceptsDecimalFormsOnly)
{
    EXPECT_EQ(Read("-12.5"), -12.5L);
    EXPECT_EQ(Read(".5"), 0.5L);
    EXPECT_EQ(Read("5."), 5.0L);
    EXPECT_EQ(Read("1E+3"), 1000.0L);
    EXPECT_EQ(Read("0.1"), 0.1L); // rounded as the compiler rounds the literal
    for (const char* text : { "", "-", ".", "+1", " 1", "1 ", "1,5", "inf", "nan", "0x10", "1e",
             "1e+", "--1", "1.2.3", "e5" }) {
        long double value = 0;
        EXPECT_EQ(ReadDecimal(text, value), tDecimalRead::NotANumber) << text;
    }
    EXPECT_EQ(DecimalLength("12.5e3;7"), 6u);
    EXPECT_EQ(DecimalLength("12e;"), 2u);
    EXPECT_EQ(DecimalLength("x1"), 0u);
}

TEST(DecimalText, ReportsNumbersBeyondTheRange)
{
    long double value = 0;
    EXPECT_EQ(ReadDecimal("1e5000", value), tDecimalRead::OutOfRange);
    EXPECT_TRUE(std::isinf(value));
    EXPECT_EQ(ReadDecimal("-1e-5000", value), tDecimalRead::OutOfRange);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(Read("1e4000"), 1e4000L); // within the 80-bit range, beyond double's
}

} // namespace
} // namespace zelvora
