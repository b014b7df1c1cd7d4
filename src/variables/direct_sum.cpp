// The direct sum of two matrices.
#include "variables/direct_sum.h"

#include "numerics/run_time_error.h"
#include "variables/operator_results.h"

#include <cstdint>
#include <limits>

namespace zelvora {
namespace {

bool IsNumericBlock(const tVariable& v)
{
    const bool numeric = v.datatype == dtInteger || v.datatype == dtReal || v.datatype == dtBoolean;
    return numeric && (v.shape == shScalar || v.shape == shMatrix);
}

trealmatrix BlockOf(const tVariable& v)
{
    if (v.shape == shMatrix)
        return v.matrix;
    trealmatrix m(1, 1);
    m(1, 1) = VarAsReal(v);
    return m;
}

std::int32_t CheckedSum(std::int32_t a, std::int32_t b)
{
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    if (sum > std::numeric_limits<std::int32_t>::max())
        throw tRangeError();
    return static_cast<std::int32_t>(sum);
}

} // namespace

tVariable VarDirectSum(const tVariable& l, const tVariable& r)
{
    if (!IsNumericBlock(l) || !IsNumericBlock(r))
        return {};
    const trealmatrix a = BlockOf(l);
    const trealmatrix b = BlockOf(r);
    trealmatrix sum(CheckedSum(a.Rows(), b.Rows()), CheckedSum(a.Cols(), b.Cols()));
    for (std::int32_t i = 1; i <= a.Rows(); ++i)
        for (std::int32_t j = 1; j <= a.Cols(); ++j)
            sum(i, j) = a(i, j);
    for (std::int32_t i = 1; i <= b.Rows(); ++i)
        for (std::int32_t j = 1; j <= b.Cols(); ++j)
            sum(a.Rows() + i, a.Cols() + j) = b(i, j);
    tVariable result = operators::RealMatrixResult(std::move(sum), tgPlain);
    if (l.datatype == r.datatype)
        result.datatype = l.datatype;
    return result;
}

} // namespace zelvora
