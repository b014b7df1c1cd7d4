// The full scanner: tokens with their texts and the token helpers.
#include "lexicon/scanner.h"

#include "lexicon/scan_stages.h"

#include <array>

namespace zelvora {
namespace {

constexpr bool IsGermanLetter(unsigned char c)
{
    return c == 196 || c == 214 || c == 220 || c == 223 || c == 228 || c == 246 || c == 252;
}

} // namespace

tCharClass ClassOfChar(unsigned char c)
{
    if (c == ' ' || c == 9 || c == 15)
        return tCharClass::Blank;
    if (c == 10 || c == 13)
        return tCharClass::LineBreak;
    if (c >= '0' && c <= '9')
        return tCharClass::Digit;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || IsGermanLetter(c))
        return tCharClass::Letter;
    if (c >= 33 && c <= 127)
        return tCharClass::Special;
    return tCharClass::Other;
}

std::uint16_t PairKind(std::string_view pairList, char a, char b)
{
    // Pairs stand at 1-based positions 3, 6, 9, ...; the kind is 50 + position / 3.
    for (std::size_t pos = 2; pos + 1 < pairList.size(); pos += 3) {
        if (pairList[pos] == a && pairList[pos + 1] == b)
            return static_cast<std::uint16_t>(50 + (pos + 1) / 3);
    }
    return 0;
}

namespace {
// The text of a quoted run from skip on, without its closing quote when it has one.
std::string_view QuotedInner(std::string_view run, char quote, std::size_t skip)
{
    const bool closed = run.size() >= 2 && run.back() == quote;
    const std::size_t end = closed ? run.size() - 1 : run.size();
    return end > skip ? run.substr(skip, end - skip) : std::string_view {};
}
} // namespace

tAnsiTokens Tokenize(std::string_view text, char quote)
{
    using namespace scanning;
    const std::vector<tRun> combined = CombinedRuns(text, { quote, AnsiPairList, true });
    tAnsiTokens tokens;
    tokens.reserve(combined.size());
    for (const tRun& run : combined) {
        const std::string_view runText = text.substr(static_cast<std::size_t>(run.First),
            static_cast<std::size_t>(run.Last - run.First + 1));
        switch (run.Kind) {
        case static_cast<std::uint16_t>(tCharClass::Blank):
            break;
        case QuotedKind:
            // Without its quotes; an unclosed literal keeps every character after its quote.
            tokens.push_back({ tkString, std::string(QuotedInner(runText, quote, 1)) });
            break;
        case QuotedContinuationKind:
            // A doubled quote: the opening quote stays and joins the previous literal.
            tokens.back().Text.append(QuotedInner(runText, quote, 0));
            break;
        default:
            tokens.push_back({ FinalNumberKind(run.Kind), std::string(runText) });
            break;
        }
    }
    return tokens;
}

void AppendEndTokens(tAnsiTokens& tokens, int n)
{
    for (int i = 0; i < n; ++i)
        tokens.push_back({ tkEnd, EndTokenText });
}

void ClearTokens(tAnsiTokens& tokens, int first, int n)
{
    for (int i = first; i < first + n; ++i) {
        if (i < 0 || static_cast<std::size_t>(i) >= tokens.size())
            continue;
        tokens[static_cast<std::size_t>(i)] = { tkEnd, std::string() };
    }
}

std::string JoinTokenTexts(const tAnsiTokens& tokens, int first, int count)
{
    std::string joined;
    if (first < 0)
        return joined;
    for (int i = first; i < first + count && static_cast<std::size_t>(i) < tokens.size(); ++i)
        joined += tokens[static_cast<std::size_t>(i)].Text;
    return joined;
}

void BracketContents(const tAnsiTokens& tokens, int& position, tAnsiTokens& contents)
{
    contents.clear();
    int depth = 1;
    const int count = static_cast<int>(tokens.size());
    for (int i = position + 1; i < count; ++i) {
        const t_ansitoken& token = tokens[static_cast<std::size_t>(i)];
        if (token.Kind != tkSign || token.Text.empty())
            continue;
        if (token.Text[0] == '[')
            ++depth;
        else if (token.Text[0] == ']' && --depth == 0) {
            contents.assign(tokens.begin() + position + 1, tokens.begin() + i);
            position = i;
            return;
        }
    }
    position = count;
}

} // namespace zelvora
