// Formulas read and evaluated: priorities, signs, constants, lists, ranges, literals, indexing,
// calls, failures of operand steps and deep nesting.
#include "language/eval_machine.h"
#include "numerics/library_state.h"
#include "numerics/run_time_error.h"
#include "support/test_machine.h"
#include "variables/variable.h"
#include "variables/variable_store.h"

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

class tTestEnvironment : public tEvalEnvironment {
public:
    const tVariable* FindVariable(std::string_view name) override { return store.Find(name); }
    std::optional<tVariable> SystemVariableValue(std::string_view name) override
    {
        if (NameFold(name) != "ANZAHL")
            return std::nullopt;
        tVariable v;
        VarSetInteger(v, 42);
        return v;
    }
    tVarClass store;
};

class Formula : public ::testing::Test {
protected:
    tVariableArray Eval(const std::string& text)
    {
        machine.ResetErrors();
        return machine.Evaluate(Tokenize(text, '"'));
    }
    // The values 1..n as texts: integers "i:", reals "r:", booleans "b:", strings "s:".
    std::vector<std::string> Values(const std::string& text)
    {
        std::vector<std::string> out;
        const tVariableArray results = Eval(text);
        for (std::size_t i = 1; i < results.size(); ++i) {
            const tVariable& v = results[i];
            if (v.shape != shScalar) {
                out.push_back("shape" + std::to_string(v.shape));
                continue;
            }
            switch (v.datatype) {
            case dtInteger:
                out.push_back("i:" + std::to_string(v.intvalue));
                break;
            case dtReal:
                out.push_back("r:" + std::to_string(static_cast<double>(v.realvalue)));
                break;
            case dtBoolean:
                out.push_back(std::string("b:") + (v.boolvalue ? "1" : "0"));
                break;
            default:
                out.push_back("s:" + v.strvalue);
            }
        }
        return out;
    }
    // The formula's failure message ("" when it did not fail).
    std::string Failure(const std::string& text)
    {
        Eval(text);
        return machine.EvalErrorCode() != 0 ? machine.EvalErrorMessage() : std::string();
    }
    tVariable One(const std::string& text)
    {
        machine.ResetErrors();
        return machine.EvaluateOne(Tokenize(text, '"'));
    }
    void StoreMatrix(const std::string& name, int rows, int cols)
    {
        trealmatrix m(rows, cols);
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= cols; ++c)
                m(r, c) = 10 * r + c;
        tVariable v;
        VarSetMatrix(v, std::move(m), tgPlain);
        v.name = name;
        environment.store.Store(v);
    }

    tNumericsContextScope numerics;
    tTestEnvironment environment;
    testing::tTestMachine machine { environment };
};

using tTexts = std::vector<std::string>;

TEST_F(Formula, PrioritiesAndGrouping)
{
    EXPECT_EQ(Values("25*3+20"), tTexts { "i:95" });
    EXPECT_EQ(Values("2+3*4^2"), tTexts { "i:50" });
    EXPECT_EQ(Values("2^3^2"), tTexts { "i:64" });
    EXPECT_EQ(Values("8-3-2"), tTexts { "i:3" });
    EXPECT_EQ(Values("1 < 2 und 3 < 4"), tTexts { "b:1" });
    EXPECT_EQ(Values("(1+2)*3"), tTexts { "i:9" });
}

TEST_F(Formula, UnarySigns)
{
    EXPECT_EQ(Values("-2^2"), tTexts { "i:4" });
    EXPECT_EQ(Values("--3"), tTexts { "i:3" });
    EXPECT_EQ(Values("2*-3"), tTexts { "i:-6" });
    EXPECT_EQ(Values("-(1,2)"), (tTexts { "i:-1", "i:-2" }));
    EXPECT_EQ(Values("2^-1"), tTexts { "r:0.500000" });
    EXPECT_EQ(Values("+2"), tTexts { "i:2" });
}

TEST_F(Formula, Constants)
{
    EXPECT_EQ(One("#pi").realvalue, std::numbers::pi_v<long double>);
    EXPECT_EQ(One("#e").realvalue, std::exp(1.0L));
    EXPECT_EQ(Values("-#wahr"), tTexts { "b:0" });
    EXPECT_EQ(Values("#hi"), tTexts { "i:2147483647" });
    EXPECT_EQ(Values("-#hi"), tTexts { "i:2147483647" });
    EXPECT_TRUE(Values("pi").empty()); // without "#" an ordinary name
}

