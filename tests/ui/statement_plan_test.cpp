// Statements run again from their kept parsed form (macro repetitions) give what a fresh reading
// gives, and what the names stand for is asked again on every run.
#include "support/recording_session.h"
#include "ui/session.h"
#include "variables/display_list.h"

#include <cstdio>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

std::string ExactReal(long double x)
{
    char text[64];
    std::snprintf(text, sizeof text, "%La", x);
    return text;
}

// Every stored variable with its kind and every element's exact bits.
std::string StoreText(tSession& session)
{
    std::string text;
    for (const std::string& name : session.StoreView().NameList()) {
        const tVariable& v = *session.Variable(name);
        text += name + " shape " + std::to_string(v.shape) + " type " + std::to_string(v.datatype)
            + ": " + std::to_string(v.intvalue) + " " + ExactReal(v.realvalue) + " "
            + std::to_string(v.boolvalue) + " \"" + v.strvalue + "\"";
        if (v.shape == shMatrix || v.shape == shRange || v.shape == shVector) {
            for (std::int32_t r = 1; r <= VarRows(v); ++r) {
                for (std::int32_t c = 1; c <= VarCols(v); ++c)
                    text += " " + ExactReal(v.matrix(r, c));
            }
        }
        text += "\n";
    }
    return text;
}

std::string OutcomeText(const tRunOutcome& result)
{
    return std::string(result.Success ? "ok" : "failed")
        + (result.RunTimeError ? " run-time " : " ") + result.Message + " " + result.ErrorText;
}

std::string Joined(const std::vector<std::string>& texts)
{
    std::string joined;
    for (const std::string& text : texts)
        joined += text + "\n";
    return joined;
}

constexpr const char* Setup = "x = 2\nM = {{1,2},{3,4}}\ns = \"ab\"";
constexpr int Repetitions = 3;

// Runs the statement Repetitions times as a macro (the later repetitions reuse its parsed form)
// and as as many typed statements (each read afresh); both sessions must end alike.
void ExpectPlannedRunsLikeFreshOnes(const std::string& statement)
{
    SCOPED_TRACE(statement);
    tRecordingSession planned;
    tRecordingSession fresh;
    ASSERT_TRUE(planned.session.RunText(Setup, "").Success);
    ASSERT_TRUE(fresh.session.RunText(Setup, "").Success);

    planned.session.RunText("MACRODEF m\n" + statement + "\nMACROEND", "");
    std::string plannedOutcomes;
    for (int i = 0; i < Repetitions; ++i)
        plannedOutcomes += OutcomeText(planned.session.RunText("MACROEXEC m", "")) + "\n";
    std::string freshOutcomes;
    for (int i = 0; i < Repetitions; ++i)
        freshOutcomes += OutcomeText(fresh.session.RunText(statement, "")) + "\n";

    EXPECT_EQ(plannedOutcomes, freshOutcomes);
    EXPECT_EQ(StoreText(planned.session), StoreText(fresh.session));
    EXPECT_EQ(Joined(planned.commandWindow.Warnings), Joined(fresh.commandWindow.Warnings));
    EXPECT_EQ(Joined(planned.commandWindow.Outputs), Joined(fresh.commandWindow.Outputs));
}

TEST(StatementPlan, RepeatedStatementsGiveWhatAFreshReadingGives)
{
    for (const char* statement : {
             "x = x + 1",
             "X = x * 2",
             "y = x - 1",
             "y = x / 0",
             "x = x div 0",
             "y = s + 1",
             "x = M * 2",
             "M = x + 1",
             "s = x < 3",
             "x = -x * 2 + 3 ^ 2 - (x - 1) / 4",
             "a, b = x, x * 2",
             "M[2,1] = x + 1",
             "M[1..2, 2] = {{7},{8}}",
             "y = Transp(M) * 2 + #pi",
             "y = sqrt(-1)",
             "y = (1 + x",
             "y = 1/0 sonst x",
             "y = 2147483647 + x",
             "y = 1.5 + 2E3 - 0.25",
             "s = s + \"c\"",
             "y = q + 1",
             "y = Zeilen(M) + Summe({1,2,3})",
             "y = {1,2} + {1,2,3}",
             "y = M[x - 1, 1]",
             "x + 1",
             "y = 1, 2",
             "a, b, c = x",
         })
        ExpectPlannedRunsLikeFreshOnes(statement);
}

long double ValueOf(tSession& session, std::string_view name)
{
    const tVariable* variable = session.Variable(name);
    return variable ? VarAsReal(*variable) : -1;
}

// A variable that a later repetition no longer finds fails that repetition with the unknown name.
TEST(StatementPlan, AVariableThatDisappearsFailsTheNextRepetition)
{
    tRecordingSession t;
    const tRunOutcome result
        = t.session.RunText("b = 5\nMACRODEF m\nc = b + 1\nDELETE b\nMACROEND\nMACROEXEC m 2", "");
    EXPECT_FALSE(result.Success);
    EXPECT_NE(result.Message.find("Unbekannter Name \"b\""), std::string::npos) << result.Message;
    EXPECT_EQ(ValueOf(t.session, "c"), 6);
}

// Deleting a variable moves the ones after it; the next repetition reads each by its name.
TEST(StatementPlan, VariablesThatMoveAreFoundByName)
{
    tRecordingSession t;
    const tRunOutcome result = t.session.RunText(
        "a = 1\nb = 2\nMACRODEF m\nc = b * 10\nb = b + 1\nDELETE a\nMACROEND\nMACROEXEC m 3", "");
    EXPECT_TRUE(result.Success);
    EXPECT_EQ(ValueOf(t.session, "c"), 40);
    EXPECT_EQ(ValueOf(t.session, "b"), 5);
}

// A name that was a variable and became a system setting's name, or the reverse, is read by what
// it is on each run: a variable created under a name found nothing before.
TEST(StatementPlan, ANameThatBecomesAVariableIsReadOnTheNextRepetition)
{
    tRecordingSession t;
    const tRunOutcome result
        = t.session.RunText("MACRODEF m\nc = neu sonst 0\nneu = 7\nMACROEND\nMACROEXEC m 2", "");
    // The first repetition cannot read "neu" (a formula that cannot be read fails whole).
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(ValueOf(t.session, "c"), -1);
    ASSERT_TRUE(t.session.RunText("neu = 7\nMACROEXEC m", "").Success);
    EXPECT_EQ(ValueOf(t.session, "c"), 7);
}

// A macro defined anew runs its new statements, not the parsed form of the old ones.
TEST(StatementPlan, ARedefinedMacroRunsItsNewStatements)
{
    tRecordingSession t;
    ASSERT_TRUE(t.session.RunText("MACRODEF m\nx = 1\nMACROEND\nMACROEXEC m 2", "").Success);
    ASSERT_TRUE(t.session.RunText("MACRODEF m\nx = 2\nMACROEND\nMACROEXEC m 2", "").Success);
    EXPECT_EQ(ValueOf(t.session, "x"), 2);
}

// Statements cut one after another from a text each get their own parsed form.
TEST(StatementPlan, EachCutStatementIsParsedForItself)
{
    tRecordingSession t;
    ASSERT_TRUE(t.session.RunText("a = 1\nb = a + 1\nc = b * 3", "").Success);
    EXPECT_EQ(ValueOf(t.session, "a"), 1);
    EXPECT_EQ(ValueOf(t.session, "b"), 2);
    EXPECT_EQ(ValueOf(t.session, "c"), 6);
}

} // namespace
} // namespace zelvora
