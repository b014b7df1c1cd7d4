// Complex pairs and cube-root triples on matrix rows.
#include "numerics/complex_pairs.h"

#include "numerics/gauss_jordan.h"
#include "numerics/matrix_product.h"
#include "numerics/run_time_error.h"

#include <cmath>

namespace zelvora {
namespace {

struct tPair {
    long double re;
    long double im;
};

bool Fits(const trealmatrix& m, const trealmatrix& w)
{
    const bool evenColumns = m.Cols() % 2 == 0 && w.Cols() % 2 == 0 && w.Cols() > 0;
    const bool columnsFit = w.Cols() == 2 || w.Cols() == m.Cols();
    const bool rowsFit = w.Rows() == 1 || w.Rows() == m.Rows();
    return evenColumns && columnsFit && rowsFit;
}

// Every pair of M combined with its pair of W by f(pair of M, pair of W).
template <typename F> trealmatrix Walk(const trealmatrix& m, const trealmatrix& w, F f)
{
    trealmatrix result(m.Rows(), m.Cols());
    if (!Fits(m, w))
        return result;
    for (std::int32_t i = 1; i <= m.Rows(); ++i) {
        const std::int32_t wr = w.Rows() == 1 ? 1 : i;
        for (std::int32_t k = 1; k < m.Cols(); k += 2) {
            const std::int32_t wc = w.Cols() == 2 ? 1 : k;
            const tPair p = f(tPair { m(i, k), m(i, k + 1) }, tPair { w(wr, wc), w(wr, wc + 1) });
            result(i, k) = p.re;
            result(i, k + 1) = p.im;
        }
    }
    return result;
}

// Every pair of M mapped by f; an odd column count gives zeros.
template <typename F> trealmatrix Map(const trealmatrix& m, F f)
{
    trealmatrix result(m.Rows(), m.Cols());
    if (m.Cols() % 2 != 0)
        return result;
    for (std::int32_t i = 1; i <= m.Rows(); ++i) {
        for (std::int32_t k = 1; k < m.Cols(); k += 2) {
            const tPair p = f(tPair { m(i, k), m(i, k + 1) });
            result(i, k) = p.re;
            result(i, k + 1) = p.im;
        }
    }
    return result;
}

long double SquaredMagnitude(tPair p)
{
    const long double g = p.re * p.re + p.im * p.im;
    if (g == 0)
        throw tFloatDivisionByZeroError();
    return g;
}

tResult<trealmatrix> Circulant(const trealmatrix& b)
{
    if (b.Rows() < 1 || b.Cols() < 3)
        return Failure(1, "");
    trealmatrix c(3, 3);
    for (std::int32_t i = 0; i < 3; ++i)
        for (std::int32_t j = 0; j < 3; ++j)
            c(i + 1, j + 1) = b(1, (j - i + 3) % 3 + 1);
    return c;
}

} // namespace

trealmatrix PairMultiply(const trealmatrix& m, const trealmatrix& w)
{
    return Walk(m, w, [](tPair a, tPair b) {
        return tPair { b.re * a.re - a.im * b.im, b.im * a.re + a.im * b.re };
    });
}

trealmatrix PairDivide(const trealmatrix& m, const trealmatrix& w)
{
    return Walk(m, w, [](tPair a, tPair b) {
        const long double g = SquaredMagnitude(b);
        return tPair { (a.re * b.re + a.im * b.im) / g, (a.im * b.re - a.re * b.im) / g };
    });
}

trealmatrix PairScale(const trealmatrix& m, long double x)
{
    if (x == 0)
        return trealmatrix(m.Rows(), m.Cols());
    trealmatrix w(1, 2);
    w(1, 1) = x;
    return PairMultiply(m, w);
}

trealmatrix PairReciprocal(const trealmatrix& m)
{
    return Map(m, [](tPair p) {
        const long double g = SquaredMagnitude(p);
        return tPair { p.re / g, -p.im / g };
    });
}

trealmatrix PairExp(const trealmatrix& m)
{
    return Map(m, [](tPair p) {
        const long double magnitude = std::exp(p.re);
        if (std::isinf(magnitude))
            throw tFloatOverflowError();
        return tPair { magnitude * std::cos(p.im), magnitude * std::sin(p.im) };
    });
}

tResult<trealmatrix> PairsToTriples(const trealmatrix& m)
{
    const long double root = std::sqrt(1.0L / 3);
    trealmatrix t(2, 3);
    t(1, 1) = 1;
    t(2, 2) = root;
    t(2, 3) = -root;
    return MatMul(m, t);
}

tResult<trealmatrix> TriplesToPairs(const trealmatrix& m)
{
    const long double root = std::sqrt(3.0L / 4);
    trealmatrix t(3, 2);
    t(1, 1) = 1;
    t(2, 1) = -0.5L;
    t(2, 2) = root;
    t(3, 1) = -0.5L;
    t(3, 2) = -root;
    return MatMul(m, t);
}

tResult<trealmatrix> TripleMultiply(const trealmatrix& m, const trealmatrix& b)
{
    const tResult<trealmatrix> c = Circulant(b);
    if (!c)
        return c.Error();
    return MatMul(m, *c);
}

tResult<trealmatrix> TripleDivide(const trealmatrix& m, const trealmatrix& b)
{
    const tResult<trealmatrix> c = Circulant(b);
    if (!c)
        return c.Error();
    return MatMul(m, GaussJordanInverse(*c).Value());
}

} // namespace zelvora
