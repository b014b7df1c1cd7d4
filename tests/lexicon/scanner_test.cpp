// Tokens of statements, numbers, literals and the upper-case folding.
#include "lexicon/scanner.h"
#include "lexicon/short_scanner.h"
#include "text/text_encoding.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using tExpected = std::vector<std::pair<int, std::string>>;

tExpected KindsAndTexts(std::string_view text, char quote = '"')
{
    tExpected out;
    for (const auto& token : Tokenize(text, quote))
        out.emplace_back(token.Kind, token.Text);
    return out;
}

TEST(Scanner, AssignmentStatement)
{
    EXPECT_EQ(KindsAndTexts("X = 25*3+20"),
        (tExpected { { 3, "X" }, { 5, "=" }, { 20, "25" }, { 5, "*" }, { 20, "3" }, { 5, "+" },
            { 20, "20" } }));
}

TEST(Scanner, NumbersAndIncompleteExponents)
{
    EXPECT_EQ(KindsAndTexts("1.5E-3"), (tExpected { { 21, "1.5E-3" } }));
    EXPECT_EQ(KindsAndTexts("1E5"), (tExpected { { 21, "1E5" } }));
    EXPECT_EQ(KindsAndTexts("2.5e+10"), (tExpected { { 21, "2.5e+10" } }));
    EXPECT_EQ(KindsAndTexts("12."), (tExpected { { 29, "12." } }));
    EXPECT_EQ(KindsAndTexts("1E"), (tExpected { { 23, "1E" } }));
    EXPECT_EQ(KindsAndTexts("1E+"), (tExpected { { 235, "1E+" } }));
    EXPECT_EQ(KindsAndTexts("1.5E"), (tExpected { { 2123, "1.5E" } }));
    EXPECT_EQ(KindsAndTexts("1.5E-"), (tExpected { { 21235, "1.5E-" } }));
    EXPECT_EQ(KindsAndTexts("1.e5"), (tExpected { { 29, "1." }, { 3, "e5" } }));
    // A blank ends a number: the exponent letter is then a name.
    EXPECT_EQ(KindsAndTexts("1 E5"), (tExpected { { 20, "1" }, { 3, "E5" } }));
    // Only a single E letter continues a number.
    EXPECT_EQ(KindsAndTexts("1Ex"), (tExpected { { 20, "1" }, { 3, "Ex" } }));
}

TEST(Scanner, RangesNamesWithDots)
{
    EXPECT_EQ(KindsAndTexts("1..9"), (tExpected { { 20, "1" }, { 51, ".." }, { 20, "9" } }));
    EXPECT_EQ(KindsAndTexts("a.b"), (tExpected { { 3, "a.b" } }));
    EXPECT_EQ(KindsAndTexts("a.5"), (tExpected { { 35, "a." }, { 20, "5" } }));
    EXPECT_EQ(KindsAndTexts("2x"), (tExpected { { 20, "2" }, { 3, "x" } }));
    EXPECT_EQ(KindsAndTexts("x_1"), (tExpected { { 3, "x_1" } }));
}

TEST(Scanner, TwoCharacterSigns)
{
    EXPECT_EQ(KindsAndTexts("<=>"), (tExpected { { 52, "<=" }, { 5, ">" } }));
    EXPECT_EQ(KindsAndTexts("..."), (tExpected { { 51, ".." }, { 5, "." } }));
    EXPECT_EQ(KindsAndTexts(">="), (tExpected { { 5, ">" }, { 5, "=" } }));
    EXPECT_EQ(KindsAndTexts("=<"), (tExpected { { 5, "=" }, { 5, "<" } }));
    const std::vector<std::string> pairs = { "..", "<=", "=>", "<>", "->", "<-", "**", "/*", "*/",
        "//", "||", "++", "*#", "/#", "^#", "*'" };
    for (std::size_t i = 0; i < pairs.size(); ++i)
        EXPECT_EQ(KindsAndTexts(pairs[i]), (tExpected { { static_cast<int>(51 + i), pairs[i] } }))
            << pairs[i];
    // With ' as the quote character *' is no pair: the quote starts a literal.
    EXPECT_EQ(KindsAndTexts("*'a'", '\''), (tExpected { { 5, "*" }, { 4, "a" } }));
}

TEST(Scanner, QuotedLiterals)
{
    EXPECT_EQ(KindsAndTexts("'ab''cd'", '\''), (tExpected { { 4, "ab'cd" } }));
    EXPECT_EQ(KindsAndTexts("'ab' 'cd'", '\''), (tExpected { { 4, "ab" }, { 4, "cd" } }));
    EXPECT_EQ(KindsAndTexts("''", '\''), (tExpected { { 4, "" } }));
    EXPECT_EQ(KindsAndTexts("'abc", '\''), (tExpected { { 4, "abc" } })); // unclosed: all kept
    EXPECT_EQ(KindsAndTexts("'ab''cd", '\''), (tExpected { { 4, "ab'cd" } }));
    EXPECT_EQ(KindsAndTexts("'", '\''), (tExpected { { 4, "" } }));
    EXPECT_EQ(KindsAndTexts("LOAD \"a b.zvw\""), (tExpected { { 3, "LOAD" }, { 4, "a b.zvw" } }));
    EXPECT_EQ(KindsAndTexts("\"x\"\"y\"\"\""), (tExpected { { 4, "x\"y\"" } }));
}

