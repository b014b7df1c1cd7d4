// The session's one door for statements: the busy state, a run asked for during a run, the stop
// request and the statement a stop names; and the shelf's door: its changes go to the journal
// between runs and are refused during one.
#include "numerics/checkpoint.h"
#include "support/recording_ports.h"
#include "ui/matrix_cell_edit.h"
#include "ui/session.h"
#include "variables/display_list.h"

#include <chrono>
#include <functional>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

// Records the busy look and runs an action in every event pass of a run (what a click does).
class tEventApplication : public tRecordingApplication {
public:
    void ProcessEventsDuringRun() override
    {
        ++Passes;
        if (OnEvents)
            OnEvents();
    }
    void RunStateChanged(bool running) override { States.push_back(running); }
    void StatementStarted(std::string_view statement) override
    {
        Started.emplace_back(statement);
        if (OnStatement)
            OnStatement(statement);
    }
    int Passes = 0;
    std::vector<bool> States;
    std::vector<std::string> Started;
    std::function<void()> OnEvents;
    std::function<void(std::string_view)> OnStatement;
};

// A non-symmetric matrix whose similarity sweeps run for seconds.
constexpr std::string_view LongStatement
    = "X, D, T = EigenSys(RandomU(200,200) + Transp(RandomU(200,200)))";

class SessionDoor : public ::testing::Test {
protected:
    tRecordingTextView journalView;
    tRecordingTextView listingView;
    tRecordingCommandWindow commandWindow;
    tEventApplication application;
    tSession session { { .JournalView = &journalView,
                           .ListingView = &listingView,
                           .CommandWindow = &commandWindow,
                           .Application = &application },
        "11.12.2026 10:00:00" };

    bool JournalHas(std::string_view text) const
    {
        return journalView.PlainText().find(text) != std::string::npos;
    }
    long double Element(std::string_view name, std::int32_t row, std::int32_t col)
    {
        const tVariable* variable = session.Variable(name);
        return variable ? variable->matrix(row, col) : -1;
    }
};

TEST_F(SessionDoor, ARunAskedForDuringARunIsRefusedAndStopEndsTheLongStatementAtOnce)
{
    std::optional<tRunOutcome> inner;
    std::chrono::steady_clock::time_point stopAsked;
    application.OnEvents = [&] {
        if (inner)
            return;
        EXPECT_TRUE(session.IsBusy());
        inner = session.RunText("N = 1", "");
        stopAsked = std::chrono::steady_clock::now();
        session.RequestStop();
    };
    const tRunOutcome result
        = session.RunText("A = 1\n" + std::string(LongStatement) + "\nC = 3", "");
    const auto stopTook = std::chrono::steady_clock::now() - stopAsked;

    ASSERT_TRUE(inner.has_value());
    EXPECT_FALSE(inner->Success);
    EXPECT_EQ(inner->Message, RunBusyText);
    EXPECT_FALSE(session.Variable("N"));

    EXPECT_FALSE(result.Success);
    EXPECT_FALSE(result.RunTimeError);
    EXPECT_EQ(result.Message, InterruptedText);
    ASSERT_TRUE(result.FailurePlace.has_value());
    EXPECT_EQ(result.FailurePlace->Statement, LongStatement);
    EXPECT_LT(stopTook, std::chrono::milliseconds(500));
    EXPECT_TRUE(session.Variable("A"));
    EXPECT_FALSE(session.Variable("X"));
    EXPECT_FALSE(session.Variable("C"));

    EXPECT_EQ(application.States, (std::vector<bool> { true, false }));
    EXPECT_EQ(
        application.Started, (std::vector<std::string> { "A = 1", std::string(LongStatement) }));
    EXPECT_FALSE(session.IsBusy());
}

// Long factor-analysis routines let the windows' events through between their steps, and a stop
// there ends them: many random sets of a parallel analysis, many starts of GEOMIN.
TEST_F(SessionDoor, StopEndsParallelAnalysisAndGeominBetweenTheirSteps)
{
    ASSERT_TRUE(session
                    .RunText("RandomStart = 3\nR = Corr(RandomU(20,60))\n"
                             "L = RandomU(40,5,-0.8,0.8)",
                        "")
                    .Success);
    for (const std::string statement : { "E, P = Parallelanalyse(R, 500, 100000)",
             "G = RotSchief(L, \"GEOMIN\", 0.01, 100000)" }) {
        const int passesBefore = application.Passes;
        application.OnEvents = [&] { session.RequestStop(); };
        const tRunOutcome result = session.RunText(statement, "");
        EXPECT_FALSE(result.Success) << statement;
        EXPECT_EQ(result.Message, InterruptedText) << statement;
        EXPECT_GT(application.Passes, passesBefore) << statement;
        EXPECT_FALSE(session.IsBusy());
    }
    EXPECT_EQ(session.Variable("E"), nullptr);
    EXPECT_EQ(session.Variable("G"), nullptr);
}

TEST_F(SessionDoor, AStopBetweenCheckPointsQuotesTheStatementThatDidNotRun)
{
    application.OnStatement = [&](std::string_view statement) {
        if (statement == "B = 2")
            session.RequestStop();
    };
    const tRunOutcome result = session.RunText("A = 1\nB = 2\nC = 3", "");
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Message, InterruptedText);
    EXPECT_EQ(result.LastStatement, "C = 3");
    ASSERT_TRUE(result.FailurePlace.has_value());
    EXPECT_EQ(result.FailurePlace->Statement, "C = 3");
    EXPECT_TRUE(session.Variable("B"));
    EXPECT_FALSE(session.Variable("C"));
}

