// Eigen systems by similarity sweeps, eigenvectors of triangular matrices and for given values.
#include "matrix_test_util.h"
#include "numerics/determinant.h"
#include "numerics/eigen_system.h"
#include "numerics/gauss_jordan.h"
#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"
#include "numerics/plane_rotations.h"
#include "support/result_support.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;
using testing::MaxDifference;
using testing::RandomMatrix;

long double MaxAbs(const trealmatrix& m)
{
    long double worst = 0;
    for (int32_t r = 1; r <= m.Rows(); ++r)
        for (int32_t c = 1; c <= m.Cols(); ++c)
            worst = std::max(worst, std::fabs(m(r, c)));
    return worst;
}

trealmatrix RandomSymmetric(std::mt19937& gen, int32_t n)
{
    trealmatrix m = RandomMatrix(gen, n, n);
    for (int32_t r = 1; r <= n; ++r)
        for (int32_t c = 1; c < r; ++c)
            m(c, r) = m(r, c);
    return m;
}

// P * diag(values) * P^-1: real eigenvalues, not symmetric.
trealmatrix WithEigenvalues(std::mt19937& gen, const std::vector<long double>& values)
{
    const auto n = static_cast<int32_t>(values.size());
    trealmatrix p = RandomMatrix(gen, n, n);
    for (int32_t i = 1; i <= n; ++i)
        p(i, i) += 2;
    trealmatrix d(n, n);
    for (int32_t i = 1; i <= n; ++i)
        d(i, i) = values[static_cast<std::size_t>(i - 1)];
    return MatMul(MatMul(p, d).Value(), GaussJordanInverse(p).Value()).Value();
}

class EigenSystemTest : public ::testing::Test {
protected:
    tNumericsContextScope numerics;
};

// A fixed matrix whose elements need all mantissa bits; symmetric when asked.
trealmatrix FixedMatrix(int32_t n, bool symmetric)
{
    trealmatrix m(n, n);
    for (int32_t r = 1; r <= n; ++r)
        for (int32_t c = 1; c <= n; ++c)
            m(r, c) = symmetric ? 1.0L / (r + c - 1) + (r == c ? r / 3.0L : 0)
                                : 1.0L / (r + 2 * c - 1) + (r == c ? r : 0) - (r > c ? 0.01L : 0);
    return m;
}

// The sweeps' order of operations decides the last bits: these results were recorded from the
// plain form (a full similarity transform and one rotation of T at a time in every sweep) and
// must not change with any rearrangement of its loops.
TEST_F(EigenSystemTest, FixedResultsAreBitForBit)
{
    using testing::BitHash;
    const trealmatrix symmetric = FixedMatrix(9, true);
    const tRotationResult s = SimilaritySweeps(symmetric, AllIndexes(9), AllIndexes(9));
    EXPECT_EQ(BitHash(s.rotated), 9785249723022437540u);
    EXPECT_EQ(BitHash(s.transform), 14631144580236062503u);
    const trealmatrix general = FixedMatrix(7, false);
    const tRotationResult g = SimilaritySweeps(general, AllIndexes(7), AllIndexes(7));
    EXPECT_EQ(BitHash(g.rotated), 6051814637081310843u);
    EXPECT_EQ(BitHash(g.transform), 6747255041715348563u);
    tIntvector rows(3), cols(3);
    for (int32_t i = 1; i <= 3; ++i) {
        rows[i] = 2 * i;
        cols[i] = 2 * i - 1;
    }
    // Zeros of both signs, as a product with the identity would leave them.
    trealmatrix zeros = symmetric;
    zeros(1, 2) = zeros(2, 1) = -0.0L;
    zeros(1, 3) = zeros(3, 1) = 0.0L;
    const tRotationResult z = SimilaritySweeps(zeros, AllIndexes(9), AllIndexes(9));
    EXPECT_EQ(BitHash(z.rotated), 1005823971031585973u);
    EXPECT_EQ(BitHash(z.transform), 934671581684658726u);
    const tRotationResult part = SimilaritySweeps(symmetric, rows, cols);
    EXPECT_EQ(BitHash(part.rotated), 3906139125239508322u);
    EXPECT_EQ(BitHash(part.transform), 2001398303495648722u);
}

// The same at sizes where rows of T fill up over several sweeps, with an even and an odd order
// and with a column list in its own order.
TEST_F(EigenSystemTest, LargerFixedResultsAreBitForBit)
{
    using testing::BitHash;
    const tRotationResult even
        = SimilaritySweeps(FixedMatrix(40, true), AllIndexes(40), AllIndexes(40));
    EXPECT_EQ(BitHash(even.rotated), 15211612093840906232u);
    EXPECT_EQ(BitHash(even.transform), 17715370903325679667u);
    const tRotationResult odd
        = SimilaritySweeps(FixedMatrix(33, false), AllIndexes(33), AllIndexes(33));
    EXPECT_EQ(BitHash(odd.rotated), 8789667194422860784u);
    EXPECT_EQ(BitHash(odd.transform), 4246819417677646457u);
    tIntvector order(30);
    for (int32_t i = 1; i <= 30; ++i)
        order[i] = 31 - (i * 7) % 31;
    const tRotationResult listed = SimilaritySweeps(FixedMatrix(30, true), order, order);
    EXPECT_EQ(BitHash(listed.rotated), 13796959223403191785u);
    EXPECT_EQ(BitHash(listed.transform), 11224669137878980427u);
}

