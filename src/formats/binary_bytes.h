// Little-endian byte access for the binary matrix files: a bounded reader over a file's bytes and
// appenders for the writers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zelvora {

// Reads a byte string from the front. A read past the end gives zeros and marks the reader as
// overrun, so a parser may read a whole record and check once.
class tByteReader {
public:
    explicit tByteReader(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

    std::size_t Position() const { return m_position; }
    std::size_t Remaining() const { return m_bytes.size() - m_position; }
    bool Overrun() const { return m_overrun; }

    std::uint8_t Byte();
    std::uint16_t Word(); // unsigned 16 bits, little-endian
    // The next count bytes (fewer at the end of the bytes, and then overrun).
    std::string_view Take(std::size_t count);

private:
    std::string_view m_bytes;
    std::size_t m_position = 0;
    bool m_overrun = false;
};

void AppendWord(std::string& out, std::uint16_t value);
void AppendDouble(std::string& out, double value); // 8 bytes IEEE, little-endian
double DoubleAt(const char* bytes); // the 8 bytes IEEE, little-endian, at bytes

// The double nearest to x; values that round beyond the largest double become infinities
// (converting them directly is undefined).
double NearestDouble(long double x);

} // namespace zelvora
