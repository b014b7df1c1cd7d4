// Selection, joining and reordering: submatrices, range marks of columns,
// missing values, joining and inserting, indexing, sort indexes, key matching, reordering and
// factorization by given bases.
#include "language/builtin_dispatch.h"
#include "numerics/matrix_structure.h"
#include "numerics/merging.h"
#include "numerics/range_marks.h"
#include "numerics/reordering.h"
#include "numerics/scalar_math.h"
#include "numerics/sorting.h"
#include "numerics/submatrices.h"
#include "variables/element_access.h"
#include "variables/variable_convert.h"

#include <limits>

namespace zelvora {
namespace {

using O = tOpcode;

constexpr std::int32_t NoLimit = std::numeric_limits<std::int32_t>::max();

tCallOutcome SlotCall(const tCallArgs&)
{
    return call::Slot();
}

bool IsMatrixLike(const tVariable& v)
{
    return v.shape == shMatrix || v.shape == shRange || v.shape == shVector;
}

bool IsStringMatrix(const tVariable& v)
{
    return v.shape == shMatrix && v.datatype == dtString;
}

// A copy of an argument as a temporary value.
tCallOutcome CopyOf(const tVariable& v)
{
    tVariable copy = v;
    copy.name.clear();
    return call::Value(std::move(copy));
}

// A copy of a matrix argument that keeps texts as texts, any other argument as a matrix.
tCallOutcome MatrixCopyOf(const tCallArgs& args)
{
    if (IsStringMatrix(args.Arg(1)))
        return call::StringMatrix(args.Arg(1).strmatrix);
    return call::RealMatrix(args.Matrix(1));
}

// ---- Submatrices and selections

tCallOutcome BlockCall(const tCallArgs& args)
{
    if (!args.IsMatrix(1) || !args.IsMatrix(2))
        return call::Slot();
    const trealmatrix m = args.Matrix(1);
    trealmatrix block = SelectBlock(m, args.Matrix(2));
    // A block wholly outside the matrix would give an empty matrix without a word.
    if ((block.Rows() == 0 || block.Cols() == 0) && m.Rows() > 0 && m.Cols() > 0) {
        tCallOutcome failed = call::Empty();
        failed.Refusal = "der Block liegt au\xDF"
                         "erhalb der Matrix ("
            + std::to_string(m.Rows()) + " x " + std::to_string(m.Cols()) + ")";
        return failed;
    }
    return call::RealMatrix(std::move(block));
}

// Rows (mode 1) or columns (mode 2) of argument 1 named by the ranges of all further arguments.
template <std::int32_t mode> tCallOutcome SelectCall(const tCallArgs& args)
{
    tVariable list = VarToIntRange(args.Arg(2));
    for (std::int32_t i = 3; i <= args.Count(); ++i)
        list = VarConcatRanges(list, args.Arg(i));
    tVariable selected = args.Arg(1);
    selected.name.clear();
    const tVariable none;
    if (mode == 1)
        VarSelect(selected, list, none, 1);
    else
        VarSelect(selected, none, list, 2);
    return call::Value(std::move(selected));
}

tCallOutcome MinorCall(const tCallArgs& args)
{
    if (!args.IsMatrix(1))
        return call::Empty();
    const trealmatrix m = args.Matrix(1);
    const tIntvector rows = args.Has(2) ? VarToIndexVector(args.Arg(2), m.Rows()) : tIntvector();
    const tIntvector cols = args.Has(3) ? VarToIndexVector(args.Arg(3), m.Cols()) : tIntvector();
    return call::RealMatrix(MinorOf(m, rows, cols));
}

tCallOutcome ReshapeCall(const tCallArgs& args)
{
    if (!args.IsMatrix(1))
        return call::Empty();
    const tVariable& v = args.Arg(1);
    if (v.datatype == dtBoolean)
        return call::Slot();
    const std::int64_t elements = static_cast<std::int64_t>(VarRows(v)) * VarCols(v);
    const std::int32_t rows = args.Has(2) ? std::max(args.Integer(2), 1) : 1;
    const std::int32_t cols = args.Has(3)
        ? args.Integer(3)
        : static_cast<std::int32_t>(std::max<std::int64_t>(1, elements / rows));
    if (v.datatype == dtString)
        return call::StringMatrix(ReshapeRows(v.strmatrix, rows, cols));
    return call::RealMatrix(ReshapeRows(v.matrix, rows, cols));
}

// The rows rolled up; shape, element type and tag stay those of argument 1.
tCallOutcome RollCall(const tCallArgs& args)
{
    if (!IsMatrixLike(args.Arg(1)))
        return call::Empty();
    tVariable rolled = args.Arg(1);
    rolled.name.clear();
    const std::int32_t count = args.Integer(2, 1);
    if (rolled.datatype == dtString)
        rolled.strmatrix = RollRows(rolled.strmatrix, count);
    else
        rolled.matrix = RollRows(rolled.matrix, count);
    return call::Value(std::move(rolled));
}

// At most `limit` column numbers named by a value: a scalar itself, the block of the ':'
// operator the numbers from its first lower to its first upper bound, any other matrix-like
// value its elements row by row.
std::vector<std::int32_t> MarkList(const tVariable& v, std::int32_t limit)
{
    std::vector<std::int32_t> list;
    if (v.shape == shScalar) {
        list.push_back(VarAsInteger(v));
    } else if (v.shape == shMatrix && v.tag == tgRange && v.datatype != dtString) {
        const std::int64_t first = RoundToInt32(v.matrix.At(1, 1));
        const std::int64_t last = RoundToInt32(v.matrix.At(1, 2));
        for (std::int64_t i = first; i <= last && std::ssize(list) < limit; ++i)
            list.push_back(static_cast<std::int32_t>(i));
    } else if (IsMatrixLike(v) && v.datatype != dtString) {
        for (std::int32_t r = 1; r <= v.matrix.Rows() && std::ssize(list) < limit; ++r)
            for (std::int32_t c = 1; c <= v.matrix.Cols() && std::ssize(list) < limit; ++c)
                list.push_back(RoundToInt32(v.matrix(r, c)));
    }
    if (std::ssize(list) > limit)
        list.resize(static_cast<std::size_t>(std::max(limit, 0)));
    return list;
}

// One row per listed column with 1.0 in that column; numbers outside the columns mark nothing.
tCallOutcome MarkColumnsCall(const tCallArgs& args)
{
    const std::int32_t cols = VarCols(args.Arg(1));
    const std::vector<std::int32_t> list = MarkList(args.Arg(2), cols);
    trealmatrix marks(static_cast<std::int32_t>(list.size()), cols);
    for (std::int32_t i = 1; i <= marks.Rows(); ++i) {
        const std::int32_t column = list[static_cast<std::size_t>(i - 1)];
        if (column >= 1 && column <= cols)
            marks(i, column) = 1;
    }
    return call::RealMatrix(std::move(marks));
}

template <std::int32_t direction> tCallOutcome MissingToMeanCall(const tCallArgs& args)
{
    const trealmatrix m = args.Matrix(1);
    if (args.Count() < 2)
        return call::RealMatrix(MissingToMean(m, trealrangelist(), direction));
    const trealrangelist ranges = VarToRangeList(args.Arg(2));
    if (args.Count() != 3)
        return call::RealMatrix(MissingToMean(m, ranges, direction));
    if (!args.IsMatrix(3))
        return call::Slot();
    return call::RealMatrix(MissingToMean(m, ranges, direction, args.Matrix(3)));
}

// ---- Joining and inserting

template <bool below> tCallOutcome ConcatCall(const tCallArgs& args)
{
    if (!args.IsMatrix(1))
        return call::Slot();
    trealmatrix joined = args.Matrix(1);
    for (std::int32_t i = 2; i <= args.Count(); ++i) {
        if (args.IsMatrix(i))
            joined = below ? ConcatRows(joined, args.Matrix(i))
                           : ConcatColumns(joined, args.Matrix(i));
    }
    return call::RealMatrix(std::move(joined));
}

tCallOutcome MergeDiagonalCall(const tCallArgs& args)
{
    if (args.Count() < 2 || !args.IsMatrix(1) || !args.IsMatrix(2))
        return call::Slot();
    return call::RealMatrix(MergeDiagonal(args.Matrix(1), args.Matrix(2)));
}

enum class tPlacing { Merge, Block, Columns, Rows };

// The position (r, c) for placing argument 2 into argument 1, with each function's defaults.
// A position matrix gives r from its element (1, 1) and c from (2, 1).
std::pair<std::int32_t, std::int32_t> Position(
    const tCallArgs& args, tPlacing placing, const trealmatrix& m)
{
    switch (placing) {
    case tPlacing::Columns:
        return { 1, args.Count() >= 3 ? args.Integer(3) : m.Cols() + 1 };
    case tPlacing::Rows:
        return { args.Count() >= 3 ? args.Integer(3) : m.Rows() + 1, 1 };
    default:
        break;
    }
    std::int32_t r = placing == tPlacing::Merge ? 1 : m.Rows() + 1;
    std::int32_t c = placing == tPlacing::Merge ? 1 : m.Cols() + 1;
    if (args.Count() >= 3) {
        if (args.IsMatrix(3)) {
            const trealmatrix position = args.Matrix(3);
            r = RoundToInt32(position.At(1, 1));
            c = RoundToInt32(position.At(2, 1));
        } else {
            r = args.Integer(3);
        }
    }
    if (args.Count() >= 4)
        c = args.Integer(4);
    return { r, c };
}

template <tPlacing placing> tCallOutcome PlaceCall(const tCallArgs& args)
{
    if (args.Count() == 1)
        return call::RealMatrix(args.Matrix(1));
    if (!args.IsMatrix(1))
        return call::Slot();
    const trealmatrix m = args.Matrix(1);
    const auto [r, c] = Position(args, placing, m);
    const trealmatrix part = args.Matrix(2);
    switch (placing) {
    case tPlacing::Merge:
        return call::RealMatrix(MergeInto(m, part, r, c));
    case tPlacing::Block:
        return call::RealMatrix(InsertInto(m, part, r, c, tInsertMode::Block));
    case tPlacing::Columns:
        return call::RealMatrix(InsertInto(m, part, r, c, tInsertMode::Columns));
    case tPlacing::Rows:
        break;
    }
    return call::RealMatrix(InsertInto(m, part, r, c, tInsertMode::Rows));
}

// ---- Indexing, sorting and matching

tCallOutcome VectorOf(const tIntvector& list)
{
    tVariable v;
    VarSetVector(v, list.Elements());
    return call::Value(std::move(v));
}

template <bool ofRows> tCallOutcome SortIndexCall(const tCallArgs& args)
{
    if (!IsMatrixLike(args.Arg(1)))
        return call::Empty();
    const trealmatrix m = args.Matrix(1);
    return VectorOf(ofRows ? SortIndexRows(m) : SortIndexColumns(m));
}

tCallOutcome IndexCall(const tCallArgs& args)
{
    const tVariable& first = args.Arg(1);
    if (args.Count() < 1 || args.Count() >= 3 || first.datatype == dtBoolean)
        return call::Slot();
    if (args.Count() == 1)
        return MatrixCopyOf(args);
    const tVariable& index = args.Arg(2);
    const bool text = IsStringMatrix(first);
    if (index.shape == shMatrix) {
        const trealmatrix im = args.Matrix(2);
        if (text)
            return call::StringMatrix(IndexColumnsByMatrix(first.strmatrix, im));
        return call::RealMatrix(IndexColumnsByMatrix(args.Matrix(1), im));
    }
    if (index.shape == shRange || index.shape == shVector) {
        const tIntvector list = VarToIndexVector(index, NoLimit);
        if (text)
            return call::StringMatrix(IndexColumns(first.strmatrix, list));
        return call::RealMatrix(IndexColumns(args.Matrix(1), list));
    }
    return call::Slot();
}

// The columns of argument 1 in the sorted order of the columns of argument 2.
tCallOutcome IndexInverseCall(const tCallArgs& args)
{
    if (args.Count() == 1)
        return MatrixCopyOf(args);
    if (args.Count() != 2 || !IsMatrixLike(args.Arg(2)))
        return call::Empty();
    const tIntvector list = SortIndexColumns(args.Matrix(2));
    if (IsStringMatrix(args.Arg(1)))
        return call::StringMatrix(IndexColumns(args.Arg(1).strmatrix, list));
    return call::RealMatrix(IndexColumns(args.Matrix(1), list));
}

// The matched columns of both key matrices as two vectors.
tCallOutcome MatchingCall(const tCallArgs& args)
{
    if (args.Count() == 1)
        return CopyOf(args.Arg(1));
    const tintmatrix matches = MatchKeys(args.Matrix(1), args.Matrix(2));
    tVariableArray rows(2);
    for (std::int32_t r = 1; r <= 2; ++r) {
        std::vector<std::int32_t> row(static_cast<std::size_t>(matches.Cols()));
        for (std::int32_t c = 1; c <= matches.Cols(); ++c)
            row[static_cast<std::size_t>(c - 1)] = matches.At(r, c);
        VarSetVector(rows[static_cast<std::size_t>(r - 1)], row);
    }
    return call::Values(std::move(rows));
}

tCallOutcome MergeIndexedCall(const tCallArgs& args)
{
    if (args.Count() == 1 || args.Count() == 2)
        return call::RealMatrix(args.Matrix(1));
    const tVariable& first = args.Arg(1);
    const bool numeric
        = first.shape == shMatrix && (first.datatype == dtInteger || first.datatype == dtReal);
    if (args.Count() != 3 || !IsMatrixLike(args.Arg(2)) || !numeric)
        return call::Empty();
    return call::RealMatrix(MergeIndexedColumns(
        args.Matrix(1), args.Matrix(2), VarToIndexVector(args.Arg(3), NoLimit)));
}

tCallOutcome MergeMatchingCall(const tCallArgs& args)
{
    switch (args.Count()) {
    case 0:
        return call::Empty();
    case 1:
        return CopyOf(args.Arg(1));
    case 2:
        return call::RealMatrix(
            MergeMatchingColumns(args.Matrix(1), args.Matrix(2), args.Matrix(1), args.Matrix(2)));
    case 3:
        return call::RealMatrix(
            MergeMatchingColumns(args.Matrix(1), args.Matrix(2), args.Matrix(1), args.Matrix(3)));
    default:
        return call::RealMatrix(
            MergeMatchingColumns(args.Matrix(1), args.Matrix(2), args.Matrix(3), args.Matrix(4)));
    }
}

tCallOutcome ReorderCall(const tCallArgs& args)
{
    return args.Count() == 0 ? call::Empty() : CopyOf(args.Arg(1));
}

// The order list of a reordering: from a matrix its first row (columns) or first column
// (rows), rounded; from a range list, vector or number its indexes up to the count.
tIntvector OrderList(const tVariable& order, bool columns, std::int32_t count)
{
    if (order.shape != shMatrix)
        return VarToIndexVector(order, count);
    const trealmatrix m = VarToMatrix(order);
    const std::int32_t length = columns ? m.Cols() : m.Rows();
    tIntvector list(m.Rows() == 0 || m.Cols() == 0 ? 0 : length);
    for (std::int32_t i = 1; i <= list.Count(); ++i)
        list[static_cast<std::size_t>(i)] = RoundToInt32(columns ? m(1, i) : m(i, 1));
    return list;
}

// Columns (ReorderZl) or rows (ReorderSp) brought into the order that the list begins.
template <bool columns> tCallOutcome ReorderLinesCall(const tCallArgs& args)
{
    if (args.Count() == 0)
        return call::Empty();
    if (args.Count() == 1)
        return CopyOf(args.Arg(1));
    const tVariable& first = args.Arg(1);
    const tVariable& order = args.Arg(2);
    if (order.shape != shScalar && !IsMatrixLike(order))
        return CopyOf(first);
    if (IsStringMatrix(first)) {
        const tStringmatrix& m = first.strmatrix;
        const tIntvector list = OrderList(order, columns, columns ? m.Cols() : m.Rows());
        return call::StringMatrix(columns ? ReorderColumns(m, list) : ReorderRows(m, list));
    }
    const trealmatrix m = args.Matrix(1);
    const tIntvector list = OrderList(order, columns, columns ? m.Cols() : m.Rows());
    return call::RealMatrix(columns ? ReorderColumns(m, list) : ReorderRows(m, list));
}

// ---- Factorization

// How often v can be divided by b without remainder; 0 for b < 2 or v < b.
std::int32_t Multiplicity(std::int64_t v, std::int64_t b)
{
    if (b < 2 || v < b)
        return 0;
    std::int32_t count = 0;
    while (v % b == 0) {
        v /= b;
        ++count;
    }
    return count;
}

tCallOutcome FactorizeCall(const tCallArgs& args)
{
    const tVariable& basesArg = args.Arg(2);
    if (args.Count() < 2 || (basesArg.shape != shMatrix && basesArg.shape != shVector))
        return call::Slot();
    const trealmatrix b = args.Matrix(2);
    std::vector<std::int64_t> bases;
    for (std::int32_t j = 1; j <= b.Cols(); ++j)
        bases.push_back(RoundToInt64(b.At(1, j)));
    const std::int32_t k = b.Cols();
    const tVariable& first = args.Arg(1);
    if (first.shape == shScalar) {
        const std::int64_t v = VarAsInteger(first);
        trealmatrix row(1, k);
        for (std::int32_t j = 1; j <= k; ++j)
            row(1, j) = Multiplicity(v, bases[static_cast<std::size_t>(j - 1)]);
        return call::RealMatrix(std::move(row));
    }
    if (first.shape != shMatrix && first.shape != shVector)
        return call::Slot();
    const trealmatrix x = args.Matrix(1);
    trealmatrix result(x.Rows(), k);
    for (std::int32_t i = 1; i <= x.Rows(); ++i) {
        const std::int64_t v = RoundToInt64(x.At(i, 1));
        for (std::int32_t j = 1; j <= k; ++j)
            result(i, j) = Multiplicity(v, bases[static_cast<std::size_t>(j - 1)]);
    }
    return call::RealMatrix(std::move(result));
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::Reserved273, SlotCall },
    { O::CollectSp, SelectCall<2> },                    // CollectSp
    { O::CollectZl, SelectCall<1> },                    // CollectZl
    { O::Collect, BlockCall },                        // Collect
    { O::Minor, MinorCall },
    { O::Reformatieren, ReshapeCall },
    { O::Rollv, RollCall },
    { O::Subsp, SelectCall<2> },                    // Subsp
    { O::Subzl, SelectCall<1> },                    // Subzl
    { O::Sub, BlockCall },                        // Sub
    { O::MarkSp, MarkColumnsCall },
    { O::Miss2Mean, MissingToMeanCall<3> },
    { O::Miss2MeanZl, MissingToMeanCall<1> },
    { O::Miss2MeanSp, MissingToMeanCall<2> },
    { O::Reserved288, SlotCall },
    { O::Reserved289, SlotCall },
    { O::Addzl, ConcatCall<true> },                 // Addzl
    { O::Addsp, ConcatCall<false> },                // Addsp
    { O::MergeDiag, MergeDiagonalCall },
    { O::Merge, PlaceCall<tPlacing::Merge> },
    { O::Insert, PlaceCall<tPlacing::Block> },       // Insert
    { O::InsertSp, PlaceCall<tPlacing::Columns> },     // InsertSp
    { O::InsertZl, PlaceCall<tPlacing::Rows> },        // InsertZl
    { O::ISortZl, SortIndexCall<false> },             // ISortZl
    { O::ISort, SortIndexCall<true> },              // ISort, ISortSp
    { O::Index, IndexCall },
    { O::IndexInv, IndexInverseCall },
    { O::IMatching, MatchingCall },
    { O::MergeIndexed, MergeIndexedCall },
    { O::MergeMatching, MergeMatchingCall },
    { O::Reorder, ReorderCall },
    { O::ReorderZl, ReorderLinesCall<true> },           // ReorderZl
    { O::ReorderSp, ReorderLinesCall<false> },          // ReorderSp
    { O::Faktorisieren, FactorizeCall },
    { O::Reserved312, SlotCall },
};
// clang-format on

} // namespace

std::span<const tDispatchRow> SelectionRows()
{
    return Rows;
}

} // namespace zelvora
