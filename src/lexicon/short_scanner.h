// The short-string scanner: the same three stages on texts of at most 255 characters, used by the
// text matrix readers. It returns scan entries (kinds and positions); callers copy the texts.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zelvora {

struct tscanbef {
    std::uint16_t Kind = 0;
    std::uint16_t First = 0; // 1-based position of the first character
    std::uint16_t Last = 0;
    std::uint16_t Length = 0;
};
using tscanbefs = std::vector<tscanbef>;

// Pair list of the short scanner: *: /: ^: instead of *# /# ^#, no *'.
inline constexpr std::string_view ShortPairList = "  .. <= => <> -> <- ** /* */ // || ++ *: /: ^: ";

// The token kind the short scanner gives a run of the combined stages (blank runs aside): its
// number kind, a two-character sign as a sign, a quoted run as a string.
std::uint16_t ShortTokenKind(std::uint16_t runKind);

// Scans text (cut to 255 characters). The quote character is always '.
// Two-character signs come back as kind 5 with both characters; quoted runs keep their quotes
// and are never joined.
tscanbefs ShortTokenize(std::string_view text);

} // namespace zelvora
