// What the front ends read of a session through its door, in types of src/ui only: how a run
// ended (with the failing statement's place), the settings as they stand now, the store's names
// and counts, the completion words and the lines a selection runs.
#include "support/recording_session.h"
#include "ui/run_outcome.h"
#include "ui/session.h"
#include "ui/settings_view.h"
#include "ui/statement_lines.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

class SessionViews : public ::testing::Test, protected tRecordingSession { };

bool Holds(const std::vector<std::string>& words, std::string_view word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

TEST_F(SessionViews, AFailureCarriesTheInnermostStatementWithItsScriptAndLine)
{
    const tRunOutcome outcome = session.RunText("A = 1\nB = Inv(\"x\")\nC = 3", "", "rechnung.rts");
    ASSERT_FALSE(outcome.Success);
    EXPECT_FALSE(outcome.RunTimeError);
    EXPECT_FALSE(outcome.Message.empty());
    ASSERT_TRUE(outcome.FailurePlace.has_value());
    EXPECT_EQ(outcome.FailurePlace->Source, "rechnung.rts");
    EXPECT_EQ(outcome.FailurePlace->Line, 2);
    EXPECT_EQ(outcome.FailurePlace->Statement, "B = Inv(\"x\")");
    EXPECT_EQ(LocatedFailureText(outcome).rfind("rechnung.rts:2: " + outcome.Message, 0), 0u)
        << LocatedFailureText(outcome);
    const std::string shown = FailureDisplayText(outcome);
    EXPECT_EQ(shown.rfind(outcome.Message, 0), 0u) << shown;
    EXPECT_NE(shown.find("B = Inv(\"x\")"), std::string::npos) << shown;
}

TEST_F(SessionViews, ARunTimeErrorIsWordedWithItsOwnTextAndTheStatement)
{
    const tRunOutcome outcome = session.RunText("A = 7 div 0", "");
    ASSERT_TRUE(outcome.RunTimeError);
    ASSERT_FALSE(outcome.ErrorText.empty());
    EXPECT_EQ(FailedStatementPlace(outcome).Statement, "A = 7 div 0");
    EXPECT_EQ(LocatedFailureText(outcome).rfind(outcome.ErrorText, 0), 0u)
        << LocatedFailureText(outcome);
    EXPECT_NE(FailureDisplayText(outcome).find("A = 7 div 0"), std::string::npos);
}

TEST_F(SessionViews, WithoutAKnownPlaceTheLastStatementIsNamed)
{
    tRunOutcome outcome;
    outcome.Success = false;
    outcome.Message = "kaputt";
    outcome.LastStatement = "X = 1";
    const tRunPlace place = FailedStatementPlace(outcome);
    EXPECT_TRUE(place.Source.empty());
    EXPECT_EQ(place.Line, 0);
    EXPECT_EQ(place.Statement, "X = 1");
}

TEST_F(SessionViews, TheSettingsViewFollowsTheSettingsAsTheyChange)
{
    const tSettingsView settings = session.SettingsView();
    ASSERT_TRUE(session.RunText("SET JournalDateiname=heute.zvj", "").Success);
    EXPECT_EQ(settings.JournalFileName(), "heute.zvj");
    EXPECT_EQ(settings.JournalFilePath(), session.SettingsView().JournalFilePath());
    EXPECT_NE(settings.JournalFilePath().find("heute.zvj"), std::string::npos);

    session.AddRecentScript(settings.ExamplesDirectory() + "eins.rts");
    ASSERT_EQ(settings.RecentScripts().size(), 1u);
    EXPECT_NE(settings.RecentScripts().front().find("eins.rts"), std::string::npos);
    EXPECT_GT(MaxRecentScripts(), 1u);
    EXPECT_FALSE(ProgramVersionText().empty());
}

TEST_F(SessionViews, TheStoreIsReadByNamesAndCounts)
{
    ASSERT_TRUE(session.RunText("Alpha = {{1,2},{3,4}}\nbeta = 5\nGamma = {7, 8}", "").Success);
    EXPECT_TRUE(Holds(session.VariableNames(), "Alpha"));
    EXPECT_TRUE(Holds(session.VariableNames(), "beta"));
    EXPECT_TRUE(session.HasVariable("ALPHA"));
    EXPECT_FALSE(session.HasVariable("Delta"));
    // Only matrices count, not the scalar.
    const std::int32_t matrices = session.MatrixVariableCount();
    EXPECT_EQ(matrices, 2);
    ASSERT_TRUE(session.RunText("DELETE Alpha", "").Success);
    EXPECT_EQ(session.MatrixVariableCount(), matrices - 1);
    EXPECT_FALSE(session.HasVariable("Alpha"));
    ASSERT_TRUE(session.RunText("SET DfltFeldweite=14", "").Success);
    EXPECT_EQ(session.CopyCellWidth(), 14);
}

TEST_F(SessionViews, CompletionOffersCommandsFunctionsAndVariables)
{
    ASSERT_TRUE(session.RunText("Dauer = 1", "").Success);
    const std::vector<std::string> words = session.CompletionWords("D");
    EXPECT_TRUE(Holds(words, "Dauer"));
    EXPECT_TRUE(Holds(words, "DELETE"));
    EXPECT_TRUE(std::all_of(words.begin(), words.end(),
        [](const std::string& word) { return word.front() == 'D' || word.front() == 'd'; }));
}

TEST(StatementLines, ContinuedLinesAndBlankTextAreSeenAsTheRunReadsThem)
{
    EXPECT_TRUE(ContinuesOnNextLine("A = 1 + _"));
    EXPECT_TRUE(ContinuesOnNextLine("A = 1 + _  \t"));
    EXPECT_FALSE(ContinuesOnNextLine("A = 1 +_"));
    EXPECT_FALSE(ContinuesOnNextLine("_"));
    EXPECT_TRUE(IsBlankText(" \t\r\n"));
    EXPECT_FALSE(IsBlankText("  A"));
    const std::vector<std::string> lines = { "A = 1", "B = 2 + _", "  3", "C = 4" };
    // A caret in the continuation line runs its whole statement.
    const std::int32_t inThirdLine = 6 + 10 + 1;
    const tSelectedLines selected = SelectedStatementLines(lines, inThirdLine, 0);
    EXPECT_EQ(selected.First, 1);
    EXPECT_EQ(selected.Last, 2);
}

} // namespace
} // namespace zelvora
