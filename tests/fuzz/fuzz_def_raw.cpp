// Feeds arbitrary bytes to the definition/raw reader: the bytes before the first zero byte are the
// listing, the rest the data.
#include "formats/def_raw_format.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t split = bytes.find('\0');
    const std::string_view listing = bytes.substr(0, split);
    const std::string_view raw
        = split == std::string_view::npos ? std::string_view() : bytes.substr(split + 1);
    zelvora::DefRawParse(listing, raw, "fuzz.def", "fuzz.raw");
    return 0;
}
