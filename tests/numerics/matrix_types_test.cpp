// Storage of the library's vectors and matrices: spare slots, shapes, value semantics.
#include "numerics/library_state.h"
#include "numerics/matrix_types.h"
#include "numerics/result.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(MatrixStorage, NewMatrixHasZeroSpareRowAndColumn)
{
    trealmatrix m(3, 4);
    EXPECT_EQ(m.Rows(), 3);
    EXPECT_EQ(m.Cols(), 4);
    ASSERT_EQ(m.SlotCount(), 4u * 5u);
    for (std::size_t i = 0; i < m.SlotCount(); ++i)
        EXPECT_EQ(m.Data()[i], 0.0L) << "slot " << i;
    m(2, 3) = 7;
    EXPECT_EQ(m[2][3], 7);
    EXPECT_EQ(m.Data()[2 * 5 + 3], 7);
}

TEST(MatrixStorage, ZeroRowMatrixAndAbsentMatrix)
{
    trealmatrix empty(0, 5);
    EXPECT_FALSE(empty.IsAbsent());
    EXPECT_EQ(empty.Dims(), (tMatDims { 0, 5 }));
    EXPECT_EQ(empty.SlotCount(), 6u);
    trealmatrix absent;
    EXPECT_TRUE(absent.IsAbsent());
    EXPECT_EQ(absent.Dims(), (tMatDims { 0, 0 }));
}

TEST(MatrixStorage, CopiesAreDeepAndMovesLeaveTheSourceAbsent)
{
    trealmatrix a(2, 2);
    a(1, 1) = 1.5L;
    trealmatrix b = a;
    b(1, 1) = 2;
    EXPECT_EQ(a(1, 1), 1.5L);
    trealmatrix c = std::move(a);
    EXPECT_TRUE(a.IsAbsent());
    EXPECT_EQ(a.Rows(), 0);
    EXPECT_EQ(c(1, 1), 1.5L);
    EXPECT_NE(b, c);
    b(1, 1) = 1.5L;
    EXPECT_EQ(b, c);
}

TEST(MatrixStorage, CheckedAccessAndResize)
{
    tStringmatrix s(2, 3);
    s(2, 3) = "x";
    EXPECT_THROW(s.At(3, 1), tRangeError);
    EXPECT_THROW(s.At(1, 0), tRangeError);
    s.Resize(3, 2);
    EXPECT_EQ(s.Dims(), (tMatDims { 3, 2 }));
    EXPECT_EQ(s.At(2, 2), "");
    s.Resize(2, 3);
    EXPECT_EQ(s.At(2, 3), "");
}

TEST(VectorStorage, SlotZeroIsSpare)
{
    tIntvector v(3, 7);
    EXPECT_EQ(v.Count(), 3);
    EXPECT_EQ(v[0], 0);
    EXPECT_EQ(v[3], 7);
    EXPECT_TRUE(tRealVector().IsAbsent());
    EXPECT_FALSE(tRealVector(0).IsAbsent());
    EXPECT_EQ(tRealVector(0).Count(), 0);
}

TEST(Result, HoldsAValueOrAFailureWithItsMessageCut)
{
    const tResult<int> value = 7;
    ASSERT_TRUE(value.Ok());
    EXPECT_EQ(*value, 7);
    EXPECT_EQ(value.ValueOr(1), 7);
    const tResult<int> failed = Failure(11, std::string(300, 'a'));
    ASSERT_FALSE(failed.Ok());
    EXPECT_EQ(failed.Error().Code, 11);
    EXPECT_EQ(failed.Error().Message.size(), 255u);
    EXPECT_EQ(failed.ValueOr(1), 1);
}

} // namespace
} // namespace zelvora
