// Generators (without the file readers): zero, identity, filled, triangular and
// Hilbert matrices, sequences, random matrices and permutations, and counting matrices.
#include "language/builtin_dispatch.h"
#include "numerics/generators.h"
#include "numerics/matrix_alloc.h"
#include "numerics/random_matrices.h"
#include "variables/variable.h"

#include <cmath>
#include <limits>

namespace zelvora {
namespace {

using O = tOpcode;

tCallOutcome EmptyCall(const tCallArgs&)
{
    return call::Empty();
}

// (rows, columns) of null and einh: none (1, 1); a scalar (its integer, 1); a matrix its size;
// argument 2 replaces the columns.
tMatDims SizeArguments(const tCallArgs& args)
{
    tMatDims dims { 1, 1 };
    if (args.IsScalar(1))
        dims.rows = args.Integer(1);
    else if (args.Arg(1).shape == shMatrix || args.Arg(1).shape == shVector)
        dims = { args.Arg(1).matrix.Rows(), args.Arg(1).matrix.Cols() };
    if (args.Has(2))
        dims.cols = args.Integer(2);
    return dims;
}

tCallOutcome ZeroCall(const tCallArgs& args)
{
    const tMatDims dims = SizeArguments(args);
    return call::RealMatrix(NewMatrix(dims.rows, dims.cols));
}

tCallOutcome IdentityCall(const tCallArgs& args)
{
    const tMatDims dims = SizeArguments(args);
    return call::RealMatrix(MakeIdentity(dims.rows, dims.cols));
}

// A text value fills a string matrix, a number (0.0 when not given) a numeric one.
tCallOutcome FillCall(const tCallArgs& args)
{
    const std::int32_t rows = args.Integer(1, 1);
    const std::int32_t cols = args.Integer(2, 1);
    const tVariable& value = args.Arg(3);
    if (value.datatype == dtBoolean)
        return call::Slot();
    if (value.datatype == dtString)
        return call::StringMatrix(MakeFilled(rows, cols, args.Text(3)));
    return call::RealMatrix(MakeFilled(rows, cols, args.Real(3, 0)));
}

tCallOutcome TriangleCall(const tCallArgs& args)
{
    const std::int32_t size = args.Integer(1, 1);
    if (args.Arg(2).datatype == dtString)
        return call::StringMatrix(MakeTriangle(size, args.Text(2)));
    return call::RealMatrix(MakeTriangle(size, args.Real(2, 0)));
}

// The count (end + step - start) / step truncated toward zero; it must fit 32 bits. A step of
// 0 divides by zero.
std::int32_t SequenceLength(long double start, long double end, long double step)
{
    const long double span = end + step - start;
    if (step == 0) {
        if (span == 0)
            throw tFloatInvalidError();
        throw tFloatDivisionByZeroError();
    }
    const long double count = std::trunc(span / step);
    if (!(count >= std::numeric_limits<std::int32_t>::min()
            && count <= std::numeric_limits<std::int32_t>::max()))
        throw tRangeError();
    return static_cast<std::int32_t>(count);
}

// A row from start on by repeated addition of the step.
tCallOutcome SequenceCall(const tCallArgs& args)
{
    const long double start = args.Real(1, 1);
    const long double step = args.Real(3, 1);
    trealmatrix row(1, SequenceLength(start, args.Real(2, 1), step));
    long double x = start;
    for (std::int32_t i = 1; i <= row.Cols(); ++i) {
        row(1, i) = x;
        x += step;
    }
    return call::RealMatrix(std::move(row));
}

template <std::int32_t mode> tCallOutcome RandomNormalCall(const tCallArgs& args)
{
    return call::RealMatrix(RandomNormal(args.Integer(1, 1), args.Integer(2, 1), args.Real(3, 0),
        args.Real(4, 1), mode, args.Random()));
}

tCallOutcome RandomUniformCall(const tCallArgs& args)
{
    return call::RealMatrix(RandomUniform(args.Integer(1, 1), args.Integer(2, 1), args.Real(3, 0),
        args.Real(4, 100), 3, args.Random()));
}

tCallOutcome RandomIndexCall(const tCallArgs& args)
{
    const std::int32_t count = args.Integer(1);
    const tIntvector order = RandomPermutation(count, args.Integer(2, count), args.Random());
    tVariable v;
    VarSetVector(v, order.Elements());
    return call::Value(std::move(v));
}

// base^exponent (exponent >= 0); a power outside 32 bits raises tRangeError.
std::int32_t PowerInt32(std::int64_t base, std::int32_t exponent)
{
    std::int64_t power = 1;
    for (std::int32_t i = 0; i < exponent; ++i) {
        power *= base;
        if (power > std::numeric_limits<std::int32_t>::max()
            || power < std::numeric_limits<std::int32_t>::min())
            throw tRangeError();
        if (power == 0 || power == 1)
            break; // stays 0, or base 1 keeps it 1
        if (power == -1 && (exponent - i - 1) % 2 == 0)
            break; // an even number of further factors -1 leaves -1
    }
    return static_cast<std::int32_t>(power);
}

// All k-digit numbers in the base hi - lo + 1 with the digits lo..hi, counting up row by row
// from the row of all lo, the last column changing fastest.
tCallOutcome CountingCall(const tCallArgs& args)
{
    const std::int32_t cols = std::max(args.Integer(1, 1), 0);
    const std::int64_t lo = args.Integer(2, 1);
    const std::int64_t hi = args.Integer(3, 1);
    const std::int32_t rows = PowerInt32(hi - lo + 1, cols);
    trealmatrix m(rows, cols);
    std::vector<std::int64_t> digits(static_cast<std::size_t>(cols) + 1, lo);
    for (std::int32_t r = 1; r <= m.Rows(); ++r) {
        if (r > 1) {
            for (std::int32_t c = cols; c >= 1; --c) {
                std::int64_t& digit = digits[static_cast<std::size_t>(c)];
                if (digit != hi) {
                    ++digit;
                    break;
                }
                digit = lo;
            }
        }
        for (std::int32_t c = 1; c <= cols; ++c)
            m(r, c) = static_cast<long double>(digits[static_cast<std::size_t>(c)]);
    }
    return call::RealMatrix(std::move(m));
}

tCallOutcome HilbertCall(const tCallArgs& args)
{
    if (args.IsScalar(1))
        return call::RealMatrix(MakeHilbert(args.Integer(1), args.Integer(2, 1)));
    if (args.IsMatrix(1))
        return call::RealMatrix(MakeHilbert(args.Matrix(1)));
    return call::Slot();
}

// clang-format off
constexpr tDispatchRow Rows[] = {
    { O::Reserved243, EmptyCall },
    { O::Null, ZeroCall },
    { O::Einh, IdentityCall },
    { O::Fuellen, FillCall },
    { O::Dreieck, TriangleCall },
    { O::Seq, SequenceCall },
    { O::RandomN, RandomNormalCall<3> },
    { O::RandomNSp, RandomNormalCall<2> },
    { O::RandomNZl, RandomNormalCall<1> },
    { O::RandomU, RandomUniformCall },
    { O::RandomIndex, RandomIndexCall },
    { O::Komb, CountingCall },
    { O::MkPerm, CountingCall },
    { O::Hilbert, HilbertCall },
    { O::Reserved263, EmptyCall },
};
// clang-format on

} // namespace

std::span<const tDispatchRow> GeneratorRows()
{
    return Rows;
}

} // namespace zelvora