TEST_F(SessionDoor, AStopAskedForWhileIdleDoesNotStopTheNextRun)
{
    session.RequestStop();
    EXPECT_TRUE(session.RunText("A = 1", "").Success);
    EXPECT_TRUE(session.Variable("A"));
}

TEST_F(SessionDoor, ARunTimeErrorLeavesTheSessionIdle)
{
    const tRunOutcome result = session.RunText("A = 7 div 0", "");
    EXPECT_TRUE(result.RunTimeError);
    EXPECT_FALSE(session.IsBusy());
    EXPECT_EQ(application.States, (std::vector<bool> { true, false }));
    // A short run lets no window events through in the middle of a statement.
    EXPECT_EQ(application.Passes, 0);
    EXPECT_TRUE(session.RunText("B = 1", "").Success);
}

TEST_F(SessionDoor, EditorLinesRunTheStatementsOfTheirRange)
{
    const std::vector<std::string> lines = { "A = 1", "B = 2 + _", "  3", "C = 4" };
    const tRunOutcome result = session.Run(tRunRequest::OfLines(lines, 1, 2, ""));
    EXPECT_TRUE(result.Success);
    EXPECT_FALSE(session.Variable("A"));
    EXPECT_TRUE(session.Variable("B"));
    EXPECT_FALSE(session.Variable("C"));
}

TEST_F(SessionDoor, ShelfChangesBetweenRunsAreStatementsOfTheJournal)
{
    ASSERT_TRUE(
        session.RunText("A = {{1,2}}\nB = {{3}}\nx = 5\nR = 1..3\nS = {{\"a\"}}", "").Success);
    const tRunOutcome deleted = session.DeleteAllMatrices();
    EXPECT_TRUE(deleted.Success) << deleted.Message;
    EXPECT_TRUE(JournalHas("DELETE A, B, S"));
    EXPECT_FALSE(session.Variable("A") || session.Variable("B") || session.Variable("S"));
    EXPECT_TRUE(session.Variable("x") && session.Variable("R"));
    // Nothing left to delete: no statement at all.
    const std::string before = journalView.PlainText();
    EXPECT_TRUE(session.DeleteAllMatrices().Success);
    EXPECT_EQ(journalView.PlainText(), before);

    // A committed cell is written as the assignment of that cell.
    ASSERT_TRUE(session.RunText("M = {{1,2},{3,4}}\nT = {{\"a\",\"b\"}}", "").Success);
    tMatrixCellEdit edit;
    edit.Begin(session.StoreView(), session.VariableIndex("M"), 2, 1, "3");
    EXPECT_TRUE(session.CommitCellEdit(edit, " 0.125 ").Stored);
    EXPECT_EQ(Element("M", 2, 1), 0.125L);
    EXPECT_TRUE(JournalHas("M[2,1] = 0.125")) << journalView.PlainText();
    edit.Begin(session.StoreView(), session.VariableIndex("T"), 1, 2, "b");
    EXPECT_TRUE(session.CommitCellEdit(edit, "say \"hi\"").Stored);
    EXPECT_TRUE(JournalHas("T[1,2] = \"say \"\"hi\"\"\"")) << journalView.PlainText();
    // A text that is no number changes nothing and writes nothing.
    edit.Begin(session.StoreView(), session.VariableIndex("M"), 1, 1, "1");
    EXPECT_FALSE(session.CommitCellEdit(edit, "eins").Stored);
    EXPECT_FALSE(JournalHas("M[1,1]"));
}

TEST_F(SessionDoor, ShelfChangesDuringARunAreRefused)
{
    ASSERT_TRUE(session.RunText("M = {{1,2}}", "").Success);
    tMatrixCellEdit edit;
    edit.Begin(session.StoreView(), session.VariableIndex("M"), 1, 2, "2");
    std::optional<tRunOutcome> deleted;
    std::optional<tCellCommit> committed;
    bool refused = false;
    application.OnEvents = [&] {
        if (deleted)
            return;
        refused = session.ShelfActionRefused();
        deleted = session.DeleteAllMatrices();
        committed = session.CommitCellEdit(edit, "9");
        refused = refused && !session.HideAllWindows() && !session.CopyToClipboard(1, 1);
        session.RequestStop();
    };
    session.RunText(std::string(LongStatement), "");

    EXPECT_TRUE(refused);
    ASSERT_TRUE(deleted && committed);
    EXPECT_FALSE(deleted->Success);
    EXPECT_EQ(deleted->Message, RunBusyText);
    EXPECT_FALSE(committed->Stored);
    EXPECT_EQ(committed->Message, RunBusyText);
    EXPECT_EQ(committed->ShownText, "2");
    EXPECT_FALSE(edit.Active());
    EXPECT_EQ(Element("M", 1, 2), 2.0L);
    EXPECT_FALSE(JournalHas("DELETE"));
    EXPECT_FALSE(JournalHas("M[1,2]"));
    // Between runs the shelf acts again.
    EXPECT_FALSE(session.ShelfActionRefused());
    EXPECT_TRUE(session.DeleteAllMatrices().Success);
    EXPECT_FALSE(session.Variable("M"));
}

} // namespace
} // namespace zelvora
