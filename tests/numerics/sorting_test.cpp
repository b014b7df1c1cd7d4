// Sort indexes of columns, rows, reals and texts, and the matching of key rows.
#include "matrix_test_util.h"
#include "numerics/matrix_convert.h"
#include "numerics/run_time_error.h"
#include "numerics/sorting.h"

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::Mat;

TEST(Sorting, ColumnsAndRowsCompareRowByRow)
{
    EXPECT_EQ(SortIndexColumns(Mat({ { 3, 1, 2 } })), IntsToVector({ 2, 3, 1 }));
    // The tie in row 1 is broken by row 2.
    EXPECT_EQ(SortIndexColumns(Mat({ { 1, 1 }, { 5, 2 } })), IntsToVector({ 2, 1 }));
    EXPECT_EQ(SortIndexRows(Mat({ { 3 }, { 1 }, { 2 } })), IntsToVector({ 2, 3, 1 }));
    EXPECT_EQ(SortIndexRows(Mat({ { 2, 9 }, { 2, 1 }, { 0, 5 } })), IntsToVector({ 3, 2, 1 }));
    EXPECT_EQ(SortIndexColumns(trealmatrix(0, 3)).Count(), 3);
    EXPECT_EQ(SortIndexRows(trealmatrix(0, 3)).Count(), 0);
}

TEST(Sorting, TiesKeepThePartitioningOrder)
{
    // Not stable: the first pass swaps the outer equal keys.
    EXPECT_EQ(IndexSortReal(RealsToVector({ 5, 5, 5 })), IntsToVector({ 3, 2, 1 }));
    EXPECT_EQ(IndexSortReal(RealsToVector({ 2, 1, 2, 1 })), IntsToVector({ 4, 2, 1, 3 }));
    EXPECT_EQ(IndexSortReal(RealsToVector({ 7 })), IntsToVector({ 1 }));
    EXPECT_EQ(IndexSortReal(tRealVector()).Count(), 0);
    // The fast path for one row agrees with the general comparison of columns.
    const trealmatrix row = Mat({ { 4, 1, 4, 1, 4 } });
    trealmatrix twoRows(2, 5);
    for (int32_t c = 1; c <= 5; ++c)
        twoRows(1, c) = row(1, c);
    EXPECT_EQ(SortIndexColumns(row), SortIndexColumns(twoRows));
}

TEST(Sorting, LargeInputsComeOutOrdered)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> small(0, 50);
    tRealVector v(200000);
    for (int32_t i = 1; i <= v.Count(); ++i)
        v[static_cast<std::size_t>(i)] = small(random);
    const tIntvector order = IndexSortReal(v);
    std::vector<int32_t> seen(order.Elements().begin(), order.Elements().end());
    for (int32_t i = 2; i <= order.Count(); ++i)
        ASSERT_LE(v[static_cast<std::size_t>(order[i - 1])], v[static_cast<std::size_t>(order[i])]);
    std::sort(seen.begin(), seen.end());
    for (std::size_t i = 0; i < seen.size(); ++i)
        ASSERT_EQ(seen[i], static_cast<int32_t>(i) + 1);
    // Ascending and descending runs do not degrade into deep recursion.
    tRealVector sorted(300000);
    for (int32_t i = 1; i <= sorted.Count(); ++i)
        sorted[static_cast<std::size_t>(i)] = -i;
    EXPECT_EQ(IndexSortReal(sorted)[1], 300000);
}

TEST(Sorting, TextsCompareByBytes)
{
    tStringVector texts(4);
    texts[1] = "b";
    texts[2] = "\xE4"; // a-umlaut sorts after every ASCII letter
    texts[3] = "B";
    texts[4] = "ba";
    EXPECT_EQ(IndexSortText(texts), IntsToVector({ 3, 1, 4, 2 }));
}

TEST(Sorting, MatchKeys)
{
    const tintmatrix matches = MatchKeys(Mat({ { 5, 7, 9 } }), Mat({ { 9, 5 } }));
    ASSERT_EQ(matches.Dims(), (tMatDims { 2, 2 }));
    EXPECT_EQ(matches(1, 1), 1);
    EXPECT_EQ(matches(2, 1), 2);
    EXPECT_EQ(matches(1, 2), 3);
    EXPECT_EQ(matches(2, 2), 1);

    const tintmatrix both = MatchKeys(Mat({ { 5, 5 } }), Mat({ { 5 } }));
    ASSERT_EQ(both.Cols(), 2);
    EXPECT_EQ(both(2, 1), 1);
    EXPECT_EQ(both(2, 2), 1);
    // A duplicate key in B is used once: its first column in sorted order.
    const tintmatrix duplicate = MatchKeys(Mat({ { 4 } }), Mat({ { 4, 4, 1 } }));
    ASSERT_EQ(duplicate.Cols(), 1);
    EXPECT_EQ(duplicate(2, 1), 2);
    // Keys equal in double precision match.
    EXPECT_EQ(MatchKeys(Mat({ { 1 + 1e-18L } }), Mat({ { 1 } })).Cols(), 1);
    EXPECT_EQ(MatchKeys(Mat({ { 1, 2 } }), Mat({ { 3 } })).Cols(), 0);
    EXPECT_EQ(MatchKeys(Mat({ { 1 } }), trealmatrix(1, 0)).Dims(), (tMatDims { 2, 0 }));
    EXPECT_THROW(MatchKeys(trealmatrix(0, 2), Mat({ { 1 } })), tRangeError);
}

} // namespace
} // namespace zelvora
