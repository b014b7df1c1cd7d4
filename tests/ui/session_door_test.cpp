// The session's one door for statements: the busy state, a run asked for during a run, the stop
// request and the statement a stop names.
#include "numerics/checkpoint.h"
#include "support/recording_ports.h"
#include "ui/session.h"

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
    tSession session { { &journalView, &listingView, &commandWindow, nullptr, &application },
        "11.12.2026 10:00:00" };
};

TEST_F(SessionDoor, ARunAskedForDuringARunIsRefusedAndStopEndsTheLongStatementAtOnce)
{
    std::optional<tOutermostRunResult> inner;
    std::chrono::steady_clock::time_point stopAsked;
    application.OnEvents = [&] {
        if (inner)
            return;
        EXPECT_TRUE(session.IsBusy());
        inner = session.RunText("N = 1", "");
        stopAsked = std::chrono::steady_clock::now();
        session.RequestStop();
    };
    const tOutermostRunResult result
        = session.RunText("A = 1\n" + std::string(LongStatement) + "\nC = 3", "");
    const auto stopTook = std::chrono::steady_clock::now() - stopAsked;

    ASSERT_TRUE(inner.has_value());
    EXPECT_FALSE(inner->Success);
    EXPECT_EQ(inner->Message, RunBusyText);
    EXPECT_FALSE(session.Store().Find("N"));

    EXPECT_FALSE(result.Success);
    EXPECT_FALSE(result.RunTimeError);
    EXPECT_EQ(result.Message, InterruptedText);
    ASSERT_TRUE(result.FailurePlace.has_value());
    EXPECT_EQ(result.FailurePlace->Statement, LongStatement);
    EXPECT_LT(stopTook, std::chrono::milliseconds(500));
    EXPECT_TRUE(session.Store().Find("A"));
    EXPECT_FALSE(session.Store().Find("X"));
    EXPECT_FALSE(session.Store().Find("C"));

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
        const tOutermostRunResult result = session.RunText(statement, "");
        EXPECT_FALSE(result.Success) << statement;
        EXPECT_EQ(result.Message, InterruptedText) << statement;
        EXPECT_GT(application.Passes, passesBefore) << statement;
        EXPECT_FALSE(session.IsBusy());
    }
    EXPECT_FALSE(session.Store().Find("E"));
    EXPECT_FALSE(session.Store().Find("G"));
}

TEST_F(SessionDoor, AStopBetweenCheckPointsQuotesTheStatementThatDidNotRun)
{
    application.OnStatement = [&](std::string_view statement) {
        if (statement == "B = 2")
            session.RequestStop();
    };
    const tOutermostRunResult result = session.RunText("A = 1\nB = 2\nC = 3", "");
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Message, InterruptedText);
    EXPECT_EQ(result.LastStatement, "C = 3");
    ASSERT_TRUE(result.FailurePlace.has_value());
    EXPECT_EQ(result.FailurePlace->Statement, "C = 3");
    EXPECT_TRUE(session.Store().Find("B"));
    EXPECT_FALSE(session.Store().Find("C"));
}

TEST_F(SessionDoor, AStopAskedForWhileIdleDoesNotStopTheNextRun)
{
    session.RequestStop();
    EXPECT_TRUE(session.RunText("A = 1", "").Success);
    EXPECT_TRUE(session.Store().Find("A"));
}

TEST_F(SessionDoor, ARunTimeErrorLeavesTheSessionIdle)
{
    const tOutermostRunResult result = session.RunText("A = 7 div 0", "");
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
    const tOutermostRunResult result = session.Run(tRunRequest::OfLines(lines, 1, 2, ""));
    EXPECT_TRUE(result.Success);
    EXPECT_FALSE(session.Store().Find("A"));
    EXPECT_TRUE(session.Store().Find("B"));
    EXPECT_FALSE(session.Store().Find("C"));
}

} // namespace
} // namespace zelvora
