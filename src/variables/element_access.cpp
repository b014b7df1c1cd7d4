// Element selection, assignment into part of a variable, and range-list building.
#include "variables/element_access.h"

#include "numerics/matrix_convert.h"
#include "numerics/run_time_error.h"
#include "variables/operand_class.h"
#include "variables/variable_convert.h"

#include <vector>

namespace zelvora {
namespace {
// 1..n.
std::vector<std::int32_t> AllIndexes(std::int32_t n)
{
    std::vector<std::int32_t> indexes;
    for (std::int32_t i = 1; i <= n; ++i)
        indexes.push_back(i);
    return indexes;
}

// The selector's indexes that lie in 1..limit, in list order.
std::vector<std::int32_t> IndexesWithin(const tVariable& selector, std::int32_t limit)
{
    std::vector<std::int32_t> indexes;
    const tIntvector list = VarToIndexVector(selector, limit);
    for (std::int32_t index : list.Elements())
        if (index >= 1 && index <= limit)
            indexes.push_back(index);
    return indexes;
}

template <typename T>
tMatrix<T> Pick(const tMatrix<T>& m, const std::vector<std::int32_t>& rows,
    const std::vector<std::int32_t>& cols)
{
    tMatrix<T> result(
        static_cast<std::int32_t>(rows.size()), static_cast<std::int32_t>(cols.size()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < cols.size(); ++j)
            result(static_cast<std::int32_t>(i) + 1, static_cast<std::int32_t>(j) + 1)
                = m(rows[i], cols[j]);
    return result;
}

// Writes V into the cells of m as the merge rule says; value(i, j) gives V's element.
template <typename T, typename F>
void Merge(tMatrix<T>& m, std::int32_t valueRows, std::int32_t valueCols, const tIntvector& rows,
    const tIntvector& cols, F value)
{
    for (std::int32_t i = 1; i <= valueRows; ++i) {
        const std::int32_t r = rows[static_cast<std::size_t>(i)];
        if (r < 1 || r > m.Rows())
            continue;
        for (std::int32_t j = 1; j <= valueCols; ++j) {
            const std::int32_t c = cols[static_cast<std::size_t>(j)];
            if (c >= 1 && c <= m.Cols())
                m(r, c) = value(i, j);
        }
    }
}
} // namespace

void VarSelect(tVariable& target, const tVariable& s1, const tVariable& s2, std::int32_t mode)
{
    if (target.shape != shMatrix && target.shape != shVector)
        return;
    const bool text = target.datatype == dtString;
    const std::int32_t rows = text ? target.strmatrix.Rows() : target.matrix.Rows();
    const std::int32_t cols = text ? target.strmatrix.Cols() : target.matrix.Cols();
    if (rows == 1 && cols == 1)
        return;

    std::vector<std::int32_t> rowList = AllIndexes(rows);
    std::vector<std::int32_t> colList = AllIndexes(cols);
    const bool oneRow = rows == 1;
    switch (mode) {
    case 1:
        if (oneRow)
            colList = IndexesWithin(s1, cols);
        else
            rowList = IndexesWithin(s1, rows);
        break;
    case 2:
        colList = IndexesWithin(s2, cols);
        break;
    case 3:
        rowList = IndexesWithin(s1, rows);
        colList = IndexesWithin(s2, cols);
        break;
    default:
        return;
    }
    if (text)
        target.strmatrix = Pick(target.strmatrix, rowList, colList);
    else
        target.matrix = Pick(target.matrix, rowList, colList);
}

namespace {
// The failure text for one selector against limit (rows or columns of the target).
std::string SelectorOutside(
    const tVariable& selector, std::int32_t limit, const char* what, const std::string& size)
{
    const tIntvector list = VarToIndexVector(selector, limit);
    bool anyInside = false;
    for (std::int32_t index : list.Elements()) {
        const bool inside = index >= 1 && index <= limit;
        anyInside = anyInside || inside;
        if (!inside && selector.shape != shRange)
            return std::string(what) + " " + std::to_string(index)
                + " liegt au\xDF"
                  "erhalb von 1.."
                + std::to_string(limit) + " (" + size + ")";
    }
    if (!anyInside && selector.shape == shRange)
        return std::string("Der Bereich der ") + what
            + "es liegt au\xDF"
              "erhalb von 1.."
            + std::to_string(limit) + " (" + size + ")";
    return {};
}
} // namespace

std::string VarSelectionOutside(const tVariable& target, const tVariable& s1, const tVariable* s2)
{
    if (target.shape != shMatrix && target.shape != shVector)
        return {};
    const bool text = target.datatype == dtString;
    const std::int32_t rows = text ? target.strmatrix.Rows() : target.matrix.Rows();
    const std::int32_t cols = text ? target.strmatrix.Cols() : target.matrix.Cols();
    if (rows == 1 && cols == 1)
        return {};
    const bool named = !target.name.empty() && target.name[0] != '$';
    const std::string size = (named ? target.name + ": " : std::string("Matrix "))
        + std::to_string(rows) + " x " + std::to_string(cols);
    if (!s2)
        return rows == 1 ? SelectorOutside(s1, cols, "Spaltenindex", size)
                         : SelectorOutside(s1, rows, "Zeilenindex", size);
    std::string outside = SelectorOutside(s1, rows, "Zeilenindex", size);
    return outside.empty() ? SelectorOutside(*s2, cols, "Spaltenindex", size) : outside;
}

tVariable VarAssignPart(
    const tVariable& target, const tVariable& value, const tIntvector& rows, const tIntvector& cols)
{
    const std::int32_t types = ClassifyOperands(target, value).types;
    const bool numeric = IsNumericPair(types);
    if (!numeric && types != tpStringString)
        return value;

    const std::int32_t valueRows = VarRows(value);
    const std::int32_t valueCols = VarCols(value);
    if (rows.Count() < valueRows || cols.Count() < valueCols)
        throw tRangeError();

    tVariable merged;
    if (numeric) {
        trealmatrix m = VarToMatrix(target);
        if (value.shape == shMatrix) {
            Merge(m, valueRows, valueCols, rows, cols,
                [&](std::int32_t i, std::int32_t j) { return value.matrix(i, j); });
        } else if (value.shape == shScalar) {
            const long double x = types == tpIntInt ? static_cast<long double>(VarAsInteger(value))
                                                    : VarAsReal(value);
            Merge(m, 1, 1, rows, cols, [x](std::int32_t, std::int32_t) { return x; });
        }
        VarSetMatrix(merged, std::move(m), tgPlain);
        return merged;
    }

    tStringmatrix m;
    if (target.shape == shScalar) {
        m = tStringmatrix(1, 1);
        m(1, 1) = target.strvalue;
    } else {
        m = target.strmatrix.IsAbsent() ? tStringmatrix(0, 0) : target.strmatrix;
    }
    if (value.shape == shMatrix) {
        Merge(m, valueRows, valueCols, rows, cols,
            [&](std::int32_t i, std::int32_t j) { return value.strmatrix(i, j); });
    } else if (value.shape == shScalar) {
        const std::string s = VarAsString(value);
        Merge(m, 1, 1, rows, cols, [&s](std::int32_t, std::int32_t) { return s; });
    }
    VarSetStrMatrix(merged, std::move(m), tgLogical);
    return merged;
}

tVariable VarToIntRange(const tVariable& v)
{
    if (v.datatype != dtInteger && v.datatype != dtReal)
        return {};
    const tintrangelist ranges = VarToIntRangeList(v);
    trealmatrix m(ranges.Count(), 2);
    for (std::int32_t i = 1; i <= ranges.Count(); ++i) {
        m(i, 1) = ranges[static_cast<std::size_t>(i)][1];
        m(i, 2) = ranges[static_cast<std::size_t>(i)][2];
    }
    tVariable result;
    result.name = v.name;
    VarSetRangeMatrix(result, m, true);
    return result;
}

tVariable VarConcatRanges(const tVariable& l, const tVariable& r)
{
    const std::int32_t types = ClassifyOperands(l, r).types;
    bool integer = false;
    switch (types) {
    case tpIntInt:
    case tpIntBool:
    case tpBoolInt:
    case tpBoolBool:
        integer = true;
        break;
    case tpIntReal:
    case tpRealInt:
    case tpRealReal:
    case tpRealBool:
    case tpBoolReal:
        break;
    default:
        return {};
    }
    const trealrangelist first = VarToRangeList(l);
    const trealrangelist second = VarToRangeList(r);
    trealmatrix m(first.Count() + second.Count(), 2);
    std::int32_t row = 0;
    for (const trealrangelist* list : { &first, &second }) {
        for (const tRealRange& range : list->Elements()) {
            ++row;
            m(row, 1) = range[1];
            m(row, 2) = range[2];
        }
    }
    tVariable result;
    result.name = l.name;
    VarSetRangeMatrix(result, m, integer);
    return result;
}

} // namespace zelvora
