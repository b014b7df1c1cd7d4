// The variable record: setters, copying, cells, dimensions, getters and conversions.
#include "numerics/run_time_error.h"
#include "variable_test_support.h"
#include "variables/variable.h"
#include "variables/variable_convert.h"

#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using namespace zelvora::testing;

std::vector<int32_t> Indexes(const tIntvector& v)
{
    return { v.Elements().begin(), v.Elements().end() };
}

std::vector<std::pair<long double, long double>> Bounds(const trealrangelist& list)
{
    std::vector<std::pair<long double, long double>> bounds;
    for (const auto& range : list.Elements())
        bounds.emplace_back(range[1], range[2]);
    return bounds;
}

using tBounds = std::vector<std::pair<long double, long double>>;

TEST(VariableRecord, SettersGiveTheirKindsAndClearTheRest)
{
    tVariable v = Named(Str("text"), "X");
    v.reserved = 7;
    VarSetMatrix(v, Mat({ { 1, 2 } }), tgPlain);
    EXPECT_EQ(KindOf(v), (tKind { dtReal, tgPlain, shMatrix }));
    EXPECT_TRUE(v.name.empty());
    EXPECT_TRUE(v.strvalue.empty());
    EXPECT_EQ(v.reserved, 7) << "clearing leaves the reserved byte";

    EXPECT_EQ(KindOf(Vec({ 3, 4 })), (tKind { dtInteger, tgVector, shVector }));
    EXPECT_EQ(KindOf(Str("a")), (tKind { dtString, tgNone, shScalar }));

    tVariable range = Named(Real(1), "R");
    const std::vector<long double> bounds { 1.5L, 4 };
    VarSetRange(range, bounds);
    EXPECT_EQ(KindOf(range), (tKind { dtReal, tgRange, shRange }));
    EXPECT_EQ(range.name, "R");
    EXPECT_TRUE(MatrixNear(range.matrix, Mat({ { 1.5L, 4 } })));

    tVariable list = Named(tVariable(), "L");
    VarSetRangeMatrix(list, Mat({ { 2 }, { 5 } }), true);
    EXPECT_EQ(KindOf(list), (tKind { dtInteger, tgRange, shRange }));
    EXPECT_EQ(list.name, "L");
    EXPECT_TRUE(MatrixNear(list.matrix, Mat({ { 2, 2 }, { 5, 5 } })));
    VarSetRangeMatrix(list, trealmatrix(3, 0), false);
    EXPECT_EQ(list.matrix.Dims(), (tMatDims { 0, 2 }));
}

// Clearing skips what is already empty; whatever a record holds, even a matrix without rows,
// is gone afterwards.
TEST(VariableRecord, ClearingReleasesTextAndBothMatrices)
{
    const auto expectBare = [](const tVariable& v, const char* held) {
        EXPECT_EQ(KindOf(v), (tKind { dtNone, tgNone, shEmpty })) << held;
        EXPECT_TRUE(v.name.empty() && v.strvalue.empty()) << held;
        EXPECT_TRUE(v.matrix.IsAbsent() && v.strmatrix.IsAbsent()) << held;
        EXPECT_EQ(v.matrix.Dims(), (tMatDims { 0, 0 })) << held;
        EXPECT_EQ(v.strmatrix.Dims(), (tMatDims { 0, 0 })) << held;
    };
    tVariable text = Named(Str("a text longer than the short buffer of a string"), "T");
    VarClear(text);
    expectBare(text, "text");

    tVariable rowless = Named(tVariable(), "R");
    VarSetMatrix(rowless, trealmatrix(0, 3), tgPlain);
    VarClear(rowless);
    expectBare(rowless, "0 x 3 matrix");

    tVariable words;
    tStringmatrix cells(1, 2);
    cells(1, 1) = "ab";
    VarSetStrMatrix(words, cells, tgPlain);
    words.matrix = Mat({ { 1 } }); // both matrices held at once
    VarClear(words);
    expectBare(words, "text matrix");

    tVariable fresh;
    VarClear(fresh);
    expectBare(fresh, "new record");
}

