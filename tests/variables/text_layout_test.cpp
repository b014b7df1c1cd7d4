// Schemes and the rendering of matrix variables as text.
#include "variables/number_format.h"
#include "variables/text_layout.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using TextLayoutTest = ::testing::Test;

tVariable RealMatrix(const std::string& name, std::int32_t rows, std::int32_t cols,
    std::initializer_list<long double> values, std::uint8_t datatype = dtReal)
{
    tVariable v;
    v.name = name;
    v.shape = shMatrix;
    v.datatype = datatype;
    v.tag = tgPlain;
    v.matrix = trealmatrix(rows, cols);
    auto it = values.begin();
    for (std::int32_t r = 1; r <= rows; ++r)
        for (std::int32_t c = 1; c <= cols; ++c)
            v.matrix(r, c) = *it++;
    return v;
}

TEST_F(TextLayoutTest, DefaultCopyLayoutRendersOwnSyntax)
{
    const tVariable a = RealMatrix("A", 2, 2, { 1, 2.5L, 3, 4 });
    EXPECT_EQ(RenderText(a, DefaultCopyLayout(), true),
        " A = {  _ \r\n"
        "     {    1.00,    2.50}, _ \r\n"
        "     {    3.00,    4.00} _ \r\n"
        "     }\r\n");
}

TEST_F(TextLayoutTest, TexAndPariSchemes)
{
    const tVariable b = RealMatrix("B", 2, 3, { 1, 2, 3, 4, 5, 6.5L });
    const tTextLayout tex
        = MakeScheme(SchemeTex, -2, -2, DefaultCopyLayout(), DefaultListingLayout(), ',');
    EXPECT_EQ(RenderText(b, tex, false),
        " \\text{ B =} \\begin{array} {rrr} \r\n"
        "    1,00&    2,00&    3,00\\\\\r\n"
        "    4,00&    5,00&    6,50\r\n"
        "     \\end{array}\r\n");
    const tTextLayout pari
        = MakeScheme(SchemePari, 0, 1, DefaultCopyLayout(), DefaultListingLayout(), ',');
    EXPECT_EQ(pari.DecimalChar, ",");
    EXPECT_TRUE(pari.OmitZeros);
    EXPECT_EQ(RenderText(b, pari, false),
        " { B = [\r\n"
        "1,0,2,0,3,0;\r\n"
        "4,0,5,0,6,5\r\n"
        "     ] }  \r\n");
}

TEST_F(TextLayoutTest, OfficeBarsListingHeaderAndEmptyFrame)
{
    const tVariable a = RealMatrix("A", 1, 2, { 1, -2 });
    tTextLayout office = DefaultCopyLayout();
    ApplyScheme(SchemeOffice, office, '.');
    EXPECT_EQ(RenderText(a, office, true), "     \t|     1,00\t   -2,00 |\r\n\r\n");
    EXPECT_EQ(
        RenderText(a, DefaultListingLayout(), false), "      A : \r\n    1.00\t   -2.00\r\n\r\n");
}

TEST_F(TextLayoutTest, MenuSchemesStayInTheLayout)
{
    tTextLayout copy = DefaultCopyLayout();
    ApplyScheme(SchemeTex, copy, '.');
    ApplyScheme(SchemeZelvora, copy, '.');
    const tVariable a = RealMatrix("A", 1, 1, { 7 });
    EXPECT_EQ(RenderText(a, copy, true).find("begin{array}"), std::string::npos);
    EXPECT_EQ(copy, DefaultCopyLayout());

    ApplyScheme(SchemeCompressed, copy, '.');
    EXPECT_EQ(copy.TextWidth, -1);
    ApplyScheme(SchemeExcel, copy, '.');
    EXPECT_EQ(RenderText(RealMatrix("C", 1, 2, { 1, 22 }), copy, true), "1.00\t22.00\r\n\r\n");
    EXPECT_EQ(copy.CellKind, CellKindFixed);
}

