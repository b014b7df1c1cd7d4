// Conversions between the library's matrix, vector, integer, range and text types.
#include "numerics/matrix_convert.h"

#include "numerics/decimal_text.h"
#include "numerics/library_state.h"
#include "numerics/scalar_math.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace zelvora {
namespace {
constexpr int32_t int32Max = std::numeric_limits<int32_t>::max();

template <typename T> tVector<T> ToVector(std::span<const T> values)
{
    tVector<T> v(static_cast<int32_t>(values.size()));
    std::copy(values.begin(), values.end(), v.Elements().begin());
    return v;
}

template <typename T>
tResult<trealmatrix> FillRowByRow(std::span<const T> values, int32_t rows, int32_t cols)
{
    if (rows < 0 || cols < 0)
        return Failure(1, "");
    const auto n = static_cast<int64_t>(values.size());
    if (rows == 0 && cols == 0) {
        rows = 1;
        cols = static_cast<int32_t>(std::min<int64_t>(n, int32Max));
    } else if (cols == 0) {
        cols = static_cast<int32_t>(std::min<int64_t>(n / rows, int32Max));
    } else if (rows == 0) {
        rows = static_cast<int32_t>(std::min<int64_t>(n / cols, int32Max));
    }
    trealmatrix m(rows, cols);
    int64_t next = 0;
    for (int32_t r = 1; r <= rows && next < n; ++r) {
        for (int32_t c = 1; c <= cols && next < n; ++c)
            m(r, c) = static_cast<long double>(values[static_cast<std::size_t>(next++)]);
    }
    return m;
}

std::string_view Trim(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}
} // namespace

tRealVector RealsToVector(std::span<const long double> values)
{
    return ToVector(values);
}

tRealVector RealsToVector(std::initializer_list<long double> values)
{
    return ToVector(std::span<const long double>(values.begin(), values.size()));
}

tIntvector IntsToVector(std::span<const int32_t> values)
{
    return ToVector(values);
}

tIntvector IntsToVector(std::initializer_list<int32_t> values)
{
    return ToVector(std::span<const int32_t>(values.begin(), values.size()));
}

tResult<trealmatrix> VectorToMatrix(const tRealVector& v, int32_t kind)
{
    const int32_t n = v.Count();
    if (kind != 1 && kind != 2)
        return Failure(1, "");
    trealmatrix m = kind == 1 ? trealmatrix(1, n) : trealmatrix(n, 1);
    for (int32_t i = 1; i <= n; ++i)
        (kind == 1 ? m(1, i) : m(i, 1)) = v[i];
    return m;
}

trealmatrix VectorsToMatrix(std::span<const tRealVector> vectors)
{
    if (vectors.empty())
        return trealmatrix(0, 0);
    const int32_t cols = vectors.front().Count();
    trealmatrix m(static_cast<int32_t>(vectors.size()), cols);
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        const tRealVector& v = vectors[static_cast<std::size_t>(r - 1)];
        const int32_t take = std::min(cols, v.Count());
        for (int32_t c = 1; c <= take; ++c)
            m(r, c) = v[c];
    }
    return m;
}

tResult<trealmatrix> ValuesToMatrix(std::span<const long double> values, int32_t rows, int32_t cols)
{
    return FillRowByRow(values, rows, cols);
}

tResult<trealmatrix> ValuesToMatrix(std::span<const int32_t> values, int32_t rows, int32_t cols)
{
    return FillRowByRow(values, rows, cols);
}

void MatrixToVector(const trealmatrix& m, int32_t kind, int32_t index, tRealVector& out)
{
    switch (kind) {
    case 1: {
        if (index < 1 || index > m.Rows())
            throw tRangeError();
        tRealVector row(m.Cols());
        std::copy_n(m.Row(index) + 1, m.Cols(), row.Data() + 1);
        out = std::move(row);
        break;
    }
    case 2: {
        if (index < 1 || index > m.Cols())
            throw tRangeError();
        tRealVector column(m.Rows());
        for (int32_t r = 1; r <= m.Rows(); ++r)
            column[r] = m(r, index);
        out = std::move(column);
        break;
    }
    case 3: {
        const int64_t count = static_cast<int64_t>(m.Rows()) * m.Cols();
        if (count > int32Max)
            throw tRangeError();
        tRealVector all(static_cast<int32_t>(count));
        long double* next = all.Data() + 1;
        for (int32_t r = 1; r <= m.Rows(); ++r)
            next = std::copy_n(m.Row(r) + 1, m.Cols(), next);
        out = std::move(all);
        break;
    }
    default:
        break;
    }
}

tIntvector MatrixToIntVector(const trealmatrix& m, int32_t kind)
{
    if (kind < 1 || kind > 3)
        return tIntvector(0);
    tRealVector values;
    MatrixToVector(m, kind, 1, values);
    tIntvector rounded(values.Count());
    for (int32_t i = 1; i <= values.Count(); ++i)
        rounded[i] = RoundToInt32(values[i]);
    return rounded;
}

tRealVector IntVectorToRealVector(const tIntvector& v)
{
    tRealVector real(v.Count());
    for (int32_t i = 1; i <= v.Count(); ++i)
        real[i] = v[i];
    return real;
}

tintmatrix RoundToIntMatrix(const trealmatrix& m)
{
    tintmatrix rounded(m.Rows(), m.Cols());
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c)
            rounded(r, c) = RoundToInt32(m(r, c));
    }
    return rounded;
}

