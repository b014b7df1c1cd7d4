// The power operators and the matrix power of scalars, plain and logical matrices.
#include "numerics/run_time_error.h"
#include "variable_test_support.h"
#include "variables/variable_operators.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using namespace zelvora::testing;

TEST(Power, Scalars)
{
    const tVariable half = VarPower(Int(2), Int(-1), 0);
    EXPECT_EQ(KindOf(half), (tKind { dtReal, tgNone, shScalar }));
    EXPECT_EQ(half.realvalue, 0.5L);
    const tVariable big = VarPower(Int(2), Int(30), 0);
    EXPECT_EQ(KindOf(big), (tKind { dtInteger, tgNone, shScalar }));
    EXPECT_EQ(big.intvalue, 1073741824);
    EXPECT_EQ(VarPower(Int(2), Int(31), 0).datatype, dtReal);
    EXPECT_EQ(VarPower(Int(2), Int(31), 0).realvalue, 2147483648.0L);
    EXPECT_EQ(VarPower(Int(-2), Int(31), 0).datatype, dtInteger); // -2^31 still fits
    EXPECT_NEAR(static_cast<double>(VarPower(Int(10), Int(300), 0).realvalue / 1e300L), 1, 1e-15);
    EXPECT_THROW(VarPower(Int(3), Int(1000000), 0), tRunTimeError); // beyond the reals too
    EXPECT_EQ(VarPower(Int(-2), Int(31), 0).intvalue, -2147483647 - 1);
    EXPECT_EQ(VarPower(Int(-1), Int(2147483647), 0).intvalue, -1);
    EXPECT_EQ(VarPower(Int(0), Int(0), 0).intvalue, 1);
    EXPECT_EQ(VarPower(Real(1.5L), Int(2), 0).realvalue, 2.25L);
    EXPECT_EQ(VarPower(Int(4), Real(0.5L), 0).realvalue, 2);
    EXPECT_THROW(VarPower(Real(-8), Real(0.5L), 0), tFloatInvalidError);
    EXPECT_EQ(VarPower(Bool(true), Int(2), 0).shape, shEmpty);
}

