// Help inside the program: groups, one entry or command, a group's entries, and the search.
#include "interpreter/commands.h"
#include "interpreter/help_requests.h"
#include "interpreter/interpreter.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

class HelpRequests : public ::testing::Test {
protected:
    HelpRequests() { RegisterCommands(interpreter); }

    // The answer, or the message prefixed with "!" when there is none.
    std::string Ask(std::string_view request)
    {
        std::string message;
        const auto text = HelpText(request, interpreter.Statements(), message);
        return text ? *text : "!" + message;
    }

    static bool Has(const std::string& text, std::string_view part)
    {
        return text.find(part) != std::string::npos;
    }

    tInterpreter interpreter;
};

TEST_F(HelpRequests, RecognisesRequestsByTheirFirstCharacter)
{
    EXPECT_TRUE(IsHelpRequest("  ?Inv"));
    EXPECT_TRUE(IsHelpRequest("?"));
    EXPECT_FALSE(IsHelpRequest("x = \"?\""));
    EXPECT_FALSE(IsHelpRequest(""));
}

TEST_F(HelpRequests, GroupsOfTheHelpTreeWithTheirEntryCounts)
{
    const std::string text = Ask("?");
    EXPECT_TRUE(Has(text, "\n  Funktionen\n"));
    EXPECT_TRUE(Has(text, "\n    Trigonometrie ("));
    EXPECT_TRUE(Has(text, "?? Text"));
}

TEST_F(HelpRequests, OneEntryByNameOrAliasInAnyCase)
{
    const std::string inv = Ask("?inv");
    EXPECT_EQ(inv.substr(0, inv.find('\n')), "Inv(MQ)");
    EXPECT_TRUE(Has(inv, "Gruppe: Funktionen / Matrix / Quadratisch"));
    EXPECT_TRUE(Has(inv, "Inverse einer quadr. Matrix"));

    const std::string eigen = Ask("?EIGSYS"); // the alias finds the entry
    EXPECT_TRUE(Has(eigen, "EigenSys(M [,Md])"));
    EXPECT_TRUE(Has(eigen, "Alias: EigSys"));
    EXPECT_TRUE(Has(Ask("?pi"), "#pi"));
}

TEST_F(HelpRequests, CommandsByNameOrUniquePrefix)
{
    const std::string set = Ask("?SET");
    EXPECT_EQ(set.substr(0, set.find('\n')), "SETOPTIONS optionname=optionwert [,...]");
    EXPECT_TRUE(Has(set, "Einstellungen setzen"));
    EXPECT_TRUE(Has(set, "SET <option>=<wert> ...")); // the help tree's line about it
    EXPECT_TRUE(Has(Ask("?matwrite"), "MatWrite CSV("));
    // D begins DISPLAY, DELETE and DEMO and names no function.
    EXPECT_EQ(Ask("?D").substr(0, 20), "!Keine Hilfe zu \"D\" ");
}

TEST_F(HelpRequests, AGroupListsItsEntries)
{
    const std::string text = Ask("?trigonometrie");
    EXPECT_TRUE(Has(text, "Trigonometrie:\n"));
    EXPECT_TRUE(Has(text, "  sin(G)"));
    EXPECT_FALSE(Has(text, "Inv(MQ)"));
}

TEST_F(HelpRequests, SearchInNamesAndHelpTexts)
{
    const std::string text = Ask("?? mittelwert");
    EXPECT_TRUE(Has(text, "MeanZl(M [,Mgruppen])"));
    EXPECT_TRUE(Has(text, "Mittelwerte der Zeilen berechnen"));
    EXPECT_FALSE(Has(text, "Inv(MQ)"));
    EXPECT_TRUE(Has(Ask("?? umbenennen"), "RENAME")); // commands too
    EXPECT_EQ(Ask("?? xyzzy"), "Nichts enth\xE4lt \"xyzzy\".\n");
    EXPECT_EQ(Ask("??").front(), '!');
}

// The words a user calls a thing find it, beside names and help texts.
TEST_F(HelpRequests, SearchFindsGermanWords)
{
    EXPECT_TRUE(Has(Ask("?? Regression"), "Curvefit("));
    const std::string spread = Ask("?? Standardabweichung");
    EXPECT_TRUE(Has(spread, "Stddev("));
    EXPECT_TRUE(Has(spread, "StddevZl("));
    EXPECT_TRUE(Has(spread, "AbwSp("));
    EXPECT_TRUE(Has(Ask("?? runden"), "Gerundet("));
    const std::string correlation = Ask("?? Korrelation");
    EXPECT_TRUE(Has(correlation, "Corr("));
    EXPECT_TRUE(Has(correlation, "CovToCorr("));
    EXPECT_TRUE(Has(Ask("?? Determinante"), "Det("));
    EXPECT_TRUE(Has(Ask("?? Kreiszahl"), "#pi"));
}

TEST_F(HelpRequests, UnknownNameFailsTheStatementWithItsMessage)
{
    EXPECT_EQ(
        Ask("?Invv"), "!Keine Hilfe zu \"Invv\" gefunden; ?? Invv sucht in Namen und Hilfetexten");
    const tOutermostRunResult result = interpreter.RunLines({ "?Invv" }, "");
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Code, 1);
}

} // namespace
} // namespace zelvora
