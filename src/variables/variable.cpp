// Operations on a single variable record.
#include "variables/variable.h"

#include "numerics/library_state.h"
#include "numerics/matrix_arith.h"
#include "numerics/matrix_convert.h"
#include "numerics/missing_values.h"
#include "numerics/run_time_error.h"
#include "numerics/scalar_math.h"
#include "variables/number_format.h"

#include <cmath>
#include <limits>
#include <utility>

namespace zelvora {
namespace {
bool HasFirstElement(const trealmatrix& m)
{
    return m.Rows() >= 1 && m.Cols() >= 1;
}
bool HasFirstElement(const tStringmatrix& m)
{
    return m.Rows() >= 1 && m.Cols() >= 1;
}

bool IsMatrixLike(const tVariable& v)
{
    return v.shape == shMatrix || v.shape == shRange || v.shape == shVector;
}

bool IsNumericType(const tVariable& v)
{
    return v.datatype == dtInteger || v.datatype == dtReal || v.datatype == dtBoolean;
}

// Rounding of a real into 32 bits where every failure is the range error.
std::int32_t RoundChecked(long double x)
{
    if (!std::isfinite(x))
        throw tRangeError();
    return RoundToInt32(x);
}

std::string_view TrimBlanks(std::string_view s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Element (1, 1) of a numeric matrix-like record; 0 when there is none.
long double FirstElement(const tVariable& v)
{
    return HasFirstElement(v.matrix) ? v.matrix(1, 1) : 0;
}

void SetOneRowRange(tVariable& v, trealmatrix m, std::uint8_t datatype)
{
    std::string name = std::move(v.name);
    VarClear(v);
    v.name = std::move(name);
    v.shape = shRange;
    v.tag = tgRange;
    v.datatype = datatype;
    v.matrix = std::move(m);
}
// A matrix as a new record has it: no block, no rows, no columns.
template <class T> bool IsBare(const tMatrix<T>& m)
{
    return m.IsAbsent() && m.Rows() == 0 && m.Cols() == 0;
}

} // namespace

long double MissingValue()
{
    return MissingNumber;
}

std::string CutVariableName(std::string_view name)
{
    return std::string(name.substr(0, std::min(name.size(), MaxVariableNameLength)));
}

void VarClear(tVariable& v)
{
    v.name.clear();
    v.datatype = dtNone;
    v.tag = tgNone;
    v.shape = shEmpty;
    v.realvalue = 0;
    v.intvalue = 0;
    v.boolvalue = 0;
    // The common record to clear holds neither text nor matrix: nothing to release then.
    if (!v.strvalue.empty())
        v.strvalue = std::string();
    if (!IsBare(v.matrix))
        v.matrix = trealmatrix();
    if (!IsBare(v.strmatrix))
        v.strmatrix = tStringmatrix();
    v.handle = 0;
}

void VarSetReal(tVariable& v, long double x)
{
    VarClear(v);
    v.shape = shScalar;
    v.datatype = dtReal;
    v.realvalue = x;
}

void VarSetInteger(tVariable& v, std::int32_t n)
{
    VarClear(v);
    v.shape = shScalar;
    v.datatype = dtInteger;
    v.intvalue = n;
}

void VarSetBoolean(tVariable& v, bool b)
{
    VarClear(v);
    v.shape = shScalar;
    v.datatype = dtBoolean;
    v.boolvalue = b ? 1 : 0;
}

void VarSetString(tVariable& v, std::string s)
{
    VarClear(v);
    v.shape = shScalar;
    v.datatype = dtString;
    v.strvalue = std::move(s);
}

void VarSetMatrix(tVariable& v, trealmatrix m, std::uint8_t tag)
{
    VarClear(v);
    v.shape = shMatrix;
    v.datatype = dtReal;
    v.tag = tag;
    v.matrix = std::move(m);
}

void VarSetIntMatrix(tVariable& v, trealmatrix m, std::uint8_t tag)
{
    VarSetMatrix(v, std::move(m), tag);
    v.datatype = dtInteger;
}

void VarSetBoolMatrix(tVariable& v, trealmatrix m, std::uint8_t tag)
{
    VarSetMatrix(v, std::move(m), tag);
    v.datatype = dtBoolean;
}

void VarSetStrMatrix(tVariable& v, tStringmatrix s, std::uint8_t tag)
{
    VarClear(v);
    v.shape = shMatrix;
    v.datatype = dtString;
    v.tag = tag;
    v.strmatrix = std::move(s);
}

void VarSetVector(tVariable& v, std::span<const std::int32_t> values)
{
    VarClear(v);
    trealmatrix m(1, static_cast<std::int32_t>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        m(1, static_cast<std::int32_t>(i) + 1) = values[i];
    v.shape = shVector;
    v.datatype = dtInteger;
    v.tag = tgVector;
    v.matrix = std::move(m);
}

void VarSetRange(tVariable& v, std::span<const std::int32_t> values)
{
    trealmatrix m(1, static_cast<std::int32_t>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        m(1, static_cast<std::int32_t>(i) + 1) = values[i];
    SetOneRowRange(v, std::move(m), dtInteger);
}

void VarSetRange(tVariable& v, std::span<const long double> values)
{
    trealmatrix m(1, static_cast<std::int32_t>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        m(1, static_cast<std::int32_t>(i) + 1) = values[i];
    SetOneRowRange(v, std::move(m), dtReal);
}

void VarSetRangeList(tVariable& v, const trealrangelist& ranges)
{
    SetOneRowRange(v, RangeListToMatrix(ranges), dtReal);
}

void VarSetRangeMatrix(tVariable& v, const trealmatrix& m, bool integer)
{
    const trealrangelist ranges = m.Cols() >= 1 ? MatrixToRangeList(m) : trealrangelist(0);
    VarSetRangeList(v, ranges);
    v.datatype = integer ? dtInteger : dtReal;
}

void VarCopy(tVariable& target, const tVariable& source, int mode)
{
    if (&target == &source) {
        if (mode != -1)
            return;
        tVariable copy = source;
        VarCopy(target, copy, mode);
        return;
    }
    VarClear(target);
    target.name = source.name;
    target.datatype = source.datatype;
    target.tag = source.tag;
    target.shape = source.shape;
    target.reserved = source.reserved;
    if (source.shape == shHandle) {
        target.handle = source.handle;
        return;
    }
    if (source.shape == shEmpty || source.shape > shVector)
        return;
    const bool negate = mode == -1;
    if (source.shape == shScalar) {
        target.strvalue = source.strvalue;
        target.realvalue = source.realvalue;
        target.intvalue = source.intvalue;
        target.boolvalue = source.boolvalue;
        if (!negate)
            return;
        if (source.datatype == dtInteger) {
            if (source.intvalue == std::numeric_limits<std::int32_t>::min()) {
                // 2147483648 leaves 32 bits: the exact real, as integer arithmetic gives.
                target.datatype = dtReal;
                target.intvalue = 0;
                target.realvalue = -static_cast<long double>(source.intvalue);
                return;
            }
            target.intvalue = -source.intvalue;
        } else if (source.datatype == dtReal) {
            target.realvalue = -source.realvalue;
        } else if (source.datatype == dtBoolean) {
            target.boolvalue = source.boolvalue ? 0 : 1;
        }
        return;
    }
    target.strmatrix = source.strmatrix;
    if (!negate || source.matrix.IsAbsent() || source.datatype == dtString)
        target.matrix = source.matrix;
    else if (source.datatype == dtBoolean)
        target.matrix = ScalarArith(source.matrix, tScalarOp::Not);
    else
        target.matrix = ScalarArith(source.matrix, tScalarOp::Negate);
}

void VarSetCell(tVariable& v, std::int32_t row, std::int32_t column, long double x)
{
    if (v.shape == shMatrix && IsNumericType(v) && v.matrix.Contains(row, column))
        v.matrix(row, column) = x;
}

void VarSetStrCell(tVariable& v, std::int32_t row, std::int32_t column, std::string s)
{
    if (v.shape == shMatrix && v.datatype == dtString && v.strmatrix.Contains(row, column))
        v.strmatrix(row, column) = std::move(s);
}

std::int32_t VarRows(const tVariable& v)
{
    if (v.shape != shMatrix && v.shape != shRange)
        return 1;
    return v.datatype == dtString ? v.strmatrix.Rows() : v.matrix.Rows();
}

std::int32_t VarCols(const tVariable& v)
{
    if (v.shape == shRange)
        return 2;
    if (v.shape != shMatrix && v.shape != shVector)
        return 1;
    return v.datatype == dtString ? v.strmatrix.Cols() : v.matrix.Cols();
}

bool VarIsSquare(const tVariable& v)
{
    return VarRows(v) == VarCols(v);
}

std::int32_t VarAsInteger(const tVariable& v)
{
    if (v.shape == shScalar) {
        switch (v.datatype) {
        case dtInteger:
            return v.intvalue;
        case dtReal:
            return RoundChecked(v.realvalue);
        case dtBoolean:
            return v.boolvalue ? 1 : 0;
        default:
            return 0;
        }
    }
    if (IsMatrixLike(v) && IsNumericType(v))
        return RoundChecked(FirstElement(v));
    return 0;
}

bool VarAsBoolean(const tVariable& v)
{
    if (v.shape == shScalar) {
        switch (v.datatype) {
        case dtInteger:
            return v.intvalue != 0;
        case dtReal:
            return v.realvalue != 0;
        case dtBoolean:
            return v.boolvalue != 0;
        default:
            return false;
        }
    }
    if (!IsMatrixLike(v))
        return false;
    if (IsNumericType(v))
        return FirstElement(v) != 0;
    if (v.datatype == dtString)
        return HasFirstElement(v.strmatrix) && !TrimBlanks(v.strmatrix(1, 1)).empty();
    return false;
}

long double VarAsReal(const tVariable& v)
{
    if (v.shape == shScalar) {
        switch (v.datatype) {
        case dtInteger:
            return v.intvalue;
        case dtReal:
            return v.realvalue;
        case dtBoolean:
            return v.boolvalue ? 1 : 0;
        default:
            return 0;
        }
    }
    if (IsMatrixLike(v) && IsNumericType(v))
        return FirstElement(v);
    return 0;
}

std::string VarAsString(const tVariable& v)
{
    if (v.shape == shScalar) {
        switch (v.datatype) {
        case dtInteger:
            return std::to_string(v.intvalue);
        case dtReal:
            return GeneralText15(v.realvalue, NumericsContext().decimalSeparator);
        case dtBoolean:
            return BoolText(v.boolvalue != 0);
        case dtString:
            return v.strvalue;
        default:
            return {};
        }
    }
    if (!IsMatrixLike(v))
        return {};
    switch (v.datatype) {
    case dtInteger:
    case dtReal:
        return HasFirstElement(v.matrix)
            ? GeneralText15(v.matrix(1, 1), NumericsContext().decimalSeparator)
            : std::string();
    case dtBoolean:
        return HasFirstElement(v.matrix) ? BoolText(v.matrix(1, 1) != 0) : std::string();
    case dtString:
        return HasFirstElement(v.strmatrix) ? v.strmatrix(1, 1) : std::string();
    default:
        return {};
    }
}

} // namespace zelvora