TEST(Power, ElementwiseForms)
{
    const tVariable powers = VarPower(Int(2), IntMat({ { 0, 1, 3 } }), 0);
    EXPECT_EQ(KindOf(powers), (tKind { dtReal, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(powers.matrix, Mat({ { 1, 2, 8 } })));
    const tVariable squares = VarPower(RealMat({ { 1, 2 }, { 3, 4 } }), Int(2), 1);
    EXPECT_TRUE(MatrixNear(squares.matrix, Mat({ { 1, 4 }, { 9, 16 } })));
    const tVariable logical = VarPower(RealMat({ { 1, 2 }, { 3, 4 } }, tgLogical), Int(2), 0);
    EXPECT_EQ(logical.tag, tgLogical);
    EXPECT_TRUE(MatrixNear(logical.matrix, Mat({ { 1, 4 }, { 9, 16 } })));
    // Math errors of elements give 0 instead of ending the run.
    EXPECT_TRUE(
        MatrixNear(VarPower(RealMat({ { -8, 4 } }), Real(0.5L), 1).matrix, Mat({ { 0, 2 } })));
    EXPECT_TRUE(MatrixNear(
        VarPower(RealMat({ { 2, 3 } }), RealMat({ { 3, 2 } }), 1).matrix, Mat({ { 8, 9 } })));
}

TEST(MatrixPower, PlainMatrices)
{
    const tVariable m = RealMat({ { 2, 1 }, { 1, 1 } });
    EXPECT_TRUE(MatrixNear(VarPower(m, Int(0), 0).matrix, Mat({ { 1, 0 }, { 0, 1 } })));
    EXPECT_TRUE(MatrixNear(VarPower(m, Int(3), 0).matrix, Mat({ { 13, 8 }, { 8, 5 } })));
    // The inverse is [[1, -1], [-1, 2]]; its square is [[2, -3], [-3, 5]].
    const tVariable inverseSquare = VarPower(m, Int(-2), 0);
    EXPECT_EQ(KindOf(inverseSquare), (tKind { dtReal, tgPlain, shMatrix }));
    EXPECT_TRUE(MatrixNear(inverseSquare.matrix, Mat({ { 2, -3 }, { -3, 5 } }), 1e-17L));
    EXPECT_TRUE(MatrixNear(VarPower(m, Real(2), 0).matrix, Mat({ { 5, 3 }, { 3, 2 } })));

    // A non-integral exponent goes through exp(x ln M): the root of diag(4, 9).
    const tVariable root = VarPower(RealMat({ { 4, 0 }, { 0, 9 } }), Real(0.5L), 0);
    EXPECT_TRUE(MatrixNear(root.matrix, Mat({ { 2, 0 }, { 0, 3 } }), 1e-7L));
    const tVariable expLog
        = VarPower(RealMat({ { 2, 0 }, { 0, 3 } }), RealMat({ { 2, 0 }, { 0, 1 } }), 0);
    EXPECT_TRUE(MatrixNear(expLog.matrix, Mat({ { 4, 0 }, { 0, 3 } }), 1e-7L));

    // A matrix that is not square has no matrix power: no value, which the machine words as the
    // failure.
    EXPECT_EQ(VarPower(RealMat({ { 1, 2, 3 } }), Int(2), 0).shape, shEmpty);
    EXPECT_TRUE(
        MatrixNear(VarPower(RealMat({ { 1, 2, 3 } }), Int(1), 0).matrix, Mat({ { 1, 2, 3 } })));
    EXPECT_EQ(VarPower(RealMat({ { 1, 2, 3 } }), Real(0.5L), 0).shape, shEmpty);
    EXPECT_EQ(
        VarPower(RealMat({ { 2, 0 }, { 0, 3 } }), RealMat({ { 1, 2, 3 } }), 0).shape, shEmpty);
    EXPECT_EQ(VarPower(RealMat({ { 1, 2 } }), RealMat({ { 1, 2, 3 } }), 1).shape, shEmpty);
    EXPECT_EQ(VarMatrixPower(RealMat({ { 1, 2 } }), 3).shape, shEmpty);
}

TEST(MatrixPower, SuffixOperatorsOnEveryKind)
{
    const tVariable ones = VarMatrixPower(BoolMat({ { 1, 0 }, { 0, 0 } }), 0);
    EXPECT_EQ(ones.tag, tgLogical);
    EXPECT_TRUE(MatrixNear(ones.matrix, Mat({ { 1, 1 }, { 1, 1 } })));
    const tVariable identity = VarMatrixPower(IntMat({ { 5, 6 }, { 7, 8 } }), 0);
    EXPECT_EQ(identity.tag, tgPlain);
    EXPECT_TRUE(MatrixNear(identity.matrix, Mat({ { 1, 0 }, { 0, 1 } })));
    EXPECT_TRUE(MatrixNear(VarMatrixPower(Vec({ 1, 2, 3 }), 2).matrix, Mat({ { 1, 4, 9 } })));
    EXPECT_EQ(VarMatrixPower(Vec({ 1, 2, 3 }), 2).tag, tgVector);

    EXPECT_EQ(VarMatrixPower(Int(7), 0).intvalue, 1);
    EXPECT_EQ(VarMatrixPower(Int(-3), 3).intvalue, -27);
    EXPECT_EQ(VarMatrixPower(Int(2000), 3).realvalue, 8e9L);
    EXPECT_EQ(VarMatrixPower(Real(1.5L), 2).realvalue, 2.25L);
    EXPECT_EQ(VarMatrixPower(Real(0), 0).realvalue, 1);
    EXPECT_EQ(VarMatrixPower(Str("a"), 2).shape, shEmpty);
    EXPECT_EQ(VarMatrixPower(Ranges({ { 1, 2 } }), 2).shape, shEmpty);
    EXPECT_EQ(VarMatrixPower(StrMat({ { "a" } }), 2).shape, shEmpty);
}

} // namespace
} // namespace zelvora