tIntvector IntSequence(int32_t a, int32_t b, int32_t step)
{
    if (step == 0)
        throw tIntDivisionByZeroError();
    const int64_t n = (static_cast<int64_t>(b) + step - a) / step;
    if (n <= 0)
        return tIntvector(1);
    if (n > int32Max)
        throw tRangeError();
    tIntvector sequence(static_cast<int32_t>(n));
    for (int32_t i = 1; i <= sequence.Count(); ++i)
        sequence[i] = static_cast<int32_t>(a + static_cast<int64_t>(i - 1) * step);
    return sequence;
}

tIntvector RangesToIndexVector(const tintrangelist& ranges, int32_t limit)
{
    if (ranges.IsAbsent())
        return IntsToVector({ 1 });
    auto bounds = [limit](const tIntRange& range) {
        int32_t lower = range[1] == int32Max ? limit : std::max(range[1], 1);
        int32_t upper = range[2] == int32Max || range[2] > limit ? limit : range[2];
        return std::pair { lower, upper };
    };
    int64_t total = 0;
    for (const tIntRange& range : ranges.Elements()) {
        const auto [lower, upper] = bounds(range);
        if (upper >= lower)
            total += static_cast<int64_t>(upper) - lower + 1;
    }
    if (total > int32Max)
        throw tRangeError();
    tIntvector indices(static_cast<int32_t>(total));
    int32_t next = 1;
    for (const tIntRange& range : ranges.Elements()) {
        const auto [lower, upper] = bounds(range);
        for (int64_t i = lower; i <= upper; ++i)
            indices[next++] = static_cast<int32_t>(i);
    }
    return indices;
}

tIntRange IntRangeFromReals(long double lower, long double upper)
{
    return { 0, RoundToInt32(lower), RoundToInt32(upper) };
}

tIntRange IntRangeFromReals(long double value)
{
    return IntRangeFromReals(value, value);
}

tRealRange RealRange(long double lower, long double upper)
{
    return { 0, lower, upper };
}

tRealRange RealRange(long double value)
{
    return RealRange(value, value);
}

tintrangelist IntRangeList(int32_t n, const tIntRange& range)
{
    tintrangelist list(n, range);
    return list;
}

trealrangelist RealRangeList(int32_t n, const tRealRange& range)
{
    trealrangelist list(n, range);
    return list;
}

trealrangelist MatrixToRangeList(const trealmatrix& m)
{
    if (m.Cols() < 1)
        throw tRangeError();
    const int32_t upperColumn = m.Cols() >= 2 ? 2 : 1;
    trealrangelist list(m.Rows());
    for (int32_t r = 1; r <= m.Rows(); ++r)
        list[r] = RealRange(m(r, 1), m(r, upperColumn));
    return list;
}

trealmatrix RangeListToMatrix(const trealrangelist& ranges)
{
    trealmatrix m(ranges.Count(), 2);
    for (int32_t r = 1; r <= ranges.Count(); ++r) {
        m(r, 1) = ranges[r][1];
        m(r, 2) = ranges[r][2];
    }
    return m;
}

std::string FormatReal(long double value)
{
    char buffer[64];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    const char separator = NumericsContext().decimalSeparator;
    if (separator != '.') {
        for (char& ch : text) {
            if (ch == '.')
                ch = separator;
        }
    }
    return text;
}

tStringmatrix RealToText(const trealmatrix& m)
{
    tStringmatrix texts(m.Rows(), m.Cols());
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c)
            texts(r, c) = FormatReal(m(r, c));
    }
    return texts;
}

tStringmatrix IntToText(const tintmatrix& m)
{
    tStringmatrix texts(m.Rows(), m.Cols());
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c)
            texts(r, c) = std::to_string(m(r, c));
    }
    return texts;
}

tStringmatrix RoundToText(const trealmatrix& m)
{
    tStringmatrix texts(m.Rows(), m.Cols());
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c)
            texts(r, c) = std::to_string(RoundToInt64(m(r, c)));
    }
    return texts;
}

bool ParseReal(std::string_view text, long double* value)
{
    text = Trim(text);
    const char separator = NumericsContext().decimalSeparator;
    // Only a sign, digits, the separator and an exponent: no infinities, NaNs or hex forms.
    std::string plain;
    plain.reserve(text.size());
    for (char ch : text) {
        if (ch == separator)
            plain += '.';
        else if ((ch >= '0' && ch <= '9') || ch == '+' || ch == '-' || ch == 'e' || ch == 'E')
            plain += ch;
        else
            return false;
    }
    std::string_view digits = plain;
    // A leading '+' is dropped; a '+' directly before a '-' stays and fails.
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    long double parsed = 0;
    if (ReadDecimal(digits, parsed) != tDecimalRead::Number)
        return false;
    *value = parsed;
    return true;
}

trealmatrix TextToReal(const tStringmatrix& texts)
{
    trealmatrix m(texts.Rows(), texts.Cols());
    for (int32_t r = 1; r <= texts.Rows(); ++r) {
        for (int32_t c = 1; c <= texts.Cols(); ++c) {
            long double value = 0;
            if (ParseReal(texts(r, c), &value))
                m(r, c) = value;
        }
    }
    return m;
}

} // namespace zelvora
