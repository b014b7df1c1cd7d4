// Matrix products: bit-identical to the plain triple loop, safe terms, Gram symmetry.
#include "matrix_test_util.h"
#include "numerics/matrix_product.h"
#include "numerics/matrix_structure.h"
#include "numerics/scalar_math.h"
#include "support/result_support.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::Mat;
using testing::SparesAreZero;

// The plain product, element by element: SafeMul terms summed from 0 in k order.
trealmatrix PlainProduct(const trealmatrix& a, const trealmatrix& b)
{
    trealmatrix c(a.Rows(), b.Cols());
    for (int32_t i = 1; i <= a.Rows(); ++i) {
        for (int32_t j = 1; j <= b.Cols(); ++j) {
            long double sum = 0;
            for (int32_t k = 1; k <= a.Cols(); ++k)
                sum += SafeMul(a(i, k), b(k, j), 0);
            c(i, j) = sum;
        }
    }
    return c;
}

trealmatrix RandomMatrix(int32_t rows, int32_t cols, std::mt19937_64& random)
{
    std::uniform_real_distribution<long double> uniform(-1, 1);
    trealmatrix m(rows, cols);
    for (int32_t r = 1; r <= rows; ++r) {
        for (int32_t c = 1; c <= cols; ++c)
            m(r, c) = uniform(random)
                * std::exp2(static_cast<long double>(static_cast<int>(random() % 40) - 20));
    }
    return m;
}

// Equal to the last bit (the 80 significant bits of each element, NaN payloads aside).
::testing::AssertionResult BitIdentical(const trealmatrix& actual, const trealmatrix& expected)
{
    if (actual.Dims() != expected.Dims())
        return ::testing::AssertionFailure() << "shapes differ";
    for (int32_t r = 1; r <= actual.Rows(); ++r) {
        for (int32_t c = 1; c <= actual.Cols(); ++c) {
            if (std::memcmp(&actual(r, c), &expected(r, c), 10) != 0)
                return ::testing::AssertionFailure()
                    << "element (" << r << ", " << c
                    << ") differs: " << static_cast<double>(actual(r, c)) << " vs "
                    << static_cast<double>(expected(r, c));
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(MatMul, BitIdenticalToThePlainLoopOnOddSizes)
{
    const auto seed = 20240611u;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937_64 random(seed);
    // 37 x 53 times 53 x 41, and sizes that cross the blocks of k, rows and columns.
    for (const auto& [n, k, m] :
        { std::tuple { 37, 53, 41 }, { 1, 1, 1 }, { 2, 300, 3 }, { 67, 513, 5 }, { 5, 7, 520 } }) {
        const trealmatrix a = RandomMatrix(n, k, random);
        const trealmatrix b = RandomMatrix(k, m, random);
        const trealmatrix product = MatMul(a, b, 1).Value();
        EXPECT_TRUE(BitIdentical(product, PlainProduct(a, b)))
            << n << "x" << k << " times " << k << "x" << m;
        EXPECT_TRUE(SparesAreZero(product));
        EXPECT_TRUE(BitIdentical(MatMul(b, a, 2).Value(), product));
    }
}

TEST(MatMul, ValuesBeyondTheDoubleRangeStayExact)
{
    std::mt19937_64 random(7);
    trealmatrix a = RandomMatrix(9, 11, random);
    trealmatrix b = RandomMatrix(11, 13, random);
    a(3, 4) = 1e-4000L; // no double holds these
    b(5, 6) = 3e3000L;
    a(2, 2) = 1 + LDBL_EPSILON; // 64 significant bits
    EXPECT_TRUE(BitIdentical(MatMul(a, b, 1).Value(), PlainProduct(a, b)));
}

TEST(MatMul, OverflowingTermsCountAsZero)
{
    const trealmatrix a = Mat({ { LDBL_MAX, 1 }, { 2, 3 } });
    const trealmatrix b = Mat({ { 2, 0 }, { 5, 1 } });
    EXPECT_EQ(MatMul(a, b, 1).Value(), Mat({ { 5, 1 }, { 19, 3 } }));
    // A sum that overflows is a math error of its own.
    const trealmatrix big = Mat({ { LDBL_MAX, LDBL_MAX } });
    EXPECT_THROW(MatMul(big, Mat({ { 1 }, { 1 } }), 1), tFloatOverflowError);
    // Infinite and NaN operands are no math error, and their element alone is affected.
    const trealmatrix odd
        = MatMul(Mat({ { INFINITY, 1 }, { 1, 1 } }), Mat({ { 1, 0 }, { 1, 1 } }), 1).Value();
    EXPECT_EQ(odd(1, 1), INFINITY);
    EXPECT_EQ(odd(1, 2), 1); // infinity times 0 is a math error: the term counts as 0
    EXPECT_EQ(odd(2, 1), 2);
    EXPECT_THROW(
        MatMul(Mat({ { INFINITY, -INFINITY } }), Mat({ { 1 }, { 1 } }), 1), tFloatInvalidError);
}

TEST(MatMul, MisfitsAndSelectors)
{
    const trealmatrix a(2, 3);
    EXPECT_EQ(FailureCode(MatMul(a, a, 1)), 1);
    EXPECT_EQ(FailureCode(MatMul(a, trealmatrix(3, 4), 3)), 1);
    EXPECT_EQ(FailureCode(MatMul(a, trealmatrix(3, 4), 2)), 1);
    EXPECT_EQ(FailureMessage(MatMul(a, a, 1)), "");
    EXPECT_EQ(MatMul(trealmatrix(0, 3), trealmatrix(3, 2), 1).Value().Dims(), (tMatDims { 0, 2 }));
    EXPECT_EQ(MatMul(trealmatrix(2, 0), trealmatrix(0, 2), 1), trealmatrix(2, 2));
}

TEST(GramProduct, SymmetricAndEqualToTheProductWithTheTranspose)
{
    std::mt19937_64 random(11);
    for (const auto& [rows, cols] : { std::pair { 37, 53 }, { 3, 600 }, { 130, 7 } }) {
        const trealmatrix a = RandomMatrix(rows, cols, random);
        const trealmatrix outer = GramProduct(a, 1).Value();
        const trealmatrix inner = GramProduct(a, 2).Value();
        EXPECT_TRUE(BitIdentical(outer, PlainProduct(a, Transpose(a))));
        EXPECT_TRUE(BitIdentical(inner, PlainProduct(Transpose(a), a)));
        EXPECT_TRUE(BitIdentical(outer, Transpose(outer)));
    }
    EXPECT_EQ(FailureCode(GramProduct(Mat({ { 1, 2 } }), 3)), 1);
    EXPECT_EQ(GramProduct(Mat({ { LDBL_MAX, 2 }, { 1, 1 } }), 1),
        Mat({ { 4, LDBL_MAX }, { LDBL_MAX, 2 } }));
}

} // namespace
} // namespace zelvora
