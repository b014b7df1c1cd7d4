// What the run loop does with a statement that is no assignment (a command, a bare formula or
// help), and where it says a failure happened.
#include "interpreter/commands.h"
#include "interpreter/interpreter.h"
#include "lexicon/scanner.h"
#include "numerics/run_time_error.h"
#include "support/recording_ports.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

class StatementRouting : public ::testing::Test {
protected:
    StatementRouting() { RegisterCommands(interpreter); }

    tInterpreterHooks Hooks()
    {
        tInterpreterHooks hooks;
        hooks.Compute = [this](tStmtList& statements, tAnsiTokens& tokens) {
            const std::string value = tokens.size() > 2 ? tokens[2].Text : "";
            if (value == "fail") {
                statements.Fail(7, "Formel fehlerhaft");
                return false;
            }
            if (value == "crash")
                throw tIntDivisionByZeroError();
            if (value == "stop") { // a long routine that reaches its check point after a stop
                interpreter.RequestInterrupt();
                interpreter.Checkpoint();
            }
            return true;
        };
        hooks.ShowFormula
            = [this](tStmtList& statements, tAnsiTokens& tokens, std::string_view text) {
                  formulas.emplace_back(text);
                  if (tokens.front().Text == "kaputt") {
                      statements.Fail(1, "Unbekannter Name \"kaputt\"");
                      return false;
                  }
                  return true;
              };
        hooks.IsVariable = [](std::string_view name) { return name == "A" || name == "QUIT"; };
        return hooks;
    }

    tRecordingJournal journal;
    tRecordingListing listing;
    tRecordingCommandWindow commandWindow;
    tInterpreter interpreter {
        { .Journal = &journal, .Listing = &listing, .CommandWindow = &commandWindow }, Hooks()
    };
    std::vector<std::string> formulas;
};

TEST_F(StatementRouting, NoAssignmentAndNoCommandIsAFormula)
{
    // A sign first, an unknown name, the prefix of several commands, and a variable whose name
    // only abbreviates a command (A for ANIMATE) are formulas; a command's full name stays the
    // command, even where a variable has that name.
    const tOutermostRunResult result
        = interpreter.RunLines({ "2+3", "FOO + 1", "M", "A * 2", "QUIT" }, "");
    EXPECT_TRUE(result.Success) << result.Message;
    EXPECT_EQ(formulas, (std::vector<std::string> { "2+3", "FOO + 1", "M", "A * 2" }));
    EXPECT_TRUE(interpreter.Flags().QuitRequested);
    // Without a formula handler the messages of the plain run loop remain.
    tInterpreter plain;
    RegisterCommands(plain);
    EXPECT_EQ(plain.RunLines({ "FOO 1" }, "").Message, "Unbekannter Befehl");
    EXPECT_EQ(plain.RunLines({ "5 = A" }, "").Message, "unbrauchbarer input");
}

TEST_F(StatementRouting, HelpAnswersThroughTheCommandWindow)
{
    ASSERT_TRUE(interpreter.RunLines({ "?Inv" }, "").Success);
    ASSERT_EQ(commandWindow.Outputs.size(), 1u);
    EXPECT_EQ(commandWindow.Outputs[0].substr(0, 8), "Inv(MQ)\n");
    EXPECT_TRUE(formulas.empty());
}

