// Bitmaps: the stacked planes written as a picture and read back, and files the reader refuses.
#include "format_test_support.h"
#include "formats/bmp_format.h"

#include <cmath>
#include <cstdint>

namespace zelvora {
namespace {

using testing::FormatFileTest;
using BmpTest = FormatFileTest;

std::uint32_t LittleEndian32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Planes of 2 x 4 stacked into 6 x 4 (and one row more that is ignored).
trealmatrix StackedPlanes()
{
    trealmatrix m(7, 4);
    for (std::int32_t r = 1; r <= 7; ++r) {
        for (std::int32_t c = 1; c <= 4; ++c)
            m(r, c) = 10 * r + c;
    }
    m(1, 1) = 300; // low 8 bits: 44
    m(1, 2) = -1; // 255
    m(2, 1) = 12.9; // truncated: 12
    m(3, 4) = NAN; // 0
    return m;
}

TEST_F(BmpTest, PlanesRoundTrip)
{
    ASSERT_TRUE(BmpWrite(StackedPlanes(), PathOf("p.bmp")).Ok);
    const std::string bytes = ReadBytes(PathOf("p.bmp"));
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(LittleEndian32(bytes, 18), 4u); // width
    EXPECT_EQ(LittleEndian32(bytes, 22), 2u); // height

    const tBmpReadResult read = BmpRead(PathOf("p.bmp"));
    ASSERT_TRUE(read.Ok) << read.Message;
    ASSERT_EQ(read.Red.Dims(), (tMatDims { 2, 4 }));
    const trealmatrix m = StackedPlanes();
    for (std::int32_t y = 1; y <= 2; ++y) {
        for (std::int32_t x = 1; x <= 4; ++x) {
            EXPECT_EQ(read.Green(y, x), y == 1 && x == 4 ? 0 : m(2 + y, x));
            EXPECT_EQ(read.Blue(y, x), m(4 + y, x));
        }
    }
    EXPECT_EQ(read.Red(1, 1), 44);
    EXPECT_EQ(read.Red(1, 2), 255);
    EXPECT_EQ(read.Red(1, 3), 13);
    EXPECT_EQ(read.Red(2, 1), 12);
}

TEST_F(BmpTest, WriterNeedsAPicture)
{
    for (const tMatDims dims : { tMatDims { 2, 5 }, tMatDims { 3, 0 } }) {
        const tFormatResult written = BmpWrite(trealmatrix(dims.rows, dims.cols), PathOf("e.bmp"));
        EXPECT_FALSE(written.Ok);
        EXPECT_EQ(written.Message, "Datei " + PathOf("e.bmp") + " konnte nicht geschrieben werden");
    }
    EXPECT_FALSE(BmpWrite(trealmatrix(3, 1), PathOf("no/dir/e.bmp")).Ok);
}

TEST_F(BmpTest, HostileFilesAreRefused)
{
    EXPECT_EQ(BmpRead(PathOf("none.bmp")).Message,
        "Datei " + PathOf("none.bmp")
            + " konnte nicht ge\xF6"
              "ffnet werden");
    ASSERT_TRUE(BmpWrite(StackedPlanes(), PathOf("p.bmp")).Ok);
    const std::string good = ReadBytes(PathOf("p.bmp"));
    for (std::size_t size = 0; size < 54; ++size) {
        const tBmpReadResult read = BmpParse(good.substr(0, size), "t.bmp");
        EXPECT_FALSE(read.Ok) << size;
        EXPECT_EQ(read.Message, "Datei t.bmp ist keine lesbare BMP-Datei");
        EXPECT_EQ(read.Red.Dims(), (tMatDims { 1, 1 }));
    }
    // Headers claiming more pixels than a file of 78 bytes holds are refused before anything is
    // allocated for them: 5000 x 5000 (which the decoder would fill with zeros) and a million x a
    // million.
    for (const char* size : { "\x88\x13\0\0", "\0\0\x10\0" }) {
        std::string huge = good;
        for (const std::size_t at : { 18, 22 })
            huge.replace(at, 4, std::string(size, 4));
        EXPECT_FALSE(BmpParse(huge, "h.bmp").Ok);
    }
    // A height of -2^31 has no magnitude in 32 bits.
    std::string lowest = good;
    lowest.replace(22, 4, std::string("\0\0\0\x80", 4));
    EXPECT_FALSE(BmpParse(lowest, "l.bmp").Ok);
    // A picture stored in another format is no bitmap.
    EXPECT_FALSE(BmpParse("\x89PNG\r\n\x1A\n", "x.png").Ok);
}

} // namespace
} // namespace zelvora
