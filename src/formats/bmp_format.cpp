// Bitmaps (BMP) through stb_image and stb_image_write, compiled here for BMP only.
#include "formats/bmp_format.h"

#include <cmath>
#include <limits>
#include <memory>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#include <stb/stb_image.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace zelvora {
namespace {

constexpr int Channels = 3;

struct tStbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

tBmpReadResult Failed(std::string message)
{
    return { false, trealmatrix(1, 1), trealmatrix(1, 1), trealmatrix(1, 1),
        CutMessage(std::move(message)) };
}

std::string NotReadable(std::string_view fileName)
{
    return "Datei " + std::string(fileName) + " ist keine lesbare BMP-Datei";
}

std::uint8_t LowByte(long double x)
{
    if (!std::isfinite(x))
        return 0;
    // fmod of the truncated value is exact; a negative rest gives its two's-complement low byte.
    return static_cast<std::uint8_t>(static_cast<int>(std::fmod(std::trunc(x), 256.0L)) & 0xFF);
}

void AppendToString(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(
        static_cast<const char*>(data), static_cast<std::size_t>(size));
}

} // namespace

tBmpReadResult BmpParse(std::string_view bytes, std::string_view fileName)
{
    if (bytes.size() < 2 || bytes.substr(0, 2) != "BM"
        || bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return Failed(NotReadable(fileName));
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    int width = 0;
    int height = 0;
    int channels = 0;
    // A picture needs at least one bit per pixel: a header claiming more is refused before the
    // decoder allocates for it.
    if (!stbi_info_from_memory(data, length, &width, &height, &channels) || width <= 0
        || height <= 0
        || static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height)
            > 8 * static_cast<std::uint64_t>(bytes.size()))
        return Failed(NotReadable(fileName));
    const std::unique_ptr<stbi_uc, tStbFree> pixels(
        stbi_load_from_memory(data, length, &width, &height, &channels, Channels));
    if (!pixels)
        return Failed(NotReadable(fileName));
    tBmpReadResult result { true, trealmatrix(height, width), trealmatrix(height, width),
        trealmatrix(height, width), {} };
    const stbi_uc* pixel = pixels.get();
    for (std::int32_t y = 1; y <= height; ++y) {
        for (std::int32_t x = 1; x <= width; ++x, pixel += Channels) {
            result.Red(y, x) = pixel[0];
            result.Green(y, x) = pixel[1];
            result.Blue(y, x) = pixel[2];
        }
    }
    return result;
}

tBmpReadResult BmpRead(std::string_view fileName, const tCheckpoint* checkpoint)
{
    std::string problem;
    const std::optional<std::string> bytes = ReadWholeFile(fileName, &problem, checkpoint);
    if (!bytes)
        return Failed(problem);
    return BmpParse(*bytes, fileName);
}

tFormatResult BmpWrite(const trealmatrix& m, std::string_view fileName)
{
    const std::int32_t height = m.Rows() / 3;
    const std::int32_t width = m.Cols();
    // stb_image_write keeps the file size in an int.
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * Channels + 3) / 4 * 4;
    if (height < 1 || width < 1
        || rowBytes * static_cast<std::uint64_t>(height) > std::numeric_limits<int>::max() / 2)
        return WriteFailure(fileName);
    std::vector<stbi_uc> pixels(static_cast<std::size_t>(width) * height * Channels);
    stbi_uc* pixel = pixels.data();
    for (std::int32_t y = 1; y <= height; ++y) {
        for (std::int32_t x = 1; x <= width; ++x, pixel += Channels) {
            pixel[0] = LowByte(m(y, x));
            pixel[1] = LowByte(m(height + y, x));
            pixel[2] = LowByte(m(2 * height + y, x));
        }
    }
    std::string bytes;
    if (!stbi_write_bmp_to_func(AppendToString, &bytes, width, height, Channels, pixels.data()))
        return WriteFailure(fileName);
    return WriteTextFile(fileName, bytes);
}

} // namespace zelvora
