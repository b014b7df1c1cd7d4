// Where comments start and how the command editor classifies the words of a line.
#include "interpreter/statement_table.h"
#include "ui/syntax_classes.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(CommentStart, SemicolonOnlyAfterBlanksAndSlashesOutsideStrings)
{
    EXPECT_EQ(CommentStart("x = 1 // note"), 6);
    EXPECT_EQ(CommentStart("B = \"a//b\""), -1);
    EXPECT_EQ(CommentStart("B = \"a//b\" // c"), 11);
    EXPECT_EQ(CommentStart("b = 1 ; c"), -1);
    EXPECT_EQ(CommentStart(" \t; note"), 2);
    EXPECT_EQ(CommentStart(";H Titel"), 0);
    EXPECT_EQ(CommentStart("a = 1 /"), -1);
}

tSyntaxWords TestWords()
{
    return { [](std::string_view w) { return w == "LIST" || w == "SETOPTIONS"; },
        [](std::string_view w) { return w == "INV" || w == "PI" || w == "SIN"; }, {}, {} };
}

TEST(ClassifyLine, NamesNumbersStringsAndComments)
{
    const auto spans = ClassifyLine("r = Inv(M) * 1.5e-3 + \"ab\" // x", TestWords());
    const std::vector<tSyntaxSpan> expected { { 0, 1, tSyntaxClass::Name },
        { 4, 3, tSyntaxClass::CatalogueWord }, { 8, 1, tSyntaxClass::Name },
        { 13, 6, tSyntaxClass::Number }, { 22, 4, tSyntaxClass::String },
        { 27, 4, tSyntaxClass::Comment } };
    EXPECT_EQ(spans, expected);
}

TEST(ClassifyLine, RangesUmlautsConstantsAndOpenStrings)
{
    const std::vector<tSyntaxSpan> range { { 0, 1, tSyntaxClass::Name },
        { 4, 1, tSyntaxClass::Number }, { 7, 1, tSyntaxClass::Number } };
    EXPECT_EQ(ClassifyLine("v = 1..5", TestWords()), range);
    const std::vector<tSyntaxSpan> umlaut { { 0, 5, tSyntaxClass::Name },
        { 9, 2, tSyntaxClass::CatalogueWord }, { 12, 4, tSyntaxClass::String } };
    EXPECT_EQ(ClassifyLine("gr\xF6\xDF"
                           "e = #pi \"abc",
                  TestWords()),
        umlaut);
}

TEST(ClassifyLine, CommandWordOnlyAtTheStartOfACommand)
{
    EXPECT_EQ(ClassifyLine("[3] LIST A", TestWords()).front(),
        (tSyntaxSpan { 4, 4, tSyntaxClass::CommandWord }));
    // An assignment to a variable named like a command is no command.
    EXPECT_EQ(
        ClassifyLine("list = 1", TestWords()).front(), (tSyntaxSpan { 0, 4, tSyntaxClass::Name }));
    EXPECT_EQ(ClassifyLine("A LIST", TestWords())[1], (tSyntaxSpan { 2, 4, tSyntaxClass::Name }));
    // A target named like a catalogue word is a variable.
    EXPECT_EQ(ClassifyLine("sin = sin(1)", TestWords())[0].Class, tSyntaxClass::Name);
    EXPECT_EQ(ClassifyLine("sin = sin(1)", TestWords())[1].Class, tSyntaxClass::CatalogueWord);
}

TEST(ClassifyLine, NamesAreColouredByWhatTheStoreAndTheCatalogueMakeThem)
{
    tSyntaxWords words = TestWords();
    const auto known = [](std::vector<std::string_view> list) {
        return [list](std::string_view w) {
            return std::find(list.begin(), list.end(), w) != list.end();
        };
    };
    words.IsCatalogueWord = known({ "SIN", "E", "V", "T", "UND" });
    words.IsOperatorWord = known({ "UND" });
    words.IsVariable = known({ "E", "V", "D" });
    const auto classes = [&words](std::string_view line) {
        std::vector<tSyntaxClass> result;
        for (const tSyntaxSpan& span : ClassifyLine(line, words))
            result.push_back(span.Class);
        return result;
    };
    using enum tSyntaxClass;
    // Stored variables are variables whether the catalogue knows their names or not.
    EXPECT_EQ(
        classes("r = V * E + D + L"), (std::vector { Name, Variable, Variable, Variable, Name }));
    // A call, a constant after '#' and a word operator are the catalogue's.
    EXPECT_EQ(classes("r = sin (V) und E(2) + #e"),
        (std::vector {
            Name, CatalogueWord, Variable, CatalogueWord, CatalogueWord, Number, CatalogueWord }));
    // A catalogue name that is neither called nor stored is a plain name.
    EXPECT_EQ(classes("r = T"), (std::vector { Name, Name }));
}

TEST(IsCommandWordOf, UniquePrefixesOfTheTable)
{
    tStmtList table;
    table.RegisterCommand("---", "", "", nullptr); // slot 0, never matched
    for (const char* name : { "SETOPTIONS", "SHOWOPTIONS", "DELETE", "DISPLAY" })
        table.RegisterCommand(name, "", "", nullptr);
    EXPECT_TRUE(IsCommandWordOf(table, "set"));
    EXPECT_TRUE(IsCommandWordOf(table, "DISPLAY"));
    EXPECT_FALSE(IsCommandWordOf(table, "D")); // ambiguous
    EXPECT_FALSE(IsCommandWordOf(table, "SETOPTIONSX"));
    EXPECT_FALSE(IsCommandWordOf(table, ""));
    EXPECT_FALSE(IsCommandWordOf(table, "-"));
}

TEST(IsCatalogueWord, FunctionsAndConstantsOfTheCatalogue)
{
    EXPECT_TRUE(IsCatalogueWord("inv"));
    EXPECT_TRUE(IsCatalogueWord("pi"));
    EXPECT_FALSE(IsCatalogueWord("Invv"));
    EXPECT_TRUE(IsOperatorWord("und"));
    EXPECT_TRUE(IsOperatorWord("MOD"));
    EXPECT_FALSE(IsOperatorWord("inv"));
}

} // namespace
} // namespace zelvora
