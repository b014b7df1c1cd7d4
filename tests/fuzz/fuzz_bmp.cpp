// Feeds arbitrary bytes to the bitmap reader.
#include "formats/bmp_format.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const zelvora::tBmpReadResult read
        = zelvora::BmpParse({ reinterpret_cast<const char*>(data), size }, "fuzz.bmp");
    // Three planes of one size, never more pixels than the file has bits.
    if (read.Ok
        && (read.Green.Dims() != read.Red.Dims() || read.Blue.Dims() != read.Red.Dims()
            || static_cast<std::size_t>(read.Red.Rows()) * read.Red.Cols() > 8 * size))
        __builtin_trap();
    return 0;
}
