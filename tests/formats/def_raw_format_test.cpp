// Definition/raw pairs: the listing's marker lines and token positions, fixed columns, and
// listings or data that the reader refuses.
#include "format_test_support.h"
#include "formats/def_raw_format.h"

namespace zelvora {
namespace {

using testing::FormatFileTest;
using DefRawTest = FormatFileTest;

// A listing as the statistics package writes it: two lines per case, three variables.
const std::string Listing = "Statistik-Protokoll\n"
                            "  NUMERIC  steht hier noch vor der Angabe und z\xE4hlt nicht\n"
                            " The write has generated the following data file\n"
                            "\n"
                            "  2 records have been written per case.\n"
                            "  Variable  Rec  Start  -  End\n"
                            "  ALTER     REC 1 COLS 1 - 3 END 3 NUMERIC FORMAT F3 Alter in Jahren\n"
                            "  GEWICHT   REC 1 COLS 5 - 9 END 9 NUMERIC FORMAT F5.1 Gewicht\n"
                            "  PUNKTE    REC 2 COLS 2 - 4 END 4 numeric\n"
                            "  ENDE      REC 2 COLS 1 - 1 END 1 (keine Zahl mehr)\n";

const std::string Data = " 34 72.5\n"
                         " 17\n"
                         "  5\n" // the weight's columns are missing: 0
                         " abc\n" // no number: 0
                         "100  1e2\n"
                         "    \n"
                         "  7\n"; // an incomplete last case is not read

TEST_F(DefRawTest, CasesFromFixedColumns)
{
    const tMatrixReadResult read = DefRawParse(Listing, Data, "a.def", "a.raw");
    ASSERT_TRUE(read.Ok) << read.Message;
    ASSERT_EQ(read.Matrix.Dims(), (tMatDims { 3, 3 }));
    const long double expected[3][3] = { { 34, 72.5, 17 }, { 5, 0, 0 }, { 100, 100, 0 } };
    for (std::int32_t r = 1; r <= 3; ++r) {
        for (std::int32_t c = 1; c <= 3; ++c)
            EXPECT_EQ(read.Matrix(r, c), expected[r - 1][c - 1]) << r << "," << c;
    }
}

TEST_F(DefRawTest, NumbersUseTheLocaleSeparator)
{
    NumericsContext().decimalSeparator = ',';
    const tMatrixReadResult read = DefRawParse(Listing, " 34 72,5\n 17\n", "a.def", "a.raw");
    ASSERT_TRUE(read.Ok);
    EXPECT_EQ(read.Matrix(1, 2), 72.5);
}

TEST_F(DefRawTest, ListingsWithoutADefinitionFail)
{
    const std::string noMarker = "  2 records have been written per case.\n  A REC 1 NUMERIC\n";
    tMatrixReadResult read = DefRawParse(noMarker, Data, "a.def", "a.raw");
    EXPECT_FALSE(read.Ok);
    EXPECT_EQ(read.Message,
        "Datei a.def: keine Angabe \"WRITE HAS GENERATED ... RECORDS HAVE BEEN WRITTEN\"");
    read = DefRawParse(
        "WRITE HAS GENERATED\nzwei RECORDS HAVE BEEN WRITTEN\n", Data, "a.def", "a.raw");
    EXPECT_EQ(read.Message, "Datei a.def: Zeile 2 nennt keine Zahl von S\xE4tzen");
    read
        = DefRawParse("WRITE HAS GENERATED\n1 RECORDS HAVE BEEN WRITTEN\n", Data, "a.def", "a.raw");
    EXPECT_EQ(read.Message, "Datei a.def: keine Variable (NUMERIC)");
    read = DefRawParse(Listing, "", "a.def", "a.raw");
    EXPECT_EQ(read.Message, "Keine Daten in a.raw");
    EXPECT_EQ(read.Matrix.Dims(), (tMatDims { 1, 1 }));
}

TEST_F(DefRawTest, VariablesOutsideTheCaseAreRefused)
{
    const std::string head = "WRITE HAS GENERATED\n2 RECORDS HAVE BEEN WRITTEN\n";
    for (const char* line :
        { "X REC 3 COLS 1 - 2 END 2 NUMERIC", "X REC 0 COLS 1 - 2 END 2 NUMERIC",
            "X REC 1 COLS 0 - 2 END 2 NUMERIC", "X REC 1 COLS 5 - 2 END 2 NUMERIC",
            "X REC 1 COLS F3 - 2 END 2 NUMERIC", "X REC 1 COLS 1 - 2 END 99999999999 NUMERIC" }) {
        const tMatrixReadResult read = DefRawParse(head + line, "1\n2\n", "a.def", "a.raw");
        EXPECT_EQ(read.Message,
            "Datei a.def: Zeile 3 beschreibt keine Variable innerhalb der S\xE4tze und Spalten "
            "eines Falls")
            << line;
    }
    // Columns far beyond the lines read as empty text, without padding the lines out to them.
    const tMatrixReadResult far = DefRawParse(
        head + "X REC 2 COLS 2147483000 - 2 END 2147483646 NUMERIC", "1\n2\n", "a.def", "a.raw");
    ASSERT_TRUE(far.Ok);
    EXPECT_EQ(far.Matrix(1, 1), 0);
    // Many cases times many variables: refused instead of allocated.
    std::string many = head;
    for (int i = 0; i < 2000; ++i)
        many += "X REC 1 NUMERIC\n";
    const tMatrixReadResult huge = DefRawParse(many, std::string(200000, '\n'), "a.def", "a.raw");
    EXPECT_FALSE(huge.Ok);
    EXPECT_EQ(huge.Message, "Datei a.raw: 100000 F\xE4lle mit 2000 Variablen sind zu viele Werte");
}

TEST_F(DefRawTest, MissingFilesAreNamed)
{
    WriteBytes(PathOf("a.def"), Listing);
    tMatrixReadResult read = DefRawRead(PathOf("a.def"), PathOf("a.raw"));
    EXPECT_FALSE(read.Ok);
    EXPECT_EQ(read.Message,
        "Datei " + PathOf("a.raw")
            + " konnte nicht ge\xF6"
              "ffnet werden");
    read = DefRawRead(PathOf("b.def"), PathOf("a.def"));
    EXPECT_EQ(read.Message,
        "Datei " + PathOf("b.def")
            + " konnte nicht ge\xF6"
              "ffnet werden");
    WriteBytes(PathOf("a.raw"), Data);
    EXPECT_TRUE(DefRawRead(PathOf("a.def"), PathOf("a.raw")).Ok);
}

} // namespace
} // namespace zelvora