TEST_F(Formula, ListsAndDroppedOperators)
{
    EXPECT_EQ(Values("1,2,3").size(), 3u);
    EXPECT_EQ(Values("(1,2),3").size(), 3u);
    EXPECT_EQ(Values("{1,2},3").size(), 2u);
}

// Tokens the formula cannot read fail it with a message naming the token and its position.
TEST_F(Formula, UnreadableTokensFailTheFormula)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "2+", "\"+\" an Stelle 2 der Formel: der rechte Operand fehlt" },
        { "3 4", "\"4\" an Stelle 2 der Formel: hier wird ein Operator erwartet" },
        { "(foo + 1) * 2", "Unbekannter Name \"foo\" an Stelle 2 der Formel" },
        { "1) + 2",
            "\")\" an Stelle 2 der Formel: schlie\xDF"
            "ende Klammer ohne \xF6"
            "ffnende" },
        { "5 +* 3", "\"*\" an Stelle 3 der Formel: hier wird ein Operand erwartet" },
        { "(2 * )", "\")\" an Stelle 4 der Formel: hier wird ein Operand erwartet" },
        { "#nonsense", "Unbekannte Konstante \"#nonsense\" an Stelle 2 der Formel" },
        { "{1,2} + {1,2,3}", "Operator \"+\": Die Dimensionen passen nicht: 1x2 und 1x3" },
        { "{1,2} * {1,2}", "Operator \"*\": Die Dimensionen passen nicht: 1x2 und 1x2" },
        { "1 / 0", "Operator \"/\": Division durch 0" },
        { "\"a\" - 1", "Operator \"-\": nicht definiert f\xFCr Zeichenkette und Zahl" },
    };
    for (const auto& [formula, message] : cases) {
        Eval(formula);
        EXPECT_EQ(machine.EvalErrorCode(), 1) << formula;
        EXPECT_EQ(machine.EvalErrorMessage(), message) << formula;
    }
    // Empty lists, the whole-range "*" of an index and values selected away stay no failure.
    for (const char* formula :
        { "{}", "{{1,2},{3,4}}[*,2]", "1 falls #falsch", "{1,2} *# {3,4}", "()" }) {
        Eval(formula);
        EXPECT_EQ(machine.EvalErrorCode(), 0) << formula << ": " << machine.EvalErrorMessage();
    }
}

TEST_F(Formula, EmptyFormula)
{
    EXPECT_TRUE(Values("").empty());
    EXPECT_EQ(Eval("")[0].intvalue, 0);
}

TEST_F(Formula, RangesAndBlocks)
{
    tVariable range = One("1..5");
    EXPECT_EQ(range.shape, shRange);
    EXPECT_EQ(range.datatype, dtInteger);
    EXPECT_EQ(range.matrix(1, 2), 5);
    EXPECT_EQ(One("1.5..4").datatype, dtReal);
    tVariable list = One("1..3\xB4"
                         "5\xB4"
                         "7..9");
    EXPECT_EQ(list.shape, shRange);
    EXPECT_EQ(list.matrix.Rows(), 3);
    tVariable block = One("2:3");
    EXPECT_EQ(block.matrix(1, 1), 2);
    EXPECT_EQ(block.matrix(2, 2), 3);
    EXPECT_EQ(block.tag, tgRange);
    tVariable block2 = One("{1,9}:{1,3}");
    EXPECT_EQ(block2.matrix(1, 2), 9);
    EXPECT_EQ(block2.matrix(2, 2), 3);
}

