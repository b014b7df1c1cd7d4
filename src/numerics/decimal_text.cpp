// Number texts read within their bounds.
#include "numerics/decimal_text.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include <locale.h>

namespace zelvora {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// strtold in the C locale, so that '.' is the point whatever the user's locale.
locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

long double Convert(const char* terminated, bool& outOfRange)
{
    char* end = nullptr;
    errno = 0;
    const locale_t locale = CLocale();
    const long double value = locale != static_cast<locale_t>(nullptr)
        ? strtold_l(terminated, &end, locale)
        : std::strtold(terminated, &end);
    outOfRange = errno == ERANGE;
    return value;
}

} // namespace

std::size_t DecimalLength(std::string_view text)
{
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t first = i;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
        return i - first;
    };
    if (i < text.size() && text[i] == '-')
        ++i;
    const std::size_t whole = digits();
    std::size_t fraction = 0;
    std::size_t end = i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        fraction = digits();
        if (whole + fraction > 0)
            end = i;
    }
    if (whole + fraction == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() > 0)
            end = i;
    }
    return end;
}

tDecimalRead ReadDecimal(std::string_view text, long double& value)
{
    if (text.empty() || DecimalLength(text) != text.size())
        return tDecimalRead::NotANumber;
    return ReadCheckedDecimal(text, value);
}

tDecimalRead ReadCheckedDecimal(std::string_view text, long double& value)
{
    // strtold needs a terminated text: numbers are short, so a copy on the stack serves.
    bool outOfRange = false;
    std::array<char, 64> buffer;
    if (text.size() < buffer.size()) {
        text.copy(buffer.data(), text.size());
        buffer[text.size()] = '\0';
        value = Convert(buffer.data(), outOfRange);
    } else {
        value = Convert(std::string(text).c_str(), outOfRange);
    }
    return outOfRange ? tDecimalRead::OutOfRange : tDecimalRead::Number;
}

} // namespace zelvora