TEST_F(EigenSystemTest, SymmetricTwoByTwoTakesOneQuarterTurn)
{
    const trealmatrixarr result = EigenSystem(Mat({ { 2, 1 }, { 1, 2 } })).Value();
    ASSERT_EQ(result.size(), 3u);
    const long double h = std::sqrt(0.5L);
    const trealmatrix rotation = Mat({ { h, -h }, { h, h } });
    EXPECT_LT(MaxDifference(result[1], Mat({ { 3, 0 }, { 0, 1 } })), 1e-18L);
    EXPECT_LT(MaxDifference(result[0], rotation), 1e-18L);
    EXPECT_LT(MaxDifference(result[2], rotation), 1e-18L);
}

TEST_F(EigenSystemTest, RandomSymmetricMatricesReconstruct)
{
    const unsigned seed = 8128;
    std::mt19937 gen(seed);
    for (int32_t n : { 1, 2, 7, 40, 100 }) {
        const trealmatrix m = RandomSymmetric(gen, n);
        const trealmatrixarr r = EigenSystem(m).Value();
        const trealmatrix rebuilt
            = MatMul(MatMul(r[0], r[1]).Value(), GaussJordanInverse(r[0]).Value()).Value();
        EXPECT_LT(MaxDifference(rebuilt, m), 1e-15L * MaxAbs(m)) << "seed " << seed << " n " << n;
        // Diagonal up to rounding, T orthogonal.
        for (int32_t i = 1; i <= n; ++i) {
            for (int32_t j = 1; j <= n; ++j) {
                if (i != j) {
                    ASSERT_LT(std::fabs(r[1](i, j)), 1e-16L) << n;
                }
            }
        }
        EXPECT_LT(MaxDifference(GramProduct(r[2], 2).Value(), IdentityMatrix(n)), 1e-16L) << n;
    }
}

TEST_F(EigenSystemTest, NonSymmetricWithRealEigenvaluesBecomesUpperTriangular)
{
    // Worked by hand, the block [[4, 1], [2, 3]] turns into [[5, -1], [0, 2]].
    const trealmatrix m = Mat({ { 4, 1 }, { 2, 3 } });
    const trealmatrixarr r = EigenSystem(m).Value();
    EXPECT_LT(MaxDifference(r[1], Mat({ { 5, -1 }, { 0, 2 } })), 1e-17L);

    std::mt19937 gen(271828);
    for (const std::vector<long double>& values :
        { std::vector<long double> { 4, 3 }, { 3, -1, 0.5L, 7 }, { 1, 2, 3, 4, 5, 6, 7, 8 } }) {
        const trealmatrix a = WithEigenvalues(gen, values);
        const trealmatrixarr e = EigenSystem(a).Value();
        const int32_t n = a.Rows();
        trealmatrix lambda(n, n);
        for (int32_t i = 1; i <= n; ++i) {
            lambda(i, i) = e[1](i, i);
            for (int32_t j = 1; j < i; ++j)
                EXPECT_LT(std::fabs(e[1](i, j)), 1e-14L) << n;
        }
        // Columns of X are eigenvectors: M*X = X*Lambda.
        EXPECT_LT(MaxDifference(MatMul(a, e[0]).Value(), MatMul(e[0], lambda).Value()),
            1e-13L * MaxAbs(a))
            << n;
        long double sum = 0;
        for (int32_t i = 1; i <= n; ++i)
            sum += lambda(i, i);
        EXPECT_NEAR(static_cast<double>(sum), static_cast<double>(Trace(a)), 1e-12);
    }
}

TEST_F(EigenSystemTest, NonSquareFailsWithoutBlockingLaterCalls)
{
    EXPECT_EQ(FailureCode(EigenSystem(Mat({ { 1, 2, 3 }, { 4, 5, 6 } }))), 1);
    EXPECT_EQ(FailureCode(EigenRotated(Mat({ { 1, 2 } }))), 1);
    EXPECT_EQ(EigenSystem(Mat({ { 2, 1 }, { 1, 2 } })).Value()[1].Dims(), (tMatDims { 2, 2 }));
    EXPECT_EQ(EigenRotated(Mat({ { 2, 1 }, { 1, 2 } })).Value().Dims(), (tMatDims { 2, 2 }));
}

