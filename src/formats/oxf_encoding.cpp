// The encodings of the factor file (OXF).
#include "formats/oxf_encoding.h"

#include <cmath>

namespace zelvora {
namespace {

constexpr int ExponentBias = 129;
constexpr int FractionBits = 39;
constexpr std::uint64_t FractionLimit = std::uint64_t { 1 } << FractionBits;

// Windows-1252 byte of each stored byte 128..255.
// clang-format off
constexpr std::array<std::uint8_t, 128> UpperHalfTo1252 = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0x91, 0x92,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    0x80, 0x81, 0x82, 0x83, 0x84, 0xC1, 0xC2, 0xC0, 0xA9, 0x85, 0x86, 0x87, 0x88, 0xA2, 0xA5, 0x89,
    0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F, 0xE3, 0xC3, 0x90, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0xA4,
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 0xD7, 0xCD, 0xCE, 0xCF, 0x99, 0x9A, 0x9B, 0x9C, 0xA6, 0xCC, 0x9D,
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xDE, 0xFE, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4,
    0xAD, 0xB1, 0xF7, 0xBE, 0xB6, 0xA7, 0x9F, 0xB8, 0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, 0x9E, 0xA0,
};
// clang-format on

constexpr std::array<std::uint8_t, 128> InverseOfUpperHalf()
{
    std::array<std::uint8_t, 128> inverse {};
    for (std::size_t stored = 0; stored < 128; ++stored)
        inverse[UpperHalfTo1252[stored] - 128] = static_cast<std::uint8_t>(stored + 128);
    return inverse;
}

constexpr std::array<std::uint8_t, 128> UpperHalfTo850 = InverseOfUpperHalf();

std::string Translated(std::string_view text, const std::array<std::uint8_t, 128>& upperHalf)
{
    std::string out(text);
    for (char& c : out) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte >= 128)
            c = static_cast<char>(upperHalf[byte - 128]);
    }
    return out;
}

} // namespace

long double SixByteRealValue(const tSixByteReal& bytes)
{
    if (bytes[0] == 0)
        return 0;
    std::uint64_t fraction = 0;
    for (int i = 5; i >= 1; --i)
        fraction = (fraction << 8) | bytes[static_cast<std::size_t>(i)];
    const bool negative = (fraction >> FractionBits) & 1;
    fraction &= FractionLimit - 1;
    const long double magnitude = std::ldexp(
        static_cast<long double>(FractionLimit + fraction), bytes[0] - ExponentBias - FractionBits);
    return negative ? -magnitude : magnitude;
}

std::optional<tSixByteReal> NearestSixByteReal(long double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    tSixByteReal bytes {};
    const long double magnitude = std::fabs(x);
    // 2^-129 is halfway between 0 and the smallest 6-byte real; the tie goes to 0 (even).
    if (magnitude <= std::ldexp(1.0L, -ExponentBias))
        return bytes;
    int exponent = 0;
    const long double mantissa = std::frexp(magnitude, &exponent); // in [0.5, 1)
    // 1 + f / 2^39 = 2 mantissa; the significand scaled to 40 bits is exact in a long double.
    long double scaled = std::nearbyint(std::ldexp(mantissa, FractionBits + 1)); // ties to even
    if (scaled >= static_cast<long double>(2 * FractionLimit)) {
        scaled /= 2;
        ++exponent;
    }
    int biased = exponent - 1 + ExponentBias;
    std::uint64_t fraction = static_cast<std::uint64_t>(scaled) - FractionLimit;
    if (biased > 255)
        return std::nullopt;
    if (biased < 1) { // between 2^-129 and 2^-128: the smallest 6-byte real is nearest
        biased = 1;
        fraction = 0;
    }
    if (x < 0)
        fraction |= FractionLimit;
    bytes[0] = static_cast<std::uint8_t>(biased);
    for (std::size_t i = 1; i <= 5; ++i) {
        bytes[i] = static_cast<std::uint8_t>(fraction & 0xFF);
        fraction >>= 8;
    }
    return bytes;
}

std::string FromCodePage850(std::string_view text)
{
    return Translated(text, UpperHalfTo1252);
}

std::string ToCodePage850(std::string_view text)
{
    return Translated(text, UpperHalfTo850);
}

} // namespace zelvora