TEST_F(TextLayoutTest, MakeSchemeKeepsWidthsOfItsSource)
{
    tTextLayout copy = DefaultCopyLayout();
    copy.TextWidth = 12;
    copy.BeginLine = "x";
    tTextLayout listing = DefaultListingLayout();
    listing.TextDecimals = 5;
    const tTextLayout print = MakeScheme(SchemePrint, -2, -2, copy, listing, '.');
    EXPECT_EQ(print.TextWidth, 12);
    EXPECT_EQ(print.TextDecimals, 2);
    EXPECT_EQ(print.CellKind, CellKindFixed);
    EXPECT_EQ(print.ColumnSep, "  ");
    EXPECT_EQ(print.BeginLine, "");
    const tTextLayout own = MakeScheme(SchemeListing, 3, -2, copy, listing, '.');
    EXPECT_EQ(own.TextWidth, 3);
    EXPECT_EQ(own.TextDecimals, 5);
    EXPECT_EQ(own.CellKind, 0);
    // "Nix": the copy layout without its begin and end lines.
    const tTextLayout none = MakeScheme(SchemeNumberOfWord("nix"), -2, -2, copy, listing, '.');
    tTextLayout expected = copy;
    expected.BeginLine.clear();
    EXPECT_EQ(none, expected);
    EXPECT_EQ(SchemeNumberOfWord("TEX"), SchemeTex);
    EXPECT_EQ(SchemeNumberOfWord("Spss"), SchemeSpss);
    EXPECT_EQ(SchemeNumberOfWord("Latex"), -1);
}

TEST_F(TextLayoutTest, OptionValues)
{
    EXPECT_EQ(ClampCellWidth(50), 30);
    EXPECT_EQ(ClampCellWidth(0), 1);
    EXPECT_EQ(ClampCellDecimals(-3), 0);
    EXPECT_EQ(ClampCellDecimals(25), 20);
    EXPECT_EQ(CellKindOfWord("fix"), CellKindFixed);
    EXPECT_EQ(CellKindOfWord("Sci"), CellKindExponent);
    EXPECT_EQ(CellKindOfWord("Auto"), CellKindGeneral);
    EXPECT_EQ(CellKindOfWord("Wissenschaft"), CellKindGeneral);
    EXPECT_EQ(CopyColumnSepOfOption("t"), "\t");
    EXPECT_EQ(CopyColumnSepOfOption("Tab"), "Tab");
    EXPECT_EQ(CopyColumnSepOfOption("123456789"), "1234567");
}

TEST_F(TextLayoutTest, StringsBooleansAndExponentNumbers)
{
    tVariable s;
    s.name = "S";
    s.shape = shMatrix;
    s.datatype = dtString;
    s.tag = tgLogical;
    s.strmatrix = tStringmatrix(2, 1);
    s.strmatrix(1, 1) = " ab ";
    s.strmatrix(2, 1) = std::string("a\0cd", 4);
    tTextLayout excel = DefaultCopyLayout();
    ApplyScheme(SchemeExcel, excel, '.');
    EXPECT_EQ(RenderText(s, excel, true),
        "\"  ab\"\r\n\"a\xB9"
        "cd\"\r\n\r\n");
    EXPECT_EQ(RenderText(s, excel, false),
        "  ab\r\na\xB9"
        "cd\r\n\r\n");

    const tVariable b = RealMatrix("L", 1, 2, { 1, 0 }, dtBoolean);
    EXPECT_EQ(RenderText(b, excel, false), "???\t???\r\n\r\n");

    excel.TextDecimals = -1;
    EXPECT_EQ(RenderText(RealMatrix("E", 1, 1, { -3 }), excel, false), "-3.0E+0000\r\n\r\n");
}

TEST_F(TextLayoutTest, ShortStorageRendersEmptyCells)
{
    tVariable range = RealMatrix("R", 1, 1, { 4 });
    range.shape = shRange;
    range.tag = tgRange;
    tTextLayout excel = DefaultCopyLayout();
    ApplyScheme(SchemeExcel, excel, '.');
    EXPECT_EQ(RenderText(range, excel, false), "    4.00\t\r\n\r\n");
    tVariable scalar;
    scalar.shape = shScalar;
    EXPECT_EQ(RenderText(scalar, excel, false), "");
}

} // namespace
} // namespace zelvora
