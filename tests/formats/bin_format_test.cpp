// Binary rows: the record layout, round trips, column counts and short files.
#include "format_test_support.h"
#include "formats/bin_format.h"

#include <cstring>

namespace zelvora {
namespace {

using testing::FormatFileTest;
using BinTest = FormatFileTest;

trealmatrix TwoByThree()
{
    trealmatrix m(2, 3);
    m(1, 1) = 1.0L / 3;
    m(1, 2) = -2.5;
    m(1, 3) = 1e300L;
    m(2, 1) = 5e-129L; // below 1e-128: written as 0
    m(2, 2) = 7;
    m(2, 3) = -1e-100L;
    return m;
}

TEST_F(BinTest, RecordsAndRoundTrip)
{
    const trealmatrix m = TwoByThree();
    ASSERT_TRUE(BinWrite(m, PathOf("m.bin")).Ok);
    const std::string bytes = ReadBytes(PathOf("m.bin"));
    ASSERT_EQ(bytes.size(), 52u);
    EXPECT_EQ(bytes.substr(24, 2), "\r\n");
    EXPECT_EQ(bytes.substr(8, 8), std::string("\0\0\0\0\0\0\x04\xC0", 8)); // -2.5 little-endian
    EXPECT_EQ(bytes.substr(26, 8), std::string(8, '\0'));

    const tMatrixReadResult read = BinRead(PathOf("m.bin"), 3);
    ASSERT_TRUE(read.Ok);
    ASSERT_EQ(read.Matrix.Dims(), (tMatDims { 2, 3 }));
    for (std::int32_t r = 1; r <= 2; ++r) {
        for (std::int32_t c = 1; c <= 3; ++c) {
            const long double expected = r == 2 && c == 1 ? 0 : static_cast<double>(m(r, c));
            EXPECT_EQ(read.Matrix(r, c), expected) << r << "," << c;
        }
    }
    // Two columns: records of 18 bytes cut across the written ones, the last one short.
    const tMatrixReadResult cut = BinRead(PathOf("m.bin"), 2);
    ASSERT_EQ(cut.Matrix.Dims(), (tMatDims { 3, 2 }));
    EXPECT_EQ(cut.Matrix(1, 1), static_cast<double>(m(1, 1)));
    EXPECT_EQ(cut.Matrix(1, 2), -2.5);
}

TEST_F(BinTest, ShortLastRecordLeavesZeros)
{
    std::string bytes(8 * 3 + 2 + 8 + 3, '\0');
    const double one = 1.0;
    std::memcpy(&bytes[26], &one, 8);
    bytes[34] = '\x55'; // the three bytes after the last whole double are no element
    const tMatrixReadResult read = BinParse(bytes, 3);
    ASSERT_EQ(read.Matrix.Dims(), (tMatDims { 2, 3 }));
    EXPECT_EQ(read.Matrix(2, 1), 1);
    EXPECT_EQ(read.Matrix(2, 2), 0);
    EXPECT_EQ(read.Matrix(2, 3), 0);
    EXPECT_EQ(BinParse("", 5).Matrix.Dims(), (tMatDims { 0, 5 }));
}

TEST_F(BinTest, ColumnCountsOutsideTheRecordEndTheRun)
{
    EXPECT_THROW(BinWrite(trealmatrix(1, 1024), PathOf("w.bin")), tRangeError);
    EXPECT_TRUE(BinWrite(trealmatrix(1, 1023), PathOf("w.bin")).Ok);
    for (const std::int32_t columns : { 0, -1, 1024, INT32_MIN })
        EXPECT_THROW(BinRead(PathOf("w.bin"), columns), tRangeError) << columns;
    EXPECT_EQ(BinRead(PathOf("w.bin"), 1023).Matrix.Dims(), (tMatDims { 1, 1023 }));
}

TEST_F(BinTest, FilesThatCannotBeOpened)
{
    const tMatrixReadResult read = BinRead(PathOf("none.bin"), 2);
    EXPECT_FALSE(read.Ok);
    EXPECT_EQ(read.Matrix.Dims(), (tMatDims { 0, 0 }));
    EXPECT_EQ(read.Message,
        "Datei " + PathOf("none.bin")
            + " konnte nicht ge\xF6"
              "ffnet werden");
    const tFormatResult written = BinWrite(TwoByThree(), PathOf("no/dir/m.bin"));
    EXPECT_FALSE(written.Ok);
    EXPECT_EQ(written.Message,
        "Datei " + PathOf("no/dir/m.bin")
            + " konnte nicht ge\xF6"
              "ffnet werden");
}

} // namespace
} // namespace zelvora
