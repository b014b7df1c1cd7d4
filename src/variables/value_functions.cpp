// Absolute value, negation, sign, integer and fractional part, rounding, numeric value and
// formatting of variable records.
#include "variables/value_functions.h"

#include "numerics/library_state.h"
#include "numerics/matrix_arith.h"
#include "numerics/matrix_convert.h"
#include "numerics/run_time_error.h"
#include "numerics/scalar_math.h"
#include "variables/operator_results.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace zelvora {
namespace {
using namespace operators;

bool IsMatrixLike(const tVariable& v)
{
    return v.shape == shMatrix || v.shape == shRange || v.shape == shVector;
}

bool IsNumericMatrixLike(const tVariable& v)
{
    return IsMatrixLike(v) && v.datatype != dtString && v.datatype != dtNone;
}

// One number through the element rule of ScalarArith, so that scalars and matrices agree.
long double ScalarRule(long double x, tScalarOp op, long double a = 0)
{
    trealmatrix m(1, 1);
    m(1, 1) = x;
    return ScalarArith(m, op, a)(1, 1);
}

tVariable Unchanged(const tVariable& v)
{
    tVariable copy = v;
    copy.name.clear();
    return copy;
}

} // namespace

tVariable VarAbs(const tVariable& v)
{
    if (v.shape == shScalar) {
        switch (v.datatype) {
        case dtInteger:
            return WideIntegerResult(std::abs(static_cast<std::int64_t>(v.intvalue)));
        case dtReal:
            return RealResult(std::fabs(v.realvalue));
        case dtBoolean:
            return BooleanResult(true);
        case dtString:
            return Unchanged(v);
        default:
            return {};
        }
    }
    if (IsMatrixLike(v) && v.datatype == dtString)
        return Unchanged(v);
    if (IsNumericMatrixLike(v))
        return SameShapeResult(v, ScalarArith(v.matrix, tScalarOp::Abs), v.datatype);
    return {};
}

tVariable VarNegate(const tVariable& v)
{
    if ((v.shape == shScalar && v.datatype != dtString && v.datatype != dtNone)
        || (IsMatrixLike(v) && v.datatype != dtNone)) {
        tVariable negated;
        VarCopy(negated, v, -1);
        negated.name.clear();
        return negated;
    }
    return {};
}

tVariable VarSign(const tVariable& v)
{
    if (v.shape == shScalar) {
        switch (v.datatype) {
        case dtInteger:
            return IntegerResult((v.intvalue > 0) - (v.intvalue < 0));
        case dtReal:
            return RealResult(ScalarRule(v.realvalue, tScalarOp::Sign));
        case dtBoolean:
            return IntegerResult(v.boolvalue ? 1 : -1);
        default:
            return {};
        }
    }
    if (IsNumericMatrixLike(v))
        return SameShapeResult(v, ScalarArith(v.matrix, tScalarOp::Sign), v.datatype);
    return {};
}

tVariable VarIntegerPart(const tVariable& v)
{
    if (v.shape == shScalar) {
        switch (v.datatype) {
        case dtInteger:
        case dtBoolean:
            return Unchanged(v);
        case dtReal: {
            const long double whole = std::trunc(v.realvalue);
            if (!(whole >= std::numeric_limits<std::int32_t>::min()
                    && whole <= std::numeric_limits<std::int32_t>::max()))
                throw tRangeError();
            return IntegerResult(static_cast<std::int32_t>(whole));
        }
        default:
            return {};
        }
    }
    if (IsNumericMatrixLike(v))
        return SameShapeResult(v, ScalarArith(v.matrix, tScalarOp::Int), dtInteger);
    return {};
}

tVariable VarFractionalPart(const tVariable& v)
{
    if (v.shape == shScalar) {
        switch (v.datatype) {
        case dtInteger:
            return RealResult(0);
        case dtReal:
            return RealResult(ScalarRule(v.realvalue, tScalarOp::Frac));
        case dtBoolean:
            return BooleanResult(false);
        default:
            return {};
        }
    }
    if (IsNumericMatrixLike(v))
        return SameShapeResult(v, ScalarArith(v.matrix, tScalarOp::Frac), dtReal);
    return {};
}

tVariable VarRound(const tVariable& v, std::int32_t digits)
{
    if (digits < -37 || digits > 37)
        throw tRangeError();
    if (v.shape == shScalar) {
        if (v.datatype == dtInteger || v.datatype == dtBoolean)
            return Unchanged(v);
        if (v.datatype == dtReal)
            return RealResult(ScalarRule(v.realvalue, tScalarOp::Round, digits));
        return {};
    }
    if (IsNumericMatrixLike(v))
        return SameShapeResult(v, ScalarArith(v.matrix, tScalarOp::Round, digits), v.datatype);
    return {};
}

