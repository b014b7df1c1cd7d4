// Stages 1 and 2 of the scanner: character runs and their combination into tokens.
#include "lexicon/scan_stages.h"

#include "lexicon/scanner.h"

namespace zelvora::scanning {
namespace {

bool IsQuoteLike(std::uint16_t kind)
{
    return kind == 4 || kind == QuotedKind || kind == QuotedContinuationKind;
}

// Stage 1: runs of one character class; specials are single characters or listed pairs.
std::vector<tRun> CharacterRuns(std::string_view text, const tScanRules& rules)
{
    std::vector<tRun> runs;
    runs.reserve(text.size() + 10);
    bool inQuote = false;
    bool startFresh = true; // after a closing quote the next character starts a new run
    bool lastWasSingleSpecial = false;
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length; ++i) {
        const char c = text[static_cast<std::size_t>(i)];
        if (inQuote) {
            runs.back().Last = i;
            if (c == rules.Quote) {
                inQuote = false;
                startFresh = true;
            }
            continue;
        }
        const bool singleSpecialBefore = lastWasSingleSpecial;
        lastWasSingleSpecial = false;
        if (c == rules.Quote) {
            runs.push_back({ 4, i, i });
            inQuote = true;
            startFresh = false;
            continue;
        }
        const unsigned char byte = static_cast<unsigned char>(c);
        const auto cls = static_cast<std::uint16_t>(ClassOfChar(byte));
        if (cls == static_cast<std::uint16_t>(tCharClass::Special)) {
            if (singleSpecialBefore && !startFresh) {
                const char previous = text[static_cast<std::size_t>(i - 1)];
                if (const auto pair = PairKind(rules.PairList, previous, c); pair != 0) {
                    runs.back().Kind = pair;
                    runs.back().Last = i;
                    continue;
                }
            }
            runs.push_back({ cls, i, i });
            lastWasSingleSpecial = true;
            startFresh = false;
            continue;
        }
        const bool continues = !startFresh && !runs.empty() && runs.back().Kind == cls
            && !(cls == static_cast<std::uint16_t>(tCharClass::LineBreak) && c == '\r');
        if (continues)
            runs.back().Last = i;
        else
            runs.push_back({ cls, i, i });
        startFresh = false;
    }
    return runs;
}

} // namespace

std::vector<tRun> CombinedRuns(std::string_view text, const tScanRules& rules)
{
    const std::vector<tRun> runs = CharacterRuns(text, rules);
    std::vector<tRun> tokens;
    tokens.reserve(runs.size());
    std::uint16_t k = 0; // kind of the last combined token
    auto startToken = [&](const tRun& run, std::uint16_t kind) {
        tokens.push_back({ kind, run.First, run.Last });
        k = kind;
    };
    auto join = [&](const tRun& run, std::uint16_t kind) {
        tokens.back().Last = run.Last;
        tokens.back().Kind = kind;
        k = kind;
    };
    for (const tRun& run : runs) {
        const std::int32_t length = run.Last - run.First + 1;
        switch (run.Kind) {
        case 2: // digits
            if (k == 3)
                join(run, 3);
            else if (k == 21 || k == 23 || k == 2123)
                join(run, static_cast<std::uint16_t>(k * 10 + 2));
            else if (k == 235)
                join(run, 232);
            else if (k == 21235)
                join(run, 21232);
            else
                startToken(run, 2);
            break;
        case 3: { // letters
            const char first = text[static_cast<std::size_t>(run.First)];
            if ((k == 2 || k == 212) && length == 1 && (first == 'E' || first == 'e'))
                join(run, static_cast<std::uint16_t>(k * 10 + 3));
            else if (k == 3 || k == 35)
                join(run, 3);
            else
                startToken(run, 3);
            break;
        }
        case 5: { // one special character
            const char c = text[static_cast<std::size_t>(run.First)];
            if ((c == '+' || c == '-') && (k == 23 || k == 2123))
                join(run, static_cast<std::uint16_t>(k * 10 + 5));
            else if (c == '.' && k == 2)
                join(run, 21);
            else if (c == '.' && k == 3)
                join(run, 35);
            else
                startToken(run, 5);
            break;
        }
        case 4: // quoted
            startToken(
                run, rules.JoinQuotedRuns && IsQuoteLike(k) ? QuotedContinuationKind : QuotedKind);
            break;
        default: // blanks, line breaks, other bytes, two-character signs
            startToken(run, run.Kind);
            break;
        }
    }
    return tokens;
}

std::uint16_t FinalNumberKind(std::uint16_t kind)
{
    switch (kind) {
    case 2:
        return tkInteger;
    case 212:
    case 232:
    case 21232:
        return tkReal;
    case 21:
        return tkNumberDot;
    default:
        return kind;
    }
}

} // namespace zelvora::scanning