TEST(VariableRecord, NegatedCopies)
{
    tVariable target;
    VarCopy(target, Named(Str("abc"), "S"), -1);
    EXPECT_EQ(target.strvalue, "abc");
    EXPECT_EQ(target.name, "S");

    VarCopy(target, BoolMat({ { 1, 0 } }), -1);
    EXPECT_EQ(KindOf(target), (tKind { dtBoolean, tgLogical, shMatrix }));
    EXPECT_TRUE(MatrixNear(target.matrix, Mat({ { 0, 1 } })));

    VarCopy(target, IntMat({ { 1, -2 } }), -1);
    EXPECT_TRUE(MatrixNear(target.matrix, Mat({ { -1, 2 } })));
    VarCopy(target, Int(5), -1);
    EXPECT_EQ(target.intvalue, -5);
    VarCopy(target, Bool(false), -1);
    EXPECT_EQ(target.boolvalue, 1);
    VarCopy(target, Int(std::numeric_limits<int32_t>::min()), -1);
    EXPECT_EQ(target.datatype, dtReal);
    EXPECT_EQ(target.realvalue, 2147483648.0L);

    const tVariable source = RealMat({ { 1, 2 } });
    VarCopy(target, source, 1);
    target.matrix(1, 1) = 9;
    EXPECT_EQ(source.matrix(1, 1), 1) << "copies do not share storage";

    tVariable handle;
    handle.shape = shHandle;
    handle.handle = 42;
    VarCopy(target, handle, 1);
    EXPECT_EQ(target.handle, 42u);
}

TEST(VariableRecord, CellsAndDimensions)
{
    tVariable m = IntMat({ { 1, 2, 3 }, { 4, 5, 6 } });
    VarSetCell(m, 2, 3, 60);
    VarSetCell(m, 3, 1, 99);
    VarSetCell(m, 0, 1, 99);
    EXPECT_TRUE(MatrixNear(m.matrix, Mat({ { 1, 2, 3 }, { 4, 5, 60 } })));
    tVariable s = StrMat({ { "a", "b" } });
    VarSetStrCell(s, 1, 2, "z");
    VarSetCell(s, 1, 1, 5);
    EXPECT_EQ(s.strmatrix(1, 2), "z");
    EXPECT_EQ(s.strmatrix(1, 1), "a");

    EXPECT_EQ(VarRows(m), 2);
    EXPECT_EQ(VarCols(m), 3);
    EXPECT_EQ(VarCols(s), 2);
    const tVariable ranges = Ranges({ { 1, 2 }, { 4, 5 }, { 7, 9 } });
    EXPECT_EQ(VarRows(ranges), 3);
    EXPECT_EQ(VarCols(ranges), 2);
    const tVariable vector = Vec({ 1, 2, 3, 4 });
    EXPECT_EQ(VarRows(vector), 1);
    EXPECT_EQ(VarCols(vector), 4);
    EXPECT_EQ(VarRows(Int(3)), 1);
    EXPECT_TRUE(VarIsSquare(Real(1)));
    EXPECT_FALSE(VarIsSquare(m));
}

TEST(VariableRecord, GettersOfScalarsAndMatrices)
{
    EXPECT_EQ(VarAsInteger(Real(2.5L)), 2);
    EXPECT_EQ(VarAsInteger(Real(3.5L)), 4);
    EXPECT_EQ(VarAsInteger(Real(-2.5L)), -2);
    EXPECT_EQ(VarAsInteger(Str("12")), 0);
    EXPECT_EQ(VarAsInteger(RealMat({ { 6.5L, 1 } })), 6);
    EXPECT_THROW(VarAsInteger(Real(3e9L)), tRangeError);
    EXPECT_THROW(VarAsInteger(Real(std::numeric_limits<long double>::quiet_NaN())), tRangeError);

    EXPECT_EQ(VarAsString(BoolMat({ { 2.5L } })), "TRUE");
    EXPECT_EQ(VarAsString(BoolMat({ { 0 } })), "FALSE");
    EXPECT_EQ(VarAsString(Int(-7)), "-7");
    EXPECT_EQ(VarAsString(Real(2.5L)), "2.5");
    EXPECT_EQ(VarAsString(IntMat({ { 3, 4 } })), "3");
    EXPECT_EQ(VarAsString(StrMat({ { "x", "y" } })), "x");
    EXPECT_EQ(VarAsString(tVariable()), "");

    EXPECT_TRUE(VarAsBoolean(StrMat({ { " x " } })));
    EXPECT_FALSE(VarAsBoolean(StrMat({ { "   " } })));
    EXPECT_FALSE(VarAsBoolean(Str("x")));
    EXPECT_TRUE(VarAsBoolean(Real(0.1L)));
    EXPECT_EQ(VarAsReal(Bool(true)), 1);

    // A matrix without elements reads as nothing instead of past its storage.
    tVariable empty;
    VarSetMatrix(empty, trealmatrix(0, 3), tgPlain);
    EXPECT_EQ(VarAsInteger(empty), 0);
    EXPECT_FALSE(VarAsBoolean(empty));
    EXPECT_EQ(VarAsString(empty), "");
}

