// Number texts of tokens.
#include "lexicon/number_text.h"

#include "numerics/decimal_text.h"
#include "numerics/run_time_error.h"

#include <charconv>
#include <string>

namespace zelvora {

std::int32_t IntegerOfText(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw tConversionError(std::string(text));
    return value;
}

std::optional<std::int32_t> FittingIntegerOfText(std::string_view text)
{
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range)
        return std::nullopt;
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw tConversionError(std::string(text));
    return value;
}

long double RealOfText(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // Out of range gives the infinity or the 0 that the rounding reaches.
    long double value = 0;
    return ReadDecimal(text, value) == tDecimalRead::NotANumber ? 0 : value;
}

} // namespace zelvora
