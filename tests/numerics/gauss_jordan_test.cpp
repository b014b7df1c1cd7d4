// Right division and the plain inverse by Gauss-Jordan elimination.
#include "matrix_test_util.h"
#include "numerics/gauss_jordan.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_product.h"
#include "support/result_support.h"

#include <cmath>
#include <initializer_list>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;
using testing::RandomMatrix;

TEST(GaussJordan, InverseOfSmallMatrices)
{
    EXPECT_LT(MaxDifference(GaussJordanInverse(Mat({ { 2, 1 }, { 1, 1 } })).Value(),
                  Mat({ { 1, -1 }, { -1, 2 } })),
        1e-18L);
    // A zero leading element needs the row exchange.
    EXPECT_EQ(GaussJordanInverse(Mat({ { 0, 1 }, { 1, 0 } })).Value(), Mat({ { 0, 1 }, { 1, 0 } }));
    EXPECT_EQ(GaussJordanInverse(Mat({ { 4 } })).Value(), Mat({ { 0.25L } }));
}

TEST(GaussJordan, RandomSystemsReconstruct)
{
    const unsigned seed = 20261209;
    std::mt19937 gen(seed);
    for (int32_t n : { 2, 5, 12 }) {
        const trealmatrix a = RandomMatrix(gen, n, n);
        const trealmatrix b = RandomMatrix(gen, 3, n);
        const trealmatrix x = SolveRight(b, a).Value();
        ASSERT_EQ(x.Dims(), (tMatDims { 3, n }));
        EXPECT_LT(MaxDifference(MatMul(x, a).Value(), b), 1e-14L) << "seed " << seed << " n " << n;
        EXPECT_LT(
            MaxDifference(MatMul(a, GaussJordanInverse(a).Value()).Value(), IdentityMatrix(n)),
            1e-14L)
            << "seed " << seed << " n " << n;
    }
}

TEST(GaussJordan, SingularMatrixRaisesNothing)
{
    const trealmatrix inverse = GaussJordanInverse(Mat({ { 1, 2 }, { 2, 4 } })).Value();
    ASSERT_EQ(inverse.Dims(), (tMatDims { 2, 2 }));
    for (int32_t r = 1; r <= 2; ++r)
        for (int32_t c = 1; c <= 2; ++c)
            EXPECT_TRUE(std::isfinite(inverse(r, c)));
    EXPECT_EQ(GaussJordanInverse(trealmatrix(3, 3)).Value(), trealmatrix(3, 3));
}

TEST(GaussJordan, MisfitsFail)
{
    EXPECT_EQ(FailureCode(GaussJordanInverse(Mat({ { 1, 2, 3 } }))), 1);
    EXPECT_EQ(FailureCode(SolveRight(Mat({ { 1, 2, 3 } }), Mat({ { 1, 0 }, { 0, 1 } }))), 1);
    EXPECT_EQ(FailureCode(SolveRight(trealmatrix(), Mat({ { 1 } }))), 1);
    EXPECT_EQ(GaussJordanInverse(trealmatrix(0, 0)).Value().Dims(), (tMatDims { 0, 0 }));
}

// The same elimination in double precision, to show what the 80-bit arithmetic gains.
std::vector<std::vector<double>> InverseInDouble(const trealmatrix& a)
{
    const int32_t n = a.Rows();
    std::vector<std::vector<double>> w(n + 1, std::vector<double>(2 * n + 1, 0));
    for (int32_t i = 1; i <= n; ++i) {
        for (int32_t j = 1; j <= n; ++j)
            w[i][j] = static_cast<double>(a(j, i));
        w[i][n + i] = 1;
    }
    std::vector<int32_t> perm(n + 1);
    for (int32_t i = 0; i <= n; ++i)
        perm[i] = i;
    auto eliminate = [&](int32_t p, int32_t k, int32_t c) {
        const double f = w[p][c] == 0 ? 0 : w[k][c] / w[p][c];
        for (int32_t t = 1; t <= 2 * n; ++t)
            w[k][t] -= f * w[p][t];
    };
    for (int32_t i = 1; i <= n; ++i) {
        double best = 0;
        int32_t at = 0;
        for (int32_t k = i; k <= n; ++k)
            if (std::fabs(w[perm[k]][i]) > best) {
                best = std::fabs(w[perm[k]][i]);
                at = k;
            }
        if (at == 0)
            continue;
        std::swap(perm[i], perm[at]);
        for (int32_t j = i + 1; j <= n; ++j)
            eliminate(perm[i], perm[j], i);
    }
    for (int32_t i = n; i >= 2; --i)
        for (int32_t j = i - 1; j >= 1; --j)
            eliminate(perm[i], perm[j], i);
    std::vector<std::vector<double>> x(n + 1, std::vector<double>(n + 1, 0));
    for (int32_t j = 1; j <= n; ++j)
        for (int32_t h = 1; h <= n; ++h)
            x[h][j] = w[perm[j]][n + h] / w[perm[j]][j];
    return x;
}

