// Hexadecimal text (HEX): writer and reader.
#include "formats/hex_format.h"

#include "formats/binary_bytes.h"
#include "numerics/run_time_error.h"

#include <bit>
#include <limits>

namespace zelvora {
namespace {

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

} // namespace

std::string HexDigitsOfDouble(long double x)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::uint64_t bits = std::bit_cast<std::uint64_t>(NearestDouble(x));
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = digits[bits & 0xF];
        bits >>= 4;
    }
    return text;
}

tFormatResult HexWrite(const trealmatrix& m, std::string_view fileName)
{
    std::string text;
    text.reserve(
        static_cast<std::size_t>(m.Rows()) * (static_cast<std::size_t>(m.Cols()) * 16 + 2));
    for (std::int32_t r = 1; r <= m.Rows(); ++r) {
        for (std::int32_t c = 1; c <= m.Cols(); ++c)
            text += HexDigitsOfDouble(m(r, c));
        text += MatrixFileLineEnd;
    }
    if (WriteWholeFile(fileName, text) != 0)
        return WriteFailure(fileName);
    return {};
}

tMatrixReadResult HexRead(std::string_view fileName, const tCheckpoint* checkpoint)
{
    tMatrixReadResult result { false, trealmatrix(1, 1), {}, {} };
    const std::optional<std::string> bytes = ReadWholeFile(fileName, &result.Message, checkpoint);
    if (!bytes)
        return result;
    const std::vector<std::string> lines = SplitLines(*bytes);
    if (lines.empty()) {
        result.Message = CutMessage("Keine Daten in " + std::string(fileName));
        return result;
    }
    if (lines.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw tRangeError();
    const auto rows = static_cast<std::int32_t>(lines.size());
    const auto cols = static_cast<std::int32_t>((lines.front().size() + 15) / 16);
    trealmatrix m(rows, cols);
    for (std::int32_t r = 1; r <= rows; ++r) {
        const std::string& line = lines[static_cast<std::size_t>(r - 1)];
        for (std::int32_t c = 1; c <= cols; ++c) {
            std::uint64_t bits = 0;
            const std::size_t first = static_cast<std::size_t>(c - 1) * 16;
            for (std::size_t k = 0; k < 16; ++k) {
                const std::size_t at = first + k;
                bits = (bits << 4)
                    | static_cast<std::uint64_t>(at < line.size() ? HexDigitValue(line[at]) : 0);
            }
            m(r, c) = std::bit_cast<double>(bits);
        }
    }
    result = { true, std::move(m), {}, {} };
    return result;
}

} // namespace zelvora
