// Little-endian byte access for the binary matrix files.
#include "formats/binary_bytes.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace zelvora {

std::uint8_t tByteReader::Byte()
{
    if (m_position >= m_bytes.size()) {
        m_overrun = true;
        return 0;
    }
    return static_cast<std::uint8_t>(m_bytes[m_position++]);
}

std::uint16_t tByteReader::Word()
{
    const std::uint16_t low = Byte();
    return static_cast<std::uint16_t>(low | (Byte() << 8));
}

std::string_view tByteReader::Take(std::size_t count)
{
    if (count > Remaining()) {
        m_overrun = true;
        count = Remaining();
    }
    const std::string_view taken = m_bytes.substr(m_position, count);
    m_position += count;
    return taken;
}

void AppendWord(std::string& out, std::uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void AppendDouble(std::string& out, double value)
{
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    for (int i = 0; i < 8; ++i) {
        out += static_cast<char>(bits & 0xFF);
        bits >>= 8;
    }
}

double DoubleAt(const char* bytes)
{
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | static_cast<unsigned char>(bytes[i]);
    return std::bit_cast<double>(bits);
}

double NearestDouble(long double x)
{
    // Halfway between DBL_MAX and 2^1024: from here on rounding gives an infinity.
    constexpr long double overflowBound = 0x1.fffffffffffff8p1023L;
    if (std::isfinite(x) && std::fabs(x) >= overflowBound)
        return x < 0 ? -std::numeric_limits<double>::infinity()
                     : std::numeric_limits<double>::infinity();
    return static_cast<double>(x);
}

} // namespace zelvora
