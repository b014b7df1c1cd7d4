// The scanner: cuts any text of the system (statements, formulas, start parameters, file lines)
// into tokens, and the upper-case folding used for every name comparison.
#pragma once

#include "text/name_fold.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

// Token kinds produced by Tokenize. Kind 0 ("???") is the end marker appended by callers.
enum tTokenKind : std::uint16_t {
    tkEnd = 0,
    tkName = 3,
    tkString = 4, // literal between quote characters, quotes removed
    tkSign = 5, // one special character
    tkOther = 9, // run of other bytes (128..255 but the German letters, control characters)
    tkLineBreak = 11,
    tkInteger = 20,
    tkReal = 21,
    tkIncompleteE = 23, // 1E
    tkIncompleteESign = 235, // 1E+
    tkIncompleteRealE = 2123, // 1.5E
    tkIncompleteRealESign = 21235, // 1.5E-
    tkNumberDot = 29, // 12.
    tkNameDot = 35, // a.
    // 51..66: the two-character signs .. <= => <> -> <- ** /* */ // || ++ *# /# ^# *'
    tkFirstPair = 51,
    tkLastPair = 66,
};

struct t_ansitoken {
    std::uint16_t Kind = 0;
    std::string Text;
};
using tAnsiTokens = std::vector<t_ansitoken>;

inline constexpr const char* EndTokenText = "???";

// Cuts text into tokens; quote is the character that delimits string literals (" or ').
tAnsiTokens Tokenize(std::string_view text, char quote);

// Appends n end tokens (kind 0, "???").
void AppendEndTokens(tAnsiTokens& tokens, int n);

// Sets tokens first..first+n-1 (as far as they exist) to kind 0 with empty text.
void ClearTokens(tAnsiTokens& tokens, int first, int n);

// Texts of tokens first..first+count-1 joined without separators; empty when first is past the end.
std::string JoinTokenTexts(const tAnsiTokens& tokens, int first, int count);

// Bracket contents: position indexes a '[' token. At the ']' closing it, contents receives the
// tokens strictly between and position that ']''s index. Without one, position becomes the number
// of tokens and contents is empty.
void BracketContents(const tAnsiTokens& tokens, int& position, tAnsiTokens& contents);

// A sign token (kind 5) of the one character c.
inline bool IsSignToken(const t_ansitoken& token, char c)
{
    return token.Kind == tkSign && token.Text.size() == 1 && token.Text[0] == c;
}

// Character classes of the first scanning stage.
enum class tCharClass : std::uint8_t {
    Blank = 1,
    Digit = 2,
    Letter = 3,
    Special = 5,
    Other = 9,
    LineBreak = 11
};
tCharClass ClassOfChar(unsigned char c);

// Kind of the two-character sign a+b in the pair list, or 0 when it is none.
std::uint16_t PairKind(std::string_view pairList, char a, char b);

// The pair list of the full scanner.
inline constexpr std::string_view AnsiPairList
    = "  .. <= => <> -> <- ** /* */ // || ++ *# /# ^# *' ";

} // namespace zelvora
