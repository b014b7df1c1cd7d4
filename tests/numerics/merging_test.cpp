// Merging and inserting matrices, column merges by index and key, and the elementwise choice.
#include "matrix_test_util.h"
#include "numerics/matrix_convert.h"
#include "numerics/merging.h"
#include "numerics/run_time_error.h"
#include "support/result_support.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::Mat;

const trealmatrix nine = Mat({ { 1, 2, 3 }, { 4, 5, 6 }, { 7, 8, 9 } });

TEST(Merging, MergeChecksThatTheBlockFits)
{
    EXPECT_EQ(
        MergeInto(nine, Mat({ { 0, 0 } }), 2, 2), Mat({ { 1, 2, 3 }, { 4, 0, 0 }, { 7, 8, 9 } }));
    EXPECT_EQ(FailureCode(MergeInto(nine, Mat({ { 0, 0 } }), 2, 3)), 1);
    // A failed call leaves nothing behind that blocks the next one.
    EXPECT_EQ(
        MergeInto(nine, Mat({ { 0 } }), 1, 1), Mat({ { 0, 2, 3 }, { 4, 5, 6 }, { 7, 8, 9 } }));
    EXPECT_EQ(FailureCode(MergeDiagonal(Mat({ { 1, 2 }, { 3, 4 } }), nine)), 1);
    EXPECT_EQ(MergeDiagonal(Mat({ { 1, 2 }, { 3, 4 } }), Mat({ { 8, 0 }, { 0, 9 } })),
        Mat({ { 8, 2 }, { 3, 9 } }));
}

TEST(Merging, InsertModes)
{
    const trealmatrix a = Mat({ { 1, 2 }, { 3, 4 } });
    EXPECT_EQ(InsertInto(a, Mat({ { 9 } }), 1, 2, tInsertMode::Columns),
        Mat({ { 1, 9, 2 }, { 3, 0, 4 } }));
    EXPECT_EQ(InsertInto(a, Mat({ { 7, 8 } }), 1, 1, tInsertMode::Rows),
        Mat({ { 7, 8 }, { 1, 2 }, { 3, 4 } }));
    EXPECT_EQ(InsertInto(a, Mat({ { 7, 8, 9 } }), -1, 1, tInsertMode::Rows),
        Mat({ { 1, 2 }, { 3, 4 }, { 7, 8 } }));
    EXPECT_EQ(InsertInto(a, Mat({ { 9 } }), 3, 3, tInsertMode::Block),
        Mat({ { 1, 2, 0 }, { 3, 4, 0 }, { 0, 0, 9 } }));
    EXPECT_EQ(InsertInto(a, Mat({ { 9 } }), 2, 0, tInsertMode::Block),
        Mat({ { 0, 1, 2 }, { 9, 0, 0 }, { 0, 3, 4 } }));
    EXPECT_EQ(FailureCode(InsertInto(a, Mat({ { 9 } }), -2, 1, tInsertMode::Columns)), 1);
}

TEST(Merging, IndexedAndMatchedColumns)
{
    const trealmatrix m1 = Mat({ { 1, 2, 3 }, { 4, 5, 6 } });
    EXPECT_EQ(MergeIndexedColumns(m1, Mat({ { 8, 9 }, { 8, 9 } }), IntsToVector({ 3, 1, 7 })),
        Mat({ { 9, 2, 8 }, { 9, 5, 8 } }));
    EXPECT_EQ(MergeIndexedColumns(m1, Mat({ { 0 } }), IntsToVector({ 2 })),
        Mat({ { 1, 0, 3 }, { 4, 0, 6 } }));
    EXPECT_EQ(MergeIndexedColumns(m1, Mat({ { 0 }, { 0 }, { 0 } }), IntsToVector({ 2 })), m1);
    EXPECT_EQ(MergeIndexedColumns(m1, trealmatrix(0, 2), IntsToVector({ 2 })), m1);

    const trealmatrix keys1 = Mat({ { 10, 20, 30 }, { 1, 2, 3 } });
    const trealmatrix keys2 = Mat({ { 30, 10 }, { 7, 8 } });
    EXPECT_EQ(
        MergeMatchingColumns(keys1, keys2, keys1, keys2), Mat({ { 10, 20, 30 }, { 8, 2, 7 } }));
    EXPECT_THROW(MergeMatchingColumns(keys1, Mat({ { 30 } }), keys1, Mat({ { 30 } })), tRangeError);
}

TEST(Merging, ElementwiseSelectBroadcastsAndReportsMisfits)
{
    EXPECT_EQ(
        ElementwiseSelect(Mat({ { 1, 0 } }), Mat({ { 5, 6 } }), Mat({ { 7 } })), Mat({ { 5, 7 } }));
    EXPECT_EQ(ElementwiseSelect(Mat({ { 0.999L, 2 } }), Mat({ { 5 } }), Mat({ { 7 } })),
        Mat({ { 7, 7 } }));
    EXPECT_EQ(ElementwiseSelect(Mat({ { 1 }, { 0 } }), Mat({ { 1, 2 } }), Mat({ { 3, 4 } })),
        Mat({ { 1, 2 }, { 3, 4 } }));
    const auto misfit = ElementwiseSelect(trealmatrix(3, 3), trealmatrix(2, 2), Mat({ { 1 } }));
    EXPECT_EQ(FailureCode(misfit), 11);
    EXPECT_EQ(FailureMessage(misfit), "Dimensionen inkompatibel");
    EXPECT_EQ(ElementwiseSelect(Mat({ { 1 } }), Mat({ { 5 } }), Mat({ { 7 } })), Mat({ { 5 } }));
}

} // namespace
} // namespace zelvora
