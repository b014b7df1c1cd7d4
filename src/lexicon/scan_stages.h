// The scanning stages shared by the full and the short-string scanner: runs of character classes,
// their combination into tokens and the final token kinds.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zelvora::scanning {

struct tRun {
    std::uint16_t Kind = 0;
    std::int32_t First = 0; // 0-based, inclusive
    std::int32_t Last = 0;
};

struct tScanRules {
    char Quote = '"';
    std::string_view PairList;
    bool JoinQuotedRuns = true; // a quoted run right after another continues its literal
};

// Stages 1 and 2: the combined tokens with their intermediate kinds (2, 21, 212, 40, 41, 1, ...).
std::vector<tRun> CombinedRuns(std::string_view text, const tScanRules& rules);

// Stage 3 kind mapping for numbers: 2 -> 20; 212, 232, 21232 -> 21; 21 -> 29; others unchanged.
std::uint16_t FinalNumberKind(std::uint16_t kind);

inline constexpr std::uint16_t QuotedKind = 40;
inline constexpr std::uint16_t QuotedContinuationKind = 41;

} // namespace zelvora::scanning
