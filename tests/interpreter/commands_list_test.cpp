// Cutting script lines into statements, the macro store and the statement range of a selection.
#include "interpreter/commands_list.h"
#include "interpreter/macro_list.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

tCommandsList Load(const std::vector<std::string>& lines)
{
    tCommandsList list;
    list.Initialise();
    LoadLines(list, lines, 0, static_cast<std::int32_t>(lines.size()) - 1);
    return list;
}

std::vector<std::string> Texts(const tCommandsList& list)
{
    std::vector<std::string> texts;
    for (const auto& entry : list.Items)
        texts.push_back(entry.Text);
    return texts;
}

TEST(SourceLine, LabelsAreRemoved)
{
    EXPECT_EQ(ProcessSourceLine("[12] A = 5"), " A = 5");
    EXPECT_EQ(ProcessSourceLine("  [12]"), " ");
    EXPECT_EQ(ProcessSourceLine("[x = 5"), "[x = 5");
    EXPECT_EQ(ProcessSourceLine("A[1] = 5"), "A[1] = 5");
}

TEST(SourceLine, LineCommentsRespectStringLiterals)
{
    EXPECT_EQ(ProcessSourceLine("B = \"a//b\" // note"), "B = \"a//b\" ");
    EXPECT_EQ(ProcessSourceLine("B = \"a\\\"//b\""), "B = \"a\\\"//b\"");
    EXPECT_EQ(ProcessSourceLine("X = 1 // rest"), "X = 1 ");
    EXPECT_EQ(ProcessSourceLine("X = 1 / 2"), "X = 1 / 2");
    EXPECT_EQ(ProcessSourceLine("A\t=\x0F"
                                "1"),
        "A = 1");
}

TEST(CommandsList, ContinuationJoinsLines)
{
    EXPECT_EQ(Texts(Load({ "X = 1 + _", "2" })), (std::vector<std::string> { "X = 1 + 2" }));
    EXPECT_EQ(
        Texts(Load({ "A = {1,2, _", "3,4}" })), (std::vector<std::string> { "A = {1,2, 3,4}" }));
    EXPECT_EQ(
        Texts(Load({ "A = {1,2,", "3,4}" })), (std::vector<std::string> { "A = {1,2,", "3,4}" }));
    EXPECT_EQ(Texts(Load({ "A = 1_", "2" })), (std::vector<std::string> { "A = 1_", "2" }));
    EXPECT_EQ(Texts(Load({ "A = 1 _   ", "+ 2" })), (std::vector<std::string> { "A = 1 + 2" }));
}

TEST(CommandsList, EntriesKeepTheirSourceLines)
{
    const tCommandsList list = Load({ "[3] X = 1 + _", "  2 // two", "", "Y = 3 _" });
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items[0].FirstLine, 0);
    EXPECT_EQ(list.Items[0].LastLine, 1);
    EXPECT_EQ(list.Items[0].Lines, (std::vector<std::string> { "[3] X = 1 + _", "  2 // two" }));
    EXPECT_EQ(list.Items[0].Text, "X = 1 +   2 ");
    EXPECT_EQ(list.Items[0].Tokens.size(), 5u);
    EXPECT_EQ(list.Items[1].Text, "");
    EXPECT_TRUE(list.Items[1].Tokens.empty());
    // A continuation on the last line leaves that statement empty.
    EXPECT_EQ(list.Items[2].Text, "");
    EXPECT_EQ(list.Items[2].FirstLine, 3);
    EXPECT_EQ(list.Items[2].Lines, (std::vector<std::string> { "Y = 3 _" }));
}

TEST(CommandsList, CommentsHaveNoTokens)
{
    const tCommandsList list = Load({ ";T Heading text", "   ; a note", "A = 1 ; not a comment" });
    ASSERT_EQ(list.Count(), 3);
    EXPECT_TRUE(list.Items[0].IsComment);
    EXPECT_TRUE(list.Items[0].Tokens.empty());
    EXPECT_TRUE(list.Items[1].IsComment);
    EXPECT_FALSE(list.Items[2].IsComment);
    EXPECT_FALSE(list.Items[2].Tokens.empty());
}

TEST(CommandsList, InactiveListsAndBadRangesDoNothing)
{
    tCommandsList inactive;
    LoadLines(inactive, { "A = 1" }, 0, 0);
    EXPECT_EQ(inactive.Count(), 0);
    tCommandsList list;
    list.Initialise();
    LoadLines(list, { "A = 1" }, 0, 5);
    LoadLines(list, { "A = 1" }, 3, 1);
    LoadLines(list, {}, 0, -1);
    EXPECT_EQ(list.Count(), 1);
    list.AppendList(list);
    EXPECT_EQ(list.Count(), 2);
    list.SetCount(5);
    EXPECT_EQ(list.Items[4].Text, "");
    list.Finalise();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.Active);
}

