// Feeds arbitrary bytes to the binary-rows reader; the first two bytes choose the column count.
#include "formats/bin_format.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::int32_t columns = 1 + (data[0] | (data[1] << 8)) % zelvora::MaxBinaryColumns;
    const zelvora::tMatrixReadResult read
        = zelvora::BinParse({ reinterpret_cast<const char*>(data) + 2, size - 2 }, columns);
    if (!read.Ok || read.Matrix.Cols() != columns)
        __builtin_trap();
    return 0;
}
