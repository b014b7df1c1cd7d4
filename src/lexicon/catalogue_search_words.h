// German search words of the catalogue's functions and constants, which "??" searches beside the
// names and help texts: what a user calls the thing ("Standardabweichung", "runden").
#pragma once

#include <string_view>

namespace zelvora {

// The search words of an entry name (a function and its row and column forms "...Zl", "...Sp"
// share the words of their stem), separated by blanks; empty when the name has none.
std::string_view SearchWordsOf(std::string_view entryName);

} // namespace zelvora
