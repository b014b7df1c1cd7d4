// Deleting and selecting rows and columns by lists, ranges and blocks.
#include "matrix_test_util.h"
#include "numerics/matrix_convert.h"
#include "numerics/run_time_error.h"
#include "numerics/submatrices.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::Mat;
using testing::SparesAreZero;
using testing::Texts;

const trealmatrix nine = Mat({ { 1, 2, 3 }, { 4, 5, 6 }, { 7, 8, 9 } });

TEST(Submatrices, MinorDeletesListedRowsAndColumns)
{
    EXPECT_EQ(MinorOf(nine, IntsToVector({ 2 }), IntsToVector({ 1 })), Mat({ { 2, 3 }, { 8, 9 } }));
    EXPECT_EQ(MinorOf(nine, IntsToVector({ 7 }), tIntvector()), nine);
    EXPECT_EQ(MinorOf(nine, tIntvector(), tIntvector()), nine);
    EXPECT_EQ(
        MinorOf(nine, IntsToVector({ 3, 1, 2, 1 }), tIntvector()).Dims(), (tMatDims { 0, 3 }));
}

TEST(Submatrices, SelectionsFollowTheList)
{
    const trealmatrix rows = SelectRows(nine, IntsToVector({ 3, 0, 3, 9, 1 }));
    EXPECT_EQ(rows, Mat({ { 7, 8, 9 }, { 7, 8, 9 }, { 1, 2, 3 } }));
    EXPECT_TRUE(SparesAreZero(rows));
    EXPECT_EQ(SelectColumns(nine, IntsToVector({ 2, -1 })), Mat({ { 2 }, { 5 }, { 8 } }));
    EXPECT_EQ(SelectRows(nine, tIntvector()), nine); // missing list: everything
    EXPECT_EQ(SelectRows(nine, tIntvector(0)).Dims(), (tMatDims { 0, 3 })); // empty list
    EXPECT_EQ(SelectColumns(nine, IntsToVector({ 4 })).Dims(), (tMatDims { 3, 0 }));
    EXPECT_EQ(
        SelectColumns(Texts({ { "a", "b" } }), IntsToVector({ 2, 2 })), Texts({ { "b", "b" } }));
}

TEST(Submatrices, RangesAndBlocks)
{
    EXPECT_EQ(SelectRowRange(nine, 2, 99), Mat({ { 4, 5, 6 }, { 7, 8, 9 } }));
    EXPECT_EQ(SelectColumnRange(nine, 3, 2).Dims(), (tMatDims { 3, 0 }));
    EXPECT_EQ(SelectRowRange(nine, 5, 9).Dims(), (tMatDims { 0, 3 }));
    EXPECT_THROW(SelectRowRange(nine, 0, 2), tRangeError);

    EXPECT_EQ(SelectBlock(nine, Mat({ { 2, 2 }, { 3, 3 } })), Mat({ { 6 } }));
    EXPECT_EQ(SelectBlock(nine, Mat({ { 1, 2 }, { 2, 3 } })), Mat({ { 2, 3 }, { 5, 6 } }));
    // Missing bounds count as 1: rows 3..1 select nothing.
    EXPECT_EQ(SelectBlock(nine, Mat({ { 3 } })).Dims(), (tMatDims { 0, 1 }));
    EXPECT_EQ(SelectBlock(nine, Mat({ { 2, 3 } })), Mat({ { 4 }, { 7 } }));
}

} // namespace
} // namespace zelvora
