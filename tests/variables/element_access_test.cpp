// Element selection, assignment into part of a variable, and range lists built from records.
#include "numerics/matrix_convert.h"
#include "numerics/run_time_error.h"
#include "variable_test_support.h"
#include "variables/element_access.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using namespace zelvora::testing;

TEST(ElementSelection, RowsColumnsAndUnchangedTargets)
{
    tVariable single = RealMat({ { 5 } });
    VarSelect(single, Int(3), tVariable(), 1);
    EXPECT_TRUE(MatrixNear(single.matrix, Mat({ { 5 } })));

    tVariable row = IntMat({ { 1, 2, 3, 4 } });
    VarSelect(row, Ranges({ { 2, 3 } }), tVariable(), 1);
    EXPECT_EQ(KindOf(row), (tKind { dtInteger, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(row.matrix, Mat({ { 2, 3 } })));

    tVariable column = RealMat({ { 1 }, { 2 }, { 3 }, { 4 } });
    VarSelect(column, Ranges({ { 2, 3 } }), Int(1), 3);
    EXPECT_TRUE(MatrixNear(column.matrix, Mat({ { 2 }, { 3 } })));

    tVariable square = RealMat({ { 1, 2, 3 }, { 4, 5, 6 }, { 7, 8, 9 } });
    VarSelect(square, IntMat({ { 3, 1, 3, 7 } }), tVariable(), 1);
    EXPECT_TRUE(MatrixNear(square.matrix, Mat({ { 7, 8, 9 }, { 1, 2, 3 }, { 7, 8, 9 } })));
    VarSelect(square, tVariable(), Ranges({ { 3, 3 } }), 2);
    EXPECT_TRUE(MatrixNear(square.matrix, Mat({ { 9 }, { 3 }, { 9 } })));

    tVariable vector = Vec({ 10, 20, 30 });
    VarSelect(vector, Int(9), tVariable(), 1);
    EXPECT_EQ(KindOf(vector), (tKind { dtInteger, tgVector, shVector }));
    EXPECT_EQ(vector.matrix.Dims(), (tMatDims { 1, 0 })) << "no index left: no columns";

    tVariable texts = StrMat({ { "a", "b" }, { "c", "d" } });
    VarSelect(texts, Int(2), Int(1), 3);
    EXPECT_EQ(texts.strmatrix, TextMat({ { "c" } }));

    tVariable ranges = Ranges({ { 1, 2 }, { 3, 4 } });
    VarSelect(ranges, Int(1), tVariable(), 1);
    EXPECT_EQ(ranges.matrix.Rows(), 2);
}

TEST(AssignPart, ScalarFillsOneCellMatrixFillsItsShape)
{
    const tVariable x = IntMat({ { 1, 2, 3 }, { 4, 5, 6 }, { 7, 8, 9 } });
    const tIntvector rows = IntsToVector({ 1, 2, 3 });
    const tIntvector first = IntsToVector({ 1 });

    const tVariable zero = VarAssignPart(x, Int(0), rows, first);
    EXPECT_EQ(KindOf(zero), (tKind { dtReal, tgPlain, shMatrix }));
    EXPECT_TRUE(zero.name.empty());
    EXPECT_TRUE(MatrixNear(zero.matrix, Mat({ { 0, 2, 3 }, { 4, 5, 6 }, { 7, 8, 9 } })));

    const tVariable column = VarAssignPart(x, IntMat({ { 7 }, { 8 }, { 9 } }), rows, first);
    EXPECT_TRUE(MatrixNear(column.matrix, Mat({ { 7, 2, 3 }, { 8, 5, 6 }, { 9, 8, 9 } })));

    // Positions outside the target are skipped, the others written.
    const tVariable clipped = VarAssignPart(
        x, RealMat({ { 1.5L, 2.5L } }), IntsToVector({ 3 }), IntsToVector({ 3, 4 }));
    EXPECT_TRUE(MatrixNear(clipped.matrix, Mat({ { 1, 2, 3 }, { 4, 5, 6 }, { 7, 8, 1.5L } })));

    EXPECT_THROW(VarAssignPart(x, IntMat({ { 1 }, { 2 } }), first, first), tRangeError);
    EXPECT_THROW(VarAssignPart(x, Int(1), tIntvector(), first), tRangeError);

    const tVariable ranges
        = VarAssignPart(Ranges({ { 1, 2 } }), Real(9), first, IntsToVector({ 2 }));
    EXPECT_EQ(KindOf(ranges), (tKind { dtReal, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(ranges.matrix, Mat({ { 1, 9 } })));
}

TEST(AssignPart, TextsAndOtherPairs)
{
    const tVariable texts = StrMat({ { "a", "b" } }, tgLogical);
    const tVariable merged
        = VarAssignPart(texts, Str("z"), IntsToVector({ 1 }), IntsToVector({ 2 }));
    EXPECT_EQ(KindOf(merged), (tKind { dtString, tgLogical, shMatrix }));
    EXPECT_EQ(merged.strmatrix, TextMat({ { "a", "z" } }));
    const tVariable both = VarAssignPart(
        texts, StrMat({ { "x", "y" } }), IntsToVector({ 1 }), IntsToVector({ 2, 1 }));
    EXPECT_EQ(both.strmatrix, TextMat({ { "y", "x" } }));

    // A pair that does not merge gives the value itself.
    const tVariable replaced
        = VarAssignPart(IntMat({ { 1, 2 } }), Str("s"), IntsToVector({ 1 }), IntsToVector({ 1 }));
    EXPECT_EQ(KindOf(replaced), (tKind { dtString, tgNone, shScalar }));
    EXPECT_EQ(replaced.strvalue, "s");
}

TEST(RangeBuilding, IntRangeAndConcatenation)
{
    const tVariable ints = VarToIntRange(Named(RealMat({ { 1.5L, 4 } }), "R"));
    EXPECT_EQ(KindOf(ints), (tKind { dtInteger, tgRange, shRange }));
    EXPECT_EQ(ints.name, "R");
    EXPECT_TRUE(MatrixNear(ints.matrix, Mat({ { 2, 4 } })));
    EXPECT_EQ(VarToIntRange(Str("x")).shape, shEmpty);
    EXPECT_EQ(VarToIntRange(Bool(true)).shape, shEmpty);

    const tVariable joined = VarConcatRanges(Named(Ranges({ { 1, 3 } }), "L"), Int(5));
    EXPECT_EQ(KindOf(joined), (tKind { dtInteger, tgRange, shRange }));
    EXPECT_EQ(joined.name, "L");
    EXPECT_TRUE(MatrixNear(joined.matrix, Mat({ { 1, 3 }, { 5, 5 } })));
    EXPECT_EQ(VarConcatRanges(Int(1), Real(2.5L)).datatype, dtReal);
    EXPECT_EQ(VarConcatRanges(Bool(true), Int(2)).datatype, dtInteger);
    EXPECT_EQ(VarConcatRanges(Int(1), Str("2")).shape, shEmpty);
}

} // namespace
} // namespace zelvora
