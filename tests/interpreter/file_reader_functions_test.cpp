// The file reader functions in formulas: file names, the clipboard, results and reported
// failures.
#include "formats/bin_format.h"
#include "formats/bmp_format.h"
#include "formats/format_test_support.h"
#include "formats/hex_format.h"
#include "formats/oxf_format.h"
#include "formats/text_matrix_writer.h"
#include "interpreter/file_reader_functions.h"
#include "support/test_machine.h"
#include "variables/variable.h"

#include <algorithm>
#include <cstdio>

namespace zelvora {
namespace {

using testing::FormatFileTest;

class tNoVariables : public tEvalEnvironment {
public:
    const tVariable* FindVariable(std::string_view) override { return nullptr; }
    std::optional<tVariable> SystemVariableValue(std::string_view) override { return std::nullopt; }
};

class ReaderFunctionTest : public FormatFileTest {
protected:
    ReaderFunctionTest() { dispatch.Register(FileReaderRows()); }

    tVariable Evaluate(const std::string& formula)
    {
        machine.ResetErrors();
        return machine.EvaluateOne(Tokenize(formula, '"'));
    }

    // Calls the routine of an opcode directly, with a script directory.
    tCallOutcome Call(
        tOpcode opcode, const tVariableArray& arguments, const std::string& scriptDirectory)
    {
        const auto rows = FileReaderRows();
        const auto row = std::find_if(
            rows.begin(), rows.end(), [&](const tDispatchRow& r) { return r.Opcode == opcode; });
        EXPECT_NE(row, rows.end());
        static const tTOC entry;
        tRandomGenerator random;
        return row->Routine(
            tCallArgs(opcode, entry, arguments, scriptDirectory, random, &clipboard));
    }

    static tVariableArray Texts(std::initializer_list<const char*> texts)
    {
        tVariableArray values;
        for (const char* text : texts) {
            tVariable v;
            VarSetString(v, text);
            values.push_back(v);
        }
        return values;
    }

