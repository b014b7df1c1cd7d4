// Checked size arithmetic for matrices and lists.
#include "numerics/matrix_size.h"

#include <cstdlib>

#include <unistd.h>

namespace zelvora {
namespace {

// The machine's physical memory in bytes: no block larger than that can be held, and asking the
// system for one would only end in swapping or in the kernel's refusal.
std::size_t PhysicalMemoryBytes()
{
    static const std::size_t bytes = [] {
        const long pages = ::sysconf(_SC_PHYS_PAGES);
        const long pageSize = ::sysconf(_SC_PAGESIZE);
        if (pages <= 0 || pageSize <= 0)
            return static_cast<std::size_t>(PTRDIFF_MAX);
        std::size_t total = 0;
        if (__builtin_mul_overflow(
                static_cast<std::size_t>(pages), static_cast<std::size_t>(pageSize), &total))
            return static_cast<std::size_t>(PTRDIFF_MAX);
        return total;
    }();
    return bytes;
}

[[noreturn]] void ThrowTooManyRowsOrColumns()
{
    throw tSizeTooLarge("Zu wenig Arbeitsspeicher: mehr als " + std::to_string(MaxMatrixDimension)
        + " Zeilen oder Spalten");
}

} // namespace

void ThrowMatrixTooLarge(std::int64_t rows, std::int64_t cols)
{
    throw tSizeTooLarge("Zu wenig Arbeitsspeicher f\xFCr eine Matrix von " + std::to_string(rows)
        + " x " + std::to_string(cols) + " Elementen");
}

std::int32_t CheckedDimension(std::int64_t count)
{
    if (count > MaxMatrixDimension)
        ThrowTooManyRowsOrColumns();
    return static_cast<std::int32_t>(count);
}

std::int32_t DimensionProduct(std::int64_t a, std::int64_t b, std::int64_t c)
{
    std::int64_t product = 0;
    std::int64_t sum = 0;
    if (__builtin_mul_overflow(a, b, &product) || __builtin_add_overflow(product, c, &sum))
        ThrowTooManyRowsOrColumns();
    return CheckedDimension(sum);
}

std::size_t CheckedBlockBytes(
    std::int64_t rows, std::int64_t cols, std::size_t slotBytes, std::size_t headerBytes)
{
    if (rows > MaxMatrixDimension || cols > MaxMatrixDimension)
        ThrowMatrixTooLarge(rows, cols);
    const auto slots = static_cast<std::size_t>(rows < 0 ? 0 : rows + 1)
        * static_cast<std::size_t>(cols < 0 ? 0 : cols + 1); // both below 2^31: no overflow
    std::size_t bytes = 0;
    if (__builtin_mul_overflow(slots, slotBytes, &bytes)
        || __builtin_add_overflow(bytes, headerBytes, &bytes) || bytes > PhysicalMemoryBytes())
        ThrowMatrixTooLarge(rows, cols);
    return bytes;
}

std::size_t CheckedArrayBytes(std::int64_t count, std::size_t elementBytes, const char* what)
{
    std::size_t bytes = 0;
    if (count < 0 || __builtin_mul_overflow(static_cast<std::size_t>(count), elementBytes, &bytes)
        || bytes > PhysicalMemoryBytes())
        throw tSizeTooLarge(std::string("Zu wenig Arbeitsspeicher f\xFCr ") + what);
    return bytes;
}

} // namespace zelvora