// The run cuts a script statement by statement as it goes; it must cut exactly as the whole list.
TEST(StatementCutter, CutsTextAsLoadLinesCutsItsLines)
{
    const std::string text = "A = 1\r\n; note\r\nB = {1, _\r\n  2}\r\n\r\n[3] C = A // rest\r\n"
                             "D = \"x _\r\nE = 2 _";
    const std::vector<std::string> lines = SplitTextLines(text);
    tCommandsList list;
    list.Initialise();
    LoadLines(list, lines, 0, static_cast<std::int32_t>(lines.size()) - 1);
    tStatementCutter cutter(text, {}, "s.rts");
    tCommandslistEntry entry;
    std::size_t index = 0;
    while (cutter.Next(entry)) {
        ASSERT_LT(index, list.Items.size());
        const tCommandslistEntry& expected = list.Items[index++];
        EXPECT_EQ(entry.Text, expected.Text);
        EXPECT_EQ(entry.FirstLine, expected.FirstLine);
        EXPECT_EQ(entry.LastLine, expected.LastLine);
        EXPECT_EQ(entry.Lines, expected.Lines);
        EXPECT_EQ(entry.IsComment, expected.IsComment);
        EXPECT_EQ(entry.Tokens.size(), expected.Tokens.size());
        ASSERT_TRUE(entry.Source);
        EXPECT_EQ(*entry.Source, "s.rts");
    }
    EXPECT_EQ(index, list.Items.size());
    EXPECT_EQ(index, 6u); // "D = ..." continues into an unfinished last statement: an empty one
    EXPECT_TRUE(cutter.AtEnd());

    tStatementCutter part(lines, 2, 3);
    ASSERT_TRUE(part.Next(entry));
    EXPECT_EQ(entry.Text, "B = {1,   2}"); // the continued line keeps its blanks
    EXPECT_FALSE(part.Next(entry));
}

TEST(StatementRange, WidensToWholeStatements)
{
    const std::vector<std::string> lines = { "A = 1 _", "+ 2", "B = 3 _", "+ 4 _", "+ 5", "C = 6" };
    // Caret on line 4 ("+ 5"): offsets are 0, 8, 12, 20, 26, 30.
    EXPECT_EQ(StatementRange(lines, 27, 0).First, 2);
    EXPECT_EQ(StatementRange(lines, 27, 0).Last, 4);
    // Caret on line 2: widened downwards to line 4.
    EXPECT_EQ(StatementRange(lines, 13, 0).Last, 4);
    // Line 0 is never added by widening upwards.
    EXPECT_EQ(StatementRange(lines, 9, 0).First, 1);
    // A selection over lines 5 and the end of the text.
    const tLineRange end = StatementRange(lines, 30, 100);
    EXPECT_EQ(end.First, 5);
    EXPECT_EQ(end.Last, 5);
}

TEST(MacroStore, DefinitionsAndRedefinition)
{
    TMacrolist macros;
    tCommandslistEntry entry;
    entry.Text = "A = 1";
    macros.AddStatement(entry); // idle: ignored
    EXPECT_EQ(macros.Count(), 0);
    macros.BeginDefinition("m\xFC");
    EXPECT_EQ(macros.State(), TMacrolist::Begun);
    macros.BeginDefinition("other"); // only when idle
    macros.AddStatement(entry);
    macros.AddStatement(entry);
    EXPECT_EQ(macros.State(), TMacrolist::Recording);
    macros.EndDefinition();
    EXPECT_EQ(macros.Count(), 1);
    EXPECT_EQ(macros.Find("M\xDC"), 1);
    EXPECT_EQ(macros.Name(1), "M\xDC");
    EXPECT_EQ(macros.List(1).Count(), 2);
    EXPECT_EQ(macros.Find("other"), 0);

    macros.BeginDefinition("M\xFC");
    macros.EndDefinition();
    EXPECT_EQ(macros.Count(), 1);
    EXPECT_EQ(macros.List(1).Count(), 0);
    for (int i = 0; i < 40; ++i) {
        macros.BeginDefinition("m" + std::to_string(i));
        macros.EndDefinition();
    }
    EXPECT_EQ(macros.Count(), 41);
    EXPECT_EQ(macros.Find("M39"), 41);
}

} // namespace
} // namespace zelvora
