// Allocation, shapes and conversions between matrices, vectors, ranges and texts.
#include "matrix_test_util.h"
#include "numerics/library_state.h"
#include "numerics/matrix_alloc.h"
#include "numerics/matrix_convert.h"
#include "support/result_support.h"

#include <limits>
#include <vector>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using testing::Mat;
using testing::Texts;

constexpr int32_t int32Max = std::numeric_limits<int32_t>::max();

TEST(Allocation, IdentitySizes)
{
    EXPECT_EQ(FailureCode(MakeIdentity(0, 0)), 1);
    EXPECT_EQ(FailureCode(MakeIdentity(trealmatrix(0, 0))), 1);
    EXPECT_EQ(IdentityMatrix(0).Dims(), (tMatDims { 0, 0 }));
    EXPECT_EQ(MakeIdentity(3, 5), IdentityMatrix(5));
    EXPECT_EQ(MakeIdentity(3, 5).Value().Rows(), 5);
    EXPECT_EQ(MakeIdentity(-2, 3).Value().Rows(), 3);
    EXPECT_EQ(MakeIdentity(4, -1).Value().Rows(), 4);
    EXPECT_EQ(MakeIdentity(trealmatrix(2, 4)), IdentityMatrix(4));
    EXPECT_EQ(MakeIdentity(2, 0).Value(), Mat({ { 1, 0 }, { 0, 1 } }));
    EXPECT_EQ(NewIntVector(3, 5), IntsToVector({ 5, 5, 5 }));
    EXPECT_EQ(NewIntVector(3, 5)[0], 0);
    EXPECT_EQ(NewStringMatrix(2, 2)(2, 2), "");
}

TEST(Conversions, VectorsAndMatrices)
{
    const tRealVector v = RealsToVector({ 1, 2, 3 });
    EXPECT_EQ(VectorToMatrix(v, 1), Mat({ { 1, 2, 3 } }));
    EXPECT_EQ(VectorToMatrix(v, 2), Mat({ { 1 }, { 2 }, { 3 } }));
    EXPECT_EQ(FailureCode(VectorToMatrix(v, 3)), 1);

    const std::vector<tRealVector> rows { RealsToVector({ 1, 2 }), RealsToVector({ 3 }),
        RealsToVector({ 4, 5, 6 }) };
    EXPECT_EQ(VectorsToMatrix(rows), Mat({ { 1, 2 }, { 3, 0 }, { 4, 5 } }));

    const trealmatrix m = Mat({ { 1, 2, 3 }, { 4, 5, 6 } });
    tRealVector out = RealsToVector({ 9 });
    MatrixToVector(m, 1, 2, out);
    EXPECT_EQ(out, RealsToVector({ 4, 5, 6 }));
    MatrixToVector(m, 2, 3, out);
    EXPECT_EQ(out, RealsToVector({ 3, 6 }));
    MatrixToVector(m, 3, 0, out);
    EXPECT_EQ(out, RealsToVector({ 1, 2, 3, 4, 5, 6 }));
    MatrixToVector(m, 4, 1, out);
    EXPECT_EQ(out.Count(), 6); // other kinds write nothing
    EXPECT_THROW(MatrixToVector(m, 1, 3, out), tRangeError);
    EXPECT_THROW(MatrixToVector(m, 2, 0, out), tRangeError);

    EXPECT_EQ(MatrixToIntVector(Mat({ { 1.5, 2.5 }, { -3.5, 4 } }), 2), IntsToVector({ 2, -4 }));
    EXPECT_THROW(MatrixToIntVector(Mat({ { 3e9 } }), 3), tRangeError);
    EXPECT_EQ(IntVectorToRealVector(IntsToVector({ -1, 7 })), RealsToVector({ -1, 7 }));
    EXPECT_THROW(RoundToIntMatrix(Mat({ { 1, -2147483649.0L } })), tRangeError);
}

TEST(Conversions, ValuesFillRowByRow)
{
    const std::vector<long double> seven { 1, 2, 3, 4, 5, 6, 7 };
    EXPECT_EQ(ValuesToMatrix(seven, 2, 0), Mat({ { 1, 2, 3 }, { 4, 5, 6 } }));
    EXPECT_EQ(ValuesToMatrix(seven, 0, 0), Mat({ { 1, 2, 3, 4, 5, 6, 7 } }));
    EXPECT_EQ(ValuesToMatrix(seven, 3, 3), Mat({ { 1, 2, 3 }, { 4, 5, 6 }, { 7, 0, 0 } }));
    EXPECT_EQ(ValuesToMatrix(seven, 0, 3), Mat({ { 1, 2, 3 }, { 4, 5, 6 } }));
    const std::vector<int32_t> ints { 1, 2, 3 };
    EXPECT_EQ(ValuesToMatrix(ints, 3, 1), Mat({ { 1 }, { 2 }, { 3 } }));
    EXPECT_EQ(FailureCode(ValuesToMatrix(ints, -1, 2)), 1);
}

