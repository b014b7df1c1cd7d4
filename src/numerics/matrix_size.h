// Checked size arithmetic: every row, column and slot count that comes from user input is
// computed here, so a size that cannot be held fails its statement before anything is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace zelvora {

// Largest row or column count of a matrix. One below the largest 32-bit integer, so that every
// loop `for (r = 1; r <= rows; ++r)` ends and rows + 1 spare slots still fit.
inline constexpr std::int64_t MaxMatrixDimension = INT32_MAX - 1;

// A size that cannot be held: a matrix larger than the machine's memory, or a row or column count
// past MaxMatrixDimension. Not a run-time error: the statement fails with the message and the run
// goes on as after any failing statement.
class tSizeTooLarge : public std::runtime_error {
public:
    explicit tSizeTooLarge(const std::string& what)
        : std::runtime_error(what)
    {
    }
};

// "Zu wenig Arbeitsspeicher für eine Matrix von <rows> x <cols> Elementen"
[[noreturn]] void ThrowMatrixTooLarge(std::int64_t rows, std::int64_t cols);

// A row or column count as a 32-bit integer; past MaxMatrixDimension tSizeTooLarge.
std::int32_t CheckedDimension(std::int64_t count);

// a * b + c for row or column counts, without overflow; past MaxMatrixDimension tSizeTooLarge.
std::int32_t DimensionProduct(std::int64_t a, std::int64_t b, std::int64_t c = 0);

// Bytes of (rows + 1) x (cols + 1) slots of slotBytes each plus header bytes; tSizeTooLarge when
// that exceeds what this machine's memory can hold (or the size type).
std::size_t CheckedBlockBytes(
    std::int64_t rows, std::int64_t cols, std::size_t slotBytes, std::size_t headerBytes);

// Bytes of count elements of elementBytes each; tSizeTooLarge past the machine's memory. The text
// names what was to be made ("eine Liste von 2147483647 Bereichen").
std::size_t CheckedArrayBytes(std::int64_t count, std::size_t elementBytes, const char* what);

} // namespace zelvora