TEST_F(Formula, MatrixLiterals)
{
    tVariable m = One("{{1,2},{3,4}}");
    ASSERT_EQ(m.shape, shMatrix);
    EXPECT_EQ(m.matrix.Rows(), 2);
    EXPECT_EQ(m.matrix(2, 1), 3);
    EXPECT_EQ(m.datatype, dtInteger);
    // An element that the head's type cannot show widens the literal's type.
    tVariable row = One("{1, 2.5}");
    EXPECT_EQ(row.datatype, dtReal);
    EXPECT_EQ(row.matrix(1, 2), 2.5L);
    EXPECT_EQ(One("{{2,3},{4,5.5}}").datatype, dtReal);
    EXPECT_EQ(One("{{1,0.5},{0.25,2}}").datatype, dtReal);
    EXPECT_EQ(One("{1, 3E9}").datatype, dtReal); // beyond 32 bits
    EXPECT_EQ(One("{#wahr, #falsch}").datatype, dtBoolean);
    EXPECT_EQ(One("{#wahr, 2}").datatype, dtInteger);
    EXPECT_EQ(One("{#wahr, 0.5}").datatype, dtReal);
    EXPECT_EQ(One("{2.5, 1}").datatype, dtReal);
    StoreMatrix("A", 2, 3);
    StoreMatrix("B", 1, 3);
    tVariable stacked = One("{A,B}");
    EXPECT_EQ(stacked.matrix.Rows(), 3);
    EXPECT_EQ(stacked.matrix(3, 3), 13);
    tVariable text = One("{\"a\", 1}");
    EXPECT_EQ(text.datatype, dtString);
    EXPECT_EQ(text.strmatrix(1, 2), "1");
    EXPECT_EQ(One("{}").shape, shEmpty);
    // Rows that do not fit together fail the formula with a message, not the run.
    EXPECT_EQ(Failure("{A, 1}"), "Element 2 der Matrix ist keine Zeile wie die erste (Zahlen)");
    EXPECT_EQ(Failure("{1..5}"),
        "Element 1 der Matrix ist eine Bereichsliste, keine Zahl; die Zahlen von a bis b gibt "
        "Seq(a, b)");
    EXPECT_EQ(Failure("{{1,2},{3}}"),
        "Die Zeilen der Matrix sind ungleich lang: Zeile 2 hat 1, Zeile 1 hat 2 Elemente");
}

TEST_F(Formula, PostfixAndIndexing)
{
    StoreMatrix("A", 3, 4);
    EXPECT_EQ(Values("A~"), (tTexts { "i:3", "i:4" }));
    tVariable t = One("-A'");
    EXPECT_EQ(t.matrix.Rows(), 4);
    EXPECT_EQ(t.matrix(4, 1), -14);
    EXPECT_EQ(One("A#").tag, tgLogical);
    EXPECT_EQ(One("A[2,3]").matrix(1, 1), 23);
    EXPECT_EQ(One("A[2]").matrix.Cols(), 4);
    tVariable column = One("A[*,1]");
    EXPECT_EQ(column.matrix.Rows(), 3);
    EXPECT_EQ(column.matrix.Cols(), 1);
    EXPECT_EQ(One("A[2,3]+1").matrix(1, 1), 24);
}

TEST_F(Formula, NamesVariablesAndSystemVariables)
{
    tVariable x;
    VarSetInteger(x, 7);
    x.name = "sin";
    environment.store.Store(x);
    EXPECT_EQ(Values("sin"), tTexts { "i:7" });
    EXPECT_EQ(Values("-anzahl"), tTexts { "i:42" }); // system variables take no sign
    EXPECT_EQ(Values("\"" + std::string(300, 'x') + "\"").front().size(), 2u + 255u);
}

TEST_F(Formula, FunctionsWithoutRoutineFailNamingThem)
{
    const tVariableArray results = Eval("sin (1)");
    EXPECT_EQ(machine.EvalErrorCode(), 1);
    EXPECT_NE(machine.EvalErrorMessage().find("SIN"), std::string::npos);
    (void)results;
    // A call without arguments meets the argument check like any other.
    Eval("einh()");
    EXPECT_EQ(machine.EvalErrorMessage(),
        "Funktion EINH(Izl [,Ispa] | M [,Ispa]) erwartet 1 bis 2 Argumente, nicht 0");
}

TEST_F(Formula, TemporaryNamesKeepCounting)
{
    const std::string first = One("1").name;
    const std::string second = One("1").name;
    EXPECT_EQ(first[0], '$');
    EXPECT_NE(first, second);
}

TEST_F(Formula, IntegerLiteralOutside32BitsIsReal)
{
    EXPECT_EQ(Values("99999999999"), tTexts { "r:99999999999.000000" });
    EXPECT_EQ(Values("2147483647"), tTexts { "i:2147483647" });
}

TEST_F(Formula, DeepAndLongFormulasFailCleanly)
{
    const std::string deep = std::string(10000, '(') + "1" + std::string(10000, ')');
    Eval(deep);
    EXPECT_EQ(machine.EvalErrorCode(), 1);
    EXPECT_NE(machine.EvalErrorMessage().find("geschachtelt"), std::string::npos);
    EXPECT_EQ(Values(std::string(150, '(') + "1" + std::string(150, ')')), tTexts { "i:1" });

    std::string sum = "1";
    for (int i = 0; i < 30000; ++i)
        sum += "+1";
    EXPECT_EQ(Values(sum), tTexts { "i:30001" });

    std::string tooLong = "1";
    for (int i = 0; i < 40000; ++i)
        tooLong += "+1";
    EXPECT_THROW(Eval(tooLong), tRangeError);
}

} // namespace
} // namespace zelvora
