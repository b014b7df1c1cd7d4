// The executor and the run loop: classification, command lookup, journal and listing echo,
// macros, quitting, nesting limits and run-time errors.
#include "interpreter/commands.h"
#include "interpreter/interpreter.h"
#include "numerics/run_time_error.h"
#include "support/recording_ports.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

class RunLoop : public ::testing::Test {
protected:
    RunLoop()
    {
        RegisterCommands(interpreter);
        interpreter.Switches().ListingOn = true;
    }

    tInterpreterHooks Hooks()
    {
        tInterpreterHooks hooks;
        hooks.Compute = [this](tStmtList& statements, tAnsiTokens& tokens) {
            computed.push_back(JoinTokenTexts(tokens, 0, static_cast<int>(tokens.size()) - 6));
            if (tokens.size() > 2 && tokens[2].Text == "fail") {
                statements.Fail(7, "Formel fehlerhaft");
                return false;
            }
            if (tokens.size() > 2 && tokens[2].Text == "odd" && ++oddCalls % 2 == 1) {
                statements.Fail(8, "Aufruf " + std::to_string(oddCalls) + " ungerade");
                return false;
            }
            if (tokens.size() > 2 && tokens[2].Text == "crash")
                throw tIntDivisionByZeroError();
            if (tokens.size() > 2 && tokens[2].Text == "stop")
                interpreter.RequestInterrupt();
            return true;
        };
        return hooks;
    }

    tOutermostRunResult Run(const std::vector<std::string>& lines)
    {
        return interpreter.RunLines(lines, "/scripts");
    }

    tRecordingJournal journal;
    tRecordingListing listing;
    tRecordingCommandWindow commandWindow;
    tRecordingDemoWindow demoWindow;
    tRecordingApplication application;
    tInterpreter interpreter { { .Journal = &journal,
                                   .Listing = &listing,
                                   .CommandWindow = &commandWindow,
                                   .DemoWindow = &demoWindow,
                                   .Application = &application },
        Hooks() };
    std::vector<std::string> computed;
    int oddCalls = 0;
};

// A stop request ends the run before its next statement, nested runs included; the next
// outermost run starts afresh.
TEST_F(RunLoop, StopRequestEndsTheRunBeforeTheNextStatement)
{
    ASSERT_TRUE(Run({ "MACRODEF m", "B = stop", "C = 2", "MACROEND" }).Success);
    computed.clear();
    const tOutermostRunResult result = Run({ "A = 1", "MACROEXEC m", "D = 3" });
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Message, "Abgebrochen (auf Wunsch des Benutzers)");
    EXPECT_EQ(computed, (std::vector<std::string> { "A=1", "B=stop" }));
    EXPECT_TRUE(Run({ "E = 4" }).Success);
}

TEST_F(RunLoop, ClassifiesAssignmentsAndCommands)
{
    EXPECT_TRUE(Run({ "A = 5" }).Success);
    EXPECT_TRUE(Run({ "a = 5" }).Success);
    EXPECT_TRUE(Run({ "A, B[2,{1,2}] = 5" }).Success);
    EXPECT_TRUE(Run({ "M[(1),2] = 0" }).Success);
    EXPECT_EQ(
        computed, (std::vector<std::string> { "A=5", "a=5", "A,B[2,{1,2}]=5", "M[(1),2]=0" }));

    auto result = Run({ "5 = A" });
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Code, 1);
    EXPECT_EQ(result.Message, "unbrauchbarer input");

    result = Run({ "X B = 1" }); // A would find ANIMATE
    EXPECT_EQ(result.Code, 1);
    EXPECT_EQ(result.Message, "Unbekannter Befehl");
    EXPECT_EQ(result.LastStatement, "X B = 1");

    result = Run({ "D" });
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Code, 0);
    EXPECT_EQ(result.Message, "");

    EXPECT_EQ(Run({ "COMP A = 1" }).Message, "Unbekannter Befehl");
    EXPECT_EQ(Run({ "\"A\" = 1" }).Message, "unbrauchbarer input");
    EXPECT_EQ(computed.size(), 4u);
}

