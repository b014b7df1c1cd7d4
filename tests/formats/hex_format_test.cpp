// HEX: digits of doubles, exact round trips and malformed files.
#include "format_test_support.h"
#include "formats/hex_format.h"

#include <cmath>
#include <limits>

namespace zelvora {
namespace {

using testing::FormatFileTest;
using HexTest = FormatFileTest;

TEST(HexDigits, AreTheDoubleBitsMostSignificantFirst)
{
    EXPECT_EQ(HexDigitsOfDouble(1.0L), "3FF0000000000000");
    EXPECT_EQ(HexDigitsOfDouble(-2.5L), "C004000000000000");
    EXPECT_EQ(HexDigitsOfDouble(0.1L), "3FB999999999999A");
    // Beyond the double range: infinities; below it: zero (the missing-value marker too).
    EXPECT_EQ(HexDigitsOfDouble(1e400L), "7FF0000000000000");
    EXPECT_EQ(HexDigitsOfDouble(-1e400L), "FFF0000000000000");
    EXPECT_EQ(HexDigitsOfDouble(std::numeric_limits<double>::max()), "7FEFFFFFFFFFFFFF");
    EXPECT_EQ(HexDigitsOfDouble(1e-4000L), "0000000000000000");
}

TEST_F(HexTest, RoundTripsDoublesExactly)
{
    const double values[] = { 1.0, -0.0, 0.1, -1.0 / 3, 6.02214076e23, 4.9e-324,
        std::numeric_limits<double>::max(), -std::numeric_limits<double>::infinity() };
    trealmatrix m(2, 4);
    for (std::int32_t i = 0; i < 8; ++i)
        m(i / 4 + 1, i % 4 + 1) = values[i];
    HexWrite(m, PathOf("m.hex"));
    const std::string bytes = ReadBytes(PathOf("m.hex"));
    EXPECT_EQ(bytes.substr(0, 16), "3FF0000000000000");
    EXPECT_EQ(bytes.substr(64, 2), "\r\n");
    const tMatrixReadResult read = HexRead(PathOf("m.hex"));
    ASSERT_TRUE(read.Ok);
    ASSERT_EQ(read.Matrix.Dims(), m.Dims());
    for (std::int32_t i = 0; i < 8; ++i) {
        const long double x = read.Matrix(i / 4 + 1, i % 4 + 1);
        EXPECT_EQ(x, values[i]);
        EXPECT_EQ(std::signbit(x), std::signbit(values[i]));
    }
}

TEST_F(HexTest, ReadsShortLinesLowerCaseAndStrayCharacters)
{
    // The first line fixes two columns; the second line is short, the third has a stray 'x'.
    WriteBytes(PathOf("s.hex"), "3ff00000000000004000000000000000\n3ff\r\nbff000000000000x\n");
    const tMatrixReadResult read = HexRead(PathOf("s.hex"));
    ASSERT_TRUE(read.Ok);
    ASSERT_EQ(read.Matrix.Dims(), (tMatDims { 3, 2 }));
    EXPECT_EQ(read.Matrix(1, 1), 1);
    EXPECT_EQ(read.Matrix(1, 2), 2);
    EXPECT_EQ(read.Matrix(2, 1), 1);
    EXPECT_EQ(read.Matrix(2, 2), 0);
    EXPECT_EQ(read.Matrix(3, 1), -1);
    // 17 characters make two columns, the second with one digit.
    WriteBytes(PathOf("odd.hex"), "3FF00000000000004\n");
    const tMatrixReadResult odd = HexRead(PathOf("odd.hex"));
    ASSERT_EQ(odd.Matrix.Dims(), (tMatDims { 1, 2 }));
    EXPECT_EQ(odd.Matrix(1, 2), 2);
}

TEST_F(HexTest, MissingOrEmptyFilesFail)
{
    const std::string missing = PathOf("none.hex");
    const tMatrixReadResult notThere = HexRead(missing);
    EXPECT_FALSE(notThere.Ok);
    EXPECT_EQ(notThere.Message,
        "Datei " + missing
            + " konnte nicht ge\xF6"
              "ffnet werden");
    EXPECT_EQ(notThere.Matrix, trealmatrix(1, 1));
    EXPECT_FALSE(HexRead(directory.string()).Ok);

    WriteBytes(PathOf("empty.hex"), "");
    const tMatrixReadResult empty = HexRead(PathOf("empty.hex"));
    EXPECT_FALSE(empty.Ok);
    EXPECT_EQ(empty.Message, "Keine Daten in " + PathOf("empty.hex"));
}

TEST_F(HexTest, AWriteThatFailsIsAFailureWithItsMessage)
{
    const std::string path = PathOf("missing/m.hex");
    const tFormatResult result = HexWrite(trealmatrix(1, 1), path);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, "Datei " + path + " konnte nicht geschrieben werden");
}

} // namespace
} // namespace zelvora