    tNoVariables environment;
    tFunctionDispatch dispatch;
    testing::tTestMachine machine { environment, &dispatch };
};

TEST_F(ReaderFunctionTest, MatrixWrittenWithEighteenDigitsReadsBack)
{
    trealmatrix m(2, 3);
    m(1, 1) = 3.14159265358979323846L;
    m(1, 2) = -1.0L / 7;
    m(1, 3) = 1e-4000L;
    m(2, 1) = 123456789012345678.0L;
    m(2, 2) = -2e300L;
    m(2, 3) = 0;
    tVariable value;
    VarSetMatrix(value, m, tgPlain);
    ASSERT_TRUE(WriteMatrixFile(value, "CSV", PathOf("m.csv"), 26, -1).Ok());

    const tVariable read = Evaluate("CSVDatei(\"" + PathOf("m.csv") + "\")");
    ASSERT_EQ(machine.EvalErrorCode(), 0);
    ASSERT_EQ(read.shape, shMatrix);
    EXPECT_EQ(read.datatype, dtReal);
    ASSERT_EQ(read.matrix.Dims(), m.Dims());
    for (std::int32_t r = 1; r <= 2; ++r) {
        for (std::int32_t c = 1; c <= 3; ++c) {
            char expected[64];
            char actual[64];
            std::snprintf(expected, sizeof expected, "%.17Le", m(r, c));
            std::snprintf(actual, sizeof actual, "%.17Le", read.matrix(r, c));
            EXPECT_STREQ(actual, expected);
        }
    }
    // The alias and a format string reach the same reader.
    const tVariable shaped = Evaluate("readCSV(\"" + PathOf("m.csv") + "\", \"d\")");
    ASSERT_EQ(shaped.shape, shMatrix);
    EXPECT_EQ(shaped.matrix.Rows(), 6);
}

TEST_F(ReaderFunctionTest, ReaderFailuresStopTheFormulaWithTheirMessage)
{
    const std::string missing = PathOf("none.csv");
    Evaluate("CSVDatei(\"" + missing + "\")");
    EXPECT_EQ(machine.EvalErrorCode(), 17);
    EXPECT_EQ(machine.EvalErrorMessage(),
        "Datei " + missing
            + " konnte nicht ge\xF6"
              "ffnet werden");

    WriteBytes(PathOf("empty.hex"), "");
    Evaluate("HexDatei(\"" + PathOf("empty.hex") + "\")");
    EXPECT_EQ(machine.EvalErrorCode(), 17);
    EXPECT_EQ(machine.EvalErrorMessage(), "Keine Daten in " + PathOf("empty.hex"));

    clipboard.Content.reset();
    machine.ResetErrors();
    const tCallOutcome noText = Call(tOpcode::CSVDatei, Texts({ "clip" }), directory.string());
    ASSERT_TRUE(noText.Failure.has_value());
    EXPECT_EQ(noText.Failure->Code, 17);
    EXPECT_EQ(noText.Failure->Message, "Clipboard has no simple text-contents/format ");
}

TEST_F(ReaderFunctionTest, NamesResolveAgainstTheScriptDirectory)
{
    HexWrite(trealmatrix(1, 2), PathOf("z.hex"));
    const tCallOutcome hex = Call(tOpcode::HexDatei, Texts({ " z.hex " }), directory.string());
    ASSERT_EQ(hex.Values.size(), 1u);
    EXPECT_EQ(hex.Values[0].matrix.Dims(), (tMatDims { 1, 2 }));

    WriteBytes(PathOf("w.csv"), "5 6\n");
    const tCallOutcome csv = Call(tOpcode::CSVDatei, Texts({ "w.csv", "" }), directory.string());
    EXPECT_EQ(csv.Values[0].matrix(1, 2), 6);
    // Backslashes are read as slashes.
    std::filesystem::create_directories(directory / "sub");
    WriteBytes(PathOf("sub/v.csv"), "7\n");
    EXPECT_EQ(
        Call(tOpcode::CSVDatei, Texts({ "sub\\v.csv" }), directory.string()).Values[0].matrix(1, 1),
        7);

    // "CLIP" in any case reads the clipboard instead of a file of that name.
    WriteBytes(PathOf("Clip"), "1\n");
    clipboard.Content = "8 9";
    const tCallOutcome clip = Call(tOpcode::CSVDatei, Texts({ "Clip" }), directory.string());
    EXPECT_EQ(clip.Values[0].matrix(1, 2), 9);

    // CSVDatei takes one or two arguments.
    const tCallOutcome three
        = Call(tOpcode::CSVDatei, Texts({ "w.csv", "", "" }), directory.string());
    EXPECT_EQ(three.Values[0].shape, shEmpty);
    EXPECT_FALSE(three.Failure.has_value());
}

TEST_F(ReaderFunctionTest, BinaryReadersGiveAllTheirResults)
{
    trealmatrix m(3, 2);
    m(1, 1) = 0.5;
    m(3, 2) = -4;
    ASSERT_TRUE(OxfWrite(m, PathOf("f.oxf"), nullptr).Ok);
    const tCallOutcome oxf = Call(tOpcode::OXFDatei, Texts({ "f.oxf" }), directory.string());
    ASSERT_EQ(oxf.Values.size(), 2u);
    EXPECT_EQ(oxf.Values[0].matrix.Dims(), (tMatDims { 3, 2 }));
    EXPECT_EQ(oxf.Values[0].tag, tgPlain);
    EXPECT_EQ(oxf.Values[1].datatype, dtString);
    EXPECT_EQ(oxf.Values[1].strmatrix(3, 1), "V3");

    trealmatrix planes(3, 2);
    planes(3, 2) = 9;
    ASSERT_TRUE(BmpWrite(planes, PathOf("p.bmp")).Ok);
    const tCallOutcome bmp
        = Call(tOpcode::BmpDatei, Texts({ "p.bmp", "unused" }), directory.string());
    ASSERT_EQ(bmp.Values.size(), 3u);
    EXPECT_EQ(bmp.Values[2].matrix(1, 2), 9);

    ASSERT_TRUE(BinWrite(m, PathOf("m.bin")).Ok);
    tVariableArray binArguments = Texts({ "m.bin" });
    binArguments.push_back(tVariable {});
    VarSetInteger(binArguments[1], 2);
    const tCallOutcome bin = Call(tOpcode::BinDatei, binArguments, directory.string());
    ASSERT_EQ(bin.Values.size(), 1u);
    EXPECT_EQ(bin.Values[0].matrix(3, 2), -4);

    // A failing reader of several results fails with its message.
    for (const tOpcode opcode : { tOpcode::OXFDatei, tOpcode::BmpDatei }) {
        const tCallOutcome failed = Call(opcode, Texts({ "none" }), directory.string());
        ASSERT_TRUE(failed.Failure.has_value());
        EXPECT_EQ(failed.Failure->Code, 17);
        EXPECT_EQ(failed.Failure->Message.rfind("Datei " + PathOf("none")
                          + " konnte nicht ge\xF6"
                            "ffnet werden (gesucht neben dem Skript in",
                      0),
            0u)
            << failed.Failure->Message;
    }
}

// A relative name not found beside the script is taken from the current folder; found in neither,
// the message names both places.
TEST_F(ReaderFunctionTest, ReadersFallBackToTheCurrentFolder)
{
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::create_directories(directory / "cwd");
    std::filesystem::create_directories(directory / "script");
    WriteBytes(PathOf("cwd/here.csv"), "3 4\n");
    WriteBytes(PathOf("script/both.csv"), "5\n");
    WriteBytes(PathOf("cwd/both.csv"), "6\n");
    std::filesystem::current_path(directory / "cwd");
    const std::string script = (directory / "script").string();
    const tCallOutcome here = Call(tOpcode::CSVDatei, Texts({ "here.csv" }), script);
    const tCallOutcome both = Call(tOpcode::CSVDatei, Texts({ "both.csv" }), script);
    const tCallOutcome none = Call(tOpcode::HexDatei, Texts({ "none.hex" }), script);
    std::filesystem::current_path(before);
    EXPECT_EQ(here.Values[0].matrix(1, 2), 4);
    EXPECT_EQ(both.Values[0].matrix(1, 1), 5); // beside the script comes first
    ASSERT_TRUE(none.Failure.has_value());
    const std::string message = none.Failure->Message;
    // (A failure's message is cut at 255 bytes, which the long test folder reaches.)
    EXPECT_NE(
        message.find("(gesucht neben dem Skript in \"" + script + "\" und im aktuellen Ordner"),
        std::string::npos)
        << message;
}

TEST_F(ReaderFunctionTest, DefRawNamesByArgumentCount)
{
    WriteBytes(PathOf("x.def"),
        "WRITE HAS GENERATED\n1 RECORDS HAVE BEEN WRITTEN\nA 1 1 1 1 1 1 1 2 NUMERIC\n");
    WriteBytes(PathOf("x.raw"), "12\n34\n");
    const tCallOutcome one = Call(tOpcode::DefRawDatei, Texts({ "x.txt" }), directory.string());
    ASSERT_EQ(one.Values.size(), 1u);
    EXPECT_EQ(one.Values[0].matrix.Dims(), (tMatDims { 2, 1 }));
    EXPECT_EQ(one.Values[0].matrix(2, 1), 34);
    WriteBytes(PathOf("y.lst"), ReadBytes(PathOf("x.def")));
    const tCallOutcome two
        = Call(tOpcode::DefRawDatei, Texts({ "y.lst", "x.raw" }), directory.string());
    EXPECT_EQ(two.Values[0].matrix(1, 1), 12);
    const tCallOutcome three
        = Call(tOpcode::DefRawDatei, Texts({ "x", "x", "x" }), directory.string());
    EXPECT_EQ(three.Values[0].matrix.Dims(), (tMatDims { 1, 1 }));
    EXPECT_EQ(Call(tOpcode::DefRawDatei, {}, directory.string()).Kind, tCallOutcome::tKind::Slot);
    // A missing file keeps the reader's own code 1.
    const tCallOutcome missing
        = Call(tOpcode::DefRawDatei, Texts({ "none.txt" }), directory.string());
    ASSERT_TRUE(missing.Failure.has_value());
    EXPECT_EQ(missing.Failure->Code, 1);
}

} // namespace
} // namespace zelvora
