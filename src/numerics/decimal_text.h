// Number texts: the one reader of decimal numbers that every format, the scanner and the
// conversions use. It reads exactly the bytes of its view, never one past them.
#pragma once

#include <string_view>

namespace zelvora {

enum class tDecimalRead {
    Number = 0, // the whole text is a number in range
    NotANumber = 1, // the text is not (only) a decimal number
    OutOfRange = 2, // a number beyond the range of long double, or below its smallest value
};

// Reads text that must be a decimal number as a whole: an optional '-', digits with an optional
// '.' and fraction (or a '.' and a fraction alone), then an optional exponent `e`/`E` with an
// optional sign and digits. No blanks, no '+' in front, no infinities, NaNs or hexadecimal
// numbers; '.' is the point whatever the locale. The value is rounded to nearest; OutOfRange
// leaves the infinity or the 0 (or subnormal) that the rounding reaches in value.
tDecimalRead ReadDecimal(std::string_view text, long double& value);

// ReadDecimal for a text already known to be a number as a whole (DecimalLength(text) ==
// text.size() > 0): the bulk readers check the text while they cut it and need not check again.
tDecimalRead ReadCheckedDecimal(std::string_view text, long double& value);

// The length of the longest start of text that ReadDecimal reads as a number (0 for none).
std::size_t DecimalLength(std::string_view text);

} // namespace zelvora
