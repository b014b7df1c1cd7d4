// Feeds arbitrary bytes to the factor-file reader.
#include "formats/oxf_format.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const zelvora::tOxfReadResult read
        = zelvora::OxfParse({ reinterpret_cast<const char*>(data), size }, "fuzz.oxf");
    // A file that was read has one label row per matrix row.
    if (read.Ok && read.Labels.Rows() != read.Matrix.Rows())
        __builtin_trap();
    return 0;
}
