// The upper-case folding under which names, command words and option words are compared.
#pragma once

#include <string>
#include <string_view>

namespace zelvora {

// a-z, ä, ö, ü (Windows-1252) to upper case; every other byte unchanged.
char UpperCaseChar(char c);
std::string NameFold(std::string_view text);
// Whether the two texts are equal after NameFold, without building the folded texts.
bool FoldedEqual(std::string_view a, std::string_view b);

} // namespace zelvora
