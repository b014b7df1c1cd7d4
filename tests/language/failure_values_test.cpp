// Failures as values of the formula machine: each failing formula keeps its message, "sonst"
// replaces it by its right operand, and a failure travels through operators, calls, brackets and
// literals to a "sonst" further out.
#include "dispatch_fixture.h"

namespace zelvora {
namespace {

using namespace zelvora::testing;

class FailureValues : public DispatchFixture {
protected:
    FailureValues()
    {
        Store("L", "{{1,2},{3,4}}");
        Store("M", "{{1,2},{3,4},{5,6}}");
        Store("M23", "{{1,2,3},{4,5,6}}");
    }
    // The value as text: a number, a string, or the first element of a matrix.
    std::string Text(const std::string& formula)
    {
        const tVariable v = One(formula);
        if (v.shape == shScalar)
            return v.datatype == dtString ? v.strvalue : std::to_string(VarAsInteger(v));
        if (v.shape == shMatrix)
            return "{" + std::to_string(static_cast<int>(v.matrix(1, 1))) + "}";
        return "?";
    }
};

TEST_F(FailureValues, SonstReplacesTheFailureAndTheFormulaAloneFailsWithItsMessage)
{
    struct tCase {
        const char* Failing;
        const char* Fallback;
        const char* Value; // of "(Failing) sonst Fallback"
        const char* Message; // of Failing alone
    };
    const tCase cases[] = {
        { "1/0", "9", "9", "Operator \"/\": Division durch 0" },
        { "Sum(5)", "-1", "-1", "Funktion \"SUM\": kein Ergebnis f\xFCr Zahl" },
        { "Rot(L, \"NOTAKEYWORD\")", "{-1}", "{-1}",
            "Funktion \"ROT\": unbekannter Typ \"NOTAKEYWORD\"; m\xF6gliche Typen: TRI, ZIEL, "
            "DREI, "
            "PCA, QUARTIMAX, MEDIMAX, ZTCU, VARIMAX, DECOMP, ANTISYMMETRISCH, BLKCU, GLEICH, "
            "VARIEQ, MINRES, POWER" },
        { "Curvefit(M, \"S rank\")", "{-1}", "{-1}",
            "Curvefit: der Kurventyp \"S\" ist nicht festgelegt (m\xF6glich: Lin, OS)" },
        { "{{1}} || 2", "{-1}", "{-1}",
            "Operator \"||\": nicht definiert f\xFCr Matrix 1x1 und Zahl" },
        { "\"a\" - 1", "\"leer\"", "leer",
            "Operator \"-\": nicht definiert f\xFCr Zeichenkette und Zahl" },
        { "MAXEXP(8)", "-1", "-1", "Funktion MAXEXP(Gi,i) erwartet 2 Argumente, nicht 1" },
        { "Inv(M23) * 2", "0", "0", "Funktion \"INV\": die Argumente passen nicht: Matrix 2x3" },
        { "Wenn({{1,0}}, {{1,2,3}}, 0)", "7", "7", "Dimensionen inkompatibel" },
        { "Exp({100000, 1})", "5", "5",
            "Rechenfehler in einem Matrixelement (\xDC"
            "berlauf oder ung\xFCltige Operation)" },
    };
    for (const tCase& c : cases) {
        EXPECT_EQ(Failure(c.Failing), c.Message) << c.Failing;
        const std::string caught = "(" + std::string(c.Failing) + ") sonst " + c.Fallback;
        EXPECT_EQ(Failure(caught), "") << caught;
        EXPECT_EQ(Text(caught), c.Value) << caught;
    }
}

TEST_F(FailureValues, AFailureTravelsOutwardToTheNextSonst)
{
    EXPECT_EQ(Text("Abs(Trace(Inv(M23)) + 1) sonst 3"), "3");
    EXPECT_EQ(Text("-(1/0) sonst 4"), "4");
    EXPECT_EQ(Text("L[1/0, 1] sonst 5"), "5");
    EXPECT_EQ(Text("{1, 2/0, 3} sonst 6"), "6");
    EXPECT_EQ(Text("(1/0) falls #wahr sonst 7"), "7");
    // The first failure counts.
    EXPECT_EQ(
        Failure("Inv(M23) + 1/0"), "Funktion \"INV\": die Argumente passen nicht: Matrix 2x3");
    EXPECT_EQ(Failure("1/0 + Inv(M23)"), "Operator \"/\": Division durch 0");
    // In a list only the failing value is replaced; one still standing fails the formula.
    const tVariableArray list = Eval("1, (1/0) sonst 2");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(VarAsInteger(list[2]), 2);
    EXPECT_EQ(Failure("1, 1/0"), "Operator \"/\": Division durch 0");
}

// Library routines that refuse their inputs (products, element-wise arithmetic and powers, text
// joining, binomials, angles, identities, pair conversions) give a failure with their reason, which
// fails the formula with today's message and which "sonst" takes.
TEST_F(FailureValues, RoutinesThatRefuseTheirInputsFailAndSonstTakesThem)
{
    struct tCase {
        const char* Failing;
        const char* Message;
    };
    const tCase cases[] = {
        { "{{1,2}} * {{1,2}}", "Operator \"*\": Die Dimensionen passen nicht: 1x2 und 1x2" },
        { "{{1,2}} / {{1,2,3}}", "Operator \"/\": Die Dimensionen passen nicht: 1x2 und 1x3" },
        { "{{1,2}} + {{1,2,3}}", "Operator \"+\": Die Dimensionen passen nicht: 1x2 und 1x3" },
        { "M23 - L", "Operator \"-\": Die Dimensionen passen nicht: 2x3 und 2x2" },
        { "{\"a\",\"b\"} + {\"c\",\"d\",\"e\"}",
            "Operator \"+\": Die Dimensionen passen nicht: 1x2 und 1x3" },
        { "{{5,6,7}} \xFC"
          "ber {{1,2}}",
            "Operator \"\xDC"
            "BER\": Die Dimensionen passen nicht: 1x3 und 1x2" },
        { "{{1,2}} ^# {{1,2,3}}", "Operator \"^#\": Die Dimensionen passen nicht: 1x2 und 1x3" },
        { "{{1,2}} ^ 2", "Operator \"^\": nicht definiert f\xFCr Matrix 1x2 und Zahl" },
        { "{{1,2}} ^ 0.5", "Operator \"^\": nicht definiert f\xFCr Matrix 1x2 und Zahl" },
        { "L ^ {{1,2}}", "Operator \"^\": nicht definiert f\xFCr Matrix 2x2 und Matrix 1x2" },
        { "{{1,2}}\xB2", "Operator \"\xB2\": nicht definiert f\xFCr Matrix 1x2" },
        { "arcCS({{1,2}}, {{1,2,3}})",
            "Funktion \"ARCCS\": die Argumente passen nicht: Matrix 1x2, Matrix 1x3" },
        { "Einh(0, 0)", "Funktion \"EINH\": die Argumente passen nicht: Zahl, Zahl" },
        { "R2_ToR3({{1,2,3}})", "Funktion \"R2_TOR3\": die Argumente passen nicht: Matrix 1x3" },
        { "R3_Norm({{1,2}})", "Funktion \"R3_NORM\": die Argumente passen nicht: Matrix 1x2" },
        { "R3_Mul({{1,2}}, {{1,2,3}})",
            "Funktion \"R3_MUL\": die Argumente passen nicht: Matrix 1x2, Matrix 1x3" },
    };
    for (const tCase& c : cases) {
        EXPECT_EQ(Failure(c.Failing), c.Message) << c.Failing;
        const std::string caught = "(" + std::string(c.Failing) + ") sonst 0";
        EXPECT_EQ(Failure(caught), "") << caught;
        EXPECT_EQ(Text(caught), "0") << caught;
    }
    // Further out: through a call and an operator.
    EXPECT_EQ(Text("Abs(({{1,2}} * {{1,2}}) + 1) sonst 4"), "4");
    EXPECT_EQ(Text("-({{1,2}} ^# {{1,2,3}})[1, 1] sonst 5"), "5");
    // The same routines with inputs that fit still compute.
    EXPECT_EQ(Text("L ^ 2"), "{7}");
    EXPECT_EQ(Text("L\xB2"), "{7}");
    EXPECT_EQ(Text("{{1,2}} ^# {{3,1}}"), "{1}");
    EXPECT_EQ(Text("{{1,2}} * {{1},{2}}"), "{5}");
}

TEST_F(FailureValues, SonstKeepsAValueAndReplacesAnEmptyOne)
{
    EXPECT_EQ(Text("8 sonst 1/0"), "8");
    EXPECT_EQ(Text("1 falls #falsch sonst 9"), "9");
    // Both sides failing: the right one's failure stands.
    EXPECT_EQ(Failure("(1/0) sonst Inv(M23)"),
        "Funktion \"INV\": die Argumente passen nicht: Matrix 2x3");
    // A formula that cannot be read is no value that "sonst" could replace.
    EXPECT_NE(Failure("(1 + ) sonst 2"), "");
}

} // namespace
} // namespace zelvora