TEST(VariableConversion, MissingValueAndMatrices)
{
    const long double missing = MissingValue();
    unsigned char bytes[10];
    std::memcpy(bytes, &missing, sizeof bytes);
    const unsigned char expected[10] = { 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xF9, 0x08 };
    EXPECT_EQ(0, std::memcmp(bytes, expected, sizeof bytes));

    EXPECT_TRUE(MatrixNear(VarToMatrix(tVariable()), Mat({ { missing } })));
    EXPECT_TRUE(MatrixNear(VarToMatrix(Str(" 2.5 ")), Mat({ { 2.5L } })));
    EXPECT_TRUE(MatrixNear(VarToMatrix(Str("abc")), Mat({ { 0 } })));
    EXPECT_TRUE(MatrixNear(VarToMatrix(StrMat({ { "a", "b" } })), Mat({ { 0, 0 } })));
    EXPECT_TRUE(MatrixNear(VarToMatrix(Bool(true)), Mat({ { 1 } })));

    EXPECT_EQ(VarToIntMatrix(Str("12"))(1, 1), 12);
    EXPECT_THROW(VarToIntMatrix(Str("1x")), tConversionError);
    EXPECT_EQ(VarToIntMatrix(RealMat({ { 2.5L, 3.5L } }))(1, 2), 4);
    EXPECT_THROW(VarToIntMatrix(RealMat({ { 1e12L } })), tRangeError);
}

TEST(VariableConversion, IndexVectors)
{
    EXPECT_EQ(Indexes(VarToIndexVector(Ranges({ { 0, 3 }, { 5, 9 } }), 6)),
        (std::vector<int32_t> { 1, 2, 3, 5, 6 }));
    EXPECT_EQ(Indexes(VarToIndexVector(Ranges({ { 5, 3 }, { 1, 2 } }), 6)),
        (std::vector<int32_t> { 1, 2 }));
    EXPECT_EQ(Indexes(VarToIndexVector(Ranges({ { 1, 4 } }), 0)), (std::vector<int32_t> {}));
    EXPECT_EQ(Indexes(VarToIndexVector(Ranges({ { -1e30L, 1e30L } }, false), 3)),
        (std::vector<int32_t> { 1, 2, 3 }));
    EXPECT_EQ(Indexes(VarToIndexVector(Real(4.4L), 2)), (std::vector<int32_t> { 4 }));
    EXPECT_EQ(Indexes(VarToIndexVector(RealMat({ { 3, 1 }, { 2, 9 } }), 2)),
        (std::vector<int32_t> { 3, 1, 2, 9 }));
    EXPECT_EQ(Indexes(VarToIndexVector(Str("1"), 5)), (std::vector<int32_t> { 0 }));
    EXPECT_EQ(Indexes(VarToIndexVector(tVariable(), 5)), (std::vector<int32_t> { 0 }));
}

TEST(VariableConversion, RangeLists)
{
    EXPECT_EQ(Bounds(VarToRangeList(RealMat({ { 4, 7 } }))), (tBounds { { 4, 7 } }));
    EXPECT_EQ(Bounds(VarToRangeList(RealMat({ { 1, 2, 3 }, { 4, 5, 6 } }))),
        (tBounds { { 1, 4 }, { 2, 5 }, { 3, 6 } }));
    EXPECT_EQ(Bounds(VarToRangeList(RealMat({ { 1 }, { 2 }, { 3 } }))),
        (tBounds { { 1, 1 }, { 2, 2 }, { 3, 3 } }));
    EXPECT_EQ(Bounds(VarToRangeList(RealMat({ { 1, 2, 3 } }))),
        (tBounds { { 1, 1 }, { 2, 2 }, { 3, 3 } }));
    EXPECT_EQ(Bounds(VarToRangeList(RealMat({ { 1, 2, 3 }, { 4, 5, 6 }, { 7, 8, 9 } }))),
        (tBounds { { 0, 0 } }));
    EXPECT_EQ(Bounds(VarToRangeList(RealMat({ { 1, 2, 3 } }, tgRange))), (tBounds { { 1, 2 } }));
    EXPECT_EQ(Bounds(VarToRangeList(Vec({ 1, 2 }))), (tBounds { { 0, 0 } }));
    EXPECT_EQ(Bounds(VarToRangeList(Int(5))), (tBounds { { 5, 5 } }));
    EXPECT_EQ(Bounds(VarToRangeList(Str("5"))), (tBounds { { 0, 0 } }));

    const tintrangelist ints = VarToIntRangeList(Ranges({ { 1.5L, 2.5L } }, false));
    ASSERT_EQ(ints.Count(), 1);
    EXPECT_EQ(ints[1][1], 2);
    EXPECT_EQ(ints[1][2], 2);
    EXPECT_THROW(VarToIntRangeList(Real(1e10L)), tRangeError);
}

} // namespace
} // namespace zelvora