TEST_F(EigenSystemTest, ComplexBlocksStayAndBadInputEnds)
{
    const trealmatrix turn = Mat({ { 0, -1 }, { 1, 0 } });
    EXPECT_EQ(EigenRotated(turn), turn);
    // A rotation-like matrix never becomes triangular: the sweep bound ends it.
    std::mt19937 gen(3);
    trealmatrix spinning = RandomMatrix(gen, 6, 6);
    spinning = MatMul(spinning, Transpose(spinning)).Value();
    for (int32_t i = 1; i <= 6; ++i)
        for (int32_t j = 1; j < i; ++j)
            spinning(i, j) = -spinning(j, i);
    EXPECT_EQ(EigenSystem(spinning).Value()[1].Dims(), (tMatDims { 6, 6 }));
    EXPECT_EQ(
        EigenSystem(Mat({ { NAN, 1 }, { 1, INFINITY } })).Value()[0].Dims(), (tMatDims { 2, 2 }));
    EXPECT_EQ(EigenSystem(trealmatrix(0, 0)).Value()[1].Dims(), (tMatDims { 0, 0 }));
}

TEST_F(EigenSystemTest, TriangularEigenvectors)
{
    const trealmatrix d = Mat({ { 5, -1, 2 }, { 0, 2, 1 }, { 0, 0, 1 } });
    const trealmatrix e = TriangularEigenvectors(d).Value();
    for (int32_t a = 1; a <= 3; ++a) {
        EXPECT_EQ(e(a, a), 1);
        for (int32_t i = 1; i <= 3; ++i) {
            long double di = 0;
            for (int32_t j = 1; j <= 3; ++j)
                di += d(i, j) * e(a, j);
            EXPECT_NEAR(static_cast<double>(di), static_cast<double>(d(a, a) * e(a, i)), 1e-17);
        }
    }
    // Equal eigenvalues leave the element at 0.
    EXPECT_EQ(TriangularEigenvectors(Mat({ { 2, 1 }, { 0, 2 } })), IdentityMatrix(2));
}

TEST_F(EigenSystemTest, SimilaritySweepsWithSelectionsAndMisfits)
{
    const trealmatrix m = Mat({ { 2, 1 }, { 1, 2 } });
    const tRotationResult misfit = SimilaritySweeps(m, tIntvector(1, 1), tIntvector(2, 1));
    EXPECT_EQ(misfit.rotated, m);
    EXPECT_EQ(misfit.transform, IdentityMatrix(2));
    EXPECT_THROW(SimilaritySweeps(m, tIntvector(2, 3), tIntvector(2, 1)), tRangeError);
}

TEST_F(EigenSystemTest, EigenvectorsForGivenValues)
{
    const trealmatrix m = Mat({ { 2, 0 }, { 0, 3 } });
    EXPECT_LT(
        MaxDifference(EigenvectorsForValues(m, Mat({ { 2 }, { 3 } })).Value(), IdentityMatrix(2)),
        1e-17L);
    EXPECT_LT(MaxDifference(EigenvectorsForValues(m, m).Value(), IdentityMatrix(2)), 1e-17L);
    EXPECT_EQ(FailureCode(EigenvectorsForValues(m, Mat({ { 2, 3 } }))), 1);
    EXPECT_EQ(FailureCode(EigenvectorsForValues(Mat({ { 1, 2 } }), m)), 1);

    // Column i is the projection of e_i onto the eigenspace of value i.
    const trealmatrix a = Mat({ { 4, 1 }, { 2, 3 } });
    const trealmatrix x = EigenvectorsForValues(a, Mat({ { 5 }, { 2 } })).Value();
    for (int32_t i = 1; i <= 2; ++i) {
        const long double value = i == 1 ? 5 : 2;
        for (int32_t r = 1; r <= 2; ++r)
            EXPECT_NEAR(static_cast<double>(a(r, 1) * x(1, i) + a(r, 2) * x(2, i)),
                static_cast<double>(value * x(r, i)), 1e-15);
    }
    // By hand: the projections (A - 2I)/3 and (A - 5I)/(-3).
    EXPECT_LT(MaxDifference(x, Mat({ { 2.0L / 3, -1.0L / 3 }, { 2.0L / 3, 2.0L / 3 } })), 1e-17L);

    // Repeated values raise nothing.
    const trealmatrix repeated = EigenvectorsForValues(a, Mat({ { 5 }, { 5 } })).Value();
    EXPECT_EQ(repeated.Dims(), (tMatDims { 2, 2 }));
}

TEST(CopyColumn, CopiesOnlyWhenItFits)
{
    trealmatrix dest(2, 2);
    CopyColumn(dest, 2, Mat({ { 1, 7 }, { 2, 8 } }), 2);
    EXPECT_EQ(dest, Mat({ { 0, 7 }, { 0, 8 } }));
    CopyColumn(dest, 3, Mat({ { 1 }, { 2 } }), 1);
    CopyColumn(dest, 1, Mat({ { 1 } }), 1);
    EXPECT_EQ(dest, Mat({ { 0, 7 }, { 0, 8 } }));
}

} // namespace
} // namespace zelvora
