// Matrix constructors: matrices laid out from the values of the arguments.
#include "language/builtin_dispatch.h"
#include "language/dispatch_values.h"
#include "numerics/generators.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_size.h"
#include "numerics/scalar_math.h"
#include "text/word_list.h"
#include "variables/variable.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace zelvora {
namespace {

using O = tOpcode;

using tValues = std::vector<long double>;

tCallOutcome EmptyCall(const tCallArgs&)
{
    return call::Empty();
}

// The values of the arguments from the first-th on.
tValues ValuesFrom(const tCallArgs& args, std::int32_t first)
{
    if (args.Count() < first)
        return {};
    return CollectValues(args.All().subspan(static_cast<std::size_t>(first - 1)));
}

tCallOutcome DiagonalCall(const tCallArgs& args)
{
    const tValues values = ValuesFrom(args, 1);
    const std::int32_t n = CheckedDimension(static_cast<std::int64_t>(values.size()));
    trealmatrix m = NewMatrix(n, n);
    for (std::int32_t i = 1; i <= n; ++i)
        m(i, i) = values[static_cast<std::size_t>(i - 1)];
    return call::RealMatrix(std::move(m));
}

// Values on the k-th diagonal: below the main one for k < 0, above it for k >= 0.
tCallOutcome SubDiagonalCall(const tCallArgs& args)
{
    const std::int64_t k = args.Integer(1);
    const std::int64_t offset = k < 0 ? -k : k;
    const tValues values = ValuesFrom(args, 2);
    const std::int32_t length = CheckedDimension(static_cast<std::int64_t>(values.size()));
    const std::int32_t size = CheckedDimension(length + offset);
    trealmatrix m = NewMatrix(size, size);
    const std::int32_t shift = static_cast<std::int32_t>(offset);
    for (std::int32_t i = 1; i <= length; ++i) {
        const long double x = values[static_cast<std::size_t>(i - 1)];
        if (k < 0)
            m(shift + i, i) = x;
        else
            m(i, shift + i) = x;
    }
    return call::RealMatrix(std::move(m));
}

trealmatrix Line(const tValues& values, bool column)
{
    const std::int32_t n = CheckedDimension(static_cast<std::int64_t>(values.size()));
    trealmatrix m = column ? NewMatrix(n, 1) : NewMatrix(1, n);
    for (std::int32_t i = 1; i <= n; ++i) {
        const long double x = values[static_cast<std::size_t>(i - 1)];
        (column ? m(i, 1) : m(1, i)) = x;
    }
    return m;
}

tCallOutcome ColumnCall(const tCallArgs& args)
{
    return call::RealMatrix(Line(ValuesFrom(args, 1), true));
}

tCallOutcome RowCall(const tCallArgs& args)
{
    return call::RealMatrix(Line(ValuesFrom(args, 1), false));
}

// Writes the values one after the other to the positions a walker names, and to the mirror
// position as well; positions left over stay as they are, values left over are dropped.
class tSymmetricFill {
public:
    tSymmetricFill(trealmatrix& m, const tValues& values)
        : m_matrix(m)
        , m_values(values)
    {
    }
    void Put(std::int32_t i, std::int32_t j)
    {
        const long double x = m_next < m_values.size() ? m_values[m_next] : 0.0L;
        ++m_next;
        m_matrix(i, j) = x;
        m_matrix(j, i) = x;
    }
    void Skip() { ++m_next; }

private:
    trealmatrix& m_matrix;
    const tValues& m_values;
    std::size_t m_next = 0;
};

// A d x d identity with the strict upper triangle filled row by row, mirrored below;
// d = trunc(sqrt(2 L)) + 1.
tCallOutcome CorrelationCall(const tCallArgs& args)
{
    const tValues values = ValuesFrom(args, 1);
    const long double root = std::sqrt(2.0L * static_cast<long double>(values.size()));
    const std::int32_t d = CheckedDimension(static_cast<std::int64_t>(std::trunc(root)) + 1);
    trealmatrix m = IdentityMatrix(d);
    tSymmetricFill fill(m, values);
    for (std::int32_t i = 1; i <= d; ++i)
        for (std::int32_t j = i + 1; j <= d; ++j)
            fill.Put(i, j);
    return call::RealMatrix(std::move(m));
}

tCallOutcome TypeCall(const tCallArgs& args)
{
    if (!args.IsText(1))
        return call::Slot();
    trealmatrix m = MakeTypeMatrix(args.Text(1), args.Integer(2, 6));
    if (m.IsAbsent())
        return call::Empty();
    return call::RealMatrix(std::move(m));
}

enum class tPattern {
    Lower = 1,
    Diagonal = 2,
    Upper = 3,
    LowerDiagonal = 4,
    DiagonalUpper = 5,
    Full = 6
};

std::int32_t RoundedRoot(long double x)
{
    return RoundToInt32(std::sqrt(x));
}

// A symmetric matrix laid out from the values by the pattern word.
tCallOutcome PatternCall(const tCallArgs& args, const tValues& values)
{
    const std::int32_t position = WordListPosition(
        "u;d;o;ud;do;udo;binomial;pascal;gp;gm;st1;st2", args.Text(1), tWordMatch::Folded);
    if (position < 1 || position > 6)
        return call::Slot();
    const auto pattern = static_cast<tPattern>(position);
    const std::int32_t count = CheckedDimension(static_cast<std::int64_t>(values.size()));
    const long double l = count;
    trealmatrix m;
    switch (pattern) {
    case tPattern::Lower:
    case tPattern::Upper: {
        const std::int32_t d = (RoundedRoot(8 * l + 1) + 1) / 2;
        m = IdentityMatrix(d);
        tSymmetricFill fill(m, values);
        for (std::int32_t i = 1; i <= d; ++i) {
            for (std::int32_t j = 1; j <= d; ++j) {
                if (pattern == tPattern::Lower ? j < i : j > i)
                    fill.Put(i, j);
            }
        }
        break;
    }
    case tPattern::Diagonal:
        m = NewMatrix(count, count);
        for (std::int32_t i = 1; i <= count; ++i)
            m(i, i) = values[static_cast<std::size_t>(i - 1)];
        break;
    case tPattern::LowerDiagonal:
    case tPattern::DiagonalUpper: {
        const std::int32_t d = (RoundedRoot(8 * l + 1) - 1) / 2;
        m = NewMatrix(d, d);
        tSymmetricFill fill(m, values);
        for (std::int32_t i = 1; i <= d; ++i) {
            for (std::int32_t j = 1; j <= d; ++j) {
                if (pattern == tPattern::LowerDiagonal ? j <= i : j >= i)
                    fill.Put(i, j);
            }
        }
        break;
    }
    case tPattern::Full: {
        const std::int32_t d = RoundedRoot(l);
        m = NewMatrix(d, d);
        tSymmetricFill fill(m, values);
        for (std::int32_t i = 1; i <= d; ++i) {
            for (std::int32_t j = 1; j <= d; ++j) {
                if (j <= i)
                    fill.Put(i, j);
                else
                    fill.Skip();
            }
        }
        break;
    }
    }
    return call::RealMatrix(std::move(m));
}

// By argument 1: an integer gives rows x columns filled column by column, a real or a matrix a
// row of the further values, a text a symmetric pattern.
tCallOutcome MakeCall(const tCallArgs& args)
{
    const tVariable& first = args.Arg(1);
    if (first.shape == shScalar) {
        switch (first.datatype) {
        case dtInteger: {
            const std::int32_t rows = std::max(first.intvalue, 0);
            const std::int32_t cols = std::max(args.Integer(2), 0);
            const tValues values = ValuesFrom(args, 3);
            trealmatrix m = NewMatrix(rows, cols);
            std::size_t next = 0;
            for (std::int32_t c = 1; c <= cols && next < values.size(); ++c)
                for (std::int32_t r = 1; r <= rows && next < values.size(); ++r)
                    m(r, c) = values[next++];
            return call::RealMatrix(std::move(m));
        }
        case dtReal:
            return call::RealMatrix(Line(ValuesFrom(args, 2), false));
        case dtString:
            return PatternCall(args, ValuesFrom(args, 2));
        default:
            return call::Slot();
        }
    }
    if (first.shape == shMatrix || first.shape == shRange || first.shape == shVector)
        return call::RealMatrix(Line(ValuesFrom(args, 2), false));
    return call::Slot();
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::Reserved264, EmptyCall },
    { O::MkDiag, DiagonalCall },
    { O::MkSubDiag, SubDiagonalCall },
    { O::MkSp, ColumnCall },
    { O::Mk, MakeCall },
    { O::MkZl, RowCall },
    { O::MkCorr, CorrelationCall },
    { O::MkType, TypeCall },
    { O::Reserved272, EmptyCall },
};
// clang-format on

} // namespace

std::span<const tDispatchRow> ConstructorRows()
{
    return Rows;
}

} // namespace zelvora