tVariable VarNumericValue(const tVariable& v)
{
    if (v.shape == shScalar) {
        if (v.datatype == dtString) {
            long double value = 0;
            if (!ParseReal(v.strvalue, &value))
                value = 0;
            return RealResult(value);
        }
        if (v.datatype == dtNone)
            return {};
        return RealResult(VarAsReal(v));
    }
    if (IsMatrixLike(v) && v.datatype == dtString)
        return SameShapeResult(v, TextToReal(v.strmatrix), dtReal);
    if (IsNumericMatrixLike(v))
        return SameShapeResult(v, v.matrix, dtReal);
    return {};
}

// ---- format

namespace {

constexpr std::int32_t maxFormatField = 255;

[[noreturn]] void RejectFormat(std::string_view pattern)
{
    throw tRunTimeError(tRunTimeErrorKind::Conversion,
        "Format '%" + std::string(pattern) + "' ung\xFCltig oder nicht kompatibel mit Argument");
}

// Reads the digits at pos; false when they give a number above the field limit.
bool ReadField(std::string_view spec, std::size_t& pos)
{
    std::int32_t value = 0;
    while (pos < spec.size() && spec[pos] >= '0' && spec[pos] <= '9') {
        value = value * 10 + (spec[pos] - '0');
        if (value > maxFormatField)
            return false;
        ++pos;
    }
    return true;
}

bool IsValidSpec(std::string_view spec)
{
    std::size_t pos = 0;
    if (pos < spec.size() && spec[pos] == '-')
        ++pos;
    if (!ReadField(spec, pos))
        return false;
    if (pos < spec.size() && spec[pos] == '.') {
        ++pos;
        if (!ReadField(spec, pos))
            return false;
    }
    return pos == spec.size();
}

template <typename T> std::string Printed(const std::string& pattern, T value)
{
    const int length = std::snprintf(nullptr, 0, pattern.c_str(), value);
    if (length < 0)
        RejectFormat(pattern.substr(1));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), pattern.c_str(), value);
    text.pop_back();
    return text;
}

std::string FormatInteger(std::string_view spec, std::int64_t n)
{
    return Printed("%" + std::string(spec) + "lld", static_cast<long long>(n));
}

std::string FormatReal(std::string_view spec, long double x)
{
    std::string text = Printed("%" + std::string(spec) + "Lf", x);
    const char separator = NumericsContext().decimalSeparator;
    for (char& c : text) {
        if (c == '.')
            c = separator;
    }
    return text;
}

// The text is passed as the argument, never as part of the pattern.
std::string FormatText(std::string_view spec, const std::string& s)
{
    return Printed("%" + std::string(spec) + "s", s.c_str());
}

std::string FormatElement(std::string_view spec, std::uint8_t datatype, long double x)
{
    switch (datatype) {
    case dtInteger:
        return FormatInteger(spec, RoundToInt64(x));
    case dtBoolean:
        return FormatText(spec, x != 0 ? "TRUE" : "FALSE");
    default:
        return FormatReal(spec, x);
    }
}

} // namespace

tVariable VarFormat(const tVariable& v, std::string_view spec)
{
    if (!IsValidSpec(spec)) {
        const char type = v.datatype == dtInteger ? 'd' : v.datatype == dtReal ? 'f' : 's';
        RejectFormat(std::string(spec) + type);
    }
    if (v.shape == shScalar) {
        switch (v.datatype) {
        case dtInteger:
            return StringResult(FormatInteger(spec, v.intvalue));
        case dtReal:
            return StringResult(FormatReal(spec, v.realvalue));
        case dtBoolean:
        case dtString:
            return StringResult(FormatText(spec, VarAsString(v)));
        default:
            return {};
        }
    }
    if (!IsMatrixLike(v) || v.datatype == dtNone)
        return {};
    const bool text = v.datatype == dtString;
    const std::int32_t rows = text ? v.strmatrix.Rows() : v.matrix.Rows();
    const std::int32_t cols = text ? v.strmatrix.Cols() : v.matrix.Cols();
    tStringmatrix texts(rows, cols);
    for (std::int32_t r = 1; r <= rows; ++r)
        for (std::int32_t c = 1; c <= cols; ++c)
            texts(r, c) = text ? FormatText(spec, v.strmatrix(r, c))
                               : FormatElement(spec, v.datatype, v.matrix(r, c));
    return StringMatrixResult(std::move(texts), tgLogical);
}

} // namespace zelvora
