// Functions of a square matrix as a whole, and the angle of two matrices.
#include "numerics/matrix_functions.h"

#include "numerics/gauss_jordan.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_arith.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace zelvora {
namespace {
constexpr int32_t maxSeriesIndex = 200;
constexpr int32_t maxHeronSteps = 100;
constexpr long double stopSquareSum = 1e-16L;
constexpr long double angleEps = 1e-64L;
constexpr long double pi = std::numbers::pi_v<long double>;

bool IsSquare(const trealmatrix& m)
{
    return !m.IsAbsent() && m.Rows() == m.Cols();
}

trealmatrix Identity(int32_t n)
{
    return IdentityMatrix(n);
}

// Sums, differences and products of matrices of one square size, which always fit.
trealmatrix Plus(const trealmatrix& a, const trealmatrix& b)
{
    return ElementwiseArith(a, b, tElementwiseOp::Add).Value();
}

trealmatrix Minus(const trealmatrix& a, const trealmatrix& b)
{
    return ElementwiseArith(a, b, tElementwiseOp::Subtract).Value();
}

trealmatrix Times(const trealmatrix& a, const trealmatrix& b)
{
    return MatMul(a, b).Value();
}

// term * M / k, the next term of a power series.
trealmatrix NextTerm(const trealmatrix& term, const trealmatrix& m, int32_t k)
{
    return ScalarArith(Times(term, m), tScalarOp::Divide, k);
}

bool SeriesDone(int32_t k, const trealmatrix& term)
{
    return k > maxSeriesIndex || MatSquareSum(term) < stopSquareSum;
}

// The odd series S = Y + sign*Y^3/3 + Y^5/5 + ... (sign -1 alternates) with its stop rule.
trealmatrix OddPowerSeries(const trealmatrix& y, bool alternating)
{
    const trealmatrix y2 = Times(y, y);
    trealmatrix sum = y;
    trealmatrix term = y;
    int32_t k = 1;
    bool negative = false;
    do {
        k += 2;
        term = Times(term, y2);
        if (alternating)
            negative = !negative;
        const trealmatrix part = ScalarArith(term, tScalarOp::Divide, k);
        sum = negative ? Minus(sum, part) : Plus(sum, part);
    } while (!SeriesDone(k, term));
    return sum;
}
} // namespace

tResult<trealmatrix> MatrixSeries(tMatrixSeries kind, const trealmatrix& m)
{
    if (!IsSquare(m))
        return Failure(1, "");
    const int32_t n = m.Rows();
    if (n == 0)
        return m;
    const bool alternating
        = kind == tMatrixSeries::Sin || kind == tMatrixSeries::Cos || kind == tMatrixSeries::Tan;
    const bool wantEven = kind != tMatrixSeries::Sin && kind != tMatrixSeries::Sinh;
    const bool wantOdd = kind != tMatrixSeries::Cos && kind != tMatrixSeries::Cosh;

    trealmatrix term = Identity(n);
    trealmatrix even(n, n);
    trealmatrix odd(n, n);
    int32_t k = 0;
    bool negative = false;
    for (;;) {
        if (wantEven)
            even = negative ? Minus(even, term) : Plus(even, term);
        term = NextTerm(term, m, ++k);
        if (wantOdd)
            odd = negative ? Minus(odd, term) : Plus(odd, term);
        term = NextTerm(term, m, ++k);
        if (SeriesDone(k, term))
            break;
        if (alternating)
            negative = !negative;
    }

    switch (kind) {
    case tMatrixSeries::Exp:
        return Plus(odd, even);
    case tMatrixSeries::Sin:
    case tMatrixSeries::Sinh:
        return odd;
    case tMatrixSeries::Cos:
    case tMatrixSeries::Cosh:
        return even;
    case tMatrixSeries::Tan:
    case tMatrixSeries::Tanh:
        return SolveRight(odd, even).Value();
    }
    throw std::logic_error("MatrixSeries: unknown series");
}

