// The power operators "^" and "^#" and the matrix power behind them and the suffix operators.
#include "numerics/gauss_jordan.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_arith.h"
#include "numerics/matrix_functions.h"
#include "numerics/matrix_product.h"
#include "numerics/run_time_error.h"
#include "numerics/scalar_math.h"
#include "variables/operand_class.h"
#include "variables/operator_results.h"
#include "variables/variable_operators.h"

#include <cmath>
#include <limits>

namespace zelvora {
namespace {
using namespace operators;

constexpr long double maxProductExponent = 99999;

// base^e for e >= 0 by squaring: an integer while it fits 32 bits, otherwise the real power.
tVariable IntegerPower(std::int32_t base, std::uint32_t e)
{
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    const long double realExponent = e;
    const auto real = [&] { return RealResult(PowerRule(base, realExponent)); };
    std::int64_t result = 1;
    std::int64_t square = base;
    for (;;) {
        if (e & 1) {
            result *= square;
            if (result < -highest - 1 || result > highest)
                return real();
        }
        e >>= 1;
        if (e == 0)
            return IntegerResult(static_cast<std::int32_t>(result));
        square *= square;
        // A square beyond 32 bits with exponent bits left makes the result at least as large.
        if (square > highest)
            return real();
    }
}

bool IsSquareMatrix(const trealmatrix& m)
{
    return !m.IsAbsent() && m.Rows() == m.Cols();
}

// exp(e * ln M); M not square fails.
tResult<trealmatrix> ExpOfScaledLog(const trealmatrix& m, long double e)
{
    const tResult<trealmatrix> log = MatrixLog(m);
    if (!log)
        return log;
    return MatrixSeries(tMatrixSeries::Exp, ScalarArith(*log, tScalarOp::Multiply, e));
}

// M^e for an integral e with 1 <= |e| <= 99999: products from the left, of M or of its inverse.
// M not square fails, except M^1, which is M.
tResult<trealmatrix> RepeatedProduct(const trealmatrix& m, std::int32_t e)
{
    if (!IsSquareMatrix(m))
        return e == 1 ? tResult<trealmatrix>(m) : Failure(1, "");
    const trealmatrix factor = e > 0 ? m : GaussJordanInverse(m).Value();
    trealmatrix result = factor;
    for (std::int32_t i = 2; i <= std::abs(e); ++i)
        result = MatMul(result, factor).Value();
    return result;
}

tVariable PowerOfScalars(const tVariable& l, const tVariable& r, std::int32_t types)
{
    if (types == tpIntInt) {
        if (r.intvalue < 0)
            return RealResult(PowerRule(l.intvalue, r.intvalue));
        return IntegerPower(l.intvalue, static_cast<std::uint32_t>(r.intvalue));
    }
    return RealResult(PowerRule(VarAsReal(l), VarAsReal(r)));
}
} // namespace

tVariable VarMatrixPower(const tVariable& v, long double e, bool elementwise)
{
    const bool integral = std::isfinite(e) && std::trunc(e) == e;
    if (v.shape == shScalar) {
        if (v.datatype == dtInteger) {
            if (e == 0)
                return IntegerResult(1);
            if (integral && e > 0 && e <= std::numeric_limits<std::int32_t>::max())
                return IntegerPower(v.intvalue, static_cast<std::uint32_t>(e));
            return RealResult(PowerRule(v.intvalue, e));
        }
        if (v.datatype == dtReal)
            return RealResult(e == 0 ? 1.0L : PowerRule(v.realvalue, e));
        return {};
    }
    if ((v.shape != shMatrix && v.shape != shVector) || v.datatype == dtString
        || v.datatype == dtNone)
        return {};
    const trealmatrix& m = v.matrix;
    if (v.tag != tgPlain || elementwise) {
        if (e != 0)
            return RealMatrixResult(ElementwisePower(m, e), v.tag);
        trealmatrix ones(m.Rows(), m.Cols());
        for (std::int32_t i = 1; i <= m.Rows(); ++i)
            for (std::int32_t j = 1; j <= m.Cols(); ++j)
                ones(i, j) = 1;
        return RealMatrixResult(std::move(ones), v.tag);
    }
    if (e == 0)
        return RealMatrixResult(MakeIdentity(m.Rows(), m.Cols()), v.tag);
    if (integral && std::fabs(e) <= maxProductExponent)
        return RealMatrixResult(RepeatedProduct(m, static_cast<std::int32_t>(e)), v.tag);
    return RealMatrixResult(ExpOfScaledLog(m, e), v.tag);
}

tVariable VarPower(const tVariable& l, const tVariable& r, std::int32_t submode)
{
    const auto [types, shapes] = ClassifyOperands(l, r);
    if (!IsNumericPair(types))
        return {};
    switch (shapes) {
    case spSS:
        return PowerOfScalars(l, r, types);
    case spSM:
        return RealMatrixResult(ElementwisePower(VarAsReal(l), r.matrix), tgPlain);
    case spMS:
        if (l.tag != tgPlain || submode == 1)
            return RealMatrixResult(ElementwisePower(l.matrix, VarAsReal(r)), l.tag);
        return VarMatrixPower(l, VarAsReal(r));
    case spMM:
        if (l.tag != tgPlain || r.tag != tgPlain || submode == 1)
            return RealMatrixResult(ElementwisePower(l.matrix, r.matrix), PairTag(l, r, tgPlain));
        if (!IsSquareMatrix(l.matrix) || l.matrix.Dims() != r.matrix.Dims())
            return {};
        return RealMatrixResult(
            MatrixSeries(tMatrixSeries::Exp, MatMul(MatrixLog(l.matrix).Value(), r.matrix).Value()),
            tgPlain);
    default:
        return {};
    }
}

} // namespace zelvora
