// Number texts of tokens: integers that must fit 32 bits, reals read without error reports.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zelvora {

// The integer of a number text (an optional sign, then digits); a text that is no 32-bit integer
// is a conversion error ("'%s' ist kein gültiger Integerwert").
std::int32_t IntegerOfText(std::string_view text);
// The same for an integer literal of a formula: nothing when its digits do not fit 32 bits (the
// literal is then read as a real); any other text that is no integer is the conversion error.
std::optional<std::int32_t> FittingIntegerOfText(std::string_view text);

// The real of a number text with '.' as decimal point, blanks around it ignored; a text that is no
// number gives 0, and one out of range gives the infinity or 0 that the conversion reaches.
long double RealOfText(std::string_view text);

} // namespace zelvora