tResult<trealmatrix> MatrixLog(const trealmatrix& m)
{
    if (!IsSquare(m))
        return Failure(1, "");
    if (m.Rows() == 0)
        return m;
    const trealmatrix id = Identity(m.Rows());
    const trealmatrix y = SolveRight(Minus(m, id), Plus(m, id)).Value();
    return ScalarArith(OddPowerSeries(y, false), tScalarOp::Multiply, 2);
}

tResult<trealmatrix> MatrixArcTan(const trealmatrix& p, const trealmatrix& q)
{
    if (!IsSquare(p) || p.Dims() != q.Dims() || q.IsAbsent())
        return Failure(1, "");
    if (p.Rows() == 0)
        return p;
    const trealmatrix y = SolveRight(Minus(p, q), Plus(p, q)).Value();
    const trealmatrix quarterPi = ScalarArith(Identity(p.Rows()), tScalarOp::Multiply, pi / 4);
    return Plus(quarterPi, OddPowerSeries(y, true));
}

tResult<trealmatrix> MatrixArcSin(const trealmatrix& m)
{
    if (!IsSquare(m))
        return Failure(1, "");
    if (m.Rows() == 0)
        return m;
    return MatrixArcTan(m, MatrixSqrt(Minus(Identity(m.Rows()), Times(m, m))).Value());
}

tResult<trealmatrix> MatrixArcCos(const trealmatrix& m)
{
    if (!IsSquare(m))
        return Failure(1, "");
    if (m.Rows() == 0)
        return m;
    return MatrixArcTan(MatrixSqrt(Minus(Identity(m.Rows()), Times(m, m))).Value(), m);
}

tResult<trealmatrix> MatrixArcTanh(const trealmatrix& m)
{
    if (!IsSquare(m))
        return Failure(1, "");
    if (m.Rows() == 0)
        return m;
    const trealmatrix id = Identity(m.Rows());
    const trealmatrix quotient = Times(Plus(id, m), GaussJordanInverse(Minus(id, m)).Value());
    return ScalarArith(MatrixLog(quotient).Value(), tScalarOp::Divide, 2);
}

tResult<trealmatrix> MatrixArcSinh(const trealmatrix& m)
{
    if (!IsSquare(m))
        return Failure(1, "");
    if (m.Rows() == 0)
        return m;
    const trealmatrix root = MatrixSqrt(Plus(Times(m, m), Identity(m.Rows()))).Value();
    return MatrixLog(Plus(m, root));
}

tResult<trealmatrix> MatrixArcCosh(const trealmatrix& m)
{
    if (!IsSquare(m))
        return Failure(1, "");
    if (m.Rows() == 0)
        return m;
    const trealmatrix root = MatrixSqrt(Minus(Times(m, m), Identity(m.Rows()))).Value();
    return MatrixLog(Plus(m, root));
}

tResult<trealmatrix> MatrixSqrt(const trealmatrix& a)
{
    if (!IsSquare(a))
        return Failure(1, "");
    if (a.Rows() == 0)
        return a;
    trealmatrix x = Identity(a.Rows());
    for (int32_t step = 1; step <= maxHeronSteps; ++step) {
        x = ScalarArith(Plus(SolveRight(a, x).Value(), x), tScalarOp::Divide, 2);
        if (MatSquareSum(Minus(a, Times(x, x))) < stopSquareSum)
            break;
    }
    return x;
}

tResult<trealmatrix> AngleOfPair(const trealmatrix& c, const trealmatrix& s)
{
    if (c.IsAbsent() || s.IsAbsent() || c.Dims() != s.Dims())
        return Failure(1, "");
    trealmatrix result(c.Rows(), c.Cols());
    for (int32_t i = 1; i <= c.Rows(); ++i) {
        for (int32_t j = 1; j <= c.Cols(); ++j) {
            const long double x = c(i, j);
            const long double y = s(i, j);
            const bool tinyX = std::fabs(x) < angleEps;
            if (tinyX && std::fabs(y) < angleEps)
                result(i, j) = 0;
            else if (tinyX)
                result(i, j) = y >= 0 ? pi / 2 : 3 * pi / 2;
            else
                result(i, j) = std::atan2(y, x);
        }
    }
    return result;
}

} // namespace zelvora
