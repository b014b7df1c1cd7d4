// Argument counts read from the parameter signatures the help shows.
#include "lexicon/catalogue.h"
#include "lexicon/catalogue_arity.h"
#include "lexicon/catalogue_search_words.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

constexpr std::int32_t Any = tArgumentCount::Unbounded;

void ExpectCount(const char* signature, std::int32_t least, std::int32_t most)
{
    SCOPED_TRACE(signature);
    const tArgumentCount count = ArgumentCountOfSignature(signature);
    EXPECT_EQ(count.Least, least);
    EXPECT_EQ(count.Most, most);
}

TEST(CatalogueArity, SignatureFormsAsTheHelpWritesThem)
{
    ExpectCount("MQ", 1, 1);
    ExpectCount("rAnf,rEnd [,Istep]", 2, 3);
    ExpectCount("iZei,iSpa [,rUG,rOG]", 2, 4);
    ExpectCount("M1 [,M2'][,iNorm]", 1, 3);
    ExpectCount("Sdefdateiname,[sRawDateiname]", 1, 2);
    ExpectCount("M [zl,sp]", 1, 3); // an optional part after a blank
    ExpectCount("G,...", 1, Any);
    ExpectCount("r [,M [,...", 1, Any);
    ExpectCount("M,", 1, Any); // a trailing comma: further arguments
    ExpectCount("M,{range1,range2,...}", 2, 2); // "..." inside braces is one parameter
    ExpectCount("Frq,Kat,flag:<gmedian typ>", 3, 3);
    ExpectCount("M <data>,S <curvetyp> [,M <Parameter> [,M <Varianzen>]]", 2, 4);
    ExpectCount("{iZei,iSpa | \"mus\" },r,...", 2, Any);
    ExpectCount("M,{IZlA,IZlE}:{ISpA,ISpE}", 2, 2);
    ExpectCount("M,IzlA..IzlE,...", 2, Any); // ".." marks a range, not repetition
    ExpectCount("Izl [,Ispa] | M [,Ispa]", 1, 2);
    ExpectCount("M,{Spa1,Spa2},{cos,sin} | M,Spa1,Spa2,cos,sin", 3, 5);
    ExpectCount("LAD,Srottyp [,<Ziel>] [,<a>[,<b>]]", 2, 5);
}

TEST(CatalogueArity, ExpectedCountsInWords)
{
    EXPECT_EQ(ExpectedArgumentsText({ 1, 1 }), "erwartet 1 Argument");
    EXPECT_EQ(ExpectedArgumentsText({ 2, 3 }), "erwartet 2 bis 3 Argumente");
    EXPECT_EQ(ExpectedArgumentsText({ 1, Any }), "erwartet mindestens 1 Argument");
}

// Every function takes at least one argument and allows what it demands; the signatures of the
// catalogue all read as argument counts.
TEST(CatalogueArity, EveryFunctionHasACount)
{
    const tTocINFO& catalogue = Catalogue();
    for (std::int32_t i = 1; i <= catalogue.EntryCount(); ++i) {
        const tTOC& entry = catalogue.Entry(i);
        if (entry.Kind != tTocKind::Function)
            continue;
        SCOPED_TRACE(entry.Name + entry.Signature);
        EXPECT_GE(entry.Arguments.Least, 1);
        EXPECT_TRUE(entry.Arguments.Most == Any || entry.Arguments.Most >= entry.Arguments.Least);
    }
}

// "??" finds every function and constant by German words of its own.
TEST(CatalogueSearchWords, EveryFunctionAndConstantHasSome)
{
    const tTocINFO& catalogue = Catalogue();
    for (std::int32_t i = 1; i <= catalogue.EntryCount(); ++i) {
        const tTOC& entry = catalogue.Entry(i);
        const bool named = entry.Kind == tTocKind::Function
            || (entry.Kind == tTocKind::Constant && !entry.Help.empty());
        if (!named)
            continue;
        SCOPED_TRACE(entry.Name);
        EXPECT_FALSE(SearchWordsOf(entry.Name).empty());
    }
    EXPECT_EQ(SearchWordsOf("StddevZl"), SearchWordsOf("Stddev"));
    EXPECT_NE(SearchWordsOf("Minor"), SearchWordsOf("Min"));
}

} // namespace
} // namespace zelvora
