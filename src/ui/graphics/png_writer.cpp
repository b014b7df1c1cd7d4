// A PNG file is the signature and three chunks (IHDR, IDAT, IEND), each with a CRC-32; the image
// data is a zlib stream of uncompressed blocks, one filter byte (0) before each row.
#include "ui/graphics/png_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zelvora {
namespace {

constexpr std::size_t MaxStoredBlock = 65535;

std::array<std::uint32_t, 256> MakeCrcTable()
{
    std::array<std::uint32_t, 256> table {};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

std::uint32_t Crc32(std::string_view bytes)
{
    static const std::array<std::uint32_t, 256> table = MakeCrcTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = table[(c ^ static_cast<std::uint8_t>(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void AppendBigEndian(std::string& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void AppendChunk(std::string& out, std::string_view type, std::string_view data)
{
    AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::string typed(type);
    typed += data;
    out += typed;
    AppendBigEndian(out, Crc32(typed));
}

std::string ZlibStored(std::string_view raw)
{
    std::string out = "\x78\x01";
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char byte : raw) {
        a = (a + static_cast<std::uint8_t>(byte)) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t at = 0;
    do {
        const std::size_t length = std::min(MaxStoredBlock, raw.size() - at);
        const bool last = at + length == raw.size();
        out += static_cast<char>(last ? 1 : 0);
        out += static_cast<char>(length & 0xFF);
        out += static_cast<char>(length >> 8);
        out += static_cast<char>(~length & 0xFF);
        out += static_cast<char>((~length >> 8) & 0xFF);
        out.append(raw.substr(at, length));
        at += length;
    } while (at < raw.size());
    AppendBigEndian(out, (b << 16) | a);
    return out;
}

} // namespace

std::string EncodePng(const tPicture& picture)
{
    const std::size_t rowBytes = static_cast<std::size_t>(picture.Width) * 3;
    if (picture.Width <= 0 || picture.Height <= 0
        || picture.Rgb.size() != rowBytes * static_cast<std::size_t>(picture.Height))
        return {};
    std::string header;
    AppendBigEndian(header, static_cast<std::uint32_t>(picture.Width));
    AppendBigEndian(header, static_cast<std::uint32_t>(picture.Height));
    header
        += std::string("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace
    std::string raw;
    raw.reserve((rowBytes + 1) * static_cast<std::size_t>(picture.Height));
    for (std::int32_t row = 0; row < picture.Height; ++row) {
        raw += '\0';
        const auto* begin = picture.Rgb.data() + rowBytes * static_cast<std::size_t>(row);
        raw.append(reinterpret_cast<const char*>(begin), rowBytes);
    }
    std::string png("\x89PNG\r\n\x1a\n", 8);
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", ZlibStored(raw));
    AppendChunk(png, "IEND", "");
    return png;
}

} // namespace zelvora
