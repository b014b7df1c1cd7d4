// The pseudo-inverse of column, wide and square matrices.
#include "matrix_test_util.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_product.h"
#include "numerics/pseudo_inverse.h"

#include <cmath>
#include <initializer_list>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using testing::Mat;

void ExpectNear(const trealmatrix& a, const trealmatrix& b, long double tolerance)
{
    ASSERT_EQ(a.Dims(), b.Dims());
    for (int32_t r = 1; r <= a.Rows(); ++r)
        for (int32_t c = 1; c <= a.Cols(); ++c)
            EXPECT_NEAR(static_cast<double>(a(r, c)), static_cast<double>(b(r, c)),
                static_cast<double>(tolerance))
                << "(" << r << ", " << c << ")";
}

TEST(PseudoInverse, TallWideAndSquare)
{
    ExpectNear(PseudoInverse(Mat({ { 1 }, { 2 } })).Value(), Mat({ { 0.2L, 0.4L } }), 1e-18L);

    const trealmatrix wide = Mat({ { 1, 2, 3 }, { 0, 1, 4 } });
    const trealmatrix wideInverse = PseudoInverse(wide).Value();
    ASSERT_EQ(wideInverse.Dims(), (tMatDims { 3, 2 }));
    ExpectNear(MatMul(wide, wideInverse).Value(), IdentityMatrix(2), 1e-16L);

    const trealmatrix tall = Mat({ { 1, 0 }, { 1, 1 }, { 1, 2 } });
    ExpectNear(MatMul(PseudoInverse(tall).Value(), tall).Value(), IdentityMatrix(2), 1e-16L);

    ExpectNear(
        PseudoInverse(Mat({ { 2, 1 }, { 1, 1 } })).Value(), Mat({ { 1, -1 }, { -1, 2 } }), 1e-18L);
}

} // namespace
} // namespace zelvora