TEST(GaussJordan, UpdatesThatTurnNonFiniteAreMathErrors)
{
    EXPECT_THROW(
        GaussJordanInverse(Mat({ { 1, 1 }, { 1e4932L, -1e4932L } })).Value(), tFloatOverflowError);
    EXPECT_THROW(
        GaussJordanInverse(Mat({ { 1, NAN }, { INFINITY, 2 } })).Value(), tFloatInvalidError);
    // A non-finite element that only meets zero factors passes through.
    EXPECT_EQ(GaussJordanInverse(Mat({ { 1, 0 }, { 0, INFINITY } })).Value(),
        Mat({ { 1, 0 }, { 0, 0 } }));
}

TEST(GaussJordan, HilbertTwelveGainsOverDouble)
{
    const int32_t n = 12;
    trealmatrix h(n, n);
    for (int32_t i = 1; i <= n; ++i)
        for (int32_t j = 1; j <= n; ++j)
            h(i, j) = 1.0L / (i + j - 1);
    const trealmatrix inverse = GaussJordanInverse(h).Value();
    const auto inverseDouble = InverseInDouble(h);
    long double residual = 0;
    long double residualDouble = 0;
    for (int32_t i = 1; i <= n; ++i) {
        for (int32_t j = 1; j <= n; ++j) {
            long double sum = 0;
            long double sumDouble = 0;
            for (int32_t k = 1; k <= n; ++k) {
                sum += h(i, k) * inverse(k, j);
                sumDouble += h(i, k) * static_cast<long double>(inverseDouble[k][j]);
            }
            const long double target = i == j ? 1 : 0;
            residual = std::max(residual, std::fabs(sum - target));
            residualDouble = std::max(residualDouble, std::fabs(sumDouble - target));
        }
    }
    EXPECT_LT(residual * 100, residualDouble) << residual << " " << residualDouble;
}

TEST(GaussElimStep, StepsByHand)
{
    const trealmatrix m = Mat({ { 2, 4 }, { 6, 8 } });
    const trealmatrix pivot = Mat({ { 1, 1 } });
    tIntvector both(2);
    both[1] = 1;
    both[2] = 2;
    EXPECT_EQ(GaussElimStep(m, pivot, both, both, 1), Mat({ { 2, 4 }, { 0, -4 } }));
    EXPECT_EQ(GaussElimStep(m, pivot, both, both, 0), Mat({ { 2, 4 }, { 0, -8 } }));
    // A one-element pivot names the diagonal element; unlisted columns are copied.
    EXPECT_EQ(
        GaussElimStep(m, Mat({ { 2 } }), both, tIntvector(1, 2), 1), Mat({ { 2, 0 }, { 6, 8 } }));
    // A zero pivot leaves the rows unchanged in mode 1.
    const trealmatrix zero = Mat({ { 0, 4 }, { 6, 8 } });
    EXPECT_EQ(GaussElimStep(zero, pivot, both, both, 1), zero);
}

TEST(GaussElimStep, IndexesOutsideTheMatrixAreRangeErrors)
{
    const trealmatrix m = Mat({ { 2, 4 }, { 6, 8 } });
    tIntvector rows(1, 2);
    EXPECT_THROW(GaussElimStep(m, Mat({ { 3, 1 } }), rows, rows, 1), tRangeError);
    EXPECT_THROW(GaussElimStep(m, Mat({ { 1, 1 } }), tIntvector(1, 0), rows, 1), tRangeError);
    EXPECT_THROW(GaussElimStep(m, Mat({ { 1, 1 } }), rows, tIntvector(1, 5), 1), tRangeError);
}

} // namespace
} // namespace zelvora

namespace zelvora {
namespace {

using testing::BitHash;

// A fixed, well-conditioned but unstructured matrix: every element needs all 64 mantissa bits.
trealmatrix FixedMatrix(int32_t n)
{
    trealmatrix m(n, n);
    for (int32_t r = 1; r <= n; ++r)
        for (int32_t c = 1; c <= n; ++c)
            m(r, c) = 1.0L / (r + 2 * c - 1) + (r == c ? 1.0L / 3 : 0) - (r * c % 5) / 7.0L;
    return m;
}

// The elimination's order of operations decides the last bits: these results were recorded
// from the elimination as it stands (bit for bit the plain one-step-at-a-time form) and must
// not change with any rearrangement of its loops.
TEST(GaussJordan, FixedInversesAreBitForBit)
{
    EXPECT_EQ(BitHash(GaussJordanInverse(FixedMatrix(7)).Value()), 902167261873037097u);
    EXPECT_EQ(BitHash(GaussJordanInverse(FixedMatrix(12)).Value()), 16185495447084834435u);
    EXPECT_EQ(BitHash(SolveRight(FixedMatrix(5), FixedMatrix(5)).Value()), 10248223342253644656u);
}

// Row and column 1 hold elements of equal size only: the first candidate stays the pivot.
TEST(GaussJordan, TiedPivotsKeepTheFirstRow)
{
    trealmatrix tied = FixedMatrix(6);
    for (int32_t r = 1; r <= 6; ++r)
        tied(r, 1) = tied(1, r) = r % 2 == 0 ? 0.7L : -0.7L;
    EXPECT_EQ(BitHash(GaussJordanInverse(tied).Value()), 15424821649187416564u);
}

} // namespace
} // namespace zelvora