TEST_F(RunLoop, FindsCommandsByUniquePrefix)
{
    tStmtList& table = interpreter.Statements();
    EXPECT_EQ(table.HighIndex, 22);
    EXPECT_EQ(table.Commands[4].Name, "[COMPUTE]");
    const std::vector<std::pair<std::string, int>> unique = { { "SET", 2 }, { "show", 3 },
        { "DEL", 9 }, { "DEM", 17 }, { "LI", 15 }, { "LO", 11 }, { "SA", 12 }, { "MAT", 6 },
        { "MACROD", 20 }, { "MACROE", 21 }, { "QUIT", 1 }, { "fach", 22 } };
    for (const auto& [word, slot] : unique) {
        EXPECT_EQ(table.FindCommand(word), tFindResult::Found) << word;
        EXPECT_EQ(table.MatchedIndex, slot) << word;
    }
    for (const std::string word : { "D", "L", "S", "M", "H", "HID", "MACRO" })
        EXPECT_EQ(table.FindCommand(word), tFindResult::Ambiguous) << word;
    for (const std::string word : { "COMP", "COMPUTE", "SETOPTIONSX", "XYZ" })
        EXPECT_EQ(table.FindCommand(word), tFindResult::NotFound) << word;
}

TEST_F(RunLoop, StopsAtFirstFailureWithJournalAndListingEcho)
{
    const auto result = Run({ "A = 1", "FOO 1", "B = 2" });
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Message, "Unbekannter Befehl");
    EXPECT_EQ(result.LastStatement, "FOO 1");
    EXPECT_EQ(journal.Lines, (std::vector<std::string> { ";<<", "A = 1\r\n", "FOO 1\r\n", ";>>" }));
    EXPECT_EQ(listing.Calls, (std::vector<std::string> { "command:[1] A = 1\r\n" }));
    EXPECT_EQ(computed, (std::vector<std::string> { "A=1" }));
}

TEST_F(RunLoop, ListingNumbersStatementsAndWritesComments)
{
    Run({ "[7] A = 1 + _", "  2", ";H Results", "; plain note", "" });
    Run({ "B = 3" });
    EXPECT_EQ(listing.Calls,
        (std::vector<std::string> { "command:[1] [7] A = 1 + _\r\n  2\r\n", "text:;H Results\r\n",
            "command:     ; plain note\r\n", "command:     \r\n", "command:[2] B = 3\r\n" }));
    // The heading comment ends the run's journal markers.
    EXPECT_EQ(journal.Lines.front(), ";<<");
    EXPECT_NE(journal.Lines[journal.Lines.size() - 2], ";>>");
    EXPECT_EQ(journal.Lines.back(), "B = 3\r\n");
}

TEST_F(RunLoop, SwitchedOffJournalAndListingGetNothing)
{
    interpreter.Switches().JournalOn = false;
    interpreter.Switches().ListingOn = false;
    Run({ "A = 1", "B = 2" });
    EXPECT_TRUE(journal.Lines.empty());
    EXPECT_TRUE(listing.Calls.empty());
    EXPECT_EQ(interpreter.ListingCounter(), 0);
}

TEST_F(RunLoop, StatementThatListsItselfSuppressesEchoAndEndMarker)
{
    interpreter.Statements().Commands[15].Handler = [this](tStmtList&, tAnsiTokens&) {
        interpreter.Flags().NoListEcho = true;
        return true;
    };
    Run({ "LIST A", "B = 1" });
    EXPECT_EQ(journal.Lines, (std::vector<std::string> { ";<<", "LIST A\r\n", "B = 1\r\n" }));
    EXPECT_EQ(listing.Calls, (std::vector<std::string> { "command:[1] B = 1\r\n" }));
}

TEST_F(RunLoop, MacrosAreRecordedThenExecuted)
{
    EXPECT_TRUE(Run({ "MACRODEF m", "A = 1", "B = 2", "MACROEND", "C = 3" }).Success);
    EXPECT_EQ(computed, (std::vector<std::string> { "C=3" }));
    EXPECT_EQ(journal.Lines.size(), 7u); // recorded statements are journaled too
    EXPECT_EQ(interpreter.Macros().List(1).Count(), 2);

    computed.clear();
    EXPECT_TRUE(Run({ "MACROEXEC m 3" }).Success);
    EXPECT_EQ(computed.size(), 6u);
    EXPECT_FALSE(interpreter.Flags().MacroRunning);

    computed.clear();
    EXPECT_TRUE(Run({ "MACROEXEC m, 3, 200" }).Success); // the comma makes the count default
    EXPECT_EQ(computed.size(), 2u);

    const auto missing = Run({ "MACROEXEC nope" });
    EXPECT_FALSE(missing.Success);
    EXPECT_EQ(missing.Code, 2);
    EXPECT_EQ(missing.Message, "Makro nicht gefunden");
}

