// CSV: number texts and separators of the writers, free and shaped reading, failures.
#include "format_test_support.h"
#include "formats/csv_format.h"
#include "variables/variable.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

namespace zelvora {
namespace {

using testing::FormatFileTest;
using CsvTest = FormatFileTest;

trealmatrix Matrix(std::initializer_list<std::initializer_list<long double>> rows)
{
    trealmatrix m(
        static_cast<std::int32_t>(rows.size()), static_cast<std::int32_t>(rows.begin()->size()));
    std::int32_t r = 0;
    for (const auto& row : rows) {
        ++r;
        std::int32_t c = 0;
        for (long double x : row)
            m(r, ++c) = x;
    }
    return m;
}

std::string Digits18(long double x)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.17Le", x);
    return text;
}

TEST_F(CsvTest, WritesNumberTextsWithSeparators)
{
    const trealmatrix m = Matrix({ { 1, 2 }, { 3, 4 } });
    ASSERT_TRUE(CsvWrite(m, PathOf("a.csv"), -1, -2, "T.").Ok);
    EXPECT_EQ(ReadBytes(PathOf("a.csv")), " 1.0E+0000\t 2.0E+0000\r\n 3.0E+0000\t 4.0E+0000\r\n");

    ASSERT_TRUE(CsvWrite(m, PathOf("b.csv"), 6, 2, ";,").Ok);
    EXPECT_EQ(ReadBytes(PathOf("b.csv")), "  1,00;  2,00\r\n  3,00;  4,00\r\n");

    // A one-character option keeps '.'; "t" is a tab as well; width 14 gives 6 digits.
    ASSERT_TRUE(CsvWrite(Matrix({ { -12345, 0.5L } }), PathOf("c.csv"), 14, -1, "t").Ok);
    EXPECT_EQ(ReadBytes(PathOf("c.csv")), "-1.23450E+0004\t 5.00000E-0001\r\n");
}

// ExactDecimals writes the fewest digits that read back to the same long double.
TEST_F(CsvTest, ExactDecimalsKeepEveryDigit)
{
    std::mt19937_64 random(33);
    std::uniform_real_distribution<double> mantissa(-1, 1);
    std::uniform_int_distribution<int> exponent(-4900, 4900);
    trealmatrix m(40, 25);
    for (std::int32_t r = 1; r <= m.Rows(); ++r) {
        for (std::int32_t c = 1; c <= m.Cols(); ++c)
            m(r, c)
                = std::ldexp(static_cast<long double>(mantissa(random)) / 3, exponent(random) / 3)
                * (1 + 1e-19L * c);
    }
    m(1, 1) = 1.0L / 3;
    m(1, 2) = 1;
    m(1, 3) = -0.1L;
    m(1, 4) = MissingValue();
    ASSERT_TRUE(CsvWrite(m, PathOf("x.csv"), -1, ExactDecimals, "T.").Ok);
    const std::string text = ReadBytes(PathOf("x.csv"));
    EXPECT_EQ(text.substr(0, text.find('\t')), " 3.3333333333333333334E-0001");
    EXPECT_NE(text.find("\t 1.0E+0000\t-1.0E-0001\t"), std::string::npos);
    const tMatrixReadResult read = CsvRead(PathOf("x.csv"), "");
    ASSERT_TRUE(read.Ok);
    EXPECT_EQ(read.Matrix, m);
    // One digit fewer than written does not read back: the text is the shortest.
    long double shorter = 0;
    ASSERT_TRUE(ParsePointNumber("3.333333333333333333E-0001", &shorter));
    EXPECT_NE(shorter, 1.0L / 3);
    // The decimal separator of the option applies here too.
    ASSERT_TRUE(CsvWrite(Matrix({ { 0.5L } }), PathOf("k.csv"), -1, ExactDecimals, ";,").Ok);
    EXPECT_EQ(ReadBytes(PathOf("k.csv")), " 5,0E-0001\r\n");
}

TEST_F(CsvTest, StringMatrixColumnsArePaddedToTheirLongestElement)
{
    tStringmatrix s(2, 2);
    s(1, 1) = "a";
    s(1, 2) = "lang";
    s(2, 1) = "\xE4\xF6\xFC";
    s(2, 2) = "b";
    ASSERT_TRUE(StringCsvWrite(s, PathOf("s.csv"), ";").Ok);
    EXPECT_EQ(ReadBytes(PathOf("s.csv")), "a  ;lang\r\n\xE4\xF6\xFC;b   \r\n");
}

TEST_F(CsvTest, ClipboardTakesTheSameText)
{
    ASSERT_TRUE(CsvWrite(Matrix({ { 1 } }), "clip", 4, 1, "T.", &clipboard).Ok);
    EXPECT_EQ(clipboard.Content, " 1.0\r\n");
    EXPECT_FALSE(std::filesystem::exists("clip"));
}

TEST_F(CsvTest, FreeFormTakesColumnsFromTheFirstLine)
{
    WriteBytes(
        PathOf("f.csv"), "; comment\r\n\r\n  1, -2, .5  \r\n4, x, 6\n; more\n-.5 +3 1E2\n7\n");
    const tMatrixReadResult read = CsvRead(PathOf("f.csv"), "");
    ASSERT_TRUE(read.Ok);
    ASSERT_EQ(read.Matrix.Dims(), (tMatDims { 4, 3 }));
    EXPECT_EQ(read.Matrix(1, 1), 1);
    EXPECT_EQ(read.Matrix(1, 2), -2);
    EXPECT_EQ(read.Matrix(1, 3), 0.5L);
    EXPECT_EQ(read.Matrix(2, 1), 4);
    EXPECT_EQ(read.Matrix(2, 2), MissingValue());
    EXPECT_EQ(read.Matrix(2, 3), 6);
    // Tokens sit at the first line's positions 0, 2, 4: "-.5", "+3" and "1E2" fill only two.
    EXPECT_EQ(read.Matrix(3, 1), -0.5L);
    EXPECT_EQ(read.Matrix(3, 2), 100);
    EXPECT_EQ(read.Matrix(3, 3), MissingValue());
    EXPECT_EQ(read.Matrix(4, 1), 7);
    EXPECT_EQ(read.Matrix(4, 2), MissingValue());
}

TEST_F(CsvTest, RoundTripKeepsEighteenDigitsOnLongLines)
{
    trealmatrix m(3, 20);
    for (std::int32_t r = 1; r <= 3; ++r) {
        for (std::int32_t c = 1; c <= 20; ++c)
            m(r, c) = std::pow(-1.0L, c) * std::sqrt(static_cast<long double>(r * 97 + c))
                * std::pow(10.0L, (c - 10) * 37);
    }
    m(2, 5) = 0;
    m(3, 7) = 1.0L / 3;
    ASSERT_TRUE(CsvWrite(m, PathOf("m.csv"), 26, -1, "T.").Ok);
    const tMatrixReadResult read = CsvRead(PathOf("m.csv"), "");
    ASSERT_TRUE(read.Ok);
    ASSERT_EQ(read.Matrix.Dims(), m.Dims());
    for (std::int32_t r = 1; r <= 3; ++r) {
        for (std::int32_t c = 1; c <= 20; ++c)
            EXPECT_EQ(Digits18(read.Matrix(r, c)), Digits18(m(r, c))) << r << "," << c;
    }
}

TEST_F(CsvTest, HeaderLineEmptyCellsAndRaggedRows)
{
    WriteBytes(
        PathOf("h.csv"), "Name; Alter; Gewicht\r\n1;2;3\r\n7;;9\r\n; note\r\n4;5\r\n1;2;3;4\r\n");
    const tMatrixReadResult read = CsvRead(PathOf("h.csv"), "");
    ASSERT_TRUE(read.Ok);
    ASSERT_EQ(read.Matrix.Dims(), (tMatDims { 4, 3 }));
    EXPECT_EQ(read.Matrix(1, 3), 3);
    EXPECT_EQ(read.Matrix(2, 1), 7);
    EXPECT_EQ(read.Matrix(2, 2), MissingValue());
    EXPECT_EQ(read.Matrix(2, 3), 9);
    EXPECT_EQ(read.Matrix(3, 3), MissingValue());
    EXPECT_EQ(read.Matrix(4, 3), 3);
    // The first row of another length is named by its line in the file.
    EXPECT_EQ(read.Warning,
        "CSVDatei: Zeile 5 von \"" + PathOf("h.csv") + "\" hat 2 Zellen, die erste Zeile 3");

    // An empty cell in the first line makes a column of its own; a lone line of words stays a row.
    WriteBytes(PathOf("e.csv"), "7,,9\n1,2,3\n");
    const tMatrixReadResult empty = CsvRead(PathOf("e.csv"), "");
    ASSERT_EQ(empty.Matrix.Dims(), (tMatDims { 2, 3 }));
    EXPECT_EQ(empty.Matrix(1, 2), MissingValue());
    EXPECT_EQ(empty.Matrix(1, 3), 9);
    EXPECT_TRUE(empty.Warning.empty());
    WriteBytes(PathOf("w.csv"), "a,b\n");
    EXPECT_EQ(CsvRead(PathOf("w.csv"), "").Matrix.Dims(), (tMatDims { 1, 0 }));
}

// A German spreadsheet's file (';' between cells, ',' as decimal sign) is recognised from the whole
// file, even when its first lines hold no comma; a row whose first cell is empty begins with ';'.
TEST_F(CsvTest, GermanSpreadsheetFormReadsDecimalCommas)
{
    WriteBytes(PathOf("de.csv"), "1;2\r\n1,5;2,25\r\n3;-4,75\r\n;8\r\n");
    const tMatrixReadResult read = CsvRead(PathOf("de.csv"), "");
    ASSERT_TRUE(read.Ok);
    EXPECT_EQ(
        read.Matrix, Matrix({ { 1, 2 }, { 1.5L, 2.25L }, { 3, -4.75L }, { MissingValue(), 8 } }));
    EXPECT_TRUE(read.Warning.empty()) << read.Warning;

    // Points that group thousands are passed over; a comment line (no number) stays a comment.
    WriteBytes(PathOf("t.csv"), ";Umsatz je Monat\r\n1.234,5;-12.500\r\n2,5;1.5\r\n");
    EXPECT_EQ(CsvRead(PathOf("t.csv"), "").Matrix, Matrix({ { 1234.5L, -12500 }, { 2.5L, 1.5L } }));

    // A comma inside quoted text is no evidence either way.
    WriteBytes(PathOf("n.csv"), "\"Meier, Hans\";1,5\r\n\"Rot, Blau\";2\r\n");
    const tMatrixReadResult named = CsvRead(PathOf("n.csv"), "");
    EXPECT_EQ(named.Matrix, Matrix({ { 1.5L }, { 2 } }));
    EXPECT_TRUE(named.Warning.empty()) << named.Warning;

    // Semicolons without commas, and commas without semicolons, keep the point form.
    WriteBytes(PathOf("p.csv"), "1.5;2\r\n3,4.5\r\n");
    EXPECT_EQ(CsvRead(PathOf("p.csv"), "").Matrix, Matrix({ { 1.5L, 2 }, { 3, 4.5L } }));

    // Evidence on both sides: the larger share decides and the warning says which reading.
    WriteBytes(PathOf("mixed.csv"), "1,5;2,5\r\n3,25;1,2,3\r\n");
    const tMatrixReadResult mixed = CsvRead(PathOf("mixed.csv"), "");
    EXPECT_EQ(mixed.Matrix(1, 1), 1.5L);
    EXPECT_EQ(mixed.Matrix(2, 2), MissingValue());
    EXPECT_EQ(mixed.Warning,
        "CSVDatei: \"" + PathOf("mixed.csv")
            + "\" ist nicht eindeutig; gelesen mit ';' als Trenner und ',' als Dezimalzeichen "
              "(Zeile 2 passt nicht dazu)");
    WriteBytes(PathOf("point.csv"), "1,2,3;4\r\n5,6,7;8\r\n1,5;9\r\n");
    const tMatrixReadResult point = CsvRead(PathOf("point.csv"), "");
    EXPECT_EQ(point.Matrix.Dims(), (tMatDims { 3, 4 }));
    EXPECT_NE(point.Warning.find("gelesen mit ',' und ';' als Trenner"), std::string::npos)
        << point.Warning;
}

TEST_F(CsvTest, QuotedCellsAreNumbersOrMissingWithAWarning)
{
    WriteBytes(PathOf("q.csv"), "\"1\",\"2\"\n3,4\n\"x\",\" 5 \"\n\"\",\"7\"\n");
    const tMatrixReadResult read = CsvRead(PathOf("q.csv"), "");
    ASSERT_TRUE(read.Ok);
    EXPECT_EQ(
        read.Matrix, Matrix({ { 1, 2 }, { 3, 4 }, { MissingValue(), 5 }, { MissingValue(), 7 } }));
    EXPECT_EQ(read.Warning,
        "CSVDatei: Zeile 3 von \"" + PathOf("q.csv")
            + "\": der Text \"x\" ist keine Zahl und fehlt als Wert");
    // Quotes in the German form, with a separator inside the quotes.
    WriteBytes(PathOf("qde.csv"), "\"1,5\";\"a;b\";2\n3;4;5,5\n");
    const tMatrixReadResult german = CsvRead(PathOf("qde.csv"), "");
    // The quoted text fixes no column; its separator inside the quotes cuts nothing.
    EXPECT_EQ(german.Matrix, Matrix({ { 1.5L, 2 }, { 3, 5.5L } }));
}

TEST_F(CsvTest, HeaderNamesBelongToTheirColumns)
{
    WriteBytes(PathOf("h.csv"), "\"Name\";\"Alter\";Gewicht\r\n1;2,5;\r\n;4;5,5\r\n");
    const tMatrixReadResult read = CsvRead(PathOf("h.csv"), "");
    ASSERT_EQ(read.Matrix.Dims(), (tMatDims { 2, 3 }));
    EXPECT_EQ(read.Matrix(1, 3), MissingValue());
    EXPECT_EQ(read.Matrix(2, 1), MissingValue());
    EXPECT_EQ(read.Matrix(2, 3), 5.5L);
    ASSERT_EQ(read.Names.Dims(), (tMatDims { 1, 3 }));
    EXPECT_EQ(read.Names(1, 1), "Name");
    EXPECT_EQ(read.Names(1, 2), "Alter");
    EXPECT_EQ(read.Names(1, 3), "Gewicht");
    // Without a header line the names are empty texts.
    WriteBytes(PathOf("n.csv"), "1 2\n");
    const tMatrixReadResult plain = CsvRead(PathOf("n.csv"), "");
    ASSERT_EQ(plain.Names.Dims(), (tMatDims { 1, 2 }));
    EXPECT_EQ(plain.Names(1, 1), "");
}

// Lines of plain numbers are read without the scanner; a word at the end of each line sends the
// same numbers through the scanner, and both must give the same bits.
TEST_F(CsvTest, PlainLinesGiveTheScannersValues)
{
    std::mt19937 random(14);
    const auto digits = [&](int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += static_cast<char>('0' + random() % 10);
        return text;
    };
    const std::vector<std::string> separators = { ",", ";", " ", "\t", " , ", ";\t" };
    std::string plain;
    std::string scanned;
    for (int line = 0; line < 200; ++line) {
        std::string text;
        for (int cell = 0; cell < 6; ++cell) {
            std::string number = std::vector<std::string> { "", "-", "+" }[random() % 3]
                + digits(1 + random() % 20);
            if (random() % 2)
                number += "." + digits(1 + random() % 22);
            if (random() % 2)
                number += std::string(random() % 2 ? "E" : "e")
                    + std::vector<std::string> { "", "-", "+" }[random() % 3]
                    + digits(1 + random() % 4);
            text += (cell > 0 ? separators[static_cast<std::size_t>(line) % separators.size()] : "")
                + number;
        }
        plain += text + "\r\n";
        scanned += text + " x\r\n";
    }
    WriteBytes(PathOf("plain.csv"), plain);
    WriteBytes(PathOf("scanned.csv"), scanned);
    const tMatrixReadResult fast = CsvRead(PathOf("plain.csv"), "");
    const tMatrixReadResult slow = CsvRead(PathOf("scanned.csv"), "");
    ASSERT_TRUE(fast.Ok && slow.Ok);
    ASSERT_EQ(fast.Matrix.Dims(), slow.Matrix.Dims());
    for (std::int32_t r = 1; r <= fast.Matrix.Rows(); ++r) {
        for (std::int32_t c = 1; c <= fast.Matrix.Cols(); ++c)
            EXPECT_EQ(std::memcmp(&fast.Matrix(r, c), &slow.Matrix(r, c), 10), 0) << r << "," << c;
    }
}

TEST_F(CsvTest, NumberTextIntoABufferIsTheNumberText)
{
    std::mt19937_64 random(26);
    char buffer[MatrixNumberBufferSize];
    for (int i = 0; i < 20000; ++i) {
        long double x = std::ldexp(
            static_cast<long double>(random()), static_cast<int>(random() % 400) - 263);
        if (i % 3 == 0)
            x = -x;
        if (i % 97 == 0)
            x = i % 2 ? 0.0L : -0.0L;
        const auto width = static_cast<std::int32_t>(random() % 40) - 2;
        const std::int32_t decimals = i % 2 ? -1 : -2;
        const char separator = i % 5 == 0 ? ',' : '.';
        const std::size_t length = MatrixNumberInto(buffer, x, width, decimals, separator);
        ASSERT_EQ(std::string(buffer, length), MatrixNumberText(x, width, decimals, separator))
            << Digits18(x);
    }
    EXPECT_EQ(
        MatrixNumberInto(buffer, 1.5L, 10, 2, '.'), 0u); // the fixed form takes the string path
    EXPECT_EQ(MatrixNumberInto(buffer, INFINITY, 26, -1, '.'), 0u);
}

TEST_F(CsvTest, ShapedFormLaysValuesIntoTriangles)
{
    WriteBytes(PathOf("t.csv"), "1 2 3\r\n; skipped\r\n4 5 6\r\n");
    const tMatrixReadResult ldy = CsvRead(PathOf("t.csv"), " ldy ");
    ASSERT_TRUE(ldy.Ok);
    EXPECT_EQ(ldy.Matrix, Matrix({ { 1, 2, 4 }, { 2, 3, 5 }, { 4, 5, 6 } }));

    EXPECT_EQ(CsvRead(PathOf("t.csv"), "U").Matrix,
        Matrix({ { 0, 1, 2, 3 }, { 0, 0, 4, 5 }, { 0, 0, 0, 6 }, { 0, 0, 0, 0 } }));
    EXPECT_EQ(
        CsvRead(PathOf("t.csv"), "DU").Matrix, Matrix({ { 1, 2, 3 }, { 0, 4, 5 }, { 0, 0, 6 } }));
    EXPECT_EQ(
        CsvRead(PathOf("t.csv"), "LU").Matrix, Matrix({ { 0, 1, 2 }, { 3, 0, 4 }, { 5, 6, 0 } }));
    EXPECT_EQ(CsvRead(PathOf("t.csv"), "L").Matrix.Dims(), (tMatDims { 4, 4 }));
    EXPECT_EQ(CsvRead(PathOf("t.csv"), "L").Matrix(4, 3), 6);
    const tMatrixReadResult diagonal = CsvRead(PathOf("t.csv"), "D");
    EXPECT_EQ(diagonal.Matrix.Dims(), (tMatDims { 6, 6 }));
    EXPECT_EQ(diagonal.Matrix(6, 6), 6);
    EXPECT_EQ(diagonal.Matrix(6, 5), 0);
    // Five values in a 2 x 2 everything-shape: the fifth has no cell.
    WriteBytes(PathOf("five.csv"), "1 2 3 4 5\n");
    EXPECT_THROW(CsvRead(PathOf("five.csv"), "LDU"), tRangeError);
    // Fewer values than cells leave zeros.
    EXPECT_EQ(CsvRead(PathOf("five.csv"), "DU").Matrix,
        Matrix({ { 1, 2, 3 }, { 0, 4, 5 }, { 0, 0, 0 } }));
}

TEST_F(CsvTest, ShapedFormStopsAtAValueThatDoesNotConvert)
{
    WriteBytes(PathOf("c.csv"), "1,2,3\n");
    const tMatrixReadResult read = CsvRead(PathOf("c.csv"), "LD");
    EXPECT_FALSE(read.Ok);
    EXPECT_EQ(read.Message, "Conversion error with dataelement 1");
    EXPECT_EQ(read.Matrix.Dims(), (tMatDims { 0, 0 }));
}

TEST_F(CsvTest, ReadFailuresSayWhichFile)
{
    const std::string path = PathOf("none.csv");
    const tMatrixReadResult missing = CsvRead(path, "");
    EXPECT_FALSE(missing.Ok);
    EXPECT_EQ(missing.Message,
        "Datei " + path
            + " konnte nicht ge\xF6"
              "ffnet werden");
    // A failed read leaves nothing behind: the next read of a good file succeeds.
    WriteBytes(PathOf("good.csv"), "1 2\n");
    EXPECT_TRUE(CsvRead(PathOf("good.csv"), "").Ok);
}

TEST_F(CsvTest, ReadsTheClipboard)
{
    clipboard.Content = "1\t2\r\n3\t4";
    const tMatrixReadResult read = CsvRead("Clipboard", "", &clipboard);
    ASSERT_TRUE(read.Ok);
    EXPECT_EQ(read.Matrix, Matrix({ { 1, 2 }, { 3, 4 } }));

    clipboard.Content.reset();
    const tMatrixReadResult empty = CsvRead("CLIPBOARD", "", &clipboard);
    EXPECT_FALSE(empty.Ok);
    EXPECT_EQ(empty.Message, "Clipboard has no simple text-contents/format ");
}

TEST_F(CsvTest, ArbitraryBytesGiveMatricesOrReportedFailures)
{
    // Seeded: the same texts on every run. Only the specified range error may escape.
    static constexpr char alphabet[] = "0123456789.,;-+eE 'x\r\n\t\xFC\x01";
    std::uint32_t state = 20240611;
    for (int round = 0; round < 300; ++round) {
        std::string text;
        const int length = static_cast<int>(state % 400);
        for (int i = 0; i < length; ++i) {
            state = state * 1664525u + 1013904223u;
            text += alphabet[(state >> 16) % (sizeof alphabet - 1)];
        }
        WriteBytes(PathOf("r.csv"), text);
        const tMatrixReadResult free = CsvRead(PathOf("r.csv"), "");
        EXPECT_TRUE(free.Ok) << text;
        try {
            const tMatrixReadResult shaped = CsvRead(PathOf("r.csv"), round % 2 ? "LDY" : "U");
            EXPECT_EQ(shaped.Ok, shaped.Message.empty()) << text;
        } catch (const tRangeError&) {
        }
    }
}

} // namespace
} // namespace zelvora
