// Captions, window sizes and the terminal text of the matrix and scalar windows.
#include "ui/matrix_window_text.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(MatrixWindowTextTest, CaptionNamePartAndCorner)
{
    EXPECT_EQ(CaptionNamePart("A  2x3"), "A");
    EXPECT_EQ(CaptionNamePart("S (Range)"), "S");
    EXPECT_EQ(CaptionNamePart("Name"), "Name");
    EXPECT_EQ(CornerText(3, 4), "3x4");
}

TEST(MatrixWindowTextTest, WindowSizeFollowsTheGridWithinTheShelf)
{
    const tWindowBounds at { 24, 48, 0, 0 };
    const tWindowBounds small = GridWindowBounds(at, { 1000, 1000 }, 36, 56, 16, 3, 4);
    EXPECT_EQ(small, (tWindowBounds { 24, 48, 36 + 57 * 4 + 57, 16 + 17 * 3 + 57 }));
    const tWindowBounds large
        = GridWindowBounds(at, { 1000, 700 }, 36, 56, 16, 2000000000, 2000000000);
    EXPECT_EQ(large, (tWindowBounds { 24, 48, 1000 - 24 - 32, 700 - 48 - 32 }));
    EXPECT_EQ(GridWindowBounds({ 900, 0, 0, 0 }, { 800, 600 }, 36, 56, 16, 1, 1).Width, 0);
}

TEST(MatrixWindowTextTest, ScalarWindowSize)
{
    const tScalarWindowSize size = ScalarWindowSize({ "", "x", "long" }, { 150 }, 3, 16);
    EXPECT_EQ(size.NameColumnWidth, 6 * 4 + 18);
    EXPECT_EQ(size.GridWidth, 42 + 151);
    EXPECT_EQ(size.GridHeight, 4 + 3 * 17);
    EXPECT_EQ(size.ClientWidth, size.GridWidth + 14);
    EXPECT_EQ(size.ClientHeight, size.GridHeight + 8);
}

TEST(MatrixWindowTextTest, MatrixWindowLinesShowAScreenful)
{
    int asked = 0;
    const auto cell = [&asked](std::int32_t r, std::int32_t c) {
        ++asked;
        return std::to_string(r * 100 + c);
    };
    EXPECT_EQ(MatrixWindowLines("A 2x3", 2, 3, cell, 20, 8),
        (std::vector<std::string> {
            "A 2x3", "2x3   1   2   3", "1   101 102 103", "2   201 202 203" }));
    asked = 0;
    const auto lines = MatrixWindowLines("B 1000x1000", 1000, 1000, cell, 2, 2);
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(lines,
        (std::vector<std::string> { "B 1000x1000", "1000x1000   1   2 ...", "1         101 102 ...",
            "2         201 202 ...", "..." }));
    EXPECT_EQ(MatrixWindowLines("E 0x2", 0, 2, cell, 5, 5),
        (std::vector<std::string> { "E 0x2", "0x2 1 2" }));
}

TEST(MatrixWindowTextTest, DataColumnsShareTheWidestWidth)
{
    const auto cell = [](std::int32_t r, std::int32_t c) {
        return r == 2 && c == 1 ? std::string("12345.678") : std::string("1.500");
    };
    EXPECT_EQ(MatrixWindowLines("C 2x2", 2, 2, cell, 20, 8),
        (std::vector<std::string> { "C 2x2", "2x2         1         2", "1       1.500     1.500",
            "2   12345.678     1.500" }));
}

TEST(MatrixWindowTextTest, ScalarWindowLines)
{
    EXPECT_EQ(ScalarWindowLines({ { "x", "1" }, { "long", "TRUE" } }),
        (std::vector<std::string> { "Skalare Variable", "x     1", "long  TRUE" }));
}

} // namespace
} // namespace zelvora
