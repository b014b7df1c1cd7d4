// Markers of missing numbers: the value that empty cells read as, and the code the medians skip.
#pragma once

namespace zelvora {

// The number an empty value stands for (CSV cells without content, an empty value made a matrix):
// 1.5 * 2^-14086, far below any measured value yet a normal extended real.
inline constexpr long double MissingNumber = 0x1.8p-14086L;

// Values equal to this code count as missing in the medians and the normal scores.
inline constexpr long double MissingCode = -999.0L;

} // namespace zelvora