TEST_F(StatementRouting, FailureNamesFileAndLineOfTheInnermostStatement)
{
    // The macro's statement keeps the file and line where it was defined.
    const tOutermostRunResult result = interpreter.RunLines(
        { "; Kopf", "MACRODEF m", "B = 1", "C = fail", "MACROEND", "", "MACROEXEC m" }, "",
        "a.rts");
    ASSERT_FALSE(result.Success);
    ASSERT_TRUE(result.FailurePlace);
    EXPECT_EQ(LocatedFailureText(result.Message, *result.FailurePlace),
        "a.rts:4: Formel fehlerhaft\n\"C = fail\"");

    // A bare formula that fails; typed text has no file.
    const tOutermostRunResult typed = interpreter.RunLines({ "kaputt + 1" }, "");
    ASSERT_TRUE(typed.FailurePlace);
    EXPECT_EQ(LocatedFailureText(typed.Message, *typed.FailurePlace),
        "Unbekannter Name \"kaputt\"\n\"kaputt + 1\"");
    // A failure without a message of its own still says something.
    EXPECT_EQ(LocatedFailureText("", { "b.rts", 3, "D" }),
        "b.rts:3: Die Anweisung ist fehlgeschlagen\n\"D\"");
    // A long statement is quoted by its first 200 characters and an ellipsis.
    const std::string longStatement = "A = " + std::string(1 << 20, '(');
    EXPECT_EQ(
        FailureDisplayText("m", longStatement), "m\n\"" + longStatement.substr(0, 200) + "\x85\"");
    EXPECT_EQ(
        FailureDisplayText("m", std::string(200, 'x')), "m\n\"" + std::string(200, 'x') + "\"");
    // A NUL byte would end the text in a window: shown as ^@.
    EXPECT_EQ(FailureDisplayText(std::string("\"\0\" an Stelle 2", 15), std::string("A = 1\0", 6)),
        "\"^@\" an Stelle 2\n\"A = 1^@\"");
}

TEST_F(StatementRouting, RunTimeErrorAndStopInsideARoutineNameTheirStatement)
{
    const tOutermostRunResult crash = interpreter.RunLines(
        { "A = 1", "MACRODEF m", "X = crash", "MACROEND", "MACROEXEC m" }, "", "c.rts");
    EXPECT_TRUE(crash.RunTimeError);
    ASSERT_TRUE(crash.FailurePlace);
    EXPECT_EQ(crash.FailurePlace->Line, 3);
    EXPECT_EQ(crash.FailurePlace->Statement, "X = crash");

    // A routine stopped at its check point fails the run (no run-time error), and the next run
    // starts afresh.
    const tOutermostRunResult stopped = interpreter.RunLines({ "A = 1", "E = stop" }, "", "d.rts");
    EXPECT_FALSE(stopped.Success);
    EXPECT_FALSE(stopped.RunTimeError);
    EXPECT_EQ(stopped.Message, "Abgebrochen (auf Wunsch des Benutzers)");
    ASSERT_TRUE(stopped.FailurePlace);
    EXPECT_EQ(stopped.FailurePlace->Line, 2);
    EXPECT_TRUE(interpreter.RunLines({ "F = 1" }, "").Success);
}

// A command reports its failure as a value; the statement writes its code and message once, as it
// ends. A statement the command runs inside (a macro's, a BATCH file's) ends on its own and leaves
// the command's failure standing.
TEST_F(StatementRouting, ACommandsFailureStandsWhateverRunsInsideIt)
{
    interpreter.Statements().SetHandler("ANIMATE", [this](tStmtList& statements, tAnsiTokens&) {
        statements.Fail(3, "Animation nicht m\xF6glich");
        const bool inner = interpreter.ExecuteStatement("X = 1", Tokenize("X = 1", '"'));
        // The inner statement has ended: its code and message are written, the command's failure
        // is not yet.
        EXPECT_TRUE(inner);
        EXPECT_EQ(statements.Code, 0);
        EXPECT_EQ(statements.Message, "");
        return false;
    });
    const tOutermostRunResult result = interpreter.RunLines({ "ANIMATE" }, "");
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Code, 3);
    EXPECT_EQ(result.Message, "Animation nicht m\xF6glich");
    EXPECT_EQ(interpreter.Statements().Code, 3);
    // The next statement starts without it.
    EXPECT_TRUE(interpreter.RunLines({ "X = 2" }, "").Success);
    EXPECT_EQ(interpreter.Statements().Code, 0);
    EXPECT_EQ(interpreter.Statements().Message, "");
}

} // namespace
} // namespace zelvora
