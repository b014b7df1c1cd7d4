// Transposition, mirroring, diagonals, concatenation, sums and gcds.
#include "matrix_test_util.h"
#include "numerics/matrix_structure.h"

#include <cfloat>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::Mat;
using testing::SparesAreZero;
using testing::Texts;

TEST(Structure, TransposeAndMirror)
{
    trealmatrix m(19, 35); // crosses the transposition blocks
    for (int32_t r = 1; r <= m.Rows(); ++r) {
        for (int32_t c = 1; c <= m.Cols(); ++c)
            m(r, c) = r * 100 + c;
    }
    const trealmatrix t = Transpose(m);
    ASSERT_EQ(t.Dims(), (tMatDims { 35, 19 }));
    EXPECT_EQ(t(35, 19), 1935);
    EXPECT_EQ(t(2, 7), 702);
    EXPECT_TRUE(SparesAreZero(t));
    EXPECT_EQ(Transpose(t), m);
    EXPECT_EQ(Transpose(Texts({ { "a", "b" } })), Texts({ { "a" }, { "b" } }));
    EXPECT_EQ(Transpose(trealmatrix(0, 3)).Dims(), (tMatDims { 3, 0 }));

    const trealmatrix small = Mat({ { 1, 2, 3 }, { 4, 5, 6 } });
    EXPECT_EQ(Mirror(Mat({ { 1, 2, 3 } }), 1), Mat({ { 3, 2, 1 } }));
    EXPECT_EQ(Mirror(small, 2), Mat({ { 4, 5, 6 }, { 1, 2, 3 } }));
    EXPECT_EQ(Mirror(small, 3), Mat({ { 6, 5, 4 }, { 3, 2, 1 } }));
    EXPECT_EQ(Mirror(small, 0), Mat({ { 0 } }));
    EXPECT_EQ(Mirror(Texts({ { "a", "b" } }), 1), Texts({ { "b", "a" } }));
}

TEST(Structure, Diagonals)
{
    const trealmatrix m = Mat({ { 1, 2, 3, 4 }, { 5, 6, 7, 8 }, { 9, 10, 11, 12 } });
    EXPECT_EQ(DiagonalVector(m), Mat({ { 1 }, { 6 }, { 11 } }));
    EXPECT_EQ(DiagonalVector(m, 1), Mat({ { 2 }, { 7 } }));
    EXPECT_EQ(DiagonalVector(m, -1), Mat({ { 5 }, { 10 } }));
    EXPECT_EQ(DiagonalVector(m, 3).Dims(), (tMatDims { 0, 1 }));
    EXPECT_EQ(DiagonalVector(m, -7).Dims(), (tMatDims { 0, 1 }));
    EXPECT_EQ(DiagonalVector(m, INT32_MIN).Dims(), (tMatDims { 0, 1 }));
    EXPECT_EQ(DiagonalCopy(m), Mat({ { 1, 0, 0 }, { 0, 6, 0 }, { 0, 0, 11 } }));
    EXPECT_EQ(
        DiagonalCopy(Texts({ { "a", "b" }, { "c", "d" } })), Texts({ { "a", "" }, { "", "d" } }));
    EXPECT_EQ(DiagonalOfAll(Mat({ { 1, 2 }, { 3, 4 } })),
        Mat({ { 1, 0, 0, 0 }, { 0, 2, 0, 0 }, { 0, 0, 3, 0 }, { 0, 0, 0, 4 } }));
}

TEST(Structure, Concatenation)
{
    const trealmatrix a = Mat({ { 1, 2 }, { 3, 4 } });
    EXPECT_EQ(ConcatColumns(a, Mat({ { 5 }, { 6 }, { 7 } })), Mat({ { 1, 2, 5 }, { 3, 4, 6 } }));
    EXPECT_THROW(ConcatColumns(a, Mat({ { 5 } })), tRangeError);
    EXPECT_EQ(ConcatRows(a, Mat({ { 5, 6, 7 } })), Mat({ { 1, 2 }, { 3, 4 }, { 5, 6 } }));
    // A narrower B would leave cells without a source: a range error, as for too few rows.
    EXPECT_THROW(ConcatRows(a, Mat({ { 5 } })), tRangeError);
    EXPECT_EQ(ConcatRows(Texts({ { "a" } }), Texts({ { "b", "c" } })), Texts({ { "a" }, { "b" } }));
    EXPECT_EQ(ConcatColumns(Texts({ { "a" } }), Texts({ { "b" } })), Texts({ { "a", "b" } }));
    EXPECT_TRUE(SparesAreZero(ConcatColumns(a, a)));
}

TEST(Structure, SumsPropagateOverflow)
{
    const trealmatrix m = Mat({ { 1, -2 }, { 3.5, 4 } });
    EXPECT_EQ(MatSum(m), 6.5L);
    EXPECT_EQ(MatSquareSum(m), 1 + 4 + 12.25L + 16);
    EXPECT_EQ(MatSum(trealmatrix(0, 4)), 0);
    EXPECT_THROW(MatSum(Mat({ { LDBL_MAX, LDBL_MAX } })), tFloatOverflowError);
    EXPECT_THROW(MatSquareSum(Mat({ { 1e3000L } })), tFloatOverflowError);
}

TEST(Structure, GcdKinds)
{
    const trealmatrix a = Mat({ { 12, 18 }, { 30, 42 } });
    EXPECT_EQ(GcdMatrix(a, a, 3), Mat({ { 6 } }));
    EXPECT_EQ(GcdMatrix(a, Mat({ { 8, 27 }, { 4, 7 } }), 0), Mat({ { 4, 9 }, { 2, 7 } }));
    EXPECT_EQ(GcdMatrix(a, Mat({ { 9 }, { 35 } }), 1), Mat({ { 3 }, { 1 } }));
    EXPECT_EQ(GcdMatrix(a, Mat({ { 4, 9 } }), 2), Mat({ { 2, 3 } }));
    // The fold stops at |g| = 1: elements after it are never rounded, so no fault.
    EXPECT_EQ(GcdMatrix(Mat({ { 4, 7, 1e30L } }), Mat({ { 1e30L } }), 1), Mat({ { 1 } }));
    EXPECT_THROW(GcdMatrix(Mat({ { 4, 6, 1e30L } }), Mat({ { 2 } }), 1), tFloatInvalidError);
    EXPECT_EQ(GcdMatrix(Mat({ { -1, 6 } }), Mat({ { 4 } }), 3), Mat({ { -1 } }));
    EXPECT_EQ(GcdMatrix(Mat({ { 2.4L, 3.6L } }), Mat({ { 6 } }), 3), Mat({ { 2 } }));
    // Misfits and unknown kinds.
    EXPECT_EQ(GcdMatrix(a, Mat({ { 1, 2 } }), 0), Mat({ { 0 } }));
    EXPECT_EQ(GcdMatrix(a, Mat({ { 1, 2, 3 } }), 1), Mat({ { 0 } }));
    EXPECT_EQ(GcdMatrix(a, Mat({ { 1 }, { 2 } }), 2), Mat({ { 0 } }));
    EXPECT_EQ(GcdMatrix(a, a, 4), Mat({ { 0 } }));
}

} // namespace
} // namespace zelvora
