// The editors' syntax definition: its word lists come from the catalogue and the command table, and
// every command word it colours is one the program accepts as a command.
#include "interpreter/commands.h"
#include "interpreter/interpreter.h"
#include "ui/syntax_definition.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

bool Holds(const std::vector<std::string>& words, std::string_view word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

class SyntaxDefinition : public ::testing::Test {
protected:
    SyntaxDefinition() { RegisterCommands(interpreter); }
    tInterpreter interpreter;
};

TEST_F(SyntaxDefinition, SortsTheCatalogueWordsByHowTheyAreWritten)
{
    const tSyntaxDefinitionWords words = SyntaxDefinitionWords(interpreter.Statements());
    EXPECT_TRUE(Holds(words.Functions, "Inv"));
    EXPECT_TRUE(Holds(words.Functions, "EigenSys"));
    EXPECT_TRUE(Holds(words.Functions, "CSVDatei"));
    EXPECT_TRUE(Holds(words.Constants, "pi"));
    EXPECT_TRUE(Holds(words.Constants, "wahr"));
    EXPECT_TRUE(Holds(words.OperatorWords, "mod"));
    EXPECT_TRUE(Holds(words.OperatorWords, "falls"));
    // Windows-1252 names arrive as UTF-8.
    EXPECT_TRUE(Holds(words.OperatorWords,
        "\xC3\xBC"
        "ber"));
    // The machine's own entries and the sign operators are no words of the language.
    EXPECT_FALSE(Holds(words.Constants, "PushVar"));
    EXPECT_FALSE(Holds(words.OperatorWords, ".."));
    EXPECT_FALSE(Holds(words.Functions, "pi"));
    EXPECT_GT(words.Functions.size(), 200u);
}

TEST_F(SyntaxDefinition, CommandWordsAreThePrefixesOfThreeOrMoreLettersThatNameOneCommand)
{
    const tSyntaxDefinitionWords words = SyntaxDefinitionWords(interpreter.Statements());
    EXPECT_TRUE(Holds(words.CommandWords, "SETOPTIONS"));
    EXPECT_TRUE(Holds(words.CommandWords, "SET"));
    EXPECT_TRUE(Holds(words.CommandWords, "HIDE"));
    EXPECT_TRUE(Holds(words.CommandWords, "ANI"));
    EXPECT_FALSE(Holds(words.CommandWords, "AN")); // names a matrix more often than ANIMATE
    EXPECT_FALSE(Holds(words.CommandWords, "SE")); // SETOPTIONS, SHOWOPTIONS, SAVE
    EXPECT_FALSE(Holds(words.CommandWords, "HID")); // HIDE, HIDDEN
    EXPECT_FALSE(Holds(words.CommandWords, "---"));
    EXPECT_FALSE(Holds(words.CommandWords, "[COMPUTE]"));
    for (const std::string& word : words.CommandWords) {
        EXPECT_EQ(interpreter.Statements().FindCommand(word), tFindResult::Found) << word;
    }
    for (const tStmt& command : interpreter.Statements().Commands) {
        if (command.Name != "---" && !command.Name.starts_with('[')) {
            EXPECT_TRUE(Holds(words.CommandWords, command.Name)) << command.Name;
        }
    }
}

TEST_F(SyntaxDefinition, DocumentNamesTheScriptFilesAndEscapesItsPatterns)
{
    tSyntaxDefinitionWords words;
    words.Functions = { "Inv", "R2_Mul" };
    words.Constants = { "pi" };
    words.OperatorWords = { "\xC3\xBC"
                            "ber" };
    words.CommandWords = { "SET", "SETOPTIONS" };
    const std::string xml = KateSyntaxDefinition(words);
    EXPECT_TRUE(xml.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_NE(xml.find("extensions=\"*.rts\" mimetype=\"text/x-zelvora-script\""), xml.npos);
    EXPECT_NE(xml.find("<item>pi</item>"), xml.npos);
    EXPECT_NE(xml.find("<item>\xC3\xBC"
                       "ber</item>"),
        xml.npos);
    // The longer command word is tried first; no '<' stands bare inside an attribute.
    EXPECT_NE(xml.find("(?:SETOPTIONS|SET)"), xml.npos);
    EXPECT_NE(xml.find("(?&lt;![\\w"), xml.npos);
    EXPECT_EQ(xml.find("(?<!"), xml.npos);
    EXPECT_NE(xml.find("(?:R2_Mul|Inv)"), xml.npos);
    EXPECT_NE(xml.find("casesensitive=\"0\""), xml.npos);
}

} // namespace
} // namespace zelvora
