// Rolling, reshaping, indexing and reordering rows and columns.
#include "matrix_test_util.h"
#include "numerics/matrix_convert.h"
#include "numerics/reordering.h"
#include "numerics/run_time_error.h"
#include "support/result_support.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::Mat;
using testing::Texts;

TEST(Reordering, RollRows)
{
    const trealmatrix column = Mat({ { 1 }, { 2 }, { 3 } });
    EXPECT_EQ(RollRows(column, 1), Mat({ { 2 }, { 3 }, { 1 } }));
    EXPECT_EQ(RollRows(column, -1), Mat({ { 3 }, { 1 }, { 2 } }));
    EXPECT_EQ(RollRows(column, -7), Mat({ { 3 }, { 1 }, { 2 } }));
    EXPECT_EQ(RollRows(column, 0), column);
    EXPECT_EQ(RollRows(column, 3), column);
    EXPECT_EQ(RollRows(column, INT32_MAX), Mat({ { 2 }, { 3 }, { 1 } }));
    EXPECT_EQ(RollRows(Texts({ { "a" }, { "b" } }), 1), Texts({ { "b" }, { "a" } }));
    // Without rows there is nothing to roll (and no division by a zero row count).
    EXPECT_EQ(RollRows(trealmatrix(0, 2), 1).Dims(), (tMatDims { 0, 2 }));
}

TEST(Reordering, Reshape)
{
    const trealmatrix m = Mat({ { 1, 2 }, { 3, 4 }, { 5, 6 } });
    EXPECT_EQ(ReshapeRows(m, 2, 3).Value(), Mat({ { 1, 2, 3 }, { 4, 5, 6 } }));
    EXPECT_EQ(ReshapeRows(m, 1, 4).Value(), Mat({ { 1, 2, 3, 4 } }));
    EXPECT_EQ(ReshapeRows(m, 0, 0), Mat({ { 1, 2, 3, 4, 5, 6 } }));
    EXPECT_EQ(FlattenRows(m), Mat({ { 1, 2, 3, 4, 5, 6 } }));
    // More cells than elements: the rest stays 0.
    EXPECT_EQ(ReshapeRows(m, 2, 4), Mat({ { 1, 2, 3, 4 }, { 5, 6, 0, 0 } }));
    EXPECT_EQ(FailureCode(ReshapeRows(m, -1, 2)), 1);
    EXPECT_EQ(FailureCode(ReshapeRows(Texts({ { "a" } }), 1, -1)), 1);
    EXPECT_EQ(
        ReshapeRows(Texts({ { "a", "b" } }), 2, 2).Value(), Texts({ { "a", "b" }, { "", "" } }));
    EXPECT_EQ(FlattenRows(trealmatrix(0, 4)).Dims(), (tMatDims { 1, 0 }));
}

TEST(Reordering, IndexColumns)
{
    EXPECT_EQ(
        IndexColumns(Mat({ { 10, 20, 30 } }), IntsToVector({ 3, 1, 5 })), Mat({ { 30, 10, 0 } }));
    EXPECT_EQ(
        IndexColumns(Texts({ { "a", "b" } }), IntsToVector({ 0, 2 })), Texts({ { "", "b" } }));
    const trealmatrix m = Mat({ { 1, 2, 3 }, { 4, 5, 6 } });
    // One index row serves every row; an index matrix of M's height indexes per row.
    EXPECT_EQ(IndexColumnsByMatrix(m, Mat({ { 3, 1.4L } })), Mat({ { 3, 1 }, { 6, 4 } }));
    EXPECT_EQ(IndexColumnsByMatrix(m, Mat({ { 2 }, { 3 } })), Mat({ { 2 }, { 6 } }));
    EXPECT_EQ(
        IndexColumnsByMatrix(m, Mat({ { 1e30L, -2, 2.5L } })), Mat({ { 0, 0, 2 }, { 0, 0, 5 } }));
    EXPECT_THROW(IndexColumnsByMatrix(m, trealmatrix(0, 2)), tRangeError);
}

TEST(Reordering, OrderListsComeFirst)
{
    EXPECT_EQ(CompleteOrder(4, IntsToVector({ 3, 3, 9, 1 })), IntsToVector({ 3, 1, 2, 4 }));
    // Only the first n entries are read.
    EXPECT_EQ(CompleteOrder(2, IntsToVector({ 9, 9, 2 })), IntsToVector({ 1, 2 }));
    EXPECT_EQ(CompleteOrder(3, tIntvector()), IntsToVector({ 1, 2, 3 }));
    EXPECT_EQ(ReorderColumns(Texts({ { "a", "b", "c", "d" } }), IntsToVector({ 3, 3, 9, 1 })),
        Texts({ { "c", "a", "b", "d" } }));
    EXPECT_EQ(ReorderRows(Mat({ { 1 }, { 2 }, { 3 } }), IntsToVector({ 2 })),
        Mat({ { 2 }, { 1 }, { 3 } }));
}

} // namespace
} // namespace zelvora
