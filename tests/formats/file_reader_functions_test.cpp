// CSVDatei and HexDatei in formulas: file names, the clipboard, results and reported failures.
#include "format_test_support.h"
#include "formats/file_reader_functions.h"
#include "formats/hex_format.h"
#include "formats/text_matrix_writer.h"
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
    tEvalMachine machine { environment, &dispatch };
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
    ASSERT_EQ(noText.Values.size(), 1u);
    EXPECT_EQ(noText.Values[0].shape, shEmpty);
    EXPECT_EQ(LibErrorCode(), 17);
    EXPECT_EQ(LibErrorMessage(), "Clipboard has no simple text-contents/format ");
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
    EXPECT_EQ(LibErrorCode(), 0);
}

} // namespace
} // namespace zelvora
