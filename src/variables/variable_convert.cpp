// Conversions of variable records.
#include "variables/variable_convert.h"

#include "numerics/decimal_text.h"
#include "numerics/matrix_convert.h"
#include "numerics/matrix_size.h"
#include "numerics/run_time_error.h"
#include "numerics/scalar_math.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

namespace zelvora {
namespace {
bool IsNumericType(const tVariable& v)
{
    return v.datatype == dtInteger || v.datatype == dtReal || v.datatype == dtBoolean;
}

bool IsMatrixLike(const tVariable& v)
{
    return v.shape == shMatrix || v.shape == shRange || v.shape == shVector;
}

std::int32_t RoundChecked(long double x)
{
    if (!std::isfinite(x))
        throw tRangeError();
    return RoundToInt32(x);
}

std::string_view TrimBlanks(std::string_view s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A decimal number with '.' as the point, whatever the locale; 0 for anything else.
long double ReadNumber(std::string_view text)
{
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long double value = 0;
    return ReadDecimal(text, value) == tDecimalRead::Number ? value : 0;
}

std::int32_t ReadInteger(const std::string& original)
{
    std::string_view text = TrimBlanks(original);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw tConversionError(original);
    return value;
}

trealmatrix OneByOne(long double x)
{
    trealmatrix m(1, 1);
    m(1, 1) = x;
    return m;
}

trealrangelist OneRange(long double lower, long double upper)
{
    trealrangelist list(1);
    list[1] = RealRange(lower, upper);
    return list;
}

// Ranges from columns: rows i give [m(i, a), m(i, b)].
trealrangelist RowRanges(const trealmatrix& m, std::int32_t a, std::int32_t b)
{
    trealrangelist list(m.Rows());
    for (std::int32_t i = 1; i <= m.Rows(); ++i)
        list[static_cast<std::size_t>(i)] = RealRange(m(i, a), m(i, b));
    return list;
}

// Ranges from rows: columns j give [m(a, j), m(b, j)].
trealrangelist ColumnRanges(const trealmatrix& m, std::int32_t a, std::int32_t b)
{
    trealrangelist list(m.Cols());
    for (std::int32_t j = 1; j <= m.Cols(); ++j)
        list[static_cast<std::size_t>(j)] = RealRange(m(a, j), m(b, j));
    return list;
}
} // namespace

trealmatrix VarToMatrix(const tVariable& v)
{
    if (IsMatrixLike(v) && IsNumericType(v))
        return v.matrix.IsAbsent() ? trealmatrix(0, 0) : v.matrix;
    if (IsMatrixLike(v) && v.datatype == dtString)
        return trealmatrix(v.strmatrix.Rows(), v.strmatrix.Cols());
    if (v.shape == shEmpty)
        return OneByOne(MissingValue());
    if (v.shape == shScalar && v.datatype == dtString)
        return OneByOne(ReadNumber(v.strvalue));
    return OneByOne(v.shape == shScalar ? VarAsReal(v) : 0);
}

tintmatrix VarToIntMatrix(const tVariable& v)
{
    if (v.shape == shScalar && v.datatype == dtString) {
        tintmatrix m(1, 1);
        m(1, 1) = ReadInteger(v.strvalue);
        return m;
    }
    const trealmatrix real = VarToMatrix(v);
    tintmatrix m(real.Rows(), real.Cols());
    for (std::int32_t r = 1; r <= real.Rows(); ++r)
        for (std::int32_t c = 1; c <= real.Cols(); ++c)
            m(r, c) = RoundChecked(real(r, c));
    return m;
}

tIntvector VarToIndexVector(const tVariable& v, std::int32_t limit)
{
    if (!IsNumericType(v))
        return tIntvector(1);
    if (v.shape == shScalar)
        return tIntvector(1, VarAsInteger(v));
    if (v.shape == shMatrix || v.shape == shVector) {
        const trealmatrix& m = v.matrix;
        std::vector<std::int32_t> indexes;
        indexes.reserve(static_cast<std::size_t>(m.Rows()) * static_cast<std::size_t>(m.Cols()));
        for (std::int32_t r = 1; r <= m.Rows(); ++r)
            for (std::int32_t c = 1; c <= m.Cols(); ++c)
                indexes.push_back(RoundChecked(m(r, c)));
        return IntsToVector(indexes);
    }
    if (v.shape == shRange) {
        const trealmatrix& m = v.matrix;
        const long double top = limit;
        // Each range clamped to [1, limit] (a limit below 1 admits nothing), counted before the
        // list is made: every index becomes at least one element of a result, so a list that
        // no matrix could hold is refused before it takes any memory.
        std::vector<std::array<std::int32_t, 2>> bounds;
        std::int64_t count = 0;
        for (std::int32_t r = 1; r <= m.Rows() && m.Cols() >= 1; ++r) {
            const long double lower = m(r, 1);
            const long double upper = m.Cols() >= 2 ? m(r, 2) : lower;
            if (std::isnan(lower) || std::isnan(upper))
                continue;
            const std::int32_t first = RoundChecked(std::clamp(lower, 1.0L, std::max(top, 1.0L)));
            const std::int32_t last
                = std::min(RoundChecked(std::clamp(upper, 1.0L, std::max(top, 1.0L))), limit);
            if (first > last)
                continue;
            bounds.push_back({ first, last });
            count += std::int64_t { last } - first + 1;
        }
        if (count > MaxMatrixDimension)
            throw tSizeTooLarge("Zu wenig Arbeitsspeicher f\xFCr eine Indexliste von "
                + std::to_string(count) + " Eintr\xE4gen");
        CheckedArrayBytes(count, sizeof(long double), "eine Indexliste dieser L\xE4nge");
        tIntvector list(static_cast<std::int32_t>(count));
        std::int32_t at = 0;
        for (const auto& [first, last] : bounds)
            for (std::int64_t i = first; i <= last; ++i)
                list[static_cast<std::size_t>(++at)] = static_cast<std::int32_t>(i);
        return list;
    }
    return tIntvector(1);
}

trealrangelist VarToRangeList(const tVariable& v)
{
    if (!IsNumericType(v))
        return OneRange(0, 0);
    if (v.shape == shScalar) {
        const long double x = VarAsReal(v);
        return OneRange(x, x);
    }
    const trealmatrix& m = v.matrix;
    if (v.shape == shRange || (v.shape == shMatrix && v.tag == tgRange)) {
        if (m.Cols() < 1)
            return trealrangelist(0);
        return RowRanges(m, 1, m.Cols() >= 2 ? 2 : 1);
    }
    if (v.shape != shMatrix)
        return OneRange(0, 0);
    if (m.Cols() == 1)
        return RowRanges(m, 1, 1);
    if (m.Cols() == 2)
        return RowRanges(m, 1, 2);
    if (m.Rows() == 1)
        return ColumnRanges(m, 1, 1);
    if (m.Rows() == 2)
        return ColumnRanges(m, 1, 2);
    return OneRange(0, 0);
}

tintrangelist VarToIntRangeList(const tVariable& v)
{
    const trealrangelist real = VarToRangeList(v);
    tintrangelist list(real.Count());
    for (std::int32_t i = 1; i <= real.Count(); ++i) {
        const auto& range = real[static_cast<std::size_t>(i)];
        list[static_cast<std::size_t>(i)] = { 0, RoundChecked(range[1]), RoundChecked(range[2]) };
    }
    return list;
}

} // namespace zelvora
