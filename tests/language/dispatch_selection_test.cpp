// Selection, joining and reordering in formulas: blocks, row and column lists, inserting and
// merging, indexing, sort indexes, key matching, reordering and factorization.
#include "dispatch_fixture.h"

namespace zelvora {
namespace {

class Selection : public testing::DispatchFixture {
protected:
    void SetUp() override
    {
        Store("M", "{{11,12,13,14,15},{21,22,23,24,25},{31,32,33,34,35}}");
        Store("A", "{{1,2},{3,4}}");
    }
};

TEST_F(Selection, BlocksRowsAndColumns)
{
    EXPECT_EQ(RowsOf(One("Sub(M, 2:3)")), (tRows { { 23 } }));
    EXPECT_EQ(RowsOf(One("Sub(M, {1,2}:{2,4})")), (tRows { { 12, 13, 14 }, { 22, 23, 24 } }));
    EXPECT_EQ(RowsOf(One("Collect(M, {{3,9},{5,5}})")), (tRows { { 35 } }));
    EXPECT_TRUE(ArgumentsRefused("Sub(M, 2)"));
    EXPECT_EQ(RowsOf(One("Subsp(M, 1..2, 5)")),
        (tRows { { 11, 12, 15 }, { 21, 22, 25 }, { 31, 32, 35 } }));
    EXPECT_EQ(RowsOf(One("Subzl(M, 3)")), (tRows { { 31, 32, 33, 34, 35 } }));
    EXPECT_EQ(RowsOf(One("CollectZl(M, 3, 1..1)")),
        (tRows { { 31, 32, 33, 34, 35 }, { 11, 12, 13, 14, 15 } }));
    EXPECT_EQ(RowsOf(One("Subsp(M, 9)")),
        (tRows { { 15 }, { 25 }, { 35 } })); // ranges clamp to the columns
    const tVariable text = One("Subsp({\"a\",\"b\",\"c\"}, 3)");
    EXPECT_EQ(text.datatype, dtString);
    EXPECT_EQ(text.strmatrix(1, 1), "c");

    EXPECT_EQ(RowsOf(One("Minor(A, 2, 1)")), (tRows { { 2 } }));
    EXPECT_EQ(RowsOf(One("Minor(A, 7)")), RowsOf(One("A")));
    EXPECT_EQ(One("Minor(A, 1..2)").matrix.Dims(), (tMatDims { 0, 2 }));
    EXPECT_EQ(One("Minor(5, 1)").shape, shEmpty);
}

TEST_F(Selection, ReshapeAndRoll)
{
    Store("T", "{{1,2},{3,4},{5,6}}");
    EXPECT_EQ(RowsOf(One("reformatieren(T, 2, 3)")), (tRows { { 1, 2, 3 }, { 4, 5, 6 } }));
    EXPECT_EQ(RowsOf(One("Reshape(T, 1, 4)")), (tRows { { 1, 2, 3, 4 } }));
    EXPECT_EQ(
        RowsOf(One("Reshape(T, 4)")), (tRows { { 1 }, { 2 }, { 3 }, { 4 } })); // 6 div 4 columns
    EXPECT_EQ(RowsOf(One("Reshape(T, 0)")), (tRows { { 1, 2, 3, 4, 5, 6 } }));
    EXPECT_TRUE(ArgumentsRefused("Reshape({1,2} > 1, 1)"));

    Store("V", "{{1},{2},{3}}");
    EXPECT_EQ(RowsOf(One("Rollv(V)")), (tRows { { 2 }, { 3 }, { 1 } }));
    EXPECT_EQ(RowsOf(One("Rollv(V, -1)")), (tRows { { 3 }, { 1 }, { 2 } }));
    EXPECT_EQ(RowsOf(One("Rollv(V, 0)")), RowsOf(One("V")));
    const tVariable marks = One("Rollv({{1},{0}} > 0)");
    EXPECT_EQ(marks.datatype, dtBoolean);
    EXPECT_EQ(RowsOf(marks), (tRows { { 0 }, { 1 } }));
    EXPECT_EQ(One("Rollv(5)").shape, shEmpty);
}

TEST_F(Selection, ColumnMarks)
{
    EXPECT_EQ(RowsOf(One("MarkSp({{0,0,0,0}}, {2,4}:1)")),
        (tRows { { 0, 1, 0, 0 }, { 0, 0, 1, 0 }, { 0, 0, 0, 1 } }));
    // a number beyond the columns or below 1 marks nothing; the list is cut to the columns
    EXPECT_EQ(RowsOf(One("MarkSp({{0,0}}, {5,0,2})")), (tRows { { 0, 0 }, { 0, 0 } }));
    EXPECT_EQ(RowsOf(One("MarkSp({{0,0,0}}, 3)")), (tRows { { 0, 0, 1 } }));
    EXPECT_EQ(One("MarkSp({{0,0,0}}, {1,2000000000}:1)").matrix.Dims(), (tMatDims { 3, 3 }));
}

TEST_F(Selection, JoiningMergingAndInserting)
{
    Store("B", "{{5,6}}");
    EXPECT_EQ(RowsOf(One("Addzl(A, 5, B)")), (tRows { { 1, 2 }, { 3, 4 }, { 5, 6 } }));
    EXPECT_EQ(RowsOf(One("Concatsp(A, {{7},{8}})")), (tRows { { 1, 2, 7 }, { 3, 4, 8 } }));
    EXPECT_TRUE(ArgumentsRefused("Addzl(5, A)"));
    EXPECT_EQ(RowsOf(One("Insert(A, {{9}})")), (tRows { { 1, 2, 0 }, { 3, 4, 0 }, { 0, 0, 9 } }));
    EXPECT_EQ(RowsOf(One("InsertSp(A, {{9}}, 2)")), (tRows { { 1, 9, 2 }, { 3, 0, 4 } }));
    EXPECT_EQ(RowsOf(One("InsertZl(A, {{7,8}}, 1)")), (tRows { { 7, 8 }, { 1, 2 }, { 3, 4 } }));
    EXPECT_EQ(RowsOf(One("Merge(M, {{0,0}}, 2:3)")),
        (tRows { { 11, 12, 13, 14, 15 }, { 21, 22, 0, 0, 25 }, { 31, 32, 33, 34, 35 } }));
    EXPECT_EQ(RowsOf(One("Merge(A, {{9}}, 2, 1)")), (tRows { { 1, 2 }, { 9, 4 } }));
    EXPECT_TRUE(CountRefused("Merge(5)"));
    EXPECT_EQ(RowsOf(One("MergeDiag(A, {{7,0},{0,8}})")), (tRows { { 7, 2 }, { 3, 8 } }));

    Eval("Merge(A, {{1,2}}, 2:2)"); // does not fit: the formula stops on the library's code
    EXPECT_EQ(machine.EvalErrorCode(), 1);
    Eval("MergeDiag(A, M)");
    EXPECT_EQ(machine.EvalErrorCode(), 1);
    EXPECT_THROW(One("Merge(A, {{9}}, {{2,1}})"), tRangeError); // position matrix of one row
}

TEST_F(Selection, IndexesAndSortOrders)
{
    EXPECT_EQ(RowsOf(One("Index({{10,20,30}}, {3,1,5})")), (tRows { { 30, 10, 0 } }));
    EXPECT_EQ(RowsOf(One("IndexSp({{10,20,30}}, 2..3)")), (tRows { { 20, 30 } }));
    EXPECT_EQ(One("Index({\"a\",\"b\"}, {2})").strmatrix(1, 1), "b");
    EXPECT_TRUE(CountRefused("Index(A, 1, 2)"));
    EXPECT_TRUE(ArgumentsRefused("Index({1,2} > 1, {1})"));
    EXPECT_EQ(RowsOf(One("IndexInv({{10,20,30}}, {{3,1,2}})")), (tRows { { 20, 30, 10 } }));

    const tVariable order = One("ISortZl({{3,1,2}})");
    EXPECT_EQ(order.shape, shVector);
    EXPECT_EQ(RowsOf(order), (tRows { { 2, 3, 1 } }));
    EXPECT_EQ(RowsOf(One("ISortZl({{1,1},{5,2}})")), (tRows { { 2, 1 } }));
    EXPECT_EQ(RowsOf(One("ISort({{3},{1},{2}})")), (tRows { { 2, 3, 1 } }));
    EXPECT_EQ(One("ISort(5)").shape, shEmpty);

    const tVariableArray matches = Eval("IMatching({{5,7,9}}, {{9,5}})");
    ASSERT_EQ(matches.size(), 3u);
    EXPECT_EQ(RowsOf(matches[1]), (tRows { { 1, 3 } }));
    EXPECT_EQ(RowsOf(matches[2]), (tRows { { 2, 1 } }));
    const tVariableArray none = Eval("IMatching({{1}}, {{2}})");
    ASSERT_EQ(none.size(), 3u);
    EXPECT_EQ(none[1].matrix.Cols(), 0);
}

TEST_F(Selection, MergingByIndexAndByKeys)
{
    EXPECT_EQ(RowsOf(One("MergeIndexed({{1,2,3}}, {{8,9}}, {3,1,7})")), (tRows { { 9, 2, 8 } }));
    EXPECT_EQ(RowsOf(One("MergeIndexed(A, {{5},{6},{7}}, 1)")), RowsOf(One("A"))); // rows misfit
    EXPECT_EQ(One("MergeIndexed({\"a\"}, {{1}}, 1)").shape, shEmpty);
    EXPECT_EQ(RowsOf(One("MergeMatching({{5,7},{0,0}}, {{7,5},{70,50}})")),
        (tRows { { 5, 7 }, { 50, 70 } }));
    EXPECT_THROW(One("MergeMatching({{5},{0}}, {{5}})"), tRangeError);
}

TEST_F(Selection, Reordering)
{
    EXPECT_EQ(RowsOf(One("ReorderZl({{1,2,3,4}}, {3,3,9,1})")), (tRows { { 3, 1, 2, 4 } }));
    EXPECT_EQ(RowsOf(One("ReorderZl({{1,2,3}}, 3..3)")), (tRows { { 3, 1, 2 } }));
    EXPECT_EQ(RowsOf(One("ReorderSp({{1},{2},{3}}, {{2},{9}})")), (tRows { { 2 }, { 1 }, { 3 } }));
    EXPECT_TRUE(CountRefused("Reorder(A, 5)"));
    EXPECT_EQ(One("ReorderZl({\"a\",\"b\"}, {2})").strmatrix(1, 1), "b");
}

TEST_F(Selection, FactorizationByGivenBases)
{
    EXPECT_EQ(RowsOf(One("Faktorisieren(360, {2,3,5,7})")), (tRows { { 3, 2, 1, 0 } }));
    EXPECT_EQ(
        RowsOf(One("factorize({{12,0},{7,0}}, {2,4,1})")), (tRows { { 2, 1, 0 }, { 0, 0, 0 } }));
    EXPECT_TRUE(ArgumentsRefused("Faktorisieren(12, 2)"));
    EXPECT_THROW(One("Faktorisieren(Minor({{4}}, 0, 1), {2})"), tRangeError); // no column to read
}

} // namespace
} // namespace zelvora
