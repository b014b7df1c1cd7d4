// The short-string scanner used by the text matrix readers.
#include "lexicon/short_scanner.h"

#include "lexicon/scan_stages.h"
#include "lexicon/scanner.h"

namespace zelvora {

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
        std::uint16_t kind = FinalNumberKind(run.Kind);
        if (kind >= tkFirstPair && kind <= tkLastPair)
            kind = tkSign;
        else if (kind == QuotedKind || kind == QuotedContinuationKind)
            kind = tkString;
        const auto first = static_cast<std::uint16_t>(run.First + 1);
        const auto last = static_cast<std::uint16_t>(run.Last + 1);
        entries.push_back({ kind, first, last, static_cast<std::uint16_t>(last - first + 1) });
    }
    return entries;
}

} // namespace zelvora
