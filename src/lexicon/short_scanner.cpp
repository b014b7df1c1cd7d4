// The short-string scanner used by the text matrix readers.
#include "lexicon/short_scanner.h"

#include "lexicon/scan_stages.h"
#include "lexicon/scanner.h"

namespace zelvora {

std::uint16_t ShortTokenKind(std::uint16_t runKind)
{
    using namespace scanning;
    const std::uint16_t kind = FinalNumberKind(runKind);
    if (kind >= tkFirstPair && kind <= tkLastPair)
        return tkSign;
    if (kind == QuotedKind || kind == QuotedContinuationKind)
        return tkString;
    return kind;
}

tscanbefs ShortTokenize(std::string_view text)
{
    using namespace scanning;
    const std::string_view shortText = text.substr(0, 255);
    const std::vector<tRun> combined = CombinedRuns(shortText, { '\'', ShortPairList, false });
    tscanbefs entries;
    entries.reserve(combined.size());
    for (const tRun& run : combined) {
        if (run.Kind == static_cast<std::uint16_t>(tCharClass::Blank))
            continue;
        const std::uint16_t kind = ShortTokenKind(run.Kind);
        const auto first = static_cast<std::uint16_t>(run.First + 1);
        const auto last = static_cast<std::uint16_t>(run.Last + 1);
        entries.push_back({ kind, first, last, static_cast<std::uint16_t>(last - first + 1) });
    }
    return entries;
}

} // namespace zelvora
