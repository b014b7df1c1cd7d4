// The encodings of the factor file (OXF): its 6-byte reals and its DOS code page 850 texts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelvora {

using tSixByteReal = std::array<std::uint8_t, 6>;

// The 6-byte real: byte 0 the exponent e biased by 129 (0 means the value 0), bytes 1..5
// little-endian with 39 fraction bits f and the sign in the top bit; the value is
// (-1)^sign (1 + f / 2^39) 2^(e - 129).
long double SixByteRealValue(const tSixByteReal& bytes);

// The nearest 6-byte real to x (ties to even); magnitudes below 2^-129 give 0. Nothing for a
// value beyond the largest 6-byte real (about 1.7e38), an infinity or a NaN.
std::optional<tSixByteReal> NearestSixByteReal(long double x);

// Texts between the stored code page 850 and the program's Windows-1252, by one fixed table that
// is the identity on 0..127 and a bijection on all bytes.
std::string FromCodePage850(std::string_view text);
std::string ToCodePage850(std::string_view text);

} // namespace zelvora