TEST(Conversions, SequencesAndRanges)
{
    EXPECT_EQ(IntSequence(5, 1, 1), IntsToVector({ 0 }));
    EXPECT_EQ(IntSequence(1, 10, 3), IntsToVector({ 1, 4, 7, 10 }));
    EXPECT_EQ(IntSequence(10, 1, -3), IntsToVector({ 10, 7, 4, 1 }));
    EXPECT_EQ(IntSequence(1, 3), IntsToVector({ 1, 2, 3 }));
    EXPECT_THROW(IntSequence(1, 3, 0), tIntDivisionByZeroError);

    tintrangelist ranges = IntRangeList(3, IntRangeFromReals(0));
    ranges[1] = IntRangeFromReals(3, 5);
    ranges[2] = IntRangeFromReals(0, 2);
    ranges[3] = tIntRange { 0, 8, int32Max };
    EXPECT_EQ(RangesToIndexVector(ranges, 9), IntsToVector({ 3, 4, 5, 1, 2, 8, 9 }));
    ranges[3] = tIntRange { 0, int32Max, int32Max };
    EXPECT_EQ(RangesToIndexVector(ranges, 9), IntsToVector({ 3, 4, 5, 1, 2, 9 }));
    ranges[2] = tIntRange { 0, 7, 4 }; // empty once bounded
    ranges[3] = tIntRange { 0, 12, 15 }; // beyond the limit
    EXPECT_EQ(RangesToIndexVector(ranges, 9), IntsToVector({ 3, 4, 5 }));
    EXPECT_EQ(RangesToIndexVector(tintrangelist(), 9), IntsToVector({ 1 }));
    EXPECT_EQ(RangesToIndexVector(tintrangelist(0), 9).Count(), 0);

    EXPECT_EQ(IntRangeFromReals(2.5L, 3.5L), (tIntRange { 0, 2, 4 }));
    EXPECT_THROW(IntRangeFromReals(1, 3e9L), tRangeError);
    EXPECT_EQ(RealRange(1.5L), (tRealRange { 0, 1.5L, 1.5L }));
    const trealrangelist list = MatrixToRangeList(Mat({ { 1, 2 }, { 3, 4 } }));
    EXPECT_EQ(list[2], (tRealRange { 0, 3, 4 }));
    EXPECT_EQ(RangeListToMatrix(list), Mat({ { 1, 2 }, { 3, 4 } }));
    EXPECT_EQ(
        RangeListToMatrix(MatrixToRangeList(Mat({ { 5 }, { 6 } }))), Mat({ { 5, 5 }, { 6, 6 } }));
    EXPECT_THROW(MatrixToRangeList(trealmatrix(2, 0)), tRangeError);
}

TEST(Conversions, Texts)
{
    tNumericsContextScope context;
    const trealmatrix m = Mat({ { 1.5L, -2, 1.0L / 3 }, { 1e20L, 0.1L, 123456789012345.0L } });
    EXPECT_EQ(RealToText(m),
        Texts({ { "1.5", "-2", "0.333333333333333" }, { "1e+20", "0.1", "123456789012345" } }));
    EXPECT_EQ(RoundToText(Mat({ { 2.5L, -1e15L } })), Texts({ { "2", "-1000000000000000" } }));
    EXPECT_THROW(RoundToText(Mat({ { 1e19L } })), tFloatInvalidError);
    tintmatrix ints(1, 2);
    ints(1, 1) = -7;
    EXPECT_EQ(IntToText(ints), Texts({ { "-7", "0" } }));

    const trealmatrix parsed
        = TextToReal(Texts({ { "  2.5 ", "abc", "+1e3", "1,5", "", "inf", "1e99999" } }));
    EXPECT_EQ(parsed, Mat({ { 2.5L, 0, 1000, 0, 0, 0, 0 } }));
    EXPECT_EQ(TextToReal(Texts({ { "0.1" } }))(1, 1), 0.1L); // parsed in extended precision

    NumericsContext().decimalSeparator = ',';
    EXPECT_EQ(TextToReal(Texts({ { "1,5", "1.5", "-3" } })), Mat({ { 1.5L, 0, -3 } }));
    EXPECT_EQ(RealToText(Mat({ { -0.25L } })), Texts({ { "-0,25" } }));
}

} // namespace
} // namespace zelvora
