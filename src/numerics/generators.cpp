// Filled, triangular, Hilbert and special integer matrices.
#include "numerics/generators.h"

#include "numerics/gauss_jordan.h"
#include "numerics/scalar_math.h"

#include <cmath>
#include <cstdlib>

namespace zelvora {
namespace {

template <typename T> tMatrix<T> Filled(int32_t rows, int32_t cols, const T& value)
{
    tMatrix<T> result(rows, cols);
    for (int32_t r = 1; r <= result.Rows(); ++r)
        std::fill_n(result.Row(r) + 1, result.Cols(), value);
    return result;
}

template <typename T> tMatrix<T> Triangle(int32_t n, const T& value)
{
    tMatrix<T> result(n, n);
    for (int32_t r = 1; r <= result.Rows(); ++r)
        std::fill_n(result.Row(r) + 1, r, value);
    return result;
}

enum class tTypeMatrix {
    Unknown = 0,
    Binomial = 1,
    Pascal = 2,
    Gp = 3,
    Gm = 4,
    Stirling1 = 5,
    Stirling2 = 6,
};

tTypeMatrix TypeOfKeyword(std::string_view keyword)
{
    constexpr std::string_view words[] = { "binomial", "pascal", "gp", "gm", "st1", "st2" };
    for (std::size_t i = 0; i < std::size(words); ++i) {
        const std::string_view word = words[i];
        if (word.size() != keyword.size())
            continue;
        bool same = true;
        for (std::size_t k = 0; k < word.size() && same; ++k) {
            const char c = keyword[k];
            same = (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) == word[k];
        }
        if (same)
            return static_cast<tTypeMatrix>(i + 1);
    }
    return tTypeMatrix::Unknown;
}

// Pascal's triangle by additions: B[i][c] = C(i - 1, c - 1).
trealmatrix PascalTriangle(int32_t n)
{
    trealmatrix b(n, n);
    for (int32_t i = 1; i <= n; ++i) {
        b(i, 1) = 1;
        for (int32_t c = 2; c <= n && i > 1; ++c)
            b(i, c) = b(i - 1, c - 1) + b(i - 1, c);
    }
    return b;
}

// Coefficients of the power sums 0^k + 1^k + ... + (N-1)^k in N, ..., N^(k+1), row k + 1; the
// subdiagonal carries the given Bernoulli number B1.
trealmatrix PowerSumCoefficients(int32_t n, long double subdiagonal)
{
    const trealmatrix pascal = PascalTriangle(n + 1);
    trealmatrix a(n, n);
    for (int32_t i = 1; i <= n; ++i) {
        for (int32_t j = 1; j <= i; ++j)
            a(i, j) = pascal(i + 1, j);
    }
    trealmatrix result = GaussJordanInverse(a).Value();
    // These coefficients vanish exactly; elimination leaves rounding dust in them.
    for (int32_t i = 4; i <= n; ++i) {
        for (int32_t j = 1; j <= i - 3; ++j) {
            if ((i - j) % 2 != 0)
                result(i, j) = 0;
        }
    }
    for (int32_t i = 2; i <= n; ++i)
        result(i, i - 1) = subdiagonal;
    return result;
}

trealmatrix StirlingFirstKind(int32_t n)
{
    trealmatrix s(n, n);
    s(1, 1) = 1;
    for (int32_t i = 2; i <= n; ++i) {
        const long double sign = i % 2 != 0 ? 1 : -1;
        s(i, 1) = std::fabs(s(i - 1, 1)) * (i - 1) * sign;
        for (int32_t c = 2; c <= i; ++c) {
            const long double magnitude
                = std::fabs(s(i - 1, c - 1)) + (i - 1) * std::fabs(s(i - 1, c));
            s(i, c) = (i - c) % 2 == 0 ? magnitude : -magnitude;
        }
    }
    return s;
}

trealmatrix StirlingSecondKind(int32_t n)
{
    trealmatrix s(n, n);
    for (int32_t i = 1; i <= n; ++i) {
        s(i, 1) = 1;
        for (int32_t c = 2; c <= i; ++c)
            s(i, c) = c * s(i - 1, c) + s(i - 1, c - 1);
    }
    return s;
}

} // namespace

trealmatrix MakeFilled(int32_t rows, int32_t cols, long double value)
{
    return Filled(rows, cols, value);
}
tStringmatrix MakeFilled(int32_t rows, int32_t cols, const std::string& value)
{
    return Filled(rows, cols, value);
}

trealmatrix MakeTriangle(int32_t n, long double value)
{
    return Triangle(n, value);
}
tStringmatrix MakeTriangle(int32_t n, const std::string& value)
{
    return Triangle(n, value);
}

trealmatrix MakeHilbert(int32_t rows, int32_t cols)
{
    trealmatrix h(rows, cols);
    for (int32_t i = 1; i <= h.Rows(); ++i) {
        for (int32_t j = 1; j <= h.Cols(); ++j)
            h(i, j) = 1 / (static_cast<long double>(i) + j - 1);
    }
    return h;
}

trealmatrix MakeHilbert(const trealmatrix& m)
{
    return MakeHilbert(m.Rows(), m.Cols());
}

trealmatrix MakeTypeMatrix(std::string_view keyword, int32_t n)
{
    const tTypeMatrix type = TypeOfKeyword(keyword);
    if (type == tTypeMatrix::Unknown)
        return trealmatrix();
    if (n <= 0)
        return trealmatrix(0, 0);
    // Elimination reports its own faults; the recurrences are watched here.
    const bool recurrence = type != tTypeMatrix::Gp && type != tTypeMatrix::Gm;
    tMathErrorWatch watch;
    trealmatrix result;
    switch (type) {
    case tTypeMatrix::Binomial:
    case tTypeMatrix::Pascal:
        result = PascalTriangle(n);
        break;
    case tTypeMatrix::Gp:
        result = PowerSumCoefficients(n, 0.5L);
        break;
    case tTypeMatrix::Gm:
        result = PowerSumCoefficients(n, -0.5L);
        break;
    case tTypeMatrix::Stirling1:
        result = StirlingFirstKind(n);
        break;
    case tTypeMatrix::Stirling2:
        result = StirlingSecondKind(n);
        break;
    case tTypeMatrix::Unknown:
        break;
    }
    if (recurrence)
        watch.RaiseIfFaulted();
    return result;
}

} // namespace zelvora