// A failing statement ends its repetition only; the command fails with the first failure and its
// place even when the last repetition succeeds.
TEST_F(RunLoop, FailingStatementEndsOnlyItsRepetition)
{
    Run({ "MACRODEF m", "A = 1", "B = odd", "C = 3", "MACROEND" });
    computed.clear();
    commandWindow.Messages.clear();
    const auto result = Run({ "MACROEXEC m 4", "D = 4" });
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Code, 8);
    EXPECT_EQ(result.Message, "Aufruf 1 ungerade");
    ASSERT_TRUE(result.FailurePlace.has_value());
    EXPECT_EQ(result.FailurePlace->Statement, "B = odd");
    EXPECT_EQ(computed,
        (std::vector<std::string> {
            "A=1", "B=odd", "A=1", "B=odd", "C=3", "A=1", "B=odd", "A=1", "B=odd", "C=3" }));
    EXPECT_EQ(commandWindow.Messages.size(), 1u);
    EXPECT_FALSE(interpreter.Flags().MacroRunning);
}

TEST_F(RunLoop, UnnamedMacroAndNestedDefinition)
{
    Run({ "MACRODEF", "A = 1", "MACRODEF inner", "MACROEND" });
    EXPECT_EQ(interpreter.Macros().Find("???"), 1);
    EXPECT_EQ(interpreter.Macros().List(1).Count(), 2); // MACRODEF while recording is recorded
    computed.clear();
    EXPECT_TRUE(Run({ "MACROEXEC" }).Success);
    EXPECT_EQ(computed, (std::vector<std::string> { "A=1" }));
}

TEST_F(RunLoop, SelfExecutingMacroEndsWithMessage)
{
    Run({ "MACRODEF loop", "MACROEXEC loop", "MACROEND" });
    const auto result = Run({ "MACROEXEC loop" });
    EXPECT_FALSE(result.Success);
    EXPECT_NE(result.Message.find("Zu tief geschachtelte"), std::string::npos);
    EXPECT_EQ(interpreter.RunDepth(), 0);
    EXPECT_FALSE(interpreter.Flags().MacroRunning);
}

TEST_F(RunLoop, MacroCountThatIsNoIntegerIsAConversionError)
{
    Run({ "MACRODEF m", "A = 1", "MACROEND" });
    const auto result = Run({ "MACROEXEC m 2.5" });
    EXPECT_TRUE(result.RunTimeError);
    EXPECT_EQ(result.ErrorText, "'2.5' ist kein g\xFCltiger Integerwert");
}

TEST_F(RunLoop, QuitSkipsEverythingAfterwards)
{
    const auto result = Run({ "QUIT", "A = 1" });
    EXPECT_TRUE(result.Success);
    EXPECT_TRUE(interpreter.Flags().QuitRequested);
    EXPECT_EQ(application.QuitRequests, 2); // the command and the end of the run
    EXPECT_TRUE(computed.empty());
    // A refused close: every later run only asks again.
    EXPECT_TRUE(Run({ "A = 1", "B = 2" }).Success);
    EXPECT_TRUE(computed.empty());
    EXPECT_EQ(application.QuitRequests, 3);
}

TEST_F(RunLoop, RunTimeErrorEndsTheWholeRun)
{
    Run({ "MACRODEF m", "A = crash", "MACROEND" });
    journal.Lines.clear();
    const auto result = Run({ "X = 1", "MACROEXEC m", "Y = 2" });
    EXPECT_TRUE(result.RunTimeError);
    EXPECT_EQ(result.ErrorText, "Division durch Null");
    EXPECT_EQ(journal.Lines, (std::vector<std::string> { ";<<", "X = 1\r\n", "MACROEXEC m\r\n" }));
    EXPECT_EQ(interpreter.RunDepth(), 0);
    EXPECT_FALSE(interpreter.Flags().MacroRunning);
    EXPECT_TRUE(Run({ "Z = 3" }).Success); // the next run starts normally
}

TEST_F(RunLoop, DeepTargetBracketsAreRejected)
{
    const std::string deep = "A[" + std::string(70, '(') + "1" + std::string(70, ')') + "] = 1";
    const auto result = Run({ deep });
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Code, 1);
    EXPECT_TRUE(computed.empty());
    const std::string fine = "A[" + std::string(50, '(') + "1" + std::string(50, ')') + "] = 1";
    EXPECT_TRUE(Run({ fine }).Success);
}

TEST_F(RunLoop, FocusGoesToDemoWindowWhenVisible)
{
    demoWindow.Visible = true;
    Run({ "A = 1" });
    EXPECT_EQ(demoWindow.Focuses, 1);
    EXPECT_EQ(commandWindow.Focuses, 0);
    demoWindow.Visible = false;
    Run({ "A = 1" });
    EXPECT_EQ(commandWindow.Focuses, 2); // after the assignment and after the statement
}

} // namespace
} // namespace zelvora
