// Number texts: the cells of the matrix and scalar windows, the numbers of text renderings, and the
// decimal separator of the user's locale.
#pragma once

#include "variables/text_layout.h"

#include <cstdint>
#include <string>

namespace zelvora {

// Every number text that shows a decimal separator takes it as an argument: each session keeps
// its own (its store's, read from the user's locale when the session starts).
// Reads the separator from the environment's LC_NUMERIC locale without changing the C locale (a
// separator that is not one ASCII character gives '.').
char ReadLocaleDecimalSeparator();

// A real cell by layout.CellKind: 1 general, 2 fixed, 3 exponent, with precision CellDecimals,
// right-aligned in at least CellWidth, with decimalSeparator; any other kind gives "".
// Exponent form: one digit, the point, precision - 1 digits, "E", sign, at least three digits.
// Non-finite values show as "INF", "-INF", "NAN".
std::string FormatRealCell(const tTextLayout& layout, long double x, char decimalSeparator);
// A real cell as the console shows it: FormatRealCell, except that where the fixed format would
// show a non-zero value without a significant digit (1e-20 as 0.000) or with more than 15 digits
// before the point (1e30), the general format with CellDecimals significant digits (at least one)
// and a short exponent is used instead ("1E-20", "1E30").
std::string ReadableRealCell(const tTextLayout& layout, long double x, char decimalSeparator);
// An integer cell, right-aligned in at least CellWidth for kinds 1 to 3; any other kind gives "".
std::string FormatIntCell(const tTextLayout& layout, std::int32_t n);
// "TRUE" or "FALSE".
std::string BoolText(bool b);

// The general format: at most precision significant digits (1..18), trailing zeros and an unused
// point dropped; fixed form when the rounded value has at most precision digits before the point
// and is at least 0.00001 in size, else exponent form "dE±x" with at least expDigits exponent
// digits ('+' written only when plusSign is set).
std::string GeneralText(
    long double x, int precision, int expDigits, bool plusSign, char decimalSep);
// A real as the scalar window and VarAsString show it: general format with up to 15 significant
// digits, no padding of the exponent, with decimalSeparator.
std::string GeneralText15(long double x, char decimalSeparator);

// A number of a text rendering: decimals >= 0 gives the value rounded to that many decimals,
// right-aligned in width (width <= 0: no padding); decimals < 0 gives the exponent form: a blank
// or minus sign, one digit, the point, k - 1 digits with k = width - 8 limited to 2..18, "E", sign
// and four exponent digits, blanks in front up to width. Always with '.'.
std::string TextNumber(long double x, std::int32_t width, std::int32_t decimals);

} // namespace zelvora
