// Word lists: the ';'-separated lists from which option, sub-command and type words are chosen.
#pragma once

#include <cstdint>
#include <string_view>

namespace zelvora {

enum class tWordMatch : std::uint8_t {
    Exact = 0, // the whole word, byte for byte
    Folded = 1, // the whole word, compared after NameFold
    Prefix = 2, // the list word begins with the word, byte for byte; an empty word finds nothing
};

// The 1-based position of the first word of list that matches word; 0 when none does. An empty
// list has one empty word.
std::int32_t WordListPosition(std::string_view list, std::string_view word, tWordMatch match);

} // namespace zelvora
