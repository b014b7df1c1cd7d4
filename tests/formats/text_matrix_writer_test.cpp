// WriteMatrixFile: codes and messages by value and type, the PARI and LAD texts.
#include "format_test_support.h"
#include "formats/lad_format.h"
#include "formats/text_matrix_writer.h"
#include "variables/variable.h"

namespace zelvora {
namespace {

using testing::FormatFileTest;
using WriterTest = FormatFileTest;

trealmatrix Counting(std::int32_t rows, std::int32_t cols)
{
    trealmatrix m(rows, cols);
    for (std::int32_t r = 1; r <= rows; ++r) {
        for (std::int32_t c = 1; c <= cols; ++c)
            m(r, c) = (r - 1) * cols + c;
    }
    return m;
}

tVariable RealValue(trealmatrix m)
{
    tVariable v;
    VarSetMatrix(v, std::move(m), tgPlain);
    return v;
}

TEST_F(WriterTest, CodesByValueAndType)
{
    const tVariable numbers = RealValue(Counting(2, 2));
    tMatrixWriteResult result = WriteMatrixFile(numbers, "XYZ", PathOf("a"));
    EXPECT_EQ(result.Code, WriteUnknownType);
    EXPECT_EQ(result.Message,
        "Unbekannter Dateityp f\xFCr numerische Matrizen .Erlaubt: CSV() OXF() BIN() HEX() LAD() "
        "BMP() RTF()");

    tVariable strings;
    VarSetStrMatrix(strings, tStringmatrix(1, 1), tgLogical);
    result = WriteMatrixFile(strings, "HEX", PathOf("a"));
    EXPECT_EQ(result.Code, WriteUnknownType);
    EXPECT_EQ(result.Message, "Unbekannter Dateityp f\xFCr Stringmatrizen .Erlaubt: CSV()");

    tVariable booleans;
    VarSetBoolMatrix(booleans, Counting(1, 1), tgLogical);
    result = WriteMatrixFile(booleans, "CSV", PathOf("a"));
    EXPECT_EQ(result.Code, 203);
    EXPECT_EQ(
        result.Message, "Nur Stringmatrizen oder numerische Matrizen k\xF6nnen ausgegeben werden");

    tVariable range;
    const std::int32_t bounds[] = { 1, 5 };
    VarSetRange(range, bounds);
    result = WriteMatrixFile(range, "CSV", PathOf("a"));
    EXPECT_EQ(result.Code, 202);
    EXPECT_EQ(result.Message, "Nur Matrizen k\xF6nnen ausgegeben werden");
    tVariable scalar;
    VarSetReal(scalar, 1);
    EXPECT_EQ(WriteMatrixFile(scalar, "CSV", PathOf("a")).Code, 202);
    EXPECT_FALSE(std::filesystem::exists(PathOf("a")));
}

TEST_F(WriterTest, FactorFileLabelsAreCheckedAndWritten)
{
    const tVariable numbers = RealValue(Counting(4, 2));
    const tStringmatrix threeRows(3, 2);
    tMatrixWriteResult result
        = WriteMatrixFile(numbers, "OXF", PathOf("f.oxf"), -1, -2, "T.", &threeRows);
    EXPECT_EQ(result.Code, 202);
    EXPECT_EQ(result.Message, "Zeilzahl in Labelsmatrix ist 3 und in Daten ist 4");
    const tStringmatrix threeColumns(4, 3);
    result = WriteMatrixFile(numbers, "oxf", PathOf("f.oxf"), -1, -2, "T.", &threeColumns);
    EXPECT_EQ(result.Code, 203);
    EXPECT_EQ(result.Message, "Spaltenzahl in Labelsmatrix mu\xDF 2 sein (ist 3)");
    EXPECT_FALSE(std::filesystem::exists(PathOf("f.oxf")));
    tStringmatrix labels(4, 2);
    labels(4, 1) = "Letzte";
    ASSERT_TRUE(WriteMatrixFile(numbers, "Oxf", PathOf("f.oxf"), -1, -2, "T.", &labels).Ok());
    EXPECT_NE(ReadBytes(PathOf("f.oxf")).find("\x06Letzte"), std::string::npos);
}

TEST_F(WriterTest, BinaryTypesReportFilesNotWritten)
{
    const tVariable numbers = RealValue(Counting(3, 2));
    for (const char* type : { "OXF", "BIN", "BMP" }) {
        EXPECT_TRUE(WriteMatrixFile(numbers, type, PathOf("f")).Ok()) << type;
        const tMatrixWriteResult result = WriteMatrixFile(numbers, type, PathOf("none/f"));
        EXPECT_EQ(result.Code, WriteFailed) << type;
        EXPECT_NE(result.Message.find(PathOf("none/f")), std::string::npos) << type;
    }
    const tMatrixWriteResult result = WriteMatrixFile(numbers, "RTF", PathOf("f"));
    EXPECT_EQ(result.Code, WriteTypeUnavailable);
    EXPECT_EQ(result.Message,
        "Der Dateityp RTF ist in dieser Ausgabe noch nicht verf\xFC"
        "gbar");
}

TEST_F(WriterTest, WritesEveryTextTypeAndReportsFailedWrites)
{
    tVariable integers;
    VarSetIntMatrix(integers, Counting(1, 2), tgPlain);
    ASSERT_TRUE(WriteMatrixFile(integers, "csv", PathOf("i.csv"), 3, 0, ";").Ok());
    EXPECT_EQ(ReadBytes(PathOf("i.csv")), "  1;  2\r\n");
    ASSERT_TRUE(WriteMatrixFile(integers, "HEX", PathOf("i.hex")).Ok());
    EXPECT_EQ(ReadBytes(PathOf("i.hex")), "3FF00000000000004000000000000000\r\n");

    tVariable strings;
    tStringmatrix s(1, 2);
    s(1, 1) = "x";
    s(1, 2) = "y";
    VarSetStrMatrix(strings, s, tgLogical);
    ASSERT_TRUE(WriteMatrixFile(strings, "CSV", PathOf("s.csv")).Ok());
    EXPECT_EQ(ReadBytes(PathOf("s.csv")), "x\ty\r\n");

    const std::string unwritable = PathOf("missing/a.csv");
    const tMatrixWriteResult failed = WriteMatrixFile(integers, "CSV", unwritable);
    EXPECT_EQ(failed.Code, WriteFailed);
    EXPECT_EQ(failed.Message, "Datei " + unwritable + " konnte nicht geschrieben werden");
    EXPECT_EQ(WriteMatrixFile(strings, "CSV", unwritable).Code, WriteFailed);
    EXPECT_EQ(WriteMatrixFile(integers, "PARI", unwritable).Code, WriteFailed);
    EXPECT_EQ(WriteMatrixFile(integers, "LAD", unwritable).Code, WriteFailed);
    EXPECT_EQ(WriteMatrixFile(integers, "HEX", unwritable).Code, WriteFailed);
    // Messages stay within 255 bytes however long the name.
    EXPECT_EQ(WriteMatrixFile(integers, "CSV", PathOf(std::string(300, 'n') + "/a")).Message.size(),
        255u);
}

TEST_F(WriterTest, PariTextForFilesAndTheClipboard)
{
    const tVariable numbers = RealValue(Counting(2, 2));
    ASSERT_TRUE(WriteMatrixFile(numbers, "PARI", PathOf("m.gp"), 0, 1, "T.").Ok());
    EXPECT_EQ(ReadBytes(PathOf("m.gp")), "{[1.0,2.0;3.0,4.0];}\r\n");
    ASSERT_TRUE(WriteMatrixFile(numbers, "PARI", "Clip", 0, 1, "T.", nullptr, &clipboard).Ok());
    EXPECT_EQ(clipboard.Content, "{clip= [1.0,2.0;3.0,4.0];}");
    ASSERT_TRUE(WriteMatrixFile(numbers, "PARI", "CLIP", -1, -1, "M=", nullptr, &clipboard).Ok());
    EXPECT_EQ(clipboard.Content, "{M= [ 1.0E+0000, 2.0E+0000; 3.0E+0000, 4.0E+0000];}");
    clipboard.Available = false;
    const tMatrixWriteResult refused = WriteMatrixFile(numbers, "PARI", "CLIP", DefaultWriteWidth,
        DefaultWriteDecimals, DefaultWriteTextOption, nullptr, &clipboard);
    EXPECT_EQ(refused.Code, WriteFailed);
    EXPECT_EQ(refused.Message, "Keine Zwischenablage verf\xFCgbar");
    // Without a clipboard (a front end that has none) the text goes nowhere and says so.
    EXPECT_EQ(WriteMatrixFile(numbers, "CSV", "CLIP").Code, WriteFailed);
}

TEST_F(WriterTest, LoadingsFileKeepsAtMostFifteenRowsAndColumns)
{
    trealmatrix m(16, 16);
    m(1, 1) = 0.5L;
    m(1, 2) = -0.25L;
    m(16, 1) = 9;
    LadWrite(m, PathOf("m.lad"));
    const std::string text = ReadBytes(PathOf("m.lad"));
    std::string expectedFirstRow = std::string(17, ' ') + "Zeile 1 0.50000-0.25000";
    for (int c = 3; c <= 15; ++c)
        expectedFirstRow += " 0.00000";
    EXPECT_EQ(text.substr(0, 30), "OX(ANIM):FACTORLOADINGS.  15\r\n");
    EXPECT_EQ(text.substr(30, expectedFirstRow.size() + 2), expectedFirstRow + "\r\n");
    EXPECT_NE(text.find(std::string(16, ' ') + "Zeile 15 0.00000"), std::string::npos);
    EXPECT_EQ(text.find("Zeile 16"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 5), "-  \r\n");
    EXPECT_EQ(text.size(), 30 + 15 * (24 + 15 * 8 + 2) + 5);
}

// A loading wider than its fixed field of 8 would run into its neighbour: nothing is written.
TEST_F(WriterTest, LoadingsFileRefusesANumberWiderThanItsField)
{
    WriteBytes(PathOf("w.lad"), "old");
    trealmatrix m(1, 3);
    m(1, 1) = 0.5L;
    m(1, 2) = 123.456L;
    const tMatrixWriteResult wide = WriteMatrixFile(RealValue(m), "LAD", PathOf("w.lad"));
    EXPECT_EQ(wide.Code, WriteFailed);
    EXPECT_EQ(wide.Message,
        "LAD: die Zahl 123.45600 in Zeile 1, Spalte 2 passt nicht in ihr Feld von 8 Zeichen");
    EXPECT_EQ(ReadBytes(PathOf("w.lad")), "old");
    m(1, 2) = -9.5L; // eight characters fill the field exactly
    EXPECT_TRUE(WriteMatrixFile(RealValue(m), "LAD", PathOf("w.lad")).Ok());
}

TEST_F(WriterTest, PariKeepsEveryDigitWithExactDecimals)
{
    trealmatrix m(1, 2);
    m(1, 1) = 2.0L / 3;
    m(1, 2) = 4;
    ASSERT_TRUE(
        WriteMatrixFile(RealValue(m), "PARI", PathOf("e.gp"), -1, ExactDecimals, "T.").Ok());
    EXPECT_EQ(ReadBytes(PathOf("e.gp")), "{[ 6.666666666666666667E-0001, 4.0E+0000];}\r\n");
    long double back = 0;
    ASSERT_TRUE(ParsePointNumber("6.666666666666666667E-0001", &back));
    EXPECT_EQ(back, 2.0L / 3);
}

} // namespace
} // namespace zelvora
