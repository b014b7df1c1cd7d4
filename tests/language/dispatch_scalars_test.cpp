// The functions of one value in formulas: argument picking and defaults, the call's sign, the
// factorial, and a walk over the catalogue proving that every function of the group has a routine.
#include "dispatch_fixture.h"
#include "numerics/run_time_error.h"

#include <cmath>

namespace zelvora {
namespace {

using Scalars = testing::DispatchFixture;

TEST_F(Scalars, FirstFunctionsANewUserTypes)
{
    EXPECT_EQ(One("sqrt(2)").realvalue, std::sqrt(2.0L));
    EXPECT_EQ(One("abs(-3)").intvalue, 3);
    EXPECT_EQ(One("exp(1)").realvalue, std::exp(1.0L));
    EXPECT_EQ(One("ln(2)").realvalue, std::log(2.0L));
    EXPECT_EQ(One("round(2.346, -2)").realvalue, static_cast<long double>(2.35));
    EXPECT_EQ(One("-abs(-3)").intvalue, -3); // the call's sign applies to the result
    EXPECT_EQ(One("2 * -sin(0.5)").realvalue, -2 * std::sin(0.5L));
}

TEST_F(Scalars, FactorialSuffixAndFunction)
{
    EXPECT_EQ(One("5!").intvalue, 120);
    EXPECT_EQ(One("Fak(5)").intvalue, 120);
    EXPECT_EQ(One("Fac(2.5)").realvalue, One("2.5!").realvalue);
    EXPECT_EQ(One("12!").intvalue, 479001600);
    EXPECT_EQ(One("13!").realvalue, 6227020800.0L);
    EXPECT_EQ(One("-3!").intvalue, 1); // the sign belongs to the operand: (-3)!
    EXPECT_EQ(RowsOf(One("{1,2,3}!")), (tRows { { 1, 2, 6 } }));
    EXPECT_EQ(One("\"a\"!").shape, shEmpty);
    EXPECT_THROW(One("5000!"), tFloatOverflowError);
    EXPECT_EQ(machine.EvalErrorCode(), 0);
}

TEST_F(Scalars, ArgumentDefaultsAndCounts)
{
    EXPECT_EQ(One("PExp(0.5)").realvalue, std::exp(0.5L));
    EXPECT_EQ(One("PExp(0.5, 1)").realvalue, std::exp(0.5L));
    EXPECT_NEAR(One("PExp(0.5, 2)").realvalue, std::cosh(0.5L), 1e-18L); // index 0 counts as 1
    EXPECT_NEAR(One("PExp(0.5, 2, 2)").realvalue, std::sinh(0.5L), 1e-18L);
    EXPECT_EQ(One("Gerundet(2.5)").realvalue, 2);
    EXPECT_EQ(One("GGT(12, 18, 8)").intvalue, 2);
    EXPECT_EQ(One("GGT(12)").intvalue, 12);
    EXPECT_EQ(One("GCD({12,18}, 4)").datatype, dtInteger);
    EXPECT_EQ(One("MAXEXP(8)").shape, shEmpty);
    EXPECT_EQ(One("MAXEXP(48, 2)").intvalue, 4);
    EXPECT_EQ(One("MAXPOW(48, 2)").realvalue, 16);
    EXPECT_EQ(One("format(5)").shape, shEmpty);
    EXPECT_EQ(One("format(5, \"3\")").strvalue, "  5");
    EXPECT_EQ(One("arcCS(0, 1)").realvalue, std::atan2(1.0L, 0.0L));
    EXPECT_EQ(One("Nicht(1 > 2)").boolvalue, 1);
    EXPECT_EQ(One("not(3)").intvalue, -3); // the same negation as neg
    EXPECT_EQ(One("sign(1 > 2)").intvalue, -1);
    EXPECT_EQ(One("Num(\"2.5\") + 1").realvalue, 3.5L);
}

TEST_F(Scalars, BadInputEndsTheRunWithItsError)
{
    EXPECT_THROW(One("PrimNr(70000)"), tRangeError);
    EXPECT_THROW(One("Gerundet(1.5, 1000)"), tRangeError);
    // A count or index argument beyond 32 bits fails the formula, naming the argument.
    EXPECT_EQ(Failure("Gerundet(1.5, 1e20)"),
        "Funktion \"GERUNDET\": Argument 2 (100000000000000000000) ist als ganze Zahl zu "
        "gro\xDF (h\xF6"
        "chstens 2147483647)");
    EXPECT_THROW(One("format(1.5, \"%s\")"), tRunTimeError);
    EXPECT_THROW(One("ln(0)"), tFloatDivisionByZeroError);
    EXPECT_EQ(One("sqrt(\"x\")").shape, shEmpty);
    EXPECT_EQ(One("abs(Wenn(1 > 2, 1))").shape, shEmpty);
    // A math error in one element stops the formula with the library's code and a message.
    Eval("exp({100000, 1})");
    EXPECT_EQ(machine.EvalErrorCode(), 99);
    EXPECT_EQ(machine.EvalErrorMessage(),
        "Rechenfehler in einem Matrixelement (\xDC"
        "berlauf oder ung\xFCltige Operation)");
}

// Every catalogue function of the scalar group and of the complex pairs and triples, with no
// argument and with each of a set of argument lists, gets a routine: the call never reaches the
// "not available" path, and whatever fails does so with a run-time error.
TEST_F(Scalars, EveryFunctionOfTheGroupHasARoutine)
{
    const std::vector<std::string> argumentLists = { "", "2", "2.5", "-1", "1 > 0", "\"7\"", "1..3",
        "{{1,2},{3,4}}", "{{1,2,3}}", "{\"a\",\"b\"}", "{{0.5,0.25},{0.25,0.5}}, 2", "{1,2}, {3,4}",
        "{{1,2,3},{4,5,6}}, {{1,2,3}}", "12, 18, 3", "2, \"4.1\"" };
    const tTocINFO& toc = Catalogue();
    std::int32_t calls = 0;
    for (std::int32_t e = 1; e <= toc.EntryCount(); ++e) {
        const tTOC& entry = toc.Entry(e);
        const std::uint16_t opcode = OpcodeNumber(entry.Opcode);
        const bool inGroup
            = (opcode >= OpcodeNumber(tOpcode::Format) && opcode <= OpcodeNumber(tOpcode::Wenn))
            || (opcode >= OpcodeNumber(tOpcode::R2_Add)
                && opcode <= OpcodeNumber(tOpcode::R3_Norm));
        if (entry.Kind != tTocKind::Function || !inGroup)
            continue;
        EXPECT_TRUE(dispatch.IsRegistered(entry.Opcode)) << entry.Name;
        for (const std::string& arguments : argumentLists) {
            const std::string formula = "0 + " + entry.Name + "(" + arguments + ")";
            SCOPED_TRACE(formula);
            try {
                Eval(formula);
            } catch (const tRunTimeError&) {
                continue;
            }
            ++calls;
            EXPECT_EQ(machine.EvalErrorMessage().find("noch nicht"), std::string::npos);
        }
    }
    EXPECT_GT(calls, 500);
}

TEST_F(Scalars, FunctionsBehindUnfindableNamesAnswerThroughTheDispatch)
{
    // F_ord's second character '_' hides it from the lookup; the routine still answers.
    tVariable n;
    VarSetInteger(n, 7);
    tVariable a;
    VarSetInteger(a, 2);
    const tTOC& entry = Catalogue().Entry(Catalogue().EntryOfOpcode(tOpcode::F_ord));
    const tCallOutcome order
        = dispatch.Call(tOpcode::F_ord, entry, std::vector<tVariable> { n, a });
    ASSERT_EQ(order.Values.size(), 1u);
    EXPECT_EQ(order.Values[0].intvalue, 3);
    const tCallOutcome phi = dispatch.Call(tOpcode::F_ord, entry, std::vector<tVariable> { n });
    EXPECT_EQ(phi.Values[0].intvalue, 6);
}

} // namespace
} // namespace zelvora
