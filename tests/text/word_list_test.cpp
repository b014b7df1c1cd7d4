// Word lists and path texts: the one lookup that option, type and sub-command words share, and the
// path helpers that read Windows paths as Linux ones.
#include "text/name_fold.h"
#include "text/paths.h"
#include "text/word_list.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(WordList, ThreeWaysOfMatching)
{
    EXPECT_EQ(WordListPosition("CSV;OXF;BIN", "BIN", tWordMatch::Exact), 3);
    EXPECT_EQ(WordListPosition("CSV;OXF;BIN", "bin", tWordMatch::Exact), 0);
    EXPECT_EQ(WordListPosition("u;d;ud;do", "UD", tWordMatch::Folded), 3);
    EXPECT_EQ(WordListPosition("Nix;\xC4nderung", "\xE4NDERUNG", tWordMatch::Folded), 2);
    EXPECT_EQ(WordListPosition("ANIMATE;SCATTERPLOT", "SC", tWordMatch::Prefix), 2);
    EXPECT_EQ(WordListPosition("ANIMATE;SCATTERPLOT", "", tWordMatch::Prefix), 0);
    // The whole word: a prefix does not match unless asked for.
    EXPECT_EQ(WordListPosition("ADD;GET", "AD", tWordMatch::Folded), 0);
    // An empty word matches only an empty list word.
    EXPECT_EQ(WordListPosition("A;;B", "", tWordMatch::Exact), 2);
    EXPECT_EQ(WordListPosition("A;B", "", tWordMatch::Folded), 0);
}

TEST(NameFold, GermanLettersFoldAndNothingElse)
{
    EXPECT_EQ(NameFold("abz\xE4\xF6\xFC\xDF"
                       "1_"),
        "ABZ\xC4\xD6\xDC\xDF"
        "1_");
}

TEST(Paths, WindowsPathsReadAsLinuxOnes)
{
    EXPECT_EQ(ForwardSlashes("a\\b\\c.csv"), "a/b/c.csv");
    EXPECT_TRUE(IsAbsolutePath("/tmp/x"));
    EXPECT_TRUE(IsAbsolutePath("C:\\daten"));
    EXPECT_FALSE(IsAbsolutePath("1:x"));
    EXPECT_FALSE(IsAbsolutePath("daten\\x"));
    EXPECT_EQ(JoinPath("/home/u/Zelvora", "Beispiele\\a.rts"), "/home/u/Zelvora/Beispiele/a.rts");
    EXPECT_EQ(JoinPath("/home/u/", "/etc/x"), "/etc/x");
    EXPECT_EQ(WithTrailingSeparator(""), "");
}

} // namespace
} // namespace zelvora
