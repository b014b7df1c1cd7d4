// The machine's own operators: ranges, blocks, side-by-side joining, indexing, postfix operators
// and matrix literals.
#include "language/machine_operators.h"

#include "language/machine_bindings.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"
#include "numerics/run_time_error.h"
#include "variables/operator_results.h"

#include <algorithm>
#include <cmath>

namespace zelvora {
namespace {

bool IsNumberScalar(const tVariable& v)
{
    return v.shape == shScalar
        && (v.datatype == dtInteger || v.datatype == dtReal || v.datatype == dtBoolean);
}

bool IsMatrix(const tVariable& v)
{
    return v.shape == shMatrix;
}

bool IsStringMatrix(const tVariable& v)
{
    return v.shape == shMatrix && v.datatype == dtString;
}

// The element type of a numeric literal: the head's type, widened so that every element shows as
// it is stored. A boolean literal stays boolean while its elements are 0 or 1, an integer literal
// integer while they are whole numbers within 32 bits; otherwise the literal is real, so that
// {1, 0.5} shows 0.5 and not 0.
std::uint8_t LiteralElementType(std::uint8_t headType, const trealmatrix& elements)
{
    if (headType == dtReal)
        return dtReal;
    bool whole = true;
    bool zeroOrOne = true;
    for (std::int32_t r = 1; r <= elements.Rows() && whole; ++r) {
        const long double* row = elements.Row(r);
        for (std::int32_t c = 1; c <= elements.Cols(); ++c) {
            const long double x = row[c];
            if (!(x >= INT32_MIN && x <= INT32_MAX && x == std::trunc(x))) {
                whole = false;
                break;
            }
            zeroOrOne = zeroOrOne && (x == 0 || x == 1);
        }
    }
    if (!whole)
        return dtReal;
    if (headType == dtBoolean && !zeroOrOne)
        return dtInteger;
    return headType;
}

tVariable MakeRange(const tVariable& left, const tVariable& right)
{
    tVariable range;
    range.shape = shRange;
    range.tag = tgRange;
    const bool real = left.datatype == dtReal || right.datatype == dtReal;
    const bool bothBoolean = left.datatype == dtBoolean && right.datatype == dtBoolean;
    range.datatype = real ? dtReal : bothBoolean ? dtBoolean : dtInteger;
    range.matrix = trealmatrix(1, 2);
    if (real) {
        range.matrix(1, 1) = machine::AsReal(left);
        range.matrix(1, 2) = machine::AsReal(right);
    } else {
        range.matrix(1, 1) = machine::AsInteger(left);
        range.matrix(1, 2) = machine::AsInteger(right);
    }
    return range;
}

// One row of a block: [n, n] of a number, the first two elements of a matrix's first row.
void BlockRow(const tVariable& v, trealmatrix& block, std::int32_t row)
{
    if (v.shape == shScalar && (v.datatype == dtInteger || v.datatype == dtReal)) {
        const long double n = machine::AsInteger(v);
        block(row, 1) = n;
        block(row, 2) = n;
    } else if (IsMatrix(v) && v.datatype != dtString && v.matrix.Rows() >= 1
        && v.matrix.Cols() >= 1) {
        block(row, 1) = v.matrix(1, 1);
        block(row, 2) = v.matrix.Cols() >= 2 ? v.matrix(1, 2) : v.matrix(1, 1);
    } else {
        block(row, 1) = 1;
        block(row, 2) = 1;
    }
}

} // namespace

tVariable ApplyListOperator(tOpcode opcode, const tVariable& left, const tVariable& right)
{
    switch (opcode) {
    case tOpcode::Range:
        return IsNumberScalar(left) && IsNumberScalar(right) ? MakeRange(left, right) : left;
    case tOpcode::RangeJoin:
        return machine::ConcatRanges(left, right);
    case tOpcode::Block: {
        tVariable block;
        block.shape = shMatrix;
        block.datatype = dtReal;
        block.tag = tgRange;
        block.matrix = trealmatrix(2, 2);
        BlockRow(left, block.matrix, 1);
        BlockRow(right, block.matrix, 2);
        return block;
    }
    default:
        return left;
    }
}

tVariable ConcatMatrixColumns(const tVariable& left, const tVariable& right)
{
    if (!IsMatrix(left) || !IsMatrix(right))
        return {};
    tVariable result;
    result.shape = shMatrix;
    result.datatype = left.datatype;
    result.tag = left.tag;
    if (left.datatype != dtString && right.datatype != dtString) {
        result.matrix = ConcatColumns(left.matrix, right.matrix);
    } else if (IsStringMatrix(left) && IsStringMatrix(right)) {
        result.strmatrix = ConcatColumns(left.strmatrix, right.strmatrix);
    } else {
        return {};
    }
    return result;
}

tVariable IndexValue(const tVariable& value, const tVariable& rows, const tVariable* cols)
{
    if (!IsMatrix(value))
        return value;
    return machine::Select(value, rows, cols);
}

tVariableArray ApplyPostfix(tOpcode opcode, const tVariable& value, const tVariable* placeholder)
{
    if (!IsMatrix(value)) {
        if (opcode == tOpcode::Like && placeholder)
            return { value, *placeholder };
        return { value };
    }
    tVariable result = value;
    const bool text = value.datatype == dtString;
    switch (opcode) {
    case tOpcode::Like:
        return { operators::IntegerResult(text ? value.strmatrix.Rows() : value.matrix.Rows()),
            operators::IntegerResult(text ? value.strmatrix.Cols() : value.matrix.Cols()) };
    case tOpcode::Transpose:
        if (text)
            result.strmatrix = Transpose(value.strmatrix);
        else
            result.matrix = Transpose(value.matrix);
        return { result };
    case tOpcode::AsArray:
        result.tag = tgLogical;
        return { result };
    case tOpcode::TimesTransposed:
        if (!text)
            result.matrix = GramProduct(value.matrix, 1).Value();
        return { result };
    default:
        return { value };
    }
}

std::string MatrixLiteralFailure(const tVariableArray& values)
{
    if (values.size() < 2)
        return {};
    if (!IsMatrix(values[1])) {
        // A row of numbers takes one number per element: a range list would give its first
        // bound only ({1..5} is no row 1 to 5).
        for (std::size_t i = 1; i < values.size(); ++i) {
            if (values[i].shape == shRange || values[i].shape == shVector)
                return "Element " + std::to_string(i)
                    + " der Matrix ist eine Bereichsliste, keine Zahl; die Zahlen von a bis b "
                      "gibt Seq(a, b)";
        }
        return {};
    }
    const tVariable& head = values[1];
    const bool text = head.datatype == dtString;
    const std::int32_t cols = text ? head.strmatrix.Cols() : head.matrix.Cols();
    std::int64_t row = 1;
    for (std::size_t i = 1; i < values.size(); ++i) {
        const tVariable& v = values[i];
        const bool holdsMatrix = v.shape == shMatrix || v.shape == shVector || v.shape == shRange;
        if (!holdsMatrix || (v.datatype == dtString) != text)
            return "Element " + std::to_string(i) + " der Matrix ist keine Zeile wie die erste ("
                + (text ? "Texte" : "Zahlen") + ")";
        const std::int32_t vCols = text ? v.strmatrix.Cols() : v.matrix.Cols();
        if (vCols < cols)
            return "Die Zeilen der Matrix sind ungleich lang: Zeile " + std::to_string(row)
                + " hat " + std::to_string(vCols) + ", Zeile 1 hat " + std::to_string(cols)
                + " Elemente";
        row += text ? v.strmatrix.Rows() : v.matrix.Rows();
    }
    return {};
}

tVariable BuildMatrixLiteral(const tVariableArray& values)
{
    if (values.size() < 2)
        return {};
    const tVariable& head = values[1];
    tVariable literal;
    literal.shape = shMatrix;
    if (IsMatrix(head)) {
        const bool text = head.datatype == dtString;
        const std::int32_t cols = text ? head.strmatrix.Cols() : head.matrix.Cols();
        std::int64_t rowCount = 0;
        for (std::size_t i = 1; i < values.size(); ++i) {
            const tVariable& v = values[i];
            const bool holdsMatrix
                = v.shape == shMatrix || v.shape == shVector || v.shape == shRange;
            if (!holdsMatrix || (v.datatype == dtString) != text)
                throw tRangeError();
            const std::int32_t vCols = text ? v.strmatrix.Cols() : v.matrix.Cols();
            if (vCols < cols)
                throw tRangeError();
            rowCount += text ? v.strmatrix.Rows() : v.matrix.Rows();
        }
        if (rowCount > INT32_MAX)
            throw tRangeError();
        literal.tag = text ? tgLogical : tgPlain;
        std::int32_t row = 0;
        if (text) {
            literal.strmatrix = tStringmatrix(static_cast<std::int32_t>(rowCount), cols);
            for (std::size_t i = 1; i < values.size(); ++i)
                for (std::int32_t r = 1; r <= values[i].strmatrix.Rows(); ++r) {
                    ++row;
                    for (std::int32_t c = 1; c <= cols; ++c)
                        literal.strmatrix(row, c) = values[i].strmatrix(r, c);
                }
        } else {
            literal.matrix = trealmatrix(static_cast<std::int32_t>(rowCount), cols);
            for (std::size_t i = 1; i < values.size(); ++i)
                for (std::int32_t r = 1; r <= values[i].matrix.Rows(); ++r) {
                    ++row;
                    std::copy_n(values[i].matrix.Row(r) + 1, cols, literal.matrix.Row(row) + 1);
                }
        }
        literal.datatype
            = text ? std::uint8_t { dtString } : LiteralElementType(head.datatype, literal.matrix);
        return literal;
    }
    const auto n = static_cast<std::int32_t>(values.size() - 1);
    switch (head.datatype) {
    case dtInteger:
    case dtReal:
    case dtBoolean:
        literal.tag = tgPlain;
        literal.matrix = trealmatrix(1, n);
        for (std::int32_t i = 1; i <= n; ++i)
            literal.matrix(1, i) = machine::AsReal(values[static_cast<std::size_t>(i)]);
        literal.datatype = LiteralElementType(head.datatype, literal.matrix);
        return literal;
    case dtString:
        literal.datatype = dtString;
        literal.tag = tgLogical;
        literal.strmatrix = tStringmatrix(1, n);
        for (std::int32_t i = 1; i <= n; ++i)
            literal.strmatrix(1, i) = machine::AsString(values[static_cast<std::size_t>(i)]);
        return literal;
    default:
        return {};
    }
}

} // namespace zelvora
