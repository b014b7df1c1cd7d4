// Words that are probably misspellings of each other, for suggestions in messages.
#pragma once

#include <string_view>

namespace zelvora {

// True when a and b differ (after NameFold) by one letter changed, added or left out, or by two
// neighbouring letters swapped; equal words are not close.
bool CloseWords(std::string_view a, std::string_view b);

} // namespace zelvora