TEST(Scanner, OtherBytesAndGermanLetters)
{
    EXPECT_EQ(KindsAndTexts("A \xB7# B"),
        (tExpected { { 3, "A" }, { 9, "\xB7" }, { 5, "#" }, { 3, "B" } }));
    EXPECT_EQ(KindsAndTexts("\xB2\xB3"), (tExpected { { 9, "\xB2\xB3" } }));
    EXPECT_EQ(KindsAndTexts("caf\xE9"), (tExpected { { 3, "caf" }, { 9, "\xE9" } }));
    EXPECT_EQ(KindsAndTexts("\xDC"
                            "bergr\xF6\xDF"
                            "e"),
        (tExpected { { 3,
            "\xDC"
            "bergr\xF6\xDF"
            "e" } }));
}

TEST(Scanner, BlanksAndLineBreaks)
{
    EXPECT_TRUE(Tokenize("   \t\x0F  ", '"').empty());
    EXPECT_TRUE(Tokenize("", '"').empty());
    EXPECT_EQ(KindsAndTexts("a\r\nb"), (tExpected { { 3, "a" }, { 11, "\r\n" }, { 3, "b" } }));
    EXPECT_EQ(KindsAndTexts("a\n\nb"), (tExpected { { 3, "a" }, { 11, "\n\n" }, { 3, "b" } }));
    EXPECT_EQ(KindsAndTexts("a\r\rb"),
        (tExpected { { 3, "a" }, { 11, "\r" }, { 11, "\r" }, { 3, "b" } }));
    EXPECT_EQ(KindsAndTexts(std::string("a\0b", 3)),
        (tExpected { { 3, "a" }, { 9, std::string(1, '\0') }, { 3, "b" } }));
}

TEST(Scanner, NameFoldTable)
{
    EXPECT_EQ(NameFold("\xFC"
                       "ber"),
        "\xDC"
        "BER");
    EXPECT_EQ(NameFold("Stra\xDF"
                       "e"),
        "STRA\xDF"
        "E");
    EXPECT_EQ(NameFold("\xE4\xF6\xE9x1_"), "\xC4\xD6\xE9X1_");
}

TEST(Scanner, TokenHelpers)
{
    tAnsiTokens tokens = Tokenize("M[a[1],2] = 7", '"');
    int position = 1;
    tAnsiTokens contents;
    BracketContents(tokens, position, contents);
    EXPECT_EQ(position, 8);
    EXPECT_EQ(JoinTokenTexts(contents, 0, 100), "a[1],2");
    EXPECT_EQ(JoinTokenTexts(tokens, 100, 3), "");
    EXPECT_EQ(JoinTokenTexts(tokens, 9, 100), "=7");

    tAnsiTokens open = Tokenize("M[1,2", '"');
    position = 1;
    BracketContents(open, position, contents);
    EXPECT_EQ(position, static_cast<int>(open.size()));
    EXPECT_TRUE(contents.empty());

    AppendEndTokens(tokens, 2);
    EXPECT_EQ(tokens.back().Kind, tkEnd);
    EXPECT_EQ(tokens.back().Text, "???");
    ClearTokens(tokens, 0, 2);
    ClearTokens(tokens, 1000, 5);
    EXPECT_EQ(tokens[0].Kind, tkEnd);
    EXPECT_EQ(tokens[1].Text, "");
    EXPECT_EQ(tokens[2].Text, "a");
}

TEST(ShortScanner, PairsAreSignsAndQuotesStay)
{
    const tscanbefs entries = ShortTokenize("1.5e3, 'a''b' *: x");
    std::vector<int> kinds;
    for (const auto& entry : entries)
        kinds.push_back(entry.Kind);
    EXPECT_EQ(kinds, (std::vector<int> { 21, 5, 4, 4, 5, 3 }));
    EXPECT_EQ(entries[2].First, 8);
    EXPECT_EQ(entries[2].Last, 10);
    EXPECT_EQ(entries[4].Length, 2);
    EXPECT_EQ(ShortTokenize(std::string(300, '7')).front().Length, 255);
}

TEST(TextEncoding, RoundTripsAndDetection)
{
    const std::string cp = "\xE4\xF6\xFC\xDF\x80\xB7";
    const std::string utf8 = Cp1252ToUtf8(cp);
    EXPECT_EQ(utf8, "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xE2\x82\xAC\xC2\xB7");
    EXPECT_EQ(Utf8ToCp1252(utf8), cp);
    EXPECT_TRUE(IsUtf8WithNonAscii(utf8));
    EXPECT_FALSE(IsUtf8WithNonAscii(cp));
    EXPECT_FALSE(IsUtf8WithNonAscii("plain"));
    EXPECT_EQ(DecodeFileText(cp), cp);
    EXPECT_EQ(Utf8ToCp1252("\xE2\x88\x9A"), "?"); // square root sign has no code
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "\xC3"); // truncated sequence stays a byte
}

} // namespace
} // namespace zelvora
