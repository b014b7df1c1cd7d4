// A PNG file is the signature and three chunks (IHDR, IDAT, IEND), each with a CRC-32; the image
// data is a zlib stream of one fixed-code deflate block, one filter byte (0) before each row.
#include "ui/graphics/png_writer.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zelvora {
namespace {

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

// Deflate output: Huffman codes go most significant bit first, everything else least first.
class tBitWriter {
public:
    void Bits(std::uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            Bit((value >> i) & 1);
    }
    void Code(std::uint32_t code, int length)
    {
        for (int i = length - 1; i >= 0; --i)
            Bit((code >> i) & 1);
    }
    std::string Finish()
    {
        if (m_used > 0)
            m_bytes += static_cast<char>(m_current);
        return std::move(m_bytes);
    }

private:
    void Bit(std::uint32_t bit)
    {
        m_current |= bit << m_used;
        if (++m_used == 8) {
            m_bytes += static_cast<char>(m_current);
            m_current = 0;
            m_used = 0;
        }
    }
    std::string m_bytes;
    std::uint32_t m_current = 0;
    int m_used = 0;
};

// A symbol of the fixed literal/length code.
void FixedSymbol(tBitWriter& out, std::uint32_t symbol)
{
    if (symbol < 144)
        out.Code(0x30 + symbol, 8);
    else if (symbol < 256)
        out.Code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        out.Code(symbol - 256, 7);
    else
        out.Code(0xC0 + symbol - 280, 8);
}

// A match of length 3..258: its length code with extra bits.
void MatchLength(tBitWriter& out, std::uint32_t length)
{
    static constexpr std::uint16_t Base[] = { 3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27,
        31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258 };
    static constexpr std::uint8_t Extra[]
        = { 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0 };
    std::size_t code = std::size(Base) - 1;
    while (Base[code] > length)
        --code;
    FixedSymbol(out, 257 + static_cast<std::uint32_t>(code));
    out.Bits(length - Base[code], Extra[code]);
}

// One block with the fixed codes; repeats of the previous pixel (3 bytes back) become matches,
// which shrinks the plain backgrounds of the pictures to a few bytes per row.
std::string ZlibFixed(std::string_view raw)
{
    constexpr std::size_t PixelDistance = 3;
    constexpr std::size_t MinMatch = 3;
    constexpr std::size_t MaxMatch = 258;
    tBitWriter out;
    out.Bits(1, 1); // last block
    out.Bits(1, 2); // fixed codes
    std::size_t at = 0;
    while (at < raw.size()) {
        std::size_t length = 0;
        if (at >= PixelDistance) {
            while (length < MaxMatch && at + length < raw.size()
                && raw[at + length] == raw[at + length - PixelDistance])
                ++length;
        }
        if (length >= MinMatch) {
            MatchLength(out, static_cast<std::uint32_t>(length));
            out.Code(PixelDistance - 1, 5); // distance code 2 stands for distance 3
            at += length;
        } else {
            FixedSymbol(out, static_cast<std::uint8_t>(raw[at]));
            ++at;
        }
    }
    FixedSymbol(out, 256); // end of block
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const char byte : raw) {
        a = (a + static_cast<std::uint8_t>(byte)) % 65521;
        b = (b + a) % 65521;
    }
    std::string stream = "\x78\x01" + out.Finish();
    AppendBigEndian(stream, (b << 16) | a);
    return stream;
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
    AppendChunk(png, "IDAT", ZlibFixed(raw));
    AppendChunk(png, "IEND", "");
    return png;
}

} // namespace zelvora
