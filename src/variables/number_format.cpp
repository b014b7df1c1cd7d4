// Number texts of the windows and the text renderings.
#include "variables/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <langinfo.h>
#include <locale.h>

namespace zelvora {
namespace {

// Bounds that keep every number text to a sensible length whatever a layout holds.
constexpr int MaxWidth = 255;
constexpr int MaxDecimals = 64;
constexpr int MaxSignificant = 18;

std::string Printf(const char* format, int width, int precision, long double x)
{
    char buffer[128];
    int length = std::snprintf(buffer, sizeof buffer, format, width, precision, x);
    if (length < 0)
        return {};
    if (static_cast<std::size_t>(length) < sizeof buffer)
        return std::string(buffer, static_cast<std::size_t>(length));
    // Fixed form of a huge value: up to about 4950 digits.
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, width, precision, x);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::string PadLeft(std::string text, int width)
{
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string NonFiniteText(long double x)
{
    if (std::isnan(x))
        return "NAN";
    return x < 0 ? "-INF" : "INF";
}

void ReplacePoint(std::string& text, char separator)
{
    if (separator != '.')
        std::replace(text.begin(), text.end(), '.', separator);
}

// Splits the exponent form of printf ("d.dddE+xx") into mantissa and exponent and writes the
// exponent with a sign and at least expDigits digits.
std::string WidenExponent(const std::string& printed, int expDigits, bool plusSign)
{
    const std::size_t e = printed.find('E');
    if (e == std::string::npos)
        return printed;
    const long exponent = std::strtol(printed.c_str() + e + 1, nullptr, 10);
    std::string digits = std::to_string(std::labs(exponent));
    if (digits.size() < static_cast<std::size_t>(expDigits))
        digits.insert(0, static_cast<std::size_t>(expDigits) - digits.size(), '0');
    std::string sign = exponent < 0 ? "-" : (plusSign ? "+" : "");
    return printed.substr(0, e) + "E" + sign + digits;
}

std::string ExponentText(long double x, int precision, int expDigits)
{
    precision = std::clamp(precision, 1, MaxSignificant);
    const char* format = precision == 1 ? "%#*.*LE" : "%*.*LE";
    return WidenExponent(Printf(format, 0, precision - 1, x), expDigits, true);
}

} // namespace

char ReadLocaleDecimalSeparator()
{
    locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr))
        return '.';
    const char* radix = nl_langinfo_l(RADIXCHAR, user);
    char separator = '.';
    if (radix && radix[0] != '\0' && radix[1] == '\0'
        && static_cast<unsigned char>(radix[0]) < 0x80)
        separator = radix[0];
    freelocale(user);
    return separator;
}

std::string BoolText(bool b)
{
    return b ? "TRUE" : "FALSE";
}

std::string GeneralText(long double x, int precision, int expDigits, bool plusSign, char decimalSep)
{
    if (!std::isfinite(x))
        return NonFiniteText(x);
    if (x == 0)
        return "0";
    precision = std::clamp(precision, 1, MaxSignificant);
    // Rounding to the significant digits first decides the exponent and so the form.
    const std::string printed = Printf("%*.*LE", 0, precision - 1, x);
    const std::size_t e = printed.find('E');
    const long exponent = std::strtol(printed.c_str() + e + 1, nullptr, 10);
    const bool negative = printed[0] == '-';
    std::string digits;
    for (std::size_t i = negative ? 1 : 0; i < e; ++i) {
        if (printed[i] != '.')
            digits += printed[i];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string text = negative ? "-" : "";
    if (exponent < precision && exponent >= -5) {
        if (exponent < 0) {
            text += "0";
            text += decimalSep;
            text.append(static_cast<std::size_t>(-exponent - 1), '0');
            text += digits;
        } else {
            const std::size_t before = static_cast<std::size_t>(exponent) + 1;
            if (digits.size() <= before) {
                text += digits;
                text.append(before - digits.size(), '0');
            } else {
                text += digits.substr(0, before);
                text += decimalSep;
                text += digits.substr(before);
            }
        }
        return text;
    }
    text += digits[0];
    if (digits.size() > 1) {
        text += decimalSep;
        text += digits.substr(1);
    }
    std::string expText = std::to_string(std::labs(exponent));
    if (expText.size() < static_cast<std::size_t>(expDigits))
        expText.insert(0, static_cast<std::size_t>(expDigits) - expText.size(), '0');
    text += 'E';
    if (exponent < 0)
        text += '-';
    else if (plusSign)
        text += '+';
    return text + expText;
}

std::string GeneralText15(long double x, char decimalSeparator)
{
    return GeneralText(x, 15, 0, false, decimalSeparator);
}

std::string FormatRealCell(const tTextLayout& layout, long double x, char decimalSeparator)
{
    const int width = std::clamp(layout.CellWidth, 0, MaxWidth);
    const int precision = std::clamp(layout.CellDecimals, 0, MaxDecimals);
    if (layout.CellKind < CellKindGeneral || layout.CellKind > CellKindExponent)
        return {};
    if (!std::isfinite(x))
        return PadLeft(NonFiniteText(x), width);
    std::string text;
    switch (layout.CellKind) {
    case CellKindGeneral:
        text = GeneralText(x, precision, 3, true, '.');
        break;
    case CellKindFixed:
        text = Printf("%*.*Lf", 0, precision, x);
        break;
    default:
        text = ExponentText(x, precision, 3);
        break;
    }
    ReplacePoint(text, decimalSeparator);
    return PadLeft(std::move(text), width);
}

std::string ReadableRealCell(const tTextLayout& layout, long double x, char decimalSeparator)
{
    std::string text = FormatRealCell(layout, x, decimalSeparator);
    if (layout.CellKind != CellKindFixed || !std::isfinite(x) || x == 0)
        return text;
    constexpr long double LongestFixed = 1e15L;
    const bool noDigit = text.find_first_of("123456789") == std::string::npos;
    if (!noDigit && std::fabs(x) < LongestFixed)
        return text;
    const int precision = std::clamp(layout.CellDecimals, 1, MaxSignificant);
    std::string general = GeneralText(x, precision, 1, false, '.');
    ReplacePoint(general, decimalSeparator);
    return PadLeft(std::move(general), std::clamp(layout.CellWidth, 0, MaxWidth));
}

std::string FormatIntCell(const tTextLayout& layout, std::int32_t n)
{
    if (layout.CellKind < CellKindGeneral || layout.CellKind > CellKindExponent)
        return {};
    return PadLeft(std::to_string(n), std::clamp(layout.CellWidth, 0, MaxWidth));
}

std::string TextNumber(long double x, std::int32_t width, std::int32_t decimals)
{
    const int padTo = std::clamp(width, 0, MaxWidth);
    if (!std::isfinite(x))
        return PadLeft(NonFiniteText(x), padTo);
    if (decimals >= 0)
        return PadLeft(Printf("%*.*Lf", 0, std::min(decimals, MaxDecimals), x), padTo);
    const int k
        = static_cast<int>(std::clamp<std::int64_t>(std::int64_t { width } - 8, 2, MaxSignificant));
    std::string text = x < 0 ? "-" : " ";
    text += WidenExponent(Printf("%*.*LE", 0, k - 1, std::fabs(x)), 4, true);
    return PadLeft(std::move(text), padTo);
}

} // namespace zelvora
