// Primes, greatest common divisors, largest powers, Euler's phi and the multiplicative order of
// variable records.
#include "variables/integer_functions.h"

#include "numerics/matrix_arith.h"
#include "numerics/matrix_structure.h"
#include "numerics/primes.h"
#include "numerics/run_time_error.h"
#include "numerics/scalar_math.h"
#include "variables/operator_results.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace zelvora {
namespace {
using namespace operators;

constexpr long double highestPrimeIndex = 65535;
constexpr long double highestMatrixPrimeIndex = 10000;

bool IsNumber(const tVariable& v)
{
    return v.shape == shScalar && (v.datatype == dtInteger || v.datatype == dtReal);
}

bool IsNumericMatrix(const tVariable& v)
{
    return (v.shape == shMatrix || v.shape == shRange || v.shape == shVector)
        && v.datatype != dtString && v.datatype != dtNone;
}

std::int32_t PrimeIndex(long double n)
{
    if (!(n >= 0 && n <= highestPrimeIndex))
        throw tRangeError();
    return static_cast<std::int32_t>(n);
}

} // namespace

tVariable VarPrimeNo(const tVariable& v)
{
    if (v.shape == shScalar) {
        if (v.datatype == dtInteger)
            return IntegerResult(static_cast<std::int32_t>(NthPrime(PrimeIndex(v.intvalue))));
        if (v.datatype == dtReal)
            return RealResult(NthPrime(PrimeIndex(std::trunc(v.realvalue))));
        return {};
    }
    if ((v.shape != shMatrix && v.shape != shVector) || v.datatype == dtString
        || v.datatype == dtNone)
        return {};
    trealmatrix result(v.matrix.Rows(), v.matrix.Cols());
    for (std::int32_t r = 1; r <= result.Rows(); ++r) {
        for (std::int32_t c = 1; c <= result.Cols(); ++c) {
            const long double n = std::trunc(v.matrix(r, c));
            result(r, c) = n >= 1 && n <= highestMatrixPrimeIndex
                ? NthPrime(static_cast<std::int32_t>(n))
                : 0;
        }
    }
    return RealMatrixResult(std::move(result), tgPlain);
}

tVariable VarGcd(const tVariable& v, tGcdKind kind)
{
    if (IsNumber(v))
        return IntegerResult(VarAsInteger(v));
    if (IsNumericMatrix(v))
        return IntMatrixResult(
            GcdMatrix(v.matrix, v.matrix, static_cast<std::int32_t>(kind)), tgPlain);
    return {};
}

tVariable VarGcdPair(const tVariable& l, const tVariable& r, tGcdKind kind)
{
    if (IsNumber(l) && IsNumber(r))
        return WideIntegerResult(Gcd64(VarAsInteger(l), VarAsInteger(r)));
    if (IsNumber(l) && IsNumericMatrix(r))
        return IntMatrixResult(ScalarArith(r.matrix, tScalarOp::Gcd, VarAsReal(l)), tgPlain);
    if (IsNumericMatrix(l) && IsNumber(r))
        return IntMatrixResult(ScalarArith(l.matrix, tScalarOp::Gcd, VarAsReal(r)), tgPlain);
    if (IsNumericMatrix(l) && IsNumericMatrix(r))
        return IntMatrixResult(
            GcdMatrix(l.matrix, r.matrix, static_cast<std::int32_t>(kind)), tgPlain);
    return {};
}

tVariable VarMaxExponent(const tVariable& x, std::int32_t base, bool power)
{
    const bool smallBase = base > -2 && base < 2;
    if (x.shape == shScalar) {
        if (x.datatype == dtString || x.datatype == dtNone)
            return {};
        if (smallBase)
            return IntegerResult(1);
        trealmatrix m(1, 1);
        m(1, 1) = VarAsReal(x);
        if (power)
            return RealResult(MaxPower(m, base)(1, 1));
        return IntegerResult(static_cast<std::int32_t>(MaxExponent(m, base)(1, 1)));
    }
    if ((x.shape != shMatrix && x.shape != shVector) || x.datatype == dtString
        || x.datatype == dtNone)
        return {};
    trealmatrix result = smallBase ? trealmatrix(x.matrix.Rows(), x.matrix.Cols())
        : power                    ? MaxPower(x.matrix, base)
                                   : MaxExponent(x.matrix, base);
    return SameShapeResult(x, std::move(result), x.datatype);
}

// ---- Euler's phi and the multiplicative order

namespace {

// The distinct prime factors of n >= 1, ascending.
std::vector<std::int64_t> PrimeFactors(std::int64_t n)
{
    std::vector<std::int64_t> factors;
    for (std::int64_t p = 2; p * p <= n; ++p) {
        if (n % p != 0)
            continue;
        factors.push_back(p);
        while (n % p == 0)
            n /= p;
    }
    if (n > 1)
        factors.push_back(n);
    return factors;
}

std::int64_t Phi(std::int64_t n)
{
    std::int64_t phi = n;
    for (std::int64_t p : PrimeFactors(n))
        phi = phi / p * (p - 1);
    return phi;
}

// a^e mod m for 0 <= a < m < 2^32: every product stays below 2^64.
std::int64_t PowerModulo(std::int64_t a, std::int64_t e, std::int64_t m)
{
    std::uint64_t result = 1;
    std::uint64_t square = static_cast<std::uint64_t>(a);
    const auto modulus = static_cast<std::uint64_t>(m);
    for (; e > 0; e >>= 1) {
        if (e & 1)
            result = result * square % modulus;
        square = square * square % modulus;
    }
    return static_cast<std::int64_t>(result);
}

// The order divides phi(m): strip every prime factor of phi that keeps a^order = 1.
std::int64_t Order(std::int64_t a, std::int64_t m)
{
    a %= m;
    if (a < 0)
        a += m;
    if (Gcd64(a, m) != 1)
        return 0;
    std::int64_t order = Phi(m);
    for (std::int64_t p : PrimeFactors(order)) {
        while (order % p == 0 && PowerModulo(a, order / p, m) == 1)
            order /= p;
    }
    return order;
}

} // namespace

tVariable VarMultiplicativeOrder(const tVariable& n, const tVariable& a)
{
    if (!IsNumber(n) || (a.shape != shEmpty && !IsNumber(a)))
        return {};
    const std::int64_t modulus = VarAsInteger(n);
    const std::int64_t base = a.shape == shEmpty ? 0 : VarAsInteger(a);
    if (base == 0)
        return IntegerResult(modulus < 1 ? 0 : static_cast<std::int32_t>(Phi(modulus)));
    const std::int64_t m = std::llabs(modulus);
    return IntegerResult(m < 2 ? 0 : static_cast<std::int32_t>(Order(base, m)));
}

} // namespace zelvora
